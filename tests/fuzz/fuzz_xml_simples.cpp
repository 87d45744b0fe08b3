// Fuzz target of the plain-document reader behind the fast signature: whatever text it accepts,
// libxml2 must read too, write back as the reader's serialised form, and write the signed
// element in Canonical XML 1.0 as the reader's canonical form.
#include <libxml/c14n.h>
#include <libxml/parser.h>
#include <libxml/xmlsave.h>

#include <cstdint>
#include <memory>
#include <string>

#include "nivranfe/security/xml_canonico_simples.h"
#include "tests/fuzz/exigir.h"

using namespace nivra;

namespace {

struct TLiberaDoc {
  void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};
struct TLiberaSaida {
  void operator()(xmlOutputBuffer* saida) const { xmlOutputBufferClose(saida); }
};

const xmlChar* X(const char* texto) { return reinterpret_cast<const xmlChar*>(texto); }

std::string Conteudo(xmlOutputBuffer* saida) {
  return {reinterpret_cast<const char*>(xmlOutputBufferGetContent(saida)),
          xmlOutputBufferGetSize(saida)};
}

// The document as libxml2 writes it without the declaration or the final line break.
std::string Serializado(xmlDoc* doc) {
  std::unique_ptr<xmlOutputBuffer, TLiberaSaida> saida(xmlAllocOutputBuffer(nullptr));
  xmlSaveCtxt* ctxt = xmlSaveToIO(
      [](void* destino, const char* bytes, int tamanho) {
        return xmlOutputBufferWrite(static_cast<xmlOutputBuffer*>(destino), tamanho, bytes);
      },
      nullptr, saida.get(), "UTF-8", XML_SAVE_NO_DECL);
  Exigir(ctxt != nullptr && xmlSaveDoc(ctxt, doc) >= 0 && xmlSaveClose(ctxt) >= 0);
  std::string texto = Conteudo(saida.get());
  if (!texto.empty() && texto.back() == '\n') texto.pop_back();
  return texto;
}

// The element whose attribute "Id" is `id`, searched from `no`.
xmlNode* ElementoDoId(xmlNode* no, const std::string& id) {
  for (; no != nullptr; no = no->next) {
    if (no->type != XML_ELEMENT_NODE) continue;
    xmlChar* valor = xmlGetNoNsProp(no, X("Id"));
    const bool achou = valor != nullptr && id == reinterpret_cast<const char*>(valor);
    xmlFree(valor);
    if (achou) return no;
    if (xmlNode* dentro = ElementoDoId(no->children, id)) return dentro;
  }
  return nullptr;
}

// Canonical XML 1.0 of the subtree of `elemento`, as a same-document reference selects it.
std::string Canonico(xmlDoc* doc, xmlNode* elemento) {
  std::unique_ptr<xmlOutputBuffer, TLiberaSaida> saida(xmlAllocOutputBuffer(nullptr));
  const auto visivel = [](void* alvo, xmlNode* no, xmlNode* pai) -> int {
    // Attributes and namespace declarations are judged by the element they belong to.
    xmlNode* n = no == nullptr || no->type == XML_NAMESPACE_DECL || no->type == XML_ATTRIBUTE_NODE
                     ? pai
                     : no;
    for (; n != nullptr; n = n->parent)
      if (n == alvo) return 1;
    return 0;
  };
  Exigir(xmlC14NExecute(doc, visivel, elemento, XML_C14N_1_0, nullptr, 0, saida.get()) >= 0);
  return Conteudo(saida.get());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string xml(reinterpret_cast<const char*>(data), size);
  const auto simples = LerXMLSimples(xml, "NFe");
  if (!simples) return 0;
  std::unique_ptr<xmlDoc, TLiberaDoc> doc(
      xmlReadMemory(xml.data(), static_cast<int>(xml.size()), nullptr, "UTF-8", XML_PARSE_NONET));
  Exigir(doc != nullptr);
  Exigir(Serializado(doc.get()) == simples->Serializado);
  xmlNode* elemento = ElementoDoId(xmlDocGetRootElement(doc.get()), simples->Id);
  Exigir(elemento != nullptr && elemento != xmlDocGetRootElement(doc.get()));
  Exigir(Canonico(doc.get(), elemento) == simples->Canonico);
  return 0;
}
