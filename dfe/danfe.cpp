// The printing component's base: every operation reports that it is not provided.
#include "dfe/danfe.h"

#include "util/excecoes.h"

void TNivraNFeDANFEClass::NaoImplementado(const std::string& Operacao) const {
  throw ENivraDFeException("Método \"" + Operacao + "\" não implementado em: " + ClassName());
}

void TNivraNFeDANFEClass::ImprimirEvento() { NaoImplementado("ImprimirEvento"); }
void TNivraNFeDANFEClass::ImprimirEventoPDF() { NaoImplementado("ImprimirEventoPDF"); }
void TNivraNFeDANFEClass::ImprimirInutilizacao() { NaoImplementado("ImprimirInutilizacao"); }
void TNivraNFeDANFEClass::ImprimirInutilizacaoPDF() { NaoImplementado("ImprimirInutilizacaoPDF"); }
