// Parsing and element lookup shared by the readers of the document models.
#include "nivranfe/documento/xml_documento.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <limits>

#include "nivranfe/util/excecoes.h"

namespace nivra {

std::string NamespaceNFe() { return " xmlns=\"http://www.portalfiscal.inf.br/nfe\""; }

TDocumentoXML::TDocumentoXML(std::string_view xml, const std::string& descricao) {
  if (xml.size() > static_cast<size_t>(std::numeric_limits<int>::max())) {
    throw ENivraDFeException("Documento grande demais");
  }
  FDocumento =
      xmlReadMemory(xml.data(), static_cast<int>(xml.size()), nullptr, nullptr,
                    XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_HUGE);
  if (!FDocumento) throw ENivraDFeException(descricao + " não é um XML válido");
}

TDocumentoXML::~TDocumentoXML() { xmlFreeDoc(FDocumento); }

_xmlNode* TDocumentoXML::Procurar(std::string_view nome) const {
  return ProcurarElemento(xmlDocGetRootElement(FDocumento), nome);
}

_xmlNode* ProcurarElemento(_xmlNode* no, std::string_view nome) {
  for (; no; no = no->next) {
    if (no->type != XML_ELEMENT_NODE) continue;
    if (reinterpret_cast<const char*>(no->name) == nome) return no;
    if (_xmlNode* achado = ProcurarElemento(no->children, nome)) return achado;
  }
  return nullptr;
}

}  // namespace nivra
