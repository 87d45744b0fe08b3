#!/bin/sh
# Renders the printed documents shown in docs/impressao.md: the example invoice's DANFE (first
# and continuation sheet), its landscape DANFE, its DANFE on a security form in contingency with
# the example logo, and its DANFCE on 80 and 58 mm paper, as PNGs made with pdftoppm from the
# PDFs the library prints.
# Usage: scripts/imagens-impressao.sh [BUILD_DIR]   (default: build)
set -eu
raiz=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$raiz/build"}
cmake --build "$build" --target nivra-exemplos-impressao
pasta=$(mktemp -d)
trap 'rm -rf "$pasta"' EXIT
"$build/tools/nivra-exemplos-impressao" "$pasta" "$raiz/tools/exemplos_impressao/logo-exemplo.png" \
  >/dev/null
docs="$raiz/docs"
pdftoppm -r 90 -png -f 1 -l 1 -singlefile "$pasta/danfe.pdf" "$docs/danfe-folha1"
pdftoppm -r 90 -png -f 2 -l 2 -singlefile "$pasta/danfe.pdf" "$docs/danfe-folha2"
pdftoppm -r 70 -png -f 1 -l 1 -singlefile "$pasta/danfe-paisagem.pdf" "$docs/danfe-paisagem"
pdftoppm -r 90 -png -f 1 -l 1 -singlefile "$pasta/danfe-contingencia.pdf" \
  "$docs/danfe-contingencia"
pdftoppm -r 150 -png -singlefile "$pasta/danfce-80.pdf" "$docs/danfce-80mm"
pdftoppm -r 150 -png -singlefile "$pasta/danfce-58.pdf" "$docs/danfce-58mm"
echo "imagens gravadas em $docs: danfe-folha1.png danfe-folha2.png danfe-paisagem.png" \
  "danfe-contingencia.png danfce-80mm.png danfce-58mm.png"
