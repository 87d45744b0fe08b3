#!/usr/bin/env bash
# cabecalhos_instalados.sh PREFIX: every installed header compiles alone with exactly the flags
# of nivranfe.pc, and a program whose own global names (TDateTime, Agora, TkovTpEvento,
# NAME_SPACE) are also names of the component builds, links and runs beside it.
set -euo pipefail
prefixo=$1
pasta=$(mktemp -d)
trap 'rm -rf "$pasta"' EXIT
export PKG_CONFIG_PATH
PKG_CONFIG_PATH=$(dirname "$(find "$prefixo" -name nivranfe.pc)")
read -ra flags <<<"$(pkg-config --cflags nivranfe)"

falhas=0
while read -r cabecalho; do
  nome=${cabecalho#"$prefixo"/include/}
  echo "#include <$nome>" | c++ -std=c++20 -fsyntax-only -Wall -Wextra -Werror "${flags[@]}" \
    -x c++ - 2>"$pasta/erro" || { echo "FALHA: <$nome> não compila só: $(head -3 "$pasta/erro")"; falhas=1; }
done < <(find "$prefixo/include/nivranfe" -name '*.h' | sort)

cat >"$pasta/nomes.cpp" <<'FIM'
#include <iostream>
#include <string>

#include <nivranfe/dfe/nivra_nfe.h>

// The program's own names, the same as some of the component's.
struct TDateTime {
  double dias = 0;
};
int Agora() { return 42; }
enum TkovTpEvento { teProprio };
const std::string NAME_SPACE = "programa";

int main() {
  nivra::TNivraNFe nfe;
  nfe.Configuracoes().WebServices().SetUF("PR");
  TDateTime data{1.5};
  std::cout << nfe.Configuracoes().WebServices().UFCodigo() << " " << Agora() << " "
            << data.dias << " " << teProprio << " " << NAME_SPACE << "\n";
  return 0;
}
FIM
# shellcheck disable=SC2046
c++ -std=c++20 -Wall -Wextra -Werror "$pasta/nomes.cpp" -o "$pasta/nomes" \
  $(pkg-config --cflags --libs nivranfe) -Wl,-rpath,"$(pkg-config --variable=libdir nivranfe)" ||
  { echo "FALHA: um programa com nomes globais próprios não compila"; exit 1; }
saida=$("$pasta/nomes")
[ "$saida" = "41 42 1.5 0 programa" ] || { echo "FALHA: nomes próprios: \"$saida\""; falhas=1; }
exit $falhas
