# Debian's hardening flags for optimised builds, as its packages are built: what dpkg-buildflags
# gives with hardening=+all (stack protector, _FORTIFY_SOURCE, format checks, RELRO and immediate
# binding), plus the stack-clash and control-flow protection it adds on amd64 from dpkg 1.22.
# Debug, sanitizer and fuzz builds stay as they are: _FORTIFY_SOURCE needs optimisation.
option(NIVRA_ENDURECER "Build optimised code with Debian's hardening flags" ON)
set(NIVRA_COMPILACAO_ENDURECIDA)
set(NIVRA_LIGACAO_ENDURECIDA)

# Leaves the hardening flags out of the calling folder and the folders below it: for the tests
# and the benchmark, which are not shipped.
function(nivra_sem_endurecimento)
  get_directory_property(opcoes COMPILE_OPTIONS)
  get_directory_property(ligacao LINK_OPTIONS)
  if(NIVRA_COMPILACAO_ENDURECIDA)
    list(REMOVE_ITEM opcoes ${NIVRA_COMPILACAO_ENDURECIDA})
  endif()
  if(NIVRA_LIGACAO_ENDURECIDA)
    list(REMOVE_ITEM ligacao ${NIVRA_LIGACAO_ENDURECIDA})
  endif()
  set_directory_properties(PROPERTIES COMPILE_OPTIONS "${opcoes}" LINK_OPTIONS "${ligacao}")
endfunction()

if(NIVRA_ENDURECER AND NOT NIVRA_SANITIZE AND NOT NIVRA_FUZZ
   AND CMAKE_BUILD_TYPE MATCHES "^(Release|RelWithDebInfo|MinSizeRel)$")
  find_program(NIVRA_DPKG_BUILDFLAGS dpkg-buildflags REQUIRED)
  # Optimisation, debug information and path mapping stay the build type's.
  function(nivra_flags_debian variavel saida)
    execute_process(
      COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
              ${NIVRA_DPKG_BUILDFLAGS} --get ${variavel}
      OUTPUT_VARIABLE valor OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    separate_arguments(valor UNIX_COMMAND "${valor}")
    list(FILTER valor EXCLUDE REGEX "^(-g.*|-O.*|-ffile-prefix-map=.*|-fdebug-prefix-map=.*)$")
    set(${saida} ${valor} PARENT_SCOPE)
  endfunction()
  nivra_flags_debian(CPPFLAGS nivra_cppflags)
  nivra_flags_debian(CXXFLAGS nivra_cxxflags)
  nivra_flags_debian(LDFLAGS nivra_ldflags)
  list(APPEND nivra_cxxflags -fstack-clash-protection -fcf-protection)
  list(REMOVE_DUPLICATES nivra_cxxflags)
  set(NIVRA_COMPILACAO_ENDURECIDA ${nivra_cppflags} ${nivra_cxxflags})
  set(NIVRA_LIGACAO_ENDURECIDA ${nivra_ldflags})
  add_compile_options(${NIVRA_COMPILACAO_ENDURECIDA})
  add_link_options(${NIVRA_LIGACAO_ENDURECIDA})
  message(STATUS "Hardening: ${NIVRA_COMPILACAO_ENDURECIDA} ${NIVRA_LIGACAO_ENDURECIDA}")
endif()
