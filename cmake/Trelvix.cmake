# Shared settings and helpers of both builds.

# Flags for the project's own targets (third-party code keeps its own).
function(trelvix_target_defaults target)
  target_compile_features(${target} PRIVATE cxx_std_20)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wimplicit-fallthrough -Werror)
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  if(TRELVIX_FUZZ)
    # Coverage feedback must come from the code under test, not only from the fuzz harness.
    target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link)
  endif()
  if(WIN32)
    target_compile_definitions(${target} PUBLIC UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
                                                _WIN32_WINNT=0x0601 WINVER=0x0601)
  endif()
endfunction()

function(trelvix_library name)
  add_library(${name} STATIC ${ARGN})
  trelvix_target_defaults(${name})
endfunction()

# A Windows program with a Unicode entry point (wWinMain or wmain).
function(trelvix_program name)
  cmake_parse_arguments(P "CONSOLE" "" "SOURCES;LIBS" ${ARGN})
  if(P_CONSOLE)
    add_executable(${name} ${P_SOURCES})
  else()
    add_executable(${name} WIN32 ${P_SOURCES})
  endif()
  trelvix_target_defaults(${name})
  target_link_options(${name} PRIVATE -municode)
  target_link_libraries(${name} PRIVATE ${P_LIBS})
endfunction()

# One GoogleTest executable registered as one ctest test with its labels.
# Target tests run through the Wine emulator; their working folder is the executable's folder.
# SERIAL: the test shows windows and reads the screen, so it must not overlap other such tests.
function(trelvix_test name)
  cmake_parse_arguments(T "SERIAL" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  if(TRELVIX_FUZZ)
    return()
  endif()
  add_executable(${name} ${T_SOURCES})
  trelvix_target_defaults(${name})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gmock_main)
  add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 600)
  endif()
  set_tests_properties(${name} PROPERTIES LABELS "${T_LABELS}" TIMEOUT ${T_TIMEOUT})
  if(T_SERIAL)
    set_tests_properties(${name} PROPERTIES RUN_SERIAL TRUE)
  endif()
endfunction()

# A libFuzzer target of the fuzz build, run for a bounded time by ctest with label "fuzz" and its own.
function(trelvix_fuzz name)
  cmake_parse_arguments(F "" "SECONDS;CORPUS" "SOURCES;LIBS;LABELS" ${ARGN})
  if(NOT TRELVIX_FUZZ)
    return()
  endif()
  add_executable(${name} ${F_SOURCES})
  trelvix_target_defaults(${name})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  if(NOT F_SECONDS)
    set(F_SECONDS 15)
  endif()
  set(work ${CMAKE_CURRENT_BINARY_DIR}/${name}-corpus)
  file(MAKE_DIRECTORY ${work})
  add_test(NAME ${name}
           COMMAND ${name} -max_total_time=${F_SECONDS} -timeout=10 -rss_limit_mb=1024
                   -artifact_prefix=${CMAKE_CURRENT_BINARY_DIR}/${name}- ${work} ${F_CORPUS})
  set_tests_properties(${name} PROPERTIES LABELS "fuzz;${F_LABELS}" TIMEOUT 300)
endfunction()

# Who makes the program: the version resources and the installer's uninstall entry name it.
set(TRELVIX_PUBLISHER "Trelvix 工作室")
set(TRELVIX_COPYRIGHT "Copyright (c) 2026 Trelvix 工作室，MIT 许可")

# Gives a program a version resource with the project's version and this description. Compiled apart
# from the C++ sources, whose compiler options the resource compiler refuses.
function(trelvix_version_resource target file_name description)
  set(TRELVIX_FILE_NAME ${file_name})
  set(TRELVIX_FILE_DESCRIPTION ${description})
  set(TRELVIX_VERSION_NUMBERS "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},0")
  set(script ${CMAKE_CURRENT_BINARY_DIR}/${target}.version.rc)
  set(object ${CMAKE_CURRENT_BINARY_DIR}/${target}.version.res.obj)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/VersionInfo.rc.in ${script} @ONLY)
  add_custom_command(
    OUTPUT ${object}
    COMMAND ${CMAKE_RC_COMPILER} -c 65001 -O coff -i ${script} -o ${object}
    DEPENDS ${script}
    COMMENT "Compiling the version resource of ${file_name}"
    VERBATIM)
  set_source_files_properties(${object} PROPERTIES EXTERNAL_OBJECT TRUE GENERATED TRUE)
  target_sources(${target} PRIVATE ${object})
endfunction()

# Places a built program in the distribution folder under the given file name, with a version
# resource that describes it.
function(trelvix_dist_program target file_name description)
  trelvix_version_resource(${target} ${file_name} ${description})
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E make_directory ${TRELVIX_DIST}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:${target}> ${TRELVIX_DIST}/${file_name})
endfunction()

# A benchmark program. It is built with everything and registered with the label "bench", which
# ./test leaves out unless asked for: ./test bench runs them all and shows their figures.
# Target benchmarks run under Wine like the target tests.
function(trelvix_bench name)
  cmake_parse_arguments(B "" "TIMEOUT" "SOURCES;LIBS;ARGS" ${ARGN})
  if(TRELVIX_FUZZ)
    return()
  endif()
  add_executable(${name} ${B_SOURCES})
  trelvix_target_defaults(${name})
  target_link_libraries(${name} PRIVATE ${B_LIBS})
  add_test(NAME ${name} COMMAND ${name} ${B_ARGS} WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  if(NOT B_TIMEOUT)
    set(B_TIMEOUT 900)
  endif()
  set_tests_properties(${name} PROPERTIES LABELS bench TIMEOUT ${B_TIMEOUT} RUN_SERIAL TRUE)
endfunction()
