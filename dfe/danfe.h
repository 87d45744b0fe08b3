// The printing component of NF-e documents: the component links to it and forwards its
// printing operations; a subclass does the printing.
#pragma once

#include <string>
#include <typeinfo>

#include "nivranfe/dfe/notificacao_liberacao.h"
#include "nivranfe/util/nome_classe.h"

namespace nivra {

class NotaFiscal;
class TNivraNFe;

// Printing of invoices, events and number-range voidings. The base class prints nothing: each
// operation throws ENivraDFeException "Método \"<operação>\" não implementado em: " followed by
// ClassName(). Components that link to it are told when it is destroyed, and it is told when
// the component it links to is destroyed.
class TNivraNFeDANFEClass : public TNotificadorLiberacao, public TObservadorLiberacao {
 public:
  TNivraNFeDANFEClass() = default;
  // Tells the linked component it goes, and the components linked to it.
  ~TNivraNFeDANFEClass() override;

  // The component this printing component is linked to, or nullptr. Not owned; cleared when
  // that component is destroyed. Setting it changes only this side's link.
  TNivraNFe* NivraNFe() const { return FNivraNFe; }
  void SetNivraNFe(TNivraNFe* Valor);

  // Clears NivraNFe when it is the destroyed object.
  void NotificarLiberacao(const TNotificadorLiberacao& Objeto) override;

  // Run-time class name used in failure texts.
  std::string ClassName() const { return NomeDaClasse(typeid(*this)); }

  // Prints the invoice (its DANFE); the invoice is the component's, read only.
  virtual void ImprimirDANFE(const NotaFiscal& Nota);
  virtual void ImprimirEvento();
  virtual void ImprimirEventoPDF();
  virtual void ImprimirInutilizacao();
  virtual void ImprimirInutilizacaoPDF();

 private:
  [[noreturn]] void NaoImplementado(const std::string& Operacao) const;

  TNivraNFe* FNivraNFe = nullptr;
};

}  // namespace nivra
