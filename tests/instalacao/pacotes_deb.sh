#!/usr/bin/env bash
# pacotes_deb.sh BUILD DESTINO: makes the Debian packages of the build with CPack into DESTINO,
# fails on any lintian error, unpacks them into a throw-away root and runs the programs from
# there: status-sefaz, consulta-nfe and documento-nfe --version and the installed monitor against the
# installed simulator.
set -euo pipefail
build=$(realpath "$1")
destino=$(realpath -m "$2")
aqui=$(dirname "$(realpath "$0")")

rm -rf "$destino"
mkdir -p "$destino"
(cd "$build" && cpack -G DEB -B "$destino" >/dev/null)
rm -rf "$destino/_CPack_Packages"
pacotes=("$destino"/*.deb)
for nome in libnivranfe0 libnivranfe-dev nivranfe-dados monitor-sefaz status-sefaz consulta-nfe documento-nfe \
  sefaz-simulador; do
  compgen -G "$destino/${nome}_*.deb" >/dev/null || { echo "FALHA: falta o pacote $nome"; exit 1; }
done

# lintian warns about what a hand-made package may keep; errors fail.
lintian --tag-display-limit 0 "${pacotes[@]}" 2>/dev/null | tee "$destino/lintian.txt"
! grep -q '^E:' "$destino/lintian.txt" || { echo "FALHA: lintian relata erros"; exit 1; }

for programa in monitor-sefaz status-sefaz consulta-nfe documento-nfe; do
  dpkg-deb -f "$destino/${programa}_"*.deb Depends | grep -q 'nivranfe-dados (=' ||
    { echo "FALHA: $programa não depende de nivranfe-dados"; exit 1; }
done

raiz=$(mktemp -d)
trap 'rm -rf "$raiz"' EXIT
for pacote in "${pacotes[@]}"; do dpkg-deb -x "$pacote" "$raiz"; done
for programa in monitor-sefaz status-sefaz consulta-nfe documento-nfe sefaz-simulador; do
  [ -e "$raiz/usr/share/man/man1/$programa.1.gz" ] ||
    { echo "FALHA: $programa sem página de manual"; exit 1; }
done
for programa in status-sefaz consulta-nfe documento-nfe; do
  "$raiz/usr/bin/$programa" --version | grep -q "^$programa " ||
    { echo "FALHA: $programa --version"; exit 1; }
done
desktop-file-validate "$raiz/usr/share/applications/monitor-sefaz.desktop"
grep -q '^Exec=monitor-sefaz$' "$raiz/usr/share/applications/monitor-sefaz.desktop"
[ -x "$raiz/usr/bin/monitor-sefaz" ] && [ -e "$raiz/usr/share/icons/hicolor/scalable/apps/monitor-sefaz.svg" ]
"$aqui/monitor_instalado.sh" "$raiz/usr" "$build/pki-teste"
echo "pacotes em $destino: ok"
