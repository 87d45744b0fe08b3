# nivra_publicar_pasta(TARGET)
# Gives TARGET, as its only PUBLIC include directory, a folder of the build tree that holds one
# link named after TARGET's source folder. The component's folders are reached as installed,
# under nivranfe/ (build/include/util/nivranfe/util -> <source>/util, included as
# "nivranfe/util/texto.h"); the programs' folders from the repository root ("app/x.h"). A target
# reaches only its own folder and those of the targets it links: an include that points up the
# dependency direction does not compile.
function(nivra_publicar_pasta alvo)
  file(RELATIVE_PATH pasta ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  set(raiz ${PROJECT_BINARY_DIR}/include/${pasta})
  set(link ${raiz}/${pasta})
  if(pasta IN_LIST NIVRA_FOLDERS)
    set(link ${raiz}/nivranfe/${pasta})
  endif()
  get_filename_component(pai ${link} DIRECTORY)
  file(MAKE_DIRECTORY ${pai})
  file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${link} SYMBOLIC)
  target_include_directories(${alvo} PUBLIC $<BUILD_INTERFACE:${raiz}>)
endfunction()


# Code that reaches the whole tree (tests, fuzz targets, the bench, the print examples) includes
# the component's folders as installed through this folder (nivranfe -> the source tree).
set(NIVRA_ARVORE ${PROJECT_BINARY_DIR}/include/arvore)
file(MAKE_DIRECTORY ${NIVRA_ARVORE})
file(CREATE_LINK ${PROJECT_SOURCE_DIR} ${NIVRA_ARVORE}/nivranfe SYMBOLIC)
