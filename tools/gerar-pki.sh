#!/usr/bin/env bash
# Makes a throw-away PKI for tests, benchmarks and the demo, in the folder given (created when
# missing; its old contents are replaced):
#
#   ca.pem ca.key                 the authority that signs the server and the client certificates
#                                 (issuer CN "AC NIVRA TESTE RFB v5")
#   outra-ca.pem                  a second authority, trusted by nobody
#   servidor.pem servidor.key     the local authoriser (localhost, 127.0.0.1), signed by ca.pem
#   servidor-outra-ca.pem/.key    the same server, signed by outra-ca.pem
#   servidor-outro-nome.pem/.key  a server of another name (sefaz.exemplo.gov.br), signed by ca.pem
#   servidor-vencido.pem/.key     the local authoriser with a certificate valid 2015-2016 only
#   empresa.pfx                   A1 of "EMPRESA MODELO LTDA:11222333000181", valid 2020-2049
#   empresa-legado.pfx            the same key and certificate with legacy encryption (RC2, 3DES)
#   empresa-sem-mac.pfx           the same without the integrity check (openssl pkcs12 -nomac)
#   empresa-senha-longa.pfx       the same again, with the password "Qx7-senha-Inconfundivel-42"
#   empresa-cn-invalido.pfx       CN with a wrong check digit; the CNPJ is only in the alternative name
#   pessoa.pfx                    a person's certificate: "FULANO DE TAL:12345678909", CPF data only
#   pessoa-texto.pfx              the same data for "CICLANO DE TAL", held as a PrintableString
#   empresa-alfanumerica.pfx      A1 of "EMPRESA ALFANUMERICA LTDA:12ABC34501DE35", a CNPJ with letters
#   sem-cnpj.pfx                  a certificate without CNPJ or CPF anywhere
#   vencida.pfx                   "EMPRESA VENCIDA LTDA:98765432000198", valid 2015-2016 only
#   cliente-outra-ca.pfx          "EMPRESA ESTRANHA LTDA:45678912000155", signed by outra-ca.pem
#   repositorio/                  a certificate store folder holding empresa and vencida (no password)
#   softhsm2.conf tokens/         a SoftHSM2 token "NIVRA-A3" (PIN 1234, SO PIN 5678) holding the
#                                 key and certificate of "EMPRESA TOKEN LTDA:12345678000195"
#
# Every .pfx but empresa-senha-longa.pfx opens with the password "nivra"; every .pem name has its .key beside it. Validity
# dates are fixed, so tests can state them. The token part is skipped with a warning when
# softhsm2-util or pkcs11-tool is missing.
#
# Usage: tools/gerar-pki.sh DIR (installed with the simulator as sefaz-simulador-pki DIR)
set -euo pipefail

[ $# -eq 1 ] || { echo "uso: $0 PASTA" >&2; exit 2; }
dir=$1
rm -rf "$dir"
mkdir -p "$dir/repositorio" "$dir/.db"
chmod 700 "$dir/repositorio"
dir=$(cd "$dir" && pwd)
cd "$dir"

senha=nivra
: >.db/index.txt
echo 1000 >.db/serial

# openssl ca lets us fix both validity dates; the extension sections below name the certificate
# shapes.
cat >.db/ca.cnf <<EOF
[ca]
default_ca = ca_padrao
[ca_padrao]
database = $dir/.db/index.txt
serial = $dir/.db/serial
new_certs_dir = $dir/.db
default_md = sha256
policy = qualquer
unique_subject = no
preserve = yes
copy_extensions = none
[qualquer]
commonName = supplied
countryName = optional
organizationName = optional
organizationalUnitName = optional
[req]
distinguished_name = dn
[dn]
[autoridade]
basicConstraints = critical, CA:true
keyUsage = critical, keyCertSign, cRLSign
subjectKeyIdentifier = hash
[servidor]
basicConstraints = CA:false
keyUsage = critical, digitalSignature, keyEncipherment
extendedKeyUsage = serverAuth
subjectAltName = DNS:localhost, IP:127.0.0.1
[servidor_outro_nome]
basicConstraints = CA:false
keyUsage = critical, digitalSignature, keyEncipherment
extendedKeyUsage = serverAuth
subjectAltName = DNS:sefaz.exemplo.gov.br
[cliente_empresa]
basicConstraints = CA:false
keyUsage = critical, digitalSignature, nonRepudiation, keyEncipherment
extendedKeyUsage = clientAuth, emailProtection
subjectAltName = @san_empresa
[cliente_pessoa]
basicConstraints = CA:false
keyUsage = critical, digitalSignature, nonRepudiation, keyEncipherment
extendedKeyUsage = clientAuth
subjectAltName = @san_pessoa
[cliente_pessoa_texto]
basicConstraints = CA:false
keyUsage = critical, digitalSignature, nonRepudiation, keyEncipherment
extendedKeyUsage = clientAuth
subjectAltName = @san_pessoa_texto
[cliente_simples]
basicConstraints = CA:false
keyUsage = critical, digitalSignature, keyEncipherment
extendedKeyUsage = clientAuth
EOF

# The ICP-Brasil data of a company (responsible person's data, CNPJ, name, INSS number) and of a
# person (birth date, CPF, NIS, RG, issuer), as OCTET STRING other-names; the person's data also
# as a PrintableString, as some authorities write it.
san_empresa() {  # CNPJ
  cat <<EOF
[san_empresa]
otherName.0 = 2.16.76.1.3.4;OCTETSTRING:0101198012345678909000000000000000000000000000SSPPR
otherName.1 = 2.16.76.1.3.2;OCTETSTRING:FULANO DE TAL
otherName.2 = 2.16.76.1.3.3;OCTETSTRING:$1
otherName.3 = 2.16.76.1.3.7;OCTETSTRING:000000000000
email.0 = contato@empresa.example
EOF
}
san_pessoa() {
  cat <<EOF
[san_pessoa]
otherName.0 = 2.16.76.1.3.1;OCTETSTRING:0101198012345678909000000000000000000000000000SSPPR
email.0 = fulano@pessoa.example
[san_pessoa_texto]
otherName.0 = 2.16.76.1.3.1;PRINTABLESTRING:0101198012345678909000000000000000000000000000SSPPR
EOF
}

# chave NOME: a new 2048-bit RSA key in NOME.key.
chave() { openssl genpkey -algorithm RSA -pkeyopt rsa_keygen_bits:2048 -out "$1.key" 2>/dev/null; }

# emitir NOME SUBJECT EXTENSAO INICIO FIM [AUTORIDADE]: signs NOME.pem with the authority
# (default ca) for the fixed dates, with the extension section named.
emitir() {
  local nome=$1 subj=$2 ext=$3 inicio=$4 fim=$5 ac=${6:-ca}
  chave "$nome"
  openssl req -new -key "$nome.key" -subj "$subj" -utf8 -config .db/ca.cnf -out ".db/$nome.csr"
  { cat .db/ca.cnf; san_empresa "${CNPJ_SAN:-}"; san_pessoa; } >".db/$nome.cnf"
  openssl ca -batch -notext -utf8 -config ".db/$nome.cnf" -cert "$ac.pem" -keyfile "$ac.key" \
    -extensions "$ext" -startdate "$inicio" -enddate "$fim" -in ".db/$nome.csr" -out "$nome.pem" \
    2>/dev/null
}

# pfx NOME [ARQUIVO [SENHA [OPCOES...]]]: NOME.pem and NOME.key as PKCS#12.
pfx() {
  local nome=$1 arq=${2:-$1.pfx} pw=${3-$senha}
  shift $(( $# < 3 ? $# : 3 ))
  openssl pkcs12 -export -inkey "$nome.key" -in "$nome.pem" -certfile ca.pem -name "$nome" \
    -passout "pass:$pw" -out "$arq" "$@"
}

autoridade() {  # NOME CN
  chave "$1"
  openssl req -new -x509 -key "$1.key" -subj "/C=BR/O=ICP-Brasil/CN=$2" -config .db/ca.cnf \
    -extensions autoridade -days 36500 -set_serial "0x$(openssl rand -hex 8)" -out "$1.pem"
}

autoridade ca "AC NIVRA TESTE RFB v5"
autoridade outra-ca "AC ESTRANHA DE TESTE"

inicio=20200101000000Z
fim=20491231235959Z
emitir servidor "/C=BR/O=Nivra Teste/CN=localhost" servidor $inicio $fim
emitir servidor-outra-ca "/C=BR/O=Nivra Teste/CN=localhost" servidor $inicio $fim outra-ca
emitir servidor-outro-nome "/C=BR/O=Nivra Teste/CN=sefaz.exemplo.gov.br" servidor_outro_nome \
  $inicio $fim
emitir servidor-vencido "/C=BR/O=Nivra Teste/CN=localhost" servidor 20150101000000Z \
  20161231235959Z

sujeito_empresa="/C=BR/O=ICP-Brasil/OU=Secretaria da Receita Federal do Brasil - RFB/OU=RFB e-CNPJ A1"
CNPJ_SAN=11222333000181 emitir empresa "$sujeito_empresa/CN=EMPRESA MODELO LTDA:11222333000181" \
  cliente_empresa $inicio $fim
CNPJ_SAN=11222333000181 emitir empresa-cn-invalido \
  "$sujeito_empresa/CN=EMPRESA DIGITO ERRADO LTDA:11222333000182" cliente_empresa $inicio $fim
emitir pessoa "/C=BR/O=ICP-Brasil/OU=RFB e-CPF A1/CN=FULANO DE TAL:12345678909" cliente_pessoa \
  $inicio $fim
emitir pessoa-texto "/C=BR/O=ICP-Brasil/OU=RFB e-CPF A1/CN=CICLANO DE TAL:12345678909" \
  cliente_pessoa_texto $inicio $fim
CNPJ_SAN=12ABC34501DE35 emitir empresa-alfanumerica \
  "$sujeito_empresa/CN=EMPRESA ALFANUMERICA LTDA:12ABC34501DE35" cliente_empresa $inicio $fim
emitir sem-cnpj "/C=BR/O=Nivra Teste/CN=Servidor de Integracao" cliente_simples $inicio $fim
CNPJ_SAN=98765432000198 emitir vencida "$sujeito_empresa/CN=EMPRESA VENCIDA LTDA:98765432000198" \
  cliente_empresa 20150101000000Z 20160101000000Z
emitir cliente-outra-ca "/C=BR/O=ICP-Brasil/CN=EMPRESA ESTRANHA LTDA:45678912000155" \
  cliente_simples $inicio $fim outra-ca
CNPJ_SAN=12345678000195 emitir token "$sujeito_empresa/CN=EMPRESA TOKEN LTDA:12345678000195" \
  cliente_empresa $inicio $fim

for nome in empresa empresa-cn-invalido pessoa pessoa-texto empresa-alfanumerica sem-cnpj vencida; do
  pfx "$nome"
done
openssl pkcs12 -export -inkey cliente-outra-ca.key -in cliente-outra-ca.pem -certfile outra-ca.pem \
  -name cliente-outra-ca -passout "pass:$senha" -out cliente-outra-ca.pfx
pfx empresa empresa-legado.pfx "$senha" -legacy
pfx empresa empresa-sem-mac.pfx "$senha" -nomac
pfx empresa empresa-senha-longa.pfx "Qx7-senha-Inconfundivel-42"

# Store entries open without a password, as a user's store keeps them.
for nome in empresa vencida; do
  pfx "$nome" "repositorio/$nome.pfx" ""
  chmod 600 "repositorio/$nome.pfx"
done

if command -v softhsm2-util >/dev/null && command -v pkcs11-tool >/dev/null; then
  modulo=${NIVRA_PKCS11_MODULE:-/usr/lib/softhsm/libsofthsm2.so}
  mkdir -p tokens
  printf 'directories.tokendir = %s/tokens\nobjectstore.backend = file\nlog.level = ERROR\n' \
    "$dir" >softhsm2.conf
  export SOFTHSM2_CONF=$dir/softhsm2.conf
  softhsm2-util --init-token --free --label NIVRA-A3 --pin 1234 --so-pin 5678 >/dev/null
  openssl pkcs8 -topk8 -nocrypt -in token.key -outform DER -out .db/token.key.der
  openssl x509 -in token.pem -outform DER -out .db/token.der
  p11() { pkcs11-tool --module "$modulo" --token-label NIVRA-A3 --login --pin 1234 "$@" >/dev/null; }
  p11 --write-object .db/token.key.der --type privkey --id 01 --label token
  p11 --write-object .db/token.der --type cert --id 01 --label token
else
  echo "aviso: softhsm2-util ou pkcs11-tool ausente; token A3 não criado" >&2
fi

rm -rf .db
echo "PKI de teste em $dir"
