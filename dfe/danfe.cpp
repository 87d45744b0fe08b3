// The printing component's base: every operation reports that it is not provided.
#include "nivranfe/dfe/danfe.h"

#include "nivranfe/dfe/nivra_nfe.h"
#include "nivranfe/util/excecoes.h"

namespace nivra {

TNivraNFeDANFEClass::~TNivraNFeDANFEClass() { SetNivraNFe(nullptr); }

void TNivraNFeDANFEClass::SetNivraNFe(TNivraNFe* Valor) {
  if (Valor == FNivraNFe) return;
  if (FNivraNFe != nullptr) FNivraNFe->RemoverObservador(*this);
  FNivraNFe = Valor;
  if (FNivraNFe != nullptr) FNivraNFe->RegistrarObservador(*this);
}

void TNivraNFeDANFEClass::NotificarLiberacao(const TNotificadorLiberacao& Objeto) {
  if (FNivraNFe != nullptr && static_cast<const TNotificadorLiberacao*>(FNivraNFe) == &Objeto)
    FNivraNFe = nullptr;
}

void TNivraNFeDANFEClass::NaoImplementado(const std::string& Operacao) const {
  throw ENivraDFeException("Método \"" + Operacao + "\" não implementado em: " + ClassName());
}

void TNivraNFeDANFEClass::ImprimirDANFE(const NotaFiscal&) { NaoImplementado("ImprimirDANFE"); }
void TNivraNFeDANFEClass::ImprimirEvento() { NaoImplementado("ImprimirEvento"); }
void TNivraNFeDANFEClass::ImprimirEventoPDF() { NaoImplementado("ImprimirEventoPDF"); }
void TNivraNFeDANFEClass::ImprimirInutilizacao() { NaoImplementado("ImprimirInutilizacao"); }
void TNivraNFeDANFEClass::ImprimirInutilizacaoPDF() { NaoImplementado("ImprimirInutilizacaoPDF"); }

}  // namespace nivra
