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
# - Each program named under PROGRAMS is built before the test, and its
#   path is given as <PROGRAM>_PATH in upper case (MORRIN_PATH); a name that
#   is no target of the build stops the configuration.
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
    if(NOT TARGET ${program})
      message(FATAL_ERROR "test ${name} runs the program ${program}, which is no target of the build")
    endif()
    string(TOUPPER ${program} upper)
    target_compile_definitions(${name} PRIVATE ${upper}_PATH="$<TARGET_FILE:${program}>")
    add_dependencies(${name} ${program})
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

# The folders of the suite are read in dependency order, each after the
# folders whose libraries it links; suite_folder(dir) reads one and notes
# its place. suite_check_links(), called once the whole tree is read,
# stops the configuration when
# - a target links a name that is neither a target of the build nor one of
#   the system libraries below (a misspelt or missing library of the suite
#   would otherwise only fail when the build links), or
# - a library or program links a target of a folder read after its own.
# Tests (the targets of a tests/ folder) may link what any folder builds:
# the shared test kit stands above the folders whose tests use it.
set(SUITE_SYSTEM_LIBRARIES
  user32 gdi32 comctl32 comdlg32 shell32 ole32 winspool ws2_32)

macro(suite_folder dir)
  set_property(GLOBAL APPEND PROPERTY SUITE_FOLDERS ${dir})
  add_subdirectory(${dir} ${ARGN})
endmacro()

# The folder of the list that holds the directory dir (the longest entry
# that is dir or one of its parents), its place in the list, or -1.
function(suite_folder_of dir out_folder out_index)
  get_property(folders GLOBAL PROPERTY SUITE_FOLDERS)
  file(RELATIVE_PATH rel ${PROJECT_SOURCE_DIR} ${dir})
  set(best "")
  set(best_index -1)
  set(index 0)
  foreach(folder ${folders})
    string(LENGTH "${folder}" n)
    string(LENGTH "${best}" bn)
    if((rel STREQUAL folder OR rel MATCHES "^${folder}/") AND n GREATER bn)
      set(best ${folder})
      set(best_index ${index})
    endif()
    math(EXPR index "${index} + 1")
  endforeach()
  set(${out_folder} "${best}" PARENT_SCOPE)
  set(${out_index} ${best_index} PARENT_SCOPE)
endfunction()

# Every directory of the tree read so far, the root first.
function(suite_all_directories out)
  set(dirs ${PROJECT_SOURCE_DIR})
  set(pending ${PROJECT_SOURCE_DIR})
  while(pending)
    list(POP_FRONT pending dir)
    get_property(sub DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
    list(APPEND dirs ${sub})
    list(APPEND pending ${sub})
  endwhile()
  set(${out} ${dirs} PARENT_SCOPE)
endfunction()

function(suite_check_links)
  suite_all_directories(dirs)
  set(problems "")
  foreach(dir ${dirs})
    file(RELATIVE_PATH rel ${PROJECT_SOURCE_DIR} ${dir})
    if(rel MATCHES "^\\.\\.")
      continue() # GoogleTest's sources, outside the tree
    endif()
    set(is_test FALSE)
    if(rel MATCHES "(^|/)tests(/|$)")
      set(is_test TRUE)
    endif()
    suite_folder_of(${dir} folder index)
    get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target ${targets})
      get_target_property(type ${target} TYPE)
      set(items "")
      if(NOT type STREQUAL "INTERFACE_LIBRARY")
        get_target_property(direct ${target} LINK_LIBRARIES)
        if(direct)
          list(APPEND items ${direct})
        endif()
      endif()
      get_target_property(usage ${target} INTERFACE_LINK_LIBRARIES)
      if(usage)
        list(APPEND items ${usage})
      endif()
      list(REMOVE_DUPLICATES items)
      foreach(item ${items})
        # A static library's private links come back as $<LINK_ONLY:name>.
        string(REGEX REPLACE "^\\$<LINK_ONLY:([^$<>]+)>$" "\\1" item "${item}")
        # A name with "::" is always taken for a target, which CMake checks
        # itself (an imported one may be visible in its folder alone).
        if(item MATCHES "^(\\$<|-)" OR item MATCHES "::" OR IS_ABSOLUTE "${item}")
          continue()
        endif()
        if(NOT TARGET ${item})
          if(NOT item IN_LIST SUITE_SYSTEM_LIBRARIES)
            list(APPEND problems "${target} (${rel}) links ${item}, which is no target of the build")
          endif()
          continue()
        endif()
        get_target_property(imported ${item} IMPORTED)
        if(imported OR is_test OR index LESS 0)
          continue()
        endif()
        get_target_property(item_dir ${item} SOURCE_DIR)
        suite_folder_of(${item_dir} item_folder item_index)
        if(item_index GREATER index)
          list(APPEND problems
            "${target} (${rel}) links ${item} of ${item_folder}, which is read after ${folder}: list ${item_folder} before ${folder} in the root CMakeLists.txt")
        endif()
      endforeach()
    endforeach()
  endforeach()
  if(problems)
    list(JOIN problems "\n  " text)
    message(FATAL_ERROR "The folders' links are out of order or name missing targets:\n  ${text}")
  endif()
endfunction()
