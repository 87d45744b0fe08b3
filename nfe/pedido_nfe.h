// Base of the request documents of the NF-e services: a generator that holds the produced
// text and its alerts.
#pragma once

#include <string>

#include "nivranfe/xml/gerador.h"

namespace nivra {

class TPedidoNFe {
 public:
  TPedidoNFe() = default;
  TPedidoNFe(const TPedidoNFe&) = delete;
  TPedidoNFe& operator=(const TPedidoNFe&) = delete;
  virtual ~TPedidoNFe() = default;

  // Clears the generator's text and alerts and writes the document into it. Returns true when
  // the generator recorded no alert. Throws only what the generator throws.
  bool GerarXML() {
    FGerador.SetArquivoFormatoXML("");
    FGerador.ListaDeAlertas().clear();
    Escrever();
    return FGerador.ListaDeAlertas().empty();
  }

  // The generator; owned by this document.
  TGerador& Gerador() { return FGerador; }
  // Layout version written into the attribute versao, e.g. "4.00".
  const std::string& Versao() const { return FVersao; }
  void SetVersao(const std::string& valor) { FVersao = valor; }

 protected:
  // Writes the document's groups and fields into Gerador().
  virtual void Escrever() = 0;
  // Opens the root element with the NF-e namespace and the version.
  void AbrirRaiz(const std::string& Nome) {
    FGerador.wGrupo(Nome + " xmlns=\"http://www.portalfiscal.inf.br/nfe\" versao=\"" + FVersao +
                    "\"");
  }

 private:
  TGerador FGerador;
  std::string FVersao;
};

}  // namespace nivra
