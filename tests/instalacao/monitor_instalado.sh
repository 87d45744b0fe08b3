#!/usr/bin/env bash
# monitor_instalado.sh PREFIX PKI: the installed monitor-sefaz on the offscreen platform, in a
# throw-away home whose XDG settings name the A1 certificate of the test PKI, against the
# installed sefaz-simulador. Passes when its first query shows 107 (the installed schemas and
# settings were found) and it kept the user's files in the XDG folders, none beside the program.
set -euo pipefail
source "$(dirname "$0")/../../scripts/simulador.sh"
prefixo=$1
pki=$2
casa=$(mktemp -d)
simulador=
monitor=
encerrar() {
  for pid in $monitor $simulador; do kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; done
  rm -rf "$casa"
}
trap encerrar EXIT

mkdir -p "$casa/repositorio" "$casa/.config/monitor-sefaz"
cp "$pki/repositorio/empresa.pfx" "$casa/repositorio/"
serie=$(openssl x509 -in "$pki/empresa.pem" -noout -serial | cut -d= -f2)
printf '[config]\ncertificado=%s\nUF=PR\n' "$serie" >"$casa/.config/monitor-sefaz/conf.qvl"

iniciar_simulador "$prefixo/bin/sefaz-simulador" "$pki" "$casa/simulador" ||
  { echo "FALHA: o simulador não iniciou"; exit 1; }
printf '[NFe_PR_P]\nNfeStatusServico_4.00=%s/ws/NFeStatusServico4.asmx\n' "$url" >"$casa/servicos.ini"

HOME=$casa XDG_CONFIG_HOME= XDG_DATA_HOME= NIVRA_CERT_STORE=$casa/repositorio \
  QT_QPA_PLATFORM=offscreen "$prefixo/bin/monitor-sefaz" --servicos "$casa/servicos.ini" \
  2>"$casa/saida" &
monitor=$!
for _ in $(seq 100); do grep -q '^consulta:' "$casa/saida" && break; sleep 0.1; done
grep '^consulta:' "$casa/saida" || cat "$casa/saida"
grep -q '^consulta: 107 - Serviço em Operação' "$casa/saida" ||
  { echo "FALHA: a primeira consulta não respondeu 107"; exit 1; }
[ ! -e "$prefixo/bin/conf.qvl" ] && [ ! -e "$prefixo/bin/Docs" ] ||
  { echo "FALHA: arquivos do usuário ao lado do programa"; exit 1; }
echo "monitor instalado: ok"
