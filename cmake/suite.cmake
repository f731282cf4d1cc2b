# Helpers shared by every component's CMakeLists.txt.

# suite_warnings(target): our warning set, as errors are not forced so that a
# newer compiler does not break the build.
function(suite_warnings target)
  target_compile_options(${target} PRIVATE ${SUITE_WARNINGS})
endfunction()

# suite_test(name SOURCES ... LIBS ... [PROGRAMS program...]): a GoogleTest
# executable registered with ctest. On Windows builds the test command runs
# the .exe under Wine through CMAKE_CROSSCOMPILING_EMULATOR (set by the
# toolchain file).
# - Every test has a temporary folder of its own, TEST_TMP_DIR
#   (<build folder>/tmp/<name>), for what it writes; test_kit.h makes fresh
#   folders below it.
# - Each program named under PROGRAMS that is part of the build is built
#   before the test, and its path is given as <PROGRAM>_PATH in upper case
#   (MORRIN_PATH); a program not in the build leaves its name undefined.
# Tests run in their build folder; SUITE_SOURCE_DIR and SUITE_BINARY_DIR are
# passed in the environment so that tests find fixtures and programs.
function(suite_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;PROGRAMS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  suite_warnings(${name})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_compile_definitions(${name} PRIVATE TEST_TMP_DIR="${CMAKE_CURRENT_BINARY_DIR}/tmp/${name}")
  if(T_PROGRAMS)
    # Programs of folders read later are known once the whole tree is read.
    # (The arguments of a deferred call are read when it runs: written out now.)
    cmake_language(EVAL CODE
      "cmake_language(DEFER DIRECTORY \"${PROJECT_SOURCE_DIR}\" CALL suite_test_programs ${name} ${T_PROGRAMS})")
  endif()
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "SUITE_SOURCE_DIR=${PROJECT_SOURCE_DIR};SUITE_BINARY_DIR=${PROJECT_BINARY_DIR}"
    TIMEOUT 600)
endfunction()

# The program paths of one test (see suite_test).
function(suite_test_programs name)
  foreach(program ${ARGN})
    if(TARGET ${program})
      string(TOUPPER ${program} upper)
      target_compile_definitions(${name} PRIVATE ${upper}_PATH="$<TARGET_FILE:${program}>")
      add_dependencies(${name} ${program})
    endif()
  endforeach()
endfunction()

# suite_program(name SOURCES ... LIBS ...): a command-line program.
# With SUITE_STATIC_RUNTIME (the native preset) it carries its own copy of
# the C++ runtime: a build of many small sources is mostly program starts,
# and loading and relocating the shared runtime is most of each start. (The
# Windows builds link everything statically anyway; the sanitizers need the
# shared runtime, so the sanitize preset leaves it off.)
option(SUITE_STATIC_RUNTIME "link command-line programs with the static C++ runtime" OFF)
function(suite_program name)
  cmake_parse_arguments(P "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${P_SOURCES})
  suite_warnings(${name})
  target_link_libraries(${name} PRIVATE ${P_LIBS})
  if(SUITE_STATIC_RUNTIME AND NOT WIN32)
    target_link_options(${name} PRIVATE -static-libstdc++ -static-libgcc)
  endif()
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)
endfunction()

# suite_gui_program(name SOURCES ... LIBS ...): a window program (GUI subsystem).
function(suite_gui_program name)
  cmake_parse_arguments(P "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} WIN32 ${P_SOURCES})
  suite_warnings(${name})
  target_link_libraries(${name} PRIVATE ${P_LIBS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)
endfunction()
