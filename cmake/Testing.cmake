# Tests live beside the code they test (name_unittest.cpp). Labels:
#   unit         fast, self-contained
#   integration  talk to real servers on loopback
#   concurrency  also run under ThreadSanitizer
#   wine         the Windows build, run under Wine
option(QIRA_BUILD_TESTS "build the test programs" ON)

if(QIRA_BUILD_TESTS)
  enable_testing()
  if(WIN32)
    # GoogleTest from the sources Debian's googletest package installs.
    set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  else()
    find_package(GTest REQUIRED)
    include(GoogleTest)
  endif()
endif()

# qira_test(<name> LABELS <labels...> SOURCES <files...> LIBS <libs...>)
# On Linux every test case becomes its own CTest entry; under Wine one entry runs
# the whole program, since each start of a Windows process costs a Wine start-up.
function(qira_test name)
  if(NOT QIRA_BUILD_TESTS)
    return()
  endif()
  cmake_parse_arguments(T "" "" "LABELS;SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  if(WIN32)
    target_link_libraries(${name} PRIVATE ${T_LIBS} gmock gtest_main)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES LABELS "wine;${T_LABELS}" TIMEOUT 600)
  else()
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest_main)
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 TEST_LIST ${name}_TESTS)
    # Labels are set after discovery: gtest_discover_tests's PROPERTIES would
    # split a list of labels into separate property arguments.
    set(script ${CMAKE_CURRENT_BINARY_DIR}/${name}_labels.cmake)
    file(WRITE ${script}
      "foreach(t IN LISTS ${name}_TESTS)\n"
      "  set_tests_properties(\"\${t}\" PROPERTIES LABELS \"${T_LABELS}\")\n"
      "endforeach()\n")
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${script})
  endif()
endfunction()
