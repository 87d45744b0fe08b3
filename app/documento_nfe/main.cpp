// documento-nfe: offline work on NF-e documents from a shell or a script: the XML of a JSON
// model, the JSON of an XML, the checks of a document, its print as PDF and its delivery by
// e-mail.
#include <iostream>
#include <string>
#include <vector>

#include "app/documento_nfe/acoes.h"
#include "app/documento_nfe/envio_email.h"
#include "app/documento_nfe/opcoes.h"
#include "app/linha_comando/programa.h"

#ifndef NIVRA_VERSAO
#define NIVRA_VERSAO "0"
#endif

using namespace nivra;

namespace {

int Programa(const std::vector<std::string>& argumentos) {
  const TOpcoesDocumento opcoes = LerOpcoesDocumento(argumentos);
  switch (opcoes.Acao) {
    case TAcaoDocumento::Ajuda:
      std::cout << TextoAjudaDocumento();
      return 0;
    case TAcaoDocumento::Versao:
      std::cout << "documento-nfe " << NIVRA_VERSAO << "\n";
      return 0;
    case TAcaoDocumento::Json:
      return DocumentoEmJSON(opcoes);
    default:
      break;
  }
  TNivraNFe nfe;
  switch (opcoes.Acao) {
    case TAcaoDocumento::Gerar:
      return GerarDocumento(nfe, opcoes);
    case TAcaoDocumento::Danfe:
      return ImprimirDocumentoPDF(nfe, opcoes);
    case TAcaoDocumento::Email:
      return EnviarDocumentoPorEmail(nfe, opcoes);
    default:
      return ValidarDocumento(nfe, opcoes);
  }
}

}  // namespace

int main(int argc, char** argv) { return ExecutarPrograma("documento-nfe", argc, argv, Programa); }
