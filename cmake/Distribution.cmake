# The distribution folder: what a user copies to a Windows machine, and what the packages hold.
#   dist/Trelvix.exe, dist/SkinGallery.exe (gallery/), dist/ffmpeg.exe, dist/mplayer.exe,
#   dist/engine/{ffmpeg,ffprobe}.exe, dist/licenses/, dist/说明.txt

# The engines are the npm builds of the target's own architecture.
set(TRELVIX_ENGINE_SOURCES ${TRELVIX_FFMPEG_ENGINE} ${TRELVIX_FFPROBE_ENGINE})
foreach(engine IN LISTS TRELVIX_ENGINE_SOURCES)
  if(NOT EXISTS ${engine})
    message(FATAL_ERROR "Missing ${engine}: run scripts/install-deps (npm ci) first.")
  endif()
endforeach()

add_custom_command(
  OUTPUT ${TRELVIX_DIST}/engine/ffmpeg.exe ${TRELVIX_DIST}/engine/ffprobe.exe
  COMMAND ${CMAKE_COMMAND} -E make_directory ${TRELVIX_DIST}/engine
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${TRELVIX_ENGINE_SOURCES} ${TRELVIX_DIST}/engine/
  DEPENDS ${TRELVIX_ENGINE_SOURCES}
  COMMENT "Copying the FFmpeg engines into the distribution")
add_custom_target(engine ALL DEPENDS ${TRELVIX_DIST}/engine/ffmpeg.exe ${TRELVIX_DIST}/engine/ffprobe.exe)

# Packages and the installer name the architectures as Windows users know them.
if(TRELVIX_ARCH STREQUAL "x86_64")
  set(TRELVIX_PACKAGE_ARCH win64)
else()
  set(TRELVIX_PACKAGE_ARCH win32)
endif()

# Licences and the Chinese read-me: nothing in the distribution comes without its licence. The
# engines' notice names the FFmpeg revisions that their npm packages were built from.
get_filename_component(ffmpeg_package ${TRELVIX_FFMPEG_ENGINE} DIRECTORY)
get_filename_component(ffprobe_package ${TRELVIX_FFPROBE_ENGINE} DIRECTORY)
# The runtime notices of the toolchain that links the programs (Debian's mingw-w64-common).
set(TRELVIX_RUNTIME_NOTICE /usr/share/doc/mingw-w64-common/copyright CACHE FILEPATH
    "Copyright file of the mingw-w64 runtime that the programs are linked with")
set(TRELVIX_DIST_TEXTS
    ${TRELVIX_DIST}/licenses/Trelvix-LICENSE.txt ${TRELVIX_DIST}/licenses/GPL-3.0.txt
    ${TRELVIX_DIST}/licenses/FFmpeg-NOTICE.txt ${TRELVIX_DIST}/licenses/mingw-w64-runtime.txt
    ${TRELVIX_DIST}/说明.txt)
add_custom_command(
  OUTPUT ${TRELVIX_DIST_TEXTS}
  COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR} -DDIST=${TRELVIX_DIST}
          -DVERSION=${PROJECT_VERSION} -DPACKAGE_ARCH=${TRELVIX_PACKAGE_ARCH}
          -DFFMPEG_PACKAGE=${ffmpeg_package} -DFFPROBE_PACKAGE=${ffprobe_package}
          -DRUNTIME_NOTICE=${TRELVIX_RUNTIME_NOTICE} -DPUBLISHER=${TRELVIX_PUBLISHER}
          -P ${PROJECT_SOURCE_DIR}/cmake/DistributionTexts.cmake
  DEPENDS ${PROJECT_SOURCE_DIR}/cmake/DistributionTexts.cmake ${PROJECT_SOURCE_DIR}/LICENSE
          ${PROJECT_SOURCE_DIR}/packaging/GPL-3.0.txt ${PROJECT_SOURCE_DIR}/packaging/FFmpegNotice.txt.in
          ${PROJECT_SOURCE_DIR}/packaging/ReadMe.zh.txt.in ${ffmpeg_package}/package.json
          ${ffprobe_package}/package.json ${TRELVIX_RUNTIME_NOTICE}
  COMMENT "Writing the distribution's licences and read-me"
  VERBATIM)
add_custom_target(dist_texts ALL DEPENDS ${TRELVIX_DIST_TEXTS})

# cmake --build build/target-ARCH --target packages: the zip and the installer of this architecture
# in build/target-ARCH/packages/. Not part of the default build: packing takes a while.
find_program(TRELVIX_MAKENSIS makensis)
set(TRELVIX_PACKAGE_DIR ${CMAKE_BINARY_DIR}/packages)
set(TRELVIX_PACKAGE_NAME Trelvix-${PROJECT_VERSION}-${TRELVIX_PACKAGE_ARCH})
set(TRELVIX_PACKAGE_ZIP ${TRELVIX_PACKAGE_DIR}/${TRELVIX_PACKAGE_NAME}.zip)
set(TRELVIX_PACKAGE_SETUP ${TRELVIX_PACKAGE_DIR}/${TRELVIX_PACKAGE_NAME}-setup.exe)
if(TARGET Trelvix AND TARGET SkinGallery AND TARGET ffmpeg_front AND TARGET mplayer_front)
  add_custom_command(
    OUTPUT ${TRELVIX_PACKAGE_ZIP} ${TRELVIX_PACKAGE_SETUP}
    COMMAND ${CMAKE_COMMAND} -DDIST=${TRELVIX_DIST} -DWORK=${CMAKE_BINARY_DIR}/package-stage
            -DOUTPUT_DIR=${TRELVIX_PACKAGE_DIR} -DVERSION=${PROJECT_VERSION}
            -DPACKAGE_ARCH=${TRELVIX_PACKAGE_ARCH} -DSTRIP=${CMAKE_STRIP} -DPUBLISHER=${TRELVIX_PUBLISHER}
            -DCOPYRIGHT=${TRELVIX_COPYRIGHT} -DNSIS_SCRIPT=${PROJECT_SOURCE_DIR}/packaging/Trelvix.nsi
            -DMAKENSIS=${TRELVIX_MAKENSIS} -P ${PROJECT_SOURCE_DIR}/cmake/Package.cmake
    DEPENDS Trelvix SkinGallery ffmpeg_front mplayer_front engine dist_texts
            $<TARGET_FILE:Trelvix> $<TARGET_FILE:SkinGallery> $<TARGET_FILE:ffmpeg_front>
            $<TARGET_FILE:mplayer_front>
            ${TRELVIX_DIST}/engine/ffmpeg.exe ${TRELVIX_DIST}/engine/ffprobe.exe ${TRELVIX_DIST_TEXTS}
            ${PROJECT_SOURCE_DIR}/cmake/Package.cmake ${PROJECT_SOURCE_DIR}/cmake/PackageInstaller.cmake
            ${PROJECT_SOURCE_DIR}/packaging/Trelvix.nsi
    COMMENT "Packing ${TRELVIX_PACKAGE_NAME}.zip and ${TRELVIX_PACKAGE_NAME}-setup.exe"
    VERBATIM)
  add_custom_target(packages DEPENDS ${TRELVIX_PACKAGE_ZIP} ${TRELVIX_PACKAGE_SETUP})
endif()
