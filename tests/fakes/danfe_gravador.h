// A printing component that records which printing operation it was asked for.
#pragma once

#include <string>
#include <vector>

#include "nivranfe/dfe/danfe.h"
#include "nivranfe/dfe/documentos_nfe.h"

namespace nivra {

class TDANFEGravador : public TNivraNFeDANFEClass {
 public:
  void ImprimirDANFE(const NotaFiscal& Nota) override {
    Chamadas.push_back("ImprimirDANFE " + Nota.ChaveAcesso());
  }
  void ImprimirEvento() override { Chamadas.push_back("ImprimirEvento"); }
  void ImprimirEventoPDF() override { Chamadas.push_back("ImprimirEventoPDF"); }
  void ImprimirInutilizacao() override { Chamadas.push_back("ImprimirInutilizacao"); }
  void ImprimirInutilizacaoPDF() override { Chamadas.push_back("ImprimirInutilizacaoPDF"); }

  std::vector<std::string> Chamadas;
};

}  // namespace nivra
