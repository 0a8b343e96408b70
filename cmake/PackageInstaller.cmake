# Makes the installer of a staged package folder with NSIS. Run with cmake -P and
#   -DSTAGE=      the folder whose files the installer holds   -DOUTPUT=  the setup .exe to write
#   -DVERSION=    the version (MAJOR.MINOR.PATCH)              -DPACKAGE_ARCH=  win32 or win64
#   -DPUBLISHER=  -DCOPYRIGHT=  the maker's lines              -DNSIS_SCRIPT=  packaging/Trelvix.nsi
#   -DMAKENSIS=   the makensis program   [-DCOMPRESSOR=lzma (default) | zlib | bzip2]
# The uninstaller deletes the very files listed here, so it removes what this version installed and
# nothing that a user put beside them.
foreach(variable STAGE OUTPUT VERSION PACKAGE_ARCH PUBLISHER COPYRIGHT NSIS_SCRIPT MAKENSIS)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "PackageInstaller.cmake needs -D${variable}=")
  endif()
endforeach()
if(NOT MAKENSIS)
  message(FATAL_ERROR "makensis is missing: scripts/install-deps installs it (Debian package nsis).")
endif()
if(NOT DEFINED COMPRESSOR)
  set(COMPRESSOR lzma)
endif()
if(NOT VERSION MATCHES "^([0-9]+)\\.([0-9]+)\\.([0-9]+)$")
  message(FATAL_ERROR "The version '${VERSION}' is not MAJOR.MINOR.PATCH.")
endif()
set(version_numbers "${CMAKE_MATCH_1}.${CMAKE_MATCH_2}.${CMAKE_MATCH_3}.0")

file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${STAGE} ${STAGE}/*)
list(SORT files)
if(NOT files)
  message(FATAL_ERROR "${STAGE} holds no files to install.")
endif()

set(install "!macro InstallFiles\n")
set(uninstall "!macro UninstallFiles\n")
set(folders)
set(current_folder "-")
set(size 0)
foreach(file IN LISTS files)
  # Characters that NSIS reads as variables, quotes or escapes cannot be named in its commands.
  if(file MATCHES "[\"$`]")
    message(FATAL_ERROR "${STAGE}/${file}: a file name that the installer cannot hold.")
  endif()
  get_filename_component(folder ${file} DIRECTORY)
  string(REPLACE "/" "\\" windows_file ${file})
  string(REPLACE "/" "\\" windows_folder "${folder}")
  if(NOT folder STREQUAL current_folder)
    set(current_folder "${folder}")
    if(folder STREQUAL "")
      string(APPEND install "  SetOutPath \"$INSTDIR\"\n")
    else()
      string(APPEND install "  SetOutPath \"$INSTDIR\\${windows_folder}\"\n")
      set(ancestor "${folder}")
      while(NOT ancestor STREQUAL "")
        string(REPLACE "/" "\\" windows_ancestor "${ancestor}")
        list(APPEND folders "${windows_ancestor}")
        get_filename_component(ancestor "${ancestor}" DIRECTORY)
      endwhile()
    endif()
  endif()
  string(APPEND install "  File \"${STAGE}/${file}\"\n")
  string(APPEND uninstall "  Delete \"$INSTDIR\\${windows_file}\"\n")
  file(SIZE ${STAGE}/${file} file_size)
  math(EXPR size "${size} + ${file_size}")
endforeach()
# Parents after their children: a folder is removed only once it is empty.
list(REMOVE_DUPLICATES folders)
list(SORT folders)
list(REVERSE folders)
foreach(folder IN LISTS folders)
  string(APPEND uninstall "  RMDir \"$INSTDIR\\${folder}\"\n")
endforeach()
string(APPEND install "!macroend\n")
string(APPEND uninstall "!macroend\n")
math(EXPR size_kb "(${size} + 1023) / 1024")

get_filename_component(output_name ${OUTPUT} NAME_WLE)
get_filename_component(output_folder ${OUTPUT} DIRECTORY)
set(definition ${output_folder}/${output_name}.nsh)
string(ASCII 239 187 191 byte_order_mark)
file(WRITE ${definition} "${byte_order_mark}"
  "!define VERSION \"${VERSION}\"\n"
  "!define VERSION_NUMBERS \"${version_numbers}\"\n"
  "!define PACKAGE_ARCH \"${PACKAGE_ARCH}\"\n"
  "!define PUBLISHER \"${PUBLISHER}\"\n"
  "!define COPYRIGHT \"${COPYRIGHT}\"\n"
  "!define COMPRESSOR ${COMPRESSOR}\n"
  "!define ESTIMATED_SIZE_KB ${size_kb}\n"
  "!define OUTPUT_FILE \"${OUTPUT}\"\n"
  "${install}${uninstall}")

file(REMOVE ${OUTPUT})
execute_process(
  COMMAND ${MAKENSIS} -V2 -INPUTCHARSET UTF8 -DPACKAGE_DEFINITION=${definition} ${NSIS_SCRIPT}
  RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT EXISTS ${OUTPUT})
  message(FATAL_ERROR "makensis could not make ${OUTPUT} (status ${status}).")
endif()
