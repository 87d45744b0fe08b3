# nivra_add_test(NAME SOURCES src... LIBS lib... [SIMULADOR] [TIMEOUT seconds])
# Builds one GoogleTest executable and registers its cases with CTest. Tests sit on top of
# every library, so they include from the whole tree (tests/fakes/ among it). SIMULADOR builds
# sefaz-simulador first and names it to the tests (tests/fakes/simulador_teste.h). TIMEOUT
# bounds each case. No case reaches the session bus of whoever runs the tests (their desktop
# keyring among it): a test that needs a bus starts its own.
function(nivra_add_test name)
  cmake_parse_arguments(ARG "SIMULADOR" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR} ${NIVRA_ARVORE})
  # Every test may use the PKI that tests/CMakeLists.txt makes (tests/fakes/pki_teste.h).
  target_compile_definitions(${name} PRIVATE NIVRA_PKI_TESTE="${NIVRA_PKI_TESTE}/")
  add_dependencies(${name} pki_teste)
  if(ARG_SIMULADOR)
    target_compile_definitions(${name} PRIVATE NIVRA_SIMULADOR="$<TARGET_FILE:sefaz-simulador>")
    add_dependencies(${name} sefaz-simulador)
  endif()
  set(propriedades ENVIRONMENT "DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent/nivra-sem-sessao")
  if(ARG_TIMEOUT)
    list(APPEND propriedades TIMEOUT ${ARG_TIMEOUT})
  endif()
  gtest_discover_tests(${name} WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
                       DISCOVERY_TIMEOUT 60 PROPERTIES ${propriedades})
endfunction()
