// The scenario of sefaz-simulador: which status code each request gets, and its reason text.
#pragma once

#include <cstddef>
#include <mutex>
#include <string>
#include <vector>

namespace nivra {

// Hands out the codes of a list in turn, repeating the last one forever. Safe to call from
// several threads at once.
class TCenario {
 public:
  // codigos must not be empty.
  explicit TCenario(std::vector<int> codigos);
  TCenario(const TCenario&) = delete;
  TCenario& operator=(const TCenario&) = delete;

  // The code for the next request.
  [[nodiscard]] int Proximo();

 private:
  std::mutex FTrava;
  const std::vector<int> FCodigos;
  size_t FPosicao = 0;
};

// The authority's reason text (UTF-8) for a status code: "Serviço em Operação" for 107,
// "Serviço Paralisado Momentaneamente (curto prazo)" for 108, "Serviço Paralisado sem
// Previsão" for 109, a rejection naming the code for any other.
[[nodiscard]] std::string MotivoDoStatus(int cStat);

// True for the codes of a paralysed service (108, 109), whose answers carry dhRetorno and xObs.
[[nodiscard]] bool StatusDeParalisacao(int cStat);

}  // namespace nivra
