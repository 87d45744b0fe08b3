#!/usr/bin/env bash
# exemplos_docs.sh PREFIX SOURCE: every C++ program of docs/, taken from the pages as they are,
# built against the library installed in PREFIX with pkg-config and run against the installed
# sefaz-simulador, with certificates made by the installed sefaz-simulador-pki. Each block is
# named by the "<!-- exemplo: NOME -->" line above it; a block without a name, or a name this
# script does not run, fails, so no page can drift from the library.
set -euo pipefail
source "$(dirname "$0")/../../scripts/simulador.sh"
prefixo=$1
fonte=$2
pasta=$(mktemp -d)
smtp=""
encerrar() {
  parar_simulador
  [ -z "$smtp" ] || { kill "$smtp" 2>/dev/null || true; wait "$smtp" 2>/dev/null || true; }
  rm -rf "$pasta"
}
trap encerrar EXIT
falhar() {
  echo "FALHA: $*"
  exit 1
}

# Every ```cpp block of the pages, into NOME.cpp.
for pagina in "$fonte"/docs/*.md; do
  awk -v destino="$pasta" -v pagina="$(basename "$pagina")" '
    /^<!-- exemplo: [a-z]+ -->$/ { nome = $3; next }
    /^```cpp$/ {
      if (nome == "") { print "bloco sem nome em " pagina ":" NR; exit 1 }
      arquivo = destino "/" nome ".cpp"; dentro = 1; next
    }
    /^```$/ && dentro { dentro = 0; nome = ""; close(arquivo); next }
    dentro { print > arquivo }
    { nome = "" }
  ' "$pagina" || falhar "docs/$(basename "$pagina") tem um bloco C++ sem nome"
done
esperados="carta danfe email eventos lote nota status"
encontrados=$(cd "$pasta" && ls -- *.cpp | sed 's/\.cpp$//' | sort | tr '\n' ' ' | sed 's/ $//')
[ "$encontrados" = "$esperados" ] ||
  falhar "exemplos das páginas \"$encontrados\", esperados \"$esperados\""

libdir=$(pkg-config --variable=libdir nivranfe)
for nome in $esperados; do
  # shellcheck disable=SC2046
  c++ -std=c++20 -Wall -Wextra -Werror "$pasta/$nome.cpp" -o "$pasta/$nome" \
    $(pkg-config --cflags --libs nivranfe) -Wl,-rpath,"$libdir" ||
    falhar "o exemplo $nome não compila"
done

# The certificates, by the script shipped with the simulator.
"$prefixo/bin/sefaz-simulador-pki" "$pasta/pki" >/dev/null 2>&1 ||
  falhar "sefaz-simulador-pki não fez a PKI"
pki=$pasta/pki
iniciar_simulador "$prefixo/bin/sefaz-simulador" "$pki" "$pasta/simulador.log" ||
  falhar "o simulador não iniciou"
servicos=$pasta/servicos.ini
{
  echo "[NFe_PR_H]"
  for servico in NfeStatusServico NfeAutorizacao NfeRetAutorizacao NfeConsultaProtocolo \
    NfeInutilizacao RecepcaoEvento; do
    echo "${servico}_4.00=$url/ws/$servico"
  done
} >"$servicos"

# Each program runs in a folder of its own: the requests and answers go to Docs/ beside it.
executar() {
  local nome=$1
  shift
  mkdir -p "$pasta/$nome.dir"
  cp "$pasta/$nome" "$pasta/$nome.dir/"
  saida=$(cd "$pasta/$nome.dir" && NIVRA_SENHA=nivra "./$nome" "$@" 2>&1) ||
    falhar "o exemplo $nome falhou: $saida"
  echo "$nome: $saida"
}

# The shortest status program: certificate, password, UF, environment and services file.
executar status "$pki/empresa.pfx" "$servicos"
[ "$saida" = "107 - Serviço em Operação" ] || falhar "status: saída inesperada"
ls "$pasta/status.dir/Docs/"*-ped-sta.xml "$pasta/status.dir/Docs/"*-sta.xml >/dev/null ||
  falhar "status: o pedido e a resposta não foram salvos em Docs/"

chave=41260611222333000181550010000000011000000017
printf '<NFe xmlns="http://www.portalfiscal.inf.br/nfe"><infNFe Id="NFe%s" versao="4.00"><ide><cUF>41</cUF><nNF>1</nNF><tpAmb>2</tpAmb></ide><emit><CNPJ>11222333000181</CNPJ></emit></infNFe></NFe>' \
  "$chave" >"$pasta/nota.xml"
# The correction letter the event model writes for that key.
executar carta "$chave"
grep -q "Id=\"ID110110${chave}01\"" <<<"$saida" && grep -q '<xCorrecao>Onde se le volume 2' <<<"$saida" ||
  falhar "carta: saída inesperada"
executar lote "$pki/empresa.pfx" "$pasta/nota.xml" "$servicos"
grep -q '^100 - .*, protocolo [0-9]\{15\}$' <<<"$saida" &&
  [ "$(sed -n 2p <<<"$saida" | cut -c1-3)" = 100 ] || falhar "lote: saída inesperada"
nfeproc=$(find "$pasta/lote.dir/Docs" -name "$chave-nfe.xml" | head -1)
[ -n "$nfeproc" ] || falhar "lote: o nfeProc não foi salvo"

executar nota "$pki/empresa-alfanumerica.pfx" "$servicos"
grep -q '^100 - ' <<<"$saida" || falhar "nota: saída inesperada"
# The whole invoice the model wrote, authorised: what the printing and mail examples take.
nfeproc=$(find "$pasta/nota.dir/Docs" -name '*-nfe.xml' | head -1)
[ -n "$nfeproc" ] || falhar "nota: o nfeProc não foi salvo"

# A program's output is a file name: the PDF it wrote.
pdf_escrito() {
  local arquivo=${saida%% *}
  [[ $arquivo = /* ]] || arquivo=$pasta/pdf/$arquivo
  [ "$(head -c 5 "$arquivo" 2>/dev/null)" = "%PDF-" ]
}
mkdir -p "$pasta/pdf"
executar danfe "$nfeproc" "$pasta/pdf/"
pdf_escrito || falhar "danfe: nenhum PDF"

printf '<inutNFe xmlns="http://www.portalfiscal.inf.br/nfe" versao="4.00"><infInut Id="ID41261122233300018155001000000001000000002"><tpAmb>2</tpAmb><xServ>INUTILIZAR</xServ><cUF>41</cUF><ano>26</ano><CNPJ>11222333000181</CNPJ><mod>55</mod><serie>1</serie><nNFIni>1</nNFIni><nNFFin>2</nNFFin><xJust>Numeracao pulada por erro</xJust></infInut></inutNFe>' \
  >"$pasta/inutilizacao.xml"
executar eventos "$pasta/inutilizacao.xml" "$pasta/pdf/"
pdf_escrito || falhar "eventos: nenhum PDF"

# The mail example against a real SMTP server on loopback (STARTTLS and login).
mkdir -p "$pasta/correio"
"$fonte/tests/dfe/servidor_smtp.py" --pasta "$pasta/correio" --cert "$pki/servidor.pem" \
  --chave "$pki/servidor.key" --modo starttls --usuario nfe@loja.com.br --senha segredo \
  >"$pasta/smtp.log" 2>&1 &
smtp=$!
porta=$(endereco_ouvido "$pasta/smtp.log") ||
  falhar "o servidor de e-mail não iniciou: $(cat "$pasta/smtp.log")"
printf '[Email]\nHost=127.0.0.1\nPorta=%s\nUsuario=nfe@loja.com.br\nDe=nfe@loja.com.br\nTLS=1\nSSL=0\nVerificarCertificado=1\nArquivoCA=%s\n' \
  "$porta" "$pki/ca.pem" >"$pasta/email.ini"
NIVRA_SENHA_EMAIL=segredo executar email "$pasta/email.ini" "cliente@exemplo.com.br" "$nfeproc"
ls "$pasta/correio/"*.eml >/dev/null 2>&1 || falhar "email: nenhuma mensagem chegou"
grep -q "$(basename "$nfeproc")" "$pasta/correio/"*.eml || falhar "email: o XML não foi anexado"
echo "exemplos das páginas: ok"
