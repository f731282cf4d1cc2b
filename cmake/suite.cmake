# Helpers shared by every component's CMakeLists.txt.

# suite_warnings(target): our warning set, as errors are not forced so that a
# newer compiler does not break the build.
function(suite_warnings target)
  target_compile_options(${target} PRIVATE ${SUITE_WARNINGS})
endfunction()

# suite_test(name SOURCES ... LIBS ...): a GoogleTest executable registered
# with ctest. On Windows builds the test command runs the .exe under Wine
# through CMAKE_CROSSCOMPILING_EMULATOR (set by the toolchain file).
# Tests run in their build folder; SUITE_SOURCE_DIR and SUITE_BINARY_DIR are
# passed in the environment so that tests find fixtures and programs.
function(suite_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  suite_warnings(${name})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "SUITE_SOURCE_DIR=${PROJECT_SOURCE_DIR};SUITE_BINARY_DIR=${PROJECT_BINARY_DIR}"
    TIMEOUT 600)
endfunction()

# suite_program(name SOURCES ... LIBS ...): a command-line program.
function(suite_program name)
  cmake_parse_arguments(P "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${P_SOURCES})
  suite_warnings(${name})
  target_link_libraries(${name} PRIVATE ${P_LIBS})
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
