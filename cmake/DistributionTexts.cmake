# Writes the texts of a distribution: licenses/ and 说明.txt. Run with cmake -P and
#   -DSOURCE_DIR=  the repository      -DDIST=  the distribution folder
#   -DVERSION=     the project version -DPACKAGE_ARCH=  win32 or win64
#   -DFFMPEG_PACKAGE= -DFFPROBE_PACKAGE=  the engines' npm package folders
#   -DRUNTIME_NOTICE= the mingw-w64 runtime's copyright file of the toolchain  -DPUBLISHER= the maker
# Every text gets a byte-order mark and CR LF line ends, so that Notepad on any Windows shows it.

string(ASCII 239 187 191 byte_order_mark)
function(write_windows_text path content)
  string(REPLACE "\r\n" "\n" content "${content}")
  string(REPLACE "\n" "\r\n" content "${content}")
  file(WRITE ${path} "${byte_order_mark}${content}")
endfunction()

function(read_text path variable)
  if(NOT EXISTS ${path})
    message(FATAL_ERROR "Missing ${path}, which the distribution's licence texts come from.")
  endif()
  file(READ ${path} content)
  set(${variable} "${content}" PARENT_SCOPE)
endfunction()

# The lines of one engine: its package, version and the FFmpeg revision it was built from, read
# from the package's metadata. A package that does not name its revision stops the build: the
# notice must say which source the binary corresponds to.
function(engine_lines file package_folder build_key variable)
  read_text(${package_folder}/package.json metadata)
  foreach(key name version license homepage ${build_key})
    string(JSON value ERROR_VARIABLE error GET "${metadata}" ${key})
    if(error OR value STREQUAL "")
      message(FATAL_ERROR "${package_folder}/package.json does not name its ${key}.")
    endif()
    set(${key} "${value}")
  endforeach()
  set(build "${${build_key}}")
  if(NOT build MATCHES "^([0-9][0-9][0-9][0-9])([0-9][0-9])([0-9][0-9])-([0-9a-f]+)$")
    message(FATAL_ERROR "${package_folder}/package.json: the build '${build}' is not DATE-REVISION.")
  endif()
  string(CONCAT lines
      "  engine\\${file}\n"
      "    FFmpeg build ${build}: FFmpeg source revision ${CMAKE_MATCH_4} of "
      "${CMAKE_MATCH_1}-${CMAKE_MATCH_2}-${CMAKE_MATCH_3}.\n"
      "    From the npm package ${name} ${version} (licence: ${license}); the build's origin:\n"
      "    ${homepage}\n\n")
  set(${variable} "${lines}" PARENT_SCOPE)
endfunction()

foreach(variable SOURCE_DIR DIST VERSION PACKAGE_ARCH FFMPEG_PACKAGE FFPROBE_PACKAGE RUNTIME_NOTICE PUBLISHER)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "DistributionTexts.cmake needs -D${variable}=")
  endif()
endforeach()
set(PROJECT_VERSION ${VERSION})
set(TRELVIX_PACKAGE_ARCH ${PACKAGE_ARCH})
set(TRELVIX_PUBLISHER ${PUBLISHER})
set(licenses ${DIST}/licenses)
file(MAKE_DIRECTORY ${licenses})

read_text(${SOURCE_DIR}/LICENSE text)
write_windows_text(${licenses}/Trelvix-LICENSE.txt "${text}")
read_text(${SOURCE_DIR}/packaging/GPL-3.0.txt text)
write_windows_text(${licenses}/GPL-3.0.txt "${text}")

engine_lines(ffmpeg.exe ${FFMPEG_PACKAGE} ffmpeg ffmpeg_lines)
engine_lines(ffprobe.exe ${FFPROBE_PACKAGE} ffprobe ffprobe_lines)
set(TRELVIX_ENGINE_LINES "${ffmpeg_lines}${ffprobe_lines}")
read_text(${SOURCE_DIR}/packaging/FFmpegNotice.txt.in text)
string(CONFIGURE "${text}" text @ONLY)
write_windows_text(${licenses}/FFmpeg-NOTICE.txt "${text}")

read_text(${RUNTIME_NOTICE} runtime)
string(CONCAT runtime
  "Trelvix.exe, ffmpeg.exe and mplayer.exe are linked statically with the runtime of the mingw-w64\n"
  "toolchain that built them. Its notices follow. They also hold GCC's runtime libraries (libgcc,\n"
  "libstdc++), under the GNU GPL version 3 with the GCC Runtime Library Exception, which sets no\n"
  "condition on programs compiled with GCC.\n\n${runtime}")
write_windows_text(${licenses}/mingw-w64-runtime.txt "${runtime}")

read_text(${SOURCE_DIR}/packaging/ReadMe.zh.txt.in text)
string(CONFIGURE "${text}" text @ONLY)
write_windows_text(${DIST}/说明.txt "${text}")
