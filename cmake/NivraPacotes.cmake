# Debian packages of the install components (`make deb`, through CPack):
#   libnivranfe0     the shared library                               (component biblioteca)
#   libnivranfe-dev  headers, nivranfe.pc, the CMake package         (dev)
#   nivranfe-dados   schemas and services table, architecture all     (dados)
#   monitor-sefaz    the monitor, its menu entry and icon             (monitor)
#   status-sefaz     the command-line query                           (status)
#   consulta-nfe     the command-line NF-e queries                    (consulta)
#   documento-nfe    offline NF-e documents: JSON, XML, validation     (documento)
#   sefaz-simulador  the local authoriser for tests                   (simulador)
# Dependencies on system libraries come from dpkg-shlibdeps; the ones between these packages
# are stated here with the exact version, and so is libsecret, which the component loads only
# when the keyring is first used (dpkg-shlibdeps does not see it).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME nivranfe)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "NivraNFe <nivranfe@example.com>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://example.com/nivranfe")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL biblioteca dev dados monitor status consulta documento simulador)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)

set(nivra_versao "${PROJECT_VERSION}")
set(nivra_chaveiro "libsecret-1-0")
set(CPACK_DEBIAN_BIBLIOTECA_PACKAGE_NAME libnivranfe${PROJECT_VERSION_MAJOR})
set(CPACK_DEBIAN_BIBLIOTECA_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_BIBLIOTECA_PACKAGE_DEPENDS "${nivra_chaveiro}")
set(CPACK_DEBIAN_BIBLIOTECA_PACKAGE_RECOMMENDS "nivranfe-dados (= ${nivra_versao})")
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
# The dynamic linker's cache is refreshed by dpkg's trigger, not by maintainer scripts.
set(CPACK_DEBIAN_BIBLIOTECA_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_LIST_DIR}/pacote/triggers)
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/pacote/sem_ldconfig.cmake)
set(CPACK_COMPONENT_BIBLIOTECA_DESCRIPTION
    "NF-e component library\nThe NivraNFe component: settings, the table of the tax authorities' web\nservices, certificates, HTTPS with a client certificate, XML signatures and\nthe NF-e web services, as a shared library.")

set(CPACK_DEBIAN_DEV_PACKAGE_NAME libnivranfe-dev)
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS
    "libnivranfe${PROJECT_VERSION_MAJOR} (= ${nivra_versao}), libssl-dev, libcurl4-openssl-dev | libcurl-dev")
set(CPACK_COMPONENT_DEV_DESCRIPTION
    "NF-e component library - development files\nHeaders of the NivraNFe component (included by folder, as dfe/nivra_nfe.h), the\npkg-config file nivranfe.pc and the CMake package NivraNFe (target\nNivraNFe::nivranfe). Programs are built as C++20.")

set(CPACK_DEBIAN_DADOS_PACKAGE_NAME nivranfe-dados)
set(CPACK_DEBIAN_DADOS_PACKAGE_ARCHITECTURE all)
set(CPACK_COMPONENT_DADOS_DESCRIPTION
    "NF-e component library - schemas and services table\nThe XML schemas of the NF-e requests and the table of the authorisers' web\nservices, read by the NivraNFe programs from /usr/share/nivra.")

set(CPACK_DEBIAN_MONITOR_PACKAGE_NAME monitor-sefaz)
set(CPACK_DEBIAN_MONITOR_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_MONITOR_PACKAGE_DEPENDS "nivranfe-dados (= ${nivra_versao}), ${nivra_chaveiro}")
set(CPACK_COMPONENT_MONITOR_DESCRIPTION
    "notification-area monitor of the NF-e authorisation service\nAsks the state tax authority every few minutes whether its NF-e authorisation\nservice is in operation, shows the answer in the notification area and raises a\nnotice when the service stops or comes back.")

set(CPACK_DEBIAN_STATUS_PACKAGE_NAME status-sefaz)
set(CPACK_DEBIAN_STATUS_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_STATUS_PACKAGE_DEPENDS "nivranfe-dados (= ${nivra_versao}), ${nivra_chaveiro}")
set(CPACK_COMPONENT_STATUS_DESCRIPTION
    "command-line query of the NF-e authorisation service\nAsks a state tax authority once whether its NF-e authorisation service is in\noperation, with exit codes monitoring systems understand.")

set(CPACK_DEBIAN_CONSULTA_PACKAGE_NAME consulta-nfe)
set(CPACK_DEBIAN_CONSULTA_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_CONSULTA_PACKAGE_DEPENDS "nivranfe-dados (= ${nivra_versao}), ${nivra_chaveiro}")
set(CPACK_COMPONENT_CONSULTA_DESCRIPTION
    "command-line NF-e queries\nAsks the tax authorities, from a shell or a script, for the situation of an\nNF-e by its access key, a taxpayer's registration, and the documents of\ninterest of a CNPJ or CPF in the national distribution, with exit codes\nscripts can test.")

set(CPACK_DEBIAN_DOCUMENTO_PACKAGE_NAME documento-nfe)
set(CPACK_DEBIAN_DOCUMENTO_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_DOCUMENTO_PACKAGE_DEPENDS "nivranfe-dados (= ${nivra_versao}), ${nivra_chaveiro}")
set(CPACK_COMPONENT_DOCUMENTO_DESCRIPTION
    "offline work on NF-e documents\nMakes the signed XML of an NF-e from its model in JSON, reads an NF-e or\nnfeProc back into JSON, and checks a document's layout, signature and schema,\nfrom a shell or a script, with exit codes scripts can test.")

set(CPACK_DEBIAN_SIMULADOR_PACKAGE_NAME sefaz-simulador)
set(CPACK_DEBIAN_SIMULADOR_PACKAGE_SECTION devel)
# sefaz-simulador-pki makes its certificates with the openssl command; the token part needs
# SoftHSM2 and OpenSC.
set(CPACK_DEBIAN_SIMULADOR_PACKAGE_DEPENDS "openssl")
set(CPACK_DEBIAN_SIMULADOR_PACKAGE_SUGGESTS "softhsm2, opensc")
set(CPACK_COMPONENT_SIMULADOR_DESCRIPTION
    "local NF-e authoriser for tests\nAn HTTPS server on the loopback address that answers the NF-e services as\na state authoriser does, demanding a client certificate, for tests and demos.\nsefaz-simulador-pki makes the throw-away certificates it needs.")

# Each package's copyright and changelog, as Debian asks of every package.
set(nivra_changelog ${PROJECT_BINARY_DIR}/pacote/changelog.gz)
add_custom_command(OUTPUT ${nivra_changelog}
  COMMAND ${GZIP} -9nc ${CMAKE_CURRENT_LIST_DIR}/pacote/changelog > ${nivra_changelog}
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/pacote/changelog VERBATIM)
add_custom_target(nivra_changelog ALL DEPENDS ${nivra_changelog})
foreach(componente IN LISTS CPACK_COMPONENTS_ALL)
  string(TOUPPER ${componente} maiusculo)
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/pacote/copyright ${nivra_changelog}
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${CPACK_DEBIAN_${maiusculo}_PACKAGE_NAME}
    COMPONENT ${componente})
endforeach()

include(CPack)
