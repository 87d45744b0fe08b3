// Steps shared by the documents of the generated models: the root element written with the
// NF-e namespace, the text parsed by libxml2, an element found by name and a root read back.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "nivranfe/documento/escritor_nfe.h"
#include "nivranfe/documento/info_leiaute.h"
#include "nivranfe/documento/leitor_nfe.h"
#include "nivranfe/xml/gerador.h"

struct _xmlDoc;   // NOLINT(bugprone-reserved-identifier): libxml2's own name
struct _xmlNode;  // NOLINT(bugprone-reserved-identifier): libxml2's own name

namespace nivra {

// The XML of a document and the generator's alerts; a document with alerts is not signed or
// sent.
struct TXMLGeradoNFe {
  std::string XML;
  std::vector<std::string> Alertas;
};

// ` xmlns="http://www.portalfiscal.inf.br/nfe"`.
[[nodiscard]] std::string NamespaceNFe();

// Writes `raiz` as the element of `info` carrying the NF-e namespace. Never throws for
// content: every problem is an alert.
template <class T>
[[nodiscard]] TXMLGeradoNFe GerarXMLRaiz(const T& raiz, const TInfoGrupo& info) {
  TGerador gerador;
  gerador.Opcoes().SetRetirarAcentos(false);
  gerador.Opcoes().SetRetirarEspacos(false);
  TEscritorNFe escritor(gerador);
  escritor.Grupo(raiz, info);
  std::string xml = gerador.ArquivoFormatoXML();
  // The namespace goes right after the element's name, before its own attributes.
  xml.insert(1 + std::string_view(info.Nome).size(), NamespaceNFe());
  return {std::move(xml), gerador.ListaDeAlertas()};
}

// A document parsed by libxml2 without network access; indentation, comments and namespace
// prefixes are allowed.
class TDocumentoXML {
 public:
  // Throws ENivraDFeException "<descricao> não é um XML válido" when the text is not XML, and
  // when it is larger than libxml2 takes.
  TDocumentoXML(std::string_view xml, const std::string& descricao);
  TDocumentoXML(const TDocumentoXML&) = delete;
  TDocumentoXML& operator=(const TDocumentoXML&) = delete;
  ~TDocumentoXML();

  // The first element named `nome` in document order (the root included), or null.
  [[nodiscard]] _xmlNode* Procurar(std::string_view nome) const;

 private:
  _xmlDoc* FDocumento;
};

// The first element named `nome` at or after `no` and under them, in document order, or null.
[[nodiscard]] _xmlNode* ProcurarElemento(_xmlNode* no, std::string_view nome);

// Reads the element `no` into `raiz` by the layout of `info`; what is skipped goes to `avisos`.
// Throws ENivraDFeException, naming the element's path, when a field cannot be read.
template <class T>
void LerRaiz(_xmlNode* no, T& raiz, const TInfoGrupo& info, std::vector<std::string>& avisos) {
  TLeitorNFe leitor(no, info.Nome, info.Filhos, avisos);
  Visitar(leitor, raiz);
  leitor.Terminar();
}

}  // namespace nivra
