# Writes a C++ source holding the bytes of a text file as a char array.
# Usage: cmake -DENTRADA=<file> -DSAIDA=<file.cpp> -DSIMBOLO=<name> -P embutir.cmake
file(READ "${ENTRADA}" conteudo HEX)
string(LENGTH "${conteudo}" tamanho_hex)
math(EXPR tamanho "${tamanho_hex} / 2")
# Break the initializer into lines of 16 bytes (32 hex digits) so editors cope with it.
string(REGEX REPLACE "(................................)" "\\1\n    " conteudo "${conteudo}")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${conteudo}")
file(WRITE "${SAIDA}.tmp"
  "// Generated from ${ENTRADA}; do not edit.\n"
  "#include <cstddef>\n\n"
  "namespace nivra::recursos {\n\n"
  "extern const char ${SIMBOLO}[];\n"
  "extern const std::size_t ${SIMBOLO}Tamanho;\n\n"
  "const char ${SIMBOLO}[] = {\n    ${bytes}'\\0'};\n"
  "const std::size_t ${SIMBOLO}Tamanho = ${tamanho};\n\n"
  "}  // namespace nivra::recursos\n")
file(COPY_FILE "${SAIDA}.tmp" "${SAIDA}" ONLY_IF_DIFFERENT)
file(REMOVE "${SAIDA}.tmp")
