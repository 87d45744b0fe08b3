#!/usr/bin/env bash
# The product at work on a machine without a real authoriser: builds it, makes a throw-away PKI
# with a certificate in a throw-away store, starts the local authoriser with a scenario that
# walks 107, 108, 109 and back to 107, and points the product at it for PR's NF-e service: the
# monitor when a display is present (until it is closed with "Fechar"), the command-line query
# otherwise (or with DEMO=terminal). Everything it makes lives in a temporary folder removed at
# the end.
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD=${BUILD:-build}
scripts/install-deps.sh
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$BUILD" -j "$(nproc)" --target status-sefaz sefaz-simulador monitor-sefaz

temp=$(mktemp -d)
source scripts/simulador.sh
trap 'parar_simulador; rm -rf "$temp"' EXIT

echo "== PKI de teste e repositório de certificados em $temp"
tools/gerar-pki.sh "$temp/pki" >/dev/null
serie=$(openssl x509 -in "$temp/pki/empresa.pem" -noout -serial | cut -d= -f2)

# The monitor asks again at once when the status changes between 108 and 109 or leaves 107:
# its scenario answers each paralysis twice, so that every click on "Consultar" stops at the
# next state (scripts/cenario-demo-monitor, checked by the window's tests).
monitor=""
cenario=107,108,109,107
if [ "${DEMO:-}" != terminal ] && [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  monitor=1
  cenario=$(cat scripts/cenario-demo-monitor)
fi
echo "== Autorizador local (cenário $cenario)"
iniciar_simulador "$BUILD/bin/sefaz-simulador" "$temp/pki" "$temp/simulador.log" \
  --cenario "$cenario"
echo "$url"

# The status service of PR's production authoriser, pointed at the local one.
printf '[NFe_PR_P]\nNfeStatusServico_4.00=%s/nfe/NFeStatusServico4\n' "$url" >"$temp/servicos.ini"

export NIVRA_CERT_STORE="$temp/pki/repositorio" NIVRA_SENHA=""
echo "== status-sefaz --listar-certificados"
"$BUILD/bin/status-sefaz" --listar-certificados

if [ -n "$monitor" ]; then
  mkdir -p "$temp/config"
  printf '[config]\ncertificado=%s\nUF=PR\n' "$serie" >"$temp/config/conf.qvl"
  echo "== monitor-sefaz: a primeira consulta responde 107. Cada clique em \"Consultar\" (o botão"
  echo "   descansa 20 s após cada consulta) mostra o estado seguinte com o seu balão: 108, depois"
  echo "   109, depois 107 de novo. Feche pelo menu do ícone (\"Fechar\")."
  "$BUILD/bin/monitor-sefaz" --servicos "$temp/servicos.ini" --dir-config "$temp/config"
  exit 0
fi

for consulta in 1 2 3 4; do
  echo "== status-sefaz --uf PR --certificado $serie (consulta $consulta)"
  codigo=0
  "$BUILD/bin/status-sefaz" --uf PR --certificado "$serie" --servicos "$temp/servicos.ini" \
    || codigo=$?
  echo "(código de saída $codigo)"
done
