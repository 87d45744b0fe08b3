// The scenario of sefaz-simulador.
#include "tools/simulador/cenario.h"

#include <utility>

namespace nivra {

TCenario::TCenario(std::vector<int> codigos) : FCodigos(std::move(codigos)) {}

int TCenario::Proximo() {
  const std::lock_guard<std::mutex> trava(FTrava);
  const int codigo = FCodigos[FPosicao];
  if (FPosicao + 1 < FCodigos.size()) {
    ++FPosicao;
  }
  return codigo;
}

std::string MotivoDoStatus(int cStat) {
  switch (cStat) {
    case 107:
      return "Serviço em Operação";
    case 108:
      return "Serviço Paralisado Momentaneamente (curto prazo)";
    case 109:
      return "Serviço Paralisado sem Previsão";
    default:
      return "Rejeição: código " + std::to_string(cStat) + " simulado";
  }
}

bool StatusDeParalisacao(int cStat) { return cStat == 108 || cStat == 109; }

}  // namespace nivra
