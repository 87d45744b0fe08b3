# What `cmake --install` places, by package component:
#   biblioteca  libnivranfe.so.MAJOR (in the multiarch folder lib/<triplet>)
#   dados       the schemas and the services table (share/nivra/)
#   dev         the headers (include/nivranfe/<folder>/*.h), libnivranfe.so, nivranfe.pc and
#               the CMake package NivraNFe (target NivraNFe::nivranfe)
#   monitor     monitor-sefaz, its desktop entry and icon
#   status      status-sefaz and its manual page
#   consulta    consulta-nfe and its manual page
#   documento   documento-nfe and its manual page
#   simulador   sefaz-simulador, sefaz-simulador-pki (the throw-away PKI it needs) and its
#               manual page
# The programs carry the component linked in statically; the shared library is for developers'
# own programs.
# (The folders themselves are chosen in NivraPastasInstalacao.cmake.)
include(CMakePackageConfigHelpers)
find_package(OpenSSL 3 REQUIRED)
find_package(CURL REQUIRED)

# --- The shared library: the objects of every component folder in one versioned file --------
set(nivra_objetos)
foreach(folder IN LISTS NIVRA_FOLDERS)
  list(APPEND nivra_objetos $<TARGET_OBJECTS:nivra_${folder}>)
endforeach()
add_library(nivranfe_compartilhada SHARED ${nivra_objetos})
# The static libraries bring the third-party libraries their objects need.
foreach(folder IN LISTS NIVRA_FOLDERS)
  target_link_libraries(nivranfe_compartilhada PRIVATE $<BUILD_INTERFACE:nivra_${folder}>)
endforeach()
# Installed headers name OpenSSL and libcurl types.
target_link_libraries(nivranfe_compartilhada PUBLIC OpenSSL::SSL OpenSSL::Crypto CURL::libcurl)
target_include_directories(nivranfe_compartilhada
  INTERFACE $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
target_compile_features(nivranfe_compartilhada INTERFACE cxx_std_20)
set_target_properties(nivranfe_compartilhada PROPERTIES
  OUTPUT_NAME nivranfe
  EXPORT_NAME nivranfe
  VERSION ${PROJECT_VERSION}
  SOVERSION ${PROJECT_VERSION_MAJOR}
  LIBRARY_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/lib)

install(TARGETS nivranfe_compartilhada EXPORT NivraNFeTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT biblioteca NAMELINK_COMPONENT dev)

# --- Headers, pkg-config and the CMake package ---------------------------------------------
foreach(folder IN LISTS NIVRA_FOLDERS)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/${folder}/
    DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/nivranfe/${folder} COMPONENT dev
    FILES_MATCHING PATTERN "*.h" PATTERN "schemas" EXCLUDE
    # Only the library's own sources include these: they need libxml2, xmlsec, Pango and
    # libsecret.
    PATTERN "xml_biblioteca.h" EXCLUDE PATTERN "xmlsec_chaves.h" EXCLUDE
    PATTERN "documento_pdf_impl.h" EXCLUDE PATTERN "biblioteca_secret.h" EXCLUDE)
endforeach()
# The document models are generated at build time beside the other headers of its folder.
install(FILES ${PROJECT_BINARY_DIR}/documento/gerado/nivranfe/documento/leiaute_nfe_gerado.h
  ${PROJECT_BINARY_DIR}/documento/gerado/nivranfe/documento/leiaute_evento_gerado.h
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/nivranfe/documento COMPONENT dev)

# Relative to the pkg-config folder, so the tree may be installed under any prefix.
file(RELATIVE_PATH NIVRA_PC_PARA_PREFIXO ${CMAKE_INSTALL_FULL_LIBDIR}/pkgconfig
     ${CMAKE_INSTALL_PREFIX})
string(REGEX REPLACE "/$" "" NIVRA_PC_PARA_PREFIXO "${NIVRA_PC_PARA_PREFIXO}")
configure_file(${CMAKE_CURRENT_LIST_DIR}/pacote/nivranfe.pc.in
               ${PROJECT_BINARY_DIR}/pacote/nivranfe.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/pacote/nivranfe.pc
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT dev)

set(nivra_pasta_cmake ${CMAKE_INSTALL_LIBDIR}/cmake/NivraNFe)
install(EXPORT NivraNFeTargets NAMESPACE NivraNFe:: DESTINATION ${nivra_pasta_cmake}
  COMPONENT dev)
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/pacote/NivraNFeConfig.cmake.in
  ${PROJECT_BINARY_DIR}/pacote/NivraNFeConfig.cmake INSTALL_DESTINATION ${nivra_pasta_cmake}
  PATH_VARS NIVRA_PASTA_DADOS)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/pacote/NivraNFeConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/pacote/NivraNFeConfig.cmake
              ${PROJECT_BINARY_DIR}/pacote/NivraNFeConfigVersion.cmake
  DESTINATION ${nivra_pasta_cmake} COMPONENT dev)

# --- Data the programs and the component find under share/nivra ----------------------------
install(FILES ${PROJECT_SOURCE_DIR}/resources/NivraNFeServicos.ini
  DESTINATION ${NIVRA_PASTA_DADOS} COMPONENT dados)

# --- Desktop integration and manual pages ----------------------------------------------------
install(FILES ${CMAKE_CURRENT_LIST_DIR}/pacote/monitor-sefaz.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT monitor)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/pacote/monitor-sefaz.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps COMPONENT monitor)

# Manual pages are installed compressed, as Debian packages carry them.
find_program(GZIP gzip REQUIRED)
foreach(pagina monitor-sefaz:monitor status-sefaz:status consulta-nfe:consulta
               documento-nfe:documento sefaz-simulador:simulador)
  string(REPLACE ":" ";" par ${pagina})
  list(GET par 0 nome)
  list(GET par 1 componente)
  set(comprimida ${PROJECT_BINARY_DIR}/man/${nome}.1.gz)
  add_custom_command(OUTPUT ${comprimida}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/man
    COMMAND ${GZIP} -9nc ${PROJECT_SOURCE_DIR}/docs/man/${nome}.1 > ${comprimida}
    DEPENDS ${PROJECT_SOURCE_DIR}/docs/man/${nome}.1 VERBATIM)
  list(APPEND nivra_paginas ${comprimida})
  install(FILES ${comprimida} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT ${componente})
endforeach()
add_custom_target(nivra_paginas_manual ALL DEPENDS ${nivra_paginas})
