#!/usr/bin/env bash
# pacotes_deb.sh BUILD DESTINO: makes the Debian packages of the build with CPack into DESTINO,
# fails on any lintian error (and on the tags of a library registered by maintainer scripts or
# outside the multiarch folder), checks the hardening of every ELF file they carry, unpacks them
# into a throw-away root and runs the programs from there: status-sefaz, consulta-nfe and
# documento-nfe --version and the installed monitor against the installed simulator.
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
for marca in maintscript-calls-ldconfig pkg-config-unavailable-for-cross-compilation; do
  ! grep -q " $marca" "$destino/lintian.txt" || { echo "FALHA: lintian: $marca"; exit 1; }
done

# The library lives in the multiarch folder and reaches the linker's cache through the trigger.
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
biblioteca=("$destino"/libnivranfe0_*.deb)
conteudo=$(dpkg-deb -c "$biblioteca"; dpkg-deb -c "$destino"/libnivranfe-dev_*.deb)
grep -q " ./usr/lib/$multiarch/libnivranfe.so.0" <<<"$conteudo" ||
  { echo "FALHA: libnivranfe.so.0 fora de /usr/lib/$multiarch"; exit 1; }
grep -q " ./usr/lib/$multiarch/pkgconfig/nivranfe.pc$" <<<"$conteudo" ||
  { echo "FALHA: nivranfe.pc fora de /usr/lib/$multiarch/pkgconfig"; exit 1; }
controle=$(mktemp -d)
dpkg-deb -e "$biblioteca" "$controle"
grep -qx 'activate-noawait ldconfig' "$controle/triggers" &&
  [ ! -e "$controle/postinst" ] && [ ! -e "$controle/postrm" ] ||
  { rm -rf "$controle"; echo "FALHA: ldconfig fora do gatilho do dpkg"; exit 1; }
rm -rf "$controle"

for programa in monitor-sefaz status-sefaz consulta-nfe documento-nfe; do
  dpkg-deb -f "$destino/${programa}_"*.deb Depends | grep -q 'nivranfe-dados (=' ||
    { echo "FALHA: $programa não depende de nivranfe-dados"; exit 1; }
done

raiz=$(mktemp -d)
trap 'rm -rf "$raiz"' EXIT
for pacote in "${pacotes[@]}"; do dpkg-deb -x "$pacote" "$raiz"; done

# Every ELF file is built with Debian's hardening flags. Control-flow protection cannot show:
# Debian 12's C start files carry no CET note, so no program linked with them has one.
elfs=()
while IFS= read -r -d '' arquivo; do
  file -b "$arquivo" | grep -q '^ELF' && elfs+=("$arquivo")
done < <(find "$raiz" -type f -print0)
[ ${#elfs[@]} -ge 5 ] || { echo "FALHA: só ${#elfs[@]} arquivos ELF nos pacotes"; exit 1; }
hardening-check --nocfprotection "${elfs[@]}" >"$destino/hardening.txt" ||
  { cat "$destino/hardening.txt"; echo "FALHA: arquivos sem o endurecimento do Debian"; exit 1; }
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
