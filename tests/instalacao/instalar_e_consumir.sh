#!/usr/bin/env bash
# instalar_e_consumir.sh BUILD SOURCE: installs the build into a throw-away prefix, checks the
# places of what it installs, builds a tiny consumer against it with pkg-config and with the
# CMake package, runs both, runs the installed programs from there, and builds and runs the
# program of docs/library.md against the installed library.
set -euo pipefail
build=$1
fonte=$2
prefixo=$(mktemp -d)
trap 'rm -rf "$prefixo"' EXIT

cmake --install "$build" --prefix "$prefixo" >/dev/null
falhas=0
libdir=lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)
for arquivo in bin/monitor-sefaz bin/status-sefaz bin/consulta-nfe bin/sefaz-simulador \
  $libdir/libnivranfe.so $libdir/pkgconfig/nivranfe.pc $libdir/cmake/NivraNFe/NivraNFeConfig.cmake \
  include/nivranfe/dfe/nivra_nfe.h include/nivranfe/util/arquivos.h \
  share/nivra/NivraNFeServicos.ini share/nivra/schemas/consStatServ_v4.00.xsd \
  share/applications/monitor-sefaz.desktop share/icons/hicolor/scalable/apps/monitor-sefaz.svg \
  share/man/man1/monitor-sefaz.1.gz share/man/man1/status-sefaz.1.gz \
  share/man/man1/consulta-nfe.1.gz \
  share/man/man1/sefaz-simulador.1.gz bin/sefaz-simulador-pki; do
  [ -e "$prefixo/$arquivo" ] || { echo "FALHA: não instalado: $arquivo"; falhas=1; }
done
soname=$(objdump -p "$prefixo/$libdir/libnivranfe.so" | awk '/SONAME/ {print $2}')
[[ $soname =~ ^libnivranfe\.so\.[0-9]+$ ]] || { echo "FALHA: soname \"$soname\""; falhas=1; }
desktop-file-validate "$prefixo/share/applications/monitor-sefaz.desktop" ||
  { echo "FALHA: entrada de menu inválida"; falhas=1; }

# The consumer prints the IBGE code of SP, the services table and the schema folder it found: the
# installed ones.
esperado="35 $prefixo/share/nivra/NivraNFeServicos.ini $prefixo/share/nivra/schemas/"
export PKG_CONFIG_PATH=$prefixo/$libdir/pkgconfig
for variavel in datadir:share/nivra schemasdir:share/nivra/schemas; do
  valor=$(realpath -m "$(pkg-config --variable="${variavel%%:*}" nivranfe)")
  [ "$valor" = "$prefixo/${variavel#*:}" ] ||
    { echo "FALHA: pkg-config ${variavel%%:*} \"$valor\""; falhas=1; }
done
# shellcheck disable=SC2046
c++ -std=c++20 "$fonte/tests/instalacao/consumidor/main.cpp" -o "$prefixo/consumidor-pc" \
  $(pkg-config --cflags --libs nivranfe) -Wl,-rpath,"$(pkg-config --variable=libdir nivranfe)"
saida=$("$prefixo/consumidor-pc")
[ "$saida" = "$esperado" ] || { echo "FALHA: pkg-config: \"$saida\""; falhas=1; }

cmake -S "$fonte/tests/instalacao/consumidor" -B "$prefixo/consumidor-cmake" \
  -DCMAKE_PREFIX_PATH="$prefixo" >/dev/null
cmake --build "$prefixo/consumidor-cmake" >/dev/null
saida=$("$prefixo/consumidor-cmake/consumidor")
[ "$saida" = "$esperado" ] || { echo "FALHA: CMake: \"$saida\""; falhas=1; }

for programa in status-sefaz consulta-nfe; do
  "$prefixo/bin/$programa" --version | grep -q "^$programa " ||
    { echo "FALHA: $programa --version"; falhas=1; }
done
"$(dirname "$0")/monitor_instalado.sh" "$prefixo" "$build/pki-teste" || falhas=1
"$(dirname "$0")/cabecalhos_instalados.sh" "$prefixo" || falhas=1
"$(dirname "$0")/exemplos_docs.sh" "$prefixo" "$fonte" || falhas=1
exit $falhas
