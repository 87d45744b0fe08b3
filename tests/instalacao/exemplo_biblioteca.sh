#!/usr/bin/env bash
# exemplo_biblioteca.sh PREFIX SOURCE PKI: the program of docs/library.md, taken from the page as
# it is, built against the installed library with pkg-config and run against the installed
# sefaz-simulador with the A1 certificate of the test PKI. Passes when it prints the invoice's
# authorisation and its situation, so the page cannot drift from the library.
set -euo pipefail
source "$(dirname "$0")/../../scripts/simulador.sh"
prefixo=$1
fonte=$2
pki=$3
pasta=$(mktemp -d)
encerrar() {
  parar_simulador
  rm -rf "$pasta"
}
trap encerrar EXIT

# The first C++ block of the page.
awk '/^```cpp$/ {dentro = 1; next} /^```$/ && dentro {exit} dentro' "$fonte/docs/library.md" \
  >"$pasta/exemplo.cpp"
grep -q 'int main' "$pasta/exemplo.cpp" || { echo "FALHA: a página não traz o programa"; exit 1; }
# shellcheck disable=SC2046
c++ -std=c++20 -Wall -Wextra -Werror "$pasta/exemplo.cpp" -o "$pasta/exemplo" \
  $(pkg-config --cflags --libs nivranfe) -Wl,-rpath,"$(pkg-config --variable=libdir nivranfe)" ||
  { echo "FALHA: o programa da página não compila"; exit 1; }

iniciar_simulador "$prefixo/bin/sefaz-simulador" "$pki" "$pasta/simulador.log" ||
  { echo "FALHA: o simulador não iniciou"; exit 1; }
printf '[NFe_PR_H]\nNfeAutorizacao_4.00=%s/pr/NFeAutorizacao4\nNfeRetAutorizacao_4.00=%s/pr/NFeRetAutorizacao4\nNfeConsultaProtocolo_4.00=%s/pr/NFeConsultaProtocolo4\n' \
  "$url" "$url" "$url" >"$pasta/servicos.ini"
chave=41260611222333000181550010000000011000000017
printf '<NFe xmlns="http://www.portalfiscal.inf.br/nfe"><infNFe Id="NFe%s" versao="4.00"><ide><cUF>41</cUF><nNF>1</nNF><tpAmb>2</tpAmb></ide><emit><CNPJ>11222333000181</CNPJ></emit></infNFe></NFe>' \
  "$chave" >"$pasta/nota.xml"

saida=$(NIVRA_SENHA=nivra "$pasta/exemplo" "$pki/empresa.pfx" "$pasta/nota.xml" \
  "$prefixo/share/nivra/schemas/" "$pasta/salvos/" "$pasta/servicos.ini" 2>&1) ||
  { echo "FALHA: o programa da página falhou: $saida"; exit 1; }
echo "$saida"
grep -q '^100 - .*, protocolo [0-9]\{15\}$' <<<"$saida" &&
  [ "$(sed -n 2p <<<"$saida" | cut -c1-3)" = 100 ] ||
  { echo "FALHA: saída inesperada do programa da página"; exit 1; }
[ -e "$pasta/salvos/$chave-nfe.xml" ] || find "$pasta/salvos" -name "$chave-nfe.xml" | grep -q . ||
  { echo "FALHA: o nfeProc não foi salvo"; exit 1; }
echo "exemplo da biblioteca: ok"
