# Makes the packages of one architecture from its distribution folder: Trelvix-VERSION-ARCH.zip and
# Trelvix-VERSION-ARCH-setup.exe. Run with cmake -P (the target "packages" does) and
#   -DDIST=  the distribution folder   -DWORK=  a scratch folder   -DOUTPUT_DIR=  where the packages go
#   -DVERSION=  -DPACKAGE_ARCH=  win32 or win64   -DSTRIP=  the toolchain's strip
#   -DPUBLISHER=  -DCOPYRIGHT=  -DNSIS_SCRIPT=  -DMAKENSIS=  as for PackageInstaller.cmake
foreach(variable DIST WORK OUTPUT_DIR VERSION PACKAGE_ARCH STRIP PUBLISHER COPYRIGHT NSIS_SCRIPT MAKENSIS)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "Package.cmake needs -D${variable}=")
  endif()
endforeach()

# What a package holds, and nothing else that may lie in the distribution folder.
set(programs Trelvix.exe SkinGallery.exe ffmpeg.exe mplayer.exe)
set(payload engine/ffmpeg.exe engine/ffprobe.exe licenses/Trelvix-LICENSE.txt licenses/GPL-3.0.txt
            licenses/FFmpeg-NOTICE.txt licenses/mingw-w64-runtime.txt 说明.txt)

set(name Trelvix-${VERSION}-${PACKAGE_ARCH})
set(stage ${WORK}/${name})
file(REMOVE_RECURSE ${stage})
file(MAKE_DIRECTORY ${stage}/engine ${stage}/licenses ${OUTPUT_DIR})
foreach(file IN LISTS programs payload)
  if(NOT EXISTS ${DIST}/${file})
    message(FATAL_ERROR "The distribution lacks ${file}: build the target tree first.")
  endif()
endforeach()
# The programs go without their symbols and debugging information; the rest is linked, not copied.
foreach(file IN LISTS programs)
  execute_process(COMMAND ${STRIP} --strip-all -o ${stage}/${file} ${DIST}/${file} RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${STRIP} failed on ${DIST}/${file}")
  endif()
endforeach()
foreach(file IN LISTS payload)
  file(CREATE_LINK ${DIST}/${file} ${stage}/${file} COPY_ON_ERROR)
endforeach()

# The zip unpacks into one folder named like itself; its names are stored as UTF-8 and marked so.
set(zip ${OUTPUT_DIR}/${name}.zip)
file(REMOVE ${zip})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${zip} --format=zip ${name}
                WORKING_DIRECTORY ${WORK} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "Could not make ${zip}")
endif()

execute_process(
  COMMAND ${CMAKE_COMMAND} -DSTAGE=${stage} -DOUTPUT=${OUTPUT_DIR}/${name}-setup.exe -DVERSION=${VERSION}
          -DPACKAGE_ARCH=${PACKAGE_ARCH} -DPUBLISHER=${PUBLISHER} -DCOPYRIGHT=${COPYRIGHT}
          -DNSIS_SCRIPT=${NSIS_SCRIPT} -DMAKENSIS=${MAKENSIS} -P ${CMAKE_CURRENT_LIST_DIR}/PackageInstaller.cmake
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "Could not make the installer of ${name}")
endif()
