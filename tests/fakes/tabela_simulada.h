// A services table for tests and benchmarks: the embedded one with every status address moved
// to local authorisers, so each authoriser keeps an address of its own.
#pragma once

#include <map>
#include <sstream>
#include <string>

#include "nivranfe/resources/recursos.h"
#include "nivranfe/util/texto.h"

namespace nivra {

// The embedded table with the value of every "NfeStatusServico_*" key replaced by the base
// address given for its section in `bases` (the section name compared as written in the
// table), else `base`, followed by "/" and the section name ("https://127.0.0.1:PORT/NFe_PR_P").
inline std::string TabelaStatusSimulada(const std::string& base,
                                        const std::map<std::string, std::string>& bases = {}) {
  std::istringstream entrada{std::string(RecursoNivraNFeServicos())};
  std::string texto;
  std::string secao;
  for (std::string linha; std::getline(entrada, linha);) {
    const std::string aparada = Aparar(linha);
    if (aparada.starts_with("[") && aparada.ends_with("]")) {
      secao = aparada.substr(1, aparada.size() - 2);
    } else if (aparada.starts_with("NfeStatusServico_") && aparada.find('=') != std::string::npos) {
      const auto outra = bases.find(secao);
      linha = aparada.substr(0, aparada.find('=') + 1) +
              (outra == bases.end() ? base : outra->second) + "/" + secao;
    }
    texto += linha + "\n";
  }
  return texto;
}

}  // namespace nivra
