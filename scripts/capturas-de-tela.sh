#!/usr/bin/env bash
# Screenshots of the monitor window, the certificate picker, the panel and the history window,
# at normal and double pixel density, drawn on a virtual X display (Xvfb). The window shows real
# answers of the local authoriser (107, then a brief paralysis) to a query with a certificate of
# a throw-away PKI; the panel asks every authoriser of the embedded table, each pointed at the
# local authoriser; the history window shows an example month of PR the tool records before
# the monitor's own answers. Writes PNG files to docs/.
# Usage: scripts/capturas-de-tela.sh [BUILD_FOLDER]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
programa="$build/tools/capturas-monitor"
cmake --build "$build" --target capturas-monitor sefaz-simulador >/dev/null

temp=$(mktemp -d)
source scripts/simulador.sh
trap 'parar_simulador; rm -rf "$temp"' EXIT

tools/gerar-pki.sh "$temp/pki" >/dev/null 2>&1
serie=$(openssl x509 -in "$temp/pki/empresa.pem" -noout -serial | cut -d= -f2)
mkdir -p "$temp/config" docs
printf '[config]\ncertificado=%s\nUF=PR\n' "$serie" >"$temp/config/conf.qvl"
export NIVRA_CERT_STORE="$temp/pki/repositorio"

for escala in 1 2; do
  # A fresh authoriser for each run: 107 to the first query, 108 to the later ones.
  iniciar_simulador "$build/bin/sefaz-simulador" "$temp/pki" "$temp/simulador.log" \
    --cenario 107,108
  printf '[NFe_PR_P]\nNfeStatusServico_4.00=%s/nfe/NFeStatusServico4\n' "$url" >"$temp/servicos.ini"
  QT_SCALE_FACTOR=$escala xvfb-run -a -s "-screen 0 1600x1200x24" "$programa" docs \
    --servicos "$temp/servicos.ini" --dir-config "$temp/config"
  parar_simulador

  # Every authoriser at its own address on the local one, which answers in the order asked.
  iniciar_simulador "$build/bin/sefaz-simulador" "$temp/pki" "$temp/simulador.log" \
    --cenario 107,107,107,108,107,107,107,107,107,107,109,107
  sed -E "s#=https://#=$url/#" resources/NivraNFeServicos.ini >"$temp/todas.ini"
  QT_SCALE_FACTOR=$escala xvfb-run -a -s "-screen 0 1600x1200x24" "$programa" docs --janelas \
    --servicos "$temp/todas.ini" --dir-config "$temp/config"
  parar_simulador
done
ls docs/*.png
