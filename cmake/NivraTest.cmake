# nivra_add_test(NAME SOURCES src... LIBS lib...)
# Builds one GoogleTest executable and registers its cases with CTest. Tests sit on top of every
# library, so they include from the whole tree (tests/fakes/ among it).
function(nivra_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  gtest_discover_tests(${name} WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
                       DISCOVERY_TIMEOUT 60)
endfunction()
