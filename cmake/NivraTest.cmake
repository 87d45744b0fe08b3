# nivra_add_test(NAME SOURCES src... LIBS lib...)
# Builds one GoogleTest executable and registers its cases with CTest.
function(nivra_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  # Every test may use the PKI that tests/CMakeLists.txt makes (tests/fakes/pki_teste.h).
  target_compile_definitions(${name} PRIVATE NIVRA_PKI_TESTE="${NIVRA_PKI_TESTE}/")
  add_dependencies(${name} pki_teste)
  gtest_discover_tests(${name} WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
                       DISCOVERY_TIMEOUT 60)
endfunction()
