# Where `cmake --install` puts each kind of file, decided before the folders are configured so
# the component can find its installed data relative to its own file.
# The library goes into Debian's multiarch folder (lib/x86_64-linux-gnu), with its pkgconfig/
# and cmake/ folders, whatever the prefix; another folder given on the command line is kept.
if(CMAKE_LIBRARY_ARCHITECTURE AND (NOT CMAKE_INSTALL_LIBDIR OR CMAKE_INSTALL_LIBDIR STREQUAL "lib"))
  set(CMAKE_INSTALL_LIBDIR lib/${CMAKE_LIBRARY_ARCHITECTURE}
      CACHE PATH "Object code libraries (LIBDIR)" FORCE)
endif()
include(GNUInstallDirs)

# The data folder (schemas, services table) and the way there from the programs' folder and
# from the shared library's folder.
set(NIVRA_PASTA_DADOS ${CMAKE_INSTALL_DATADIR}/nivra)
file(RELATIVE_PATH NIVRA_DADOS_DE_BINDIR ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_FULL_DATADIR}/nivra)
file(RELATIVE_PATH NIVRA_DADOS_DE_LIBDIR ${CMAKE_INSTALL_FULL_LIBDIR}
     ${CMAKE_INSTALL_FULL_DATADIR}/nivra)
