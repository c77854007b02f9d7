# Helpers shared by every folder of the project.

# Warnings are errors in the project's own code.
function(j3_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror
    -Wno-missing-field-initializers
    # The suite's C entry points return its string class, as their callers expect.
    $<$<CXX_COMPILER_ID:Clang>:-Wno-return-type-c-linkage>)
endfunction()

# Adds every direct subfolder of the current folder that has a CMakeLists.txt,
# so that a new component needs no edit of its parent.
function(j3_add_subfolders)
  file(GLOB children LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR}
       ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT children)
  foreach(child IN LISTS children)
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()

# j3_library(NAME SOURCES ... [DEPS ...] [PUBLIC_HEADERS ...]): a shared
# library of the project, exported by the package. Its folder's parent is the
# include root, so headers are included as "component/Header.h". Only the
# PUBLIC_HEADERS are installed, each library's in an include folder of its
# own (include/j3/NAME/component/Header.h), so that a program linking one
# library sees only the face of that library and of those it depends on;
# every other header stays behind the library.
function(j3_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;PUBLIC_HEADERS" ${ARGN})
  add_library(${name} SHARED ${ARG_SOURCES})
  add_library(J3Dialoge::${name} ALIAS ${name})
  get_filename_component(component ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  target_include_directories(${name} PUBLIC $<BUILD_INTERFACE:${CMAKE_CURRENT_SOURCE_DIR}/..>)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  j3_warnings(${name})
  install(TARGETS ${name} EXPORT J3DialogeTargets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
  if(ARG_PUBLIC_HEADERS)
    target_include_directories(${name} PUBLIC $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}/j3/${name}>)
    install(FILES ${ARG_PUBLIC_HEADERS} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/j3/${name}/${component})
  endif()
endfunction()

# j3_plugin(NAME [TEST_DOUBLE] SOURCES ... [DEPS ...]): a library the module
# loads by name at run time; no program links it, so the package does not
# export it. A TEST_DOUBLE stands in for a plugin of the suite in the tests
# and is never installed: without it the module goes on without the calls.
function(j3_plugin name)
  cmake_parse_arguments(ARG "TEST_DOUBLE" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} SHARED ${ARG_SOURCES})
  # The tests and benchmarks drive a plugin's classes directly.
  target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/..)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  j3_warnings(${name})
  if(NOT ARG_TEST_DOUBLE)
    install(TARGETS ${name} LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
  endif()
endfunction()

# j3_tool_library(NAME SOURCES ... [DEPS ...]): the classes behind one of the
# project's programs, a static library so that the tests run them in-process;
# part of no package.
function(j3_tool_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/..)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  j3_warnings(${name})
endfunction()

# j3_program(NAME SOURCES ... [DEPS ...]): a program for people, installed
# into bin.
function(j3_program name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/..)
  target_link_libraries(${name} PRIVATE ${ARG_DEPS})
  j3_warnings(${name})
  install(TARGETS ${name} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endfunction()

# j3_test(NAME [BOTH_BACKENDS] SOURCES ... [DEPS ...]): a GoogleTest program
# run by CTest. Tests run on Qt's offscreen platform and each in its own
# temporary HOME-free environment; the test case list is read when ctest runs.
# BOTH_BACKENDS registers the program a second time, its tests prefixed "pg.",
# with J3_TEST_PG_URL_FILE naming the file that holds the URL of the throwaway
# PostgreSQL server, which the fixture tests pg_cluster_start and
# pg_cluster_stop (tests/CMakeLists.txt) start and stop around them: their
# practice databases (j3test::NewPracticeDatabase) then lie on that server.
# (The discovery splits every list into properties: each property gets one
# value.)
function(j3_test name)
  cmake_parse_arguments(ARG "BOTH_BACKENDS" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  j3_warnings(${name})
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
  if(ARG_BOTH_BACKENDS)
    gtest_discover_tests(${name}
      DISCOVERY_MODE PRE_TEST
      DISCOVERY_TIMEOUT 60
      TEST_PREFIX "pg."
      TEST_LIST ${name}_pg_tests
      PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
        ENVIRONMENT_MODIFICATION "J3_TEST_PG_URL_FILE=set:${J3_TEST_PG_URL_FILE}"
        FIXTURES_REQUIRED pg_cluster)
  endif()
endfunction()

# j3_benchmark(NAME SOURCES ... [DEPS ...]): a Google Benchmark program (never a test).
function(j3_benchmark name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} benchmark::benchmark benchmark::benchmark_main)
  j3_warnings(${name})
endfunction()
