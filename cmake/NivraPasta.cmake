# nivra_publicar_pasta(TARGET)
# Gives TARGET, as its only PUBLIC include directory, a folder of the build tree that holds one
# link named after TARGET's source folder (build/include/util/util -> <source>/util). Includes
# are written from the repository root ("util/texto.h"), so a target reaches only its own folder
# and those of the targets it links: an include that points up the dependency direction does
# not compile.
function(nivra_publicar_pasta alvo)
  file(RELATIVE_PATH pasta ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  set(raiz ${PROJECT_BINARY_DIR}/include/${pasta})
  file(MAKE_DIRECTORY ${raiz})
  file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${raiz}/${pasta} SYMBOLIC)
  target_include_directories(${alvo} PUBLIC $<BUILD_INTERFACE:${raiz}>)
endfunction()
