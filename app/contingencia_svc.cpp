// The UFs of each contingency authoriser.
#include "app/contingencia_svc.h"

#include <string>

namespace nivra {

namespace {

const char* const kUFsSVCRS = "AM|BA|CE|GO|MA|MS|MT|PA|PE|PR";

}  // namespace

bool AtendidaPeloSVCRS(std::string_view uf) {
  if (uf.empty()) return false;
  const std::string lista = std::string("|") + kUFsSVCRS + "|";
  return lista.find("|" + std::string(uf) + "|") != std::string::npos;
}

}  // namespace nivra
