# nivra_add_test(NAME SOURCES src... LIBS lib... [SIMULADOR])
# Builds one GoogleTest executable and registers its cases with CTest. SIMULADOR builds
# sefaz-simulador first and names it to the tests (tests/fakes/simulador_teste.h).
function(nivra_add_test name)
  cmake_parse_arguments(ARG "SIMULADOR" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  # Every test may use the PKI that tests/CMakeLists.txt makes (tests/fakes/pki_teste.h).
  target_compile_definitions(${name} PRIVATE NIVRA_PKI_TESTE="${NIVRA_PKI_TESTE}/")
  add_dependencies(${name} pki_teste)
  if(ARG_SIMULADOR)
    target_compile_definitions(${name} PRIVATE NIVRA_SIMULADOR="$<TARGET_FILE:sefaz-simulador>")
    add_dependencies(${name} sefaz-simulador)
  endif()
  gtest_discover_tests(${name} WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
                       DISCOVERY_TIMEOUT 60)
endfunction()
