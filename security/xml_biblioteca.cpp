// libxml2 and xmlsec set-up and the document helpers of the XML-signature class.
#include "nivranfe/security/xml_biblioteca.h"

#include <libxml/parser.h>
#include <libxml/xmlsave.h>
#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>
#include <xmlsec/base64.h>
#include <xmlsec/errors.h>
#include <xmlsec/openssl/app.h>
#include <xmlsec/openssl/crypto.h>
#include <xmlsec/xmlsec.h>
#include <xmlsec/xmltree.h>

#include <climits>
#include <mutex>
#include <string_view>

#include "nivranfe/util/excecoes.h"

namespace nivra {

namespace {

// Each signing or verifying call reads the errors of its own thread.
thread_local std::string gErroXmlSec;

// Keeps the first error of the call (the later ones only echo it up the call chain) and keeps
// xmlsec from writing to standard error.
void GuardarErroXmlSec(const char*, int, const char*, const char* objeto, const char* assunto, int,
                       const char* msg) {
  if (!gErroXmlSec.empty()) return;
  std::string texto = msg != nullptr ? msg : "";
  if (assunto != nullptr && *assunto != '\0') texto = std::string(assunto) + ": " + texto;
  if (objeto != nullptr && *objeto != '\0') texto = std::string(objeto) + ": " + texto;
  gErroXmlSec = texto;
}

// Selection errors are answered by a null node; nothing is printed.
void IgnorarErroXml(void*, xmlError*) {}

const xmlChar* X(const char* texto) { return reinterpret_cast<const xmlChar*>(texto); }

struct TLiberaParser {
  void operator()(xmlParserCtxt* ctx) const { xmlFreeParserCtxt(ctx); }
};
struct TLiberaXPathCtx {
  void operator()(xmlXPathContext* ctx) const { xmlXPathFreeContext(ctx); }
};
struct TLiberaXPathObj {
  void operator()(xmlXPathObject* obj) const { xmlXPathFreeObject(obj); }
};
struct TLiberaBuffer {
  void operator()(xmlBuffer* buf) const { xmlBufferFree(buf); }
};

// Binds every xmlns:p="uri" (or 'uri') declaration of `namespaces` in `ctx`; a declaration of
// the default namespace has no prefix to bind and is skipped. Returns false on a failed binding.
bool RegistrarPrefixos(xmlXPathContext* ctx, std::string_view namespaces) {
  constexpr std::string_view kXmlns = "xmlns:";
  for (std::size_t pos = namespaces.find(kXmlns); pos != std::string_view::npos;
       pos = namespaces.find(kXmlns, pos)) {
    pos += kXmlns.size();
    const std::size_t igual = namespaces.find('=', pos);
    if (igual == std::string_view::npos || igual + 1 >= namespaces.size()) break;
    const char aspa = namespaces[igual + 1];
    const std::size_t fim = namespaces.find(aspa, igual + 2);
    if ((aspa != '"' && aspa != '\'') || fim == std::string_view::npos) break;
    const std::string prefixo(namespaces.substr(pos, igual - pos));
    const std::string uri(namespaces.substr(igual + 2, fim - igual - 2));
    if (xmlXPathRegisterNs(ctx, X(prefixo.c_str()), X(uri.c_str())) != 0) return false;
    pos = fim + 1;
  }
  return true;
}

void Iniciar() {
  xmlInitParser();
  if (xmlSecInit() < 0) throw ENivraDFeException("Falha ao inicializar a biblioteca xmlsec");
  if (xmlSecCheckVersion() != 1)
    throw ENivraDFeException("Versão da biblioteca xmlsec incompatível");
  // Base64 values on one line (longer than any digest, signature or certificate), so that no
  // line break inside SignedInfo is left for the tidying to remove after signing.
  xmlSecBase64SetDefaultLineSize(1 << 20);
  if (xmlSecOpenSSLAppInit(nullptr) < 0 || xmlSecOpenSSLInit() < 0)
    throw ENivraDFeException("Falha ao inicializar a biblioteca xmlsec-openssl");
  // Set after the back end starts, which installs its own.
  xmlSecErrorsSetCallback(GuardarErroXmlSec);
}

}  // namespace

void IniciarBibliotecasXml() {
  static std::once_flag iniciada;
  std::call_once(iniciada, Iniciar);
}

TDocXml CarregarDocXml(const std::string& texto, TFalhaCargaXml* falha) {
  if (texto.size() > static_cast<std::size_t>(INT_MAX)) {
    if (falha != nullptr) *falha = {XML_ERR_INTERNAL_ERROR, 0, 0, "Documento grande demais"};
    return nullptr;
  }
  std::unique_ptr<xmlParserCtxt, TLiberaParser> parser(xmlNewParserCtxt());
  if (!parser) {
    if (falha != nullptr) *falha = {XML_ERR_NO_MEMORY, 0, 0, "Sem memória"};
    return nullptr;
  }
  TDocXml doc(xmlCtxtReadMemory(parser.get(), texto.data(), static_cast<int>(texto.size()), nullptr,
                                "UTF-8",
                                XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
  if (doc && parser->wellFormed != 0) return doc;
  if (falha != nullptr) {
    const xmlError* erro = xmlCtxtGetLastError(parser.get());
    *falha = {};
    if (erro != nullptr) {
      std::string motivo = erro->message != nullptr ? erro->message : "";
      while (!motivo.empty() && (motivo.back() == '\n' || motivo.back() == ' ')) motivo.pop_back();
      *falha = {erro->code, erro->line, erro->int2, motivo};
    }
  }
  return nullptr;
}

xmlNode* SelecionarNo(xmlDoc* doc, const std::string& xpath, const std::string& namespaces,
                      xmlNode* contexto) {
  std::unique_ptr<xmlXPathContext, TLiberaXPathCtx> ctx(xmlXPathNewContext(doc));
  if (!ctx) return nullptr;
  ctx->error = IgnorarErroXml;
  ctx->node = contexto != nullptr ? contexto : reinterpret_cast<xmlNode*>(doc);
  if (!RegistrarPrefixos(ctx.get(), namespaces)) return nullptr;
  std::unique_ptr<xmlXPathObject, TLiberaXPathObj> resultado(
      xmlXPathEvalExpression(X(xpath.c_str()), ctx.get()));
  if (!resultado || resultado->type != XPATH_NODESET || resultado->nodesetval == nullptr ||
      resultado->nodesetval->nodeNr == 0)
    return nullptr;
  return resultado->nodesetval->nodeTab[0];
}

void RegistrarIds(xmlDoc* doc, const std::string& nome) {
  const xmlChar* ids[] = {X(nome.c_str()), nullptr};
  xmlNode* raiz = xmlDocGetRootElement(doc);
  if (raiz != nullptr) xmlSecAddIDs(doc, raiz, ids);
}

namespace {

// Splits the text node `texto` at its line feeds: it keeps the text before the first, and each
// line feed becomes a character reference followed by a text node with what comes after it.
void DividirNasQuebras(xmlNode* texto) {
  const std::string conteudo = reinterpret_cast<const char*>(texto->content);
  std::size_t fim = conteudo.find('\n');
  xmlNodeSetContent(texto, X(conteudo.substr(0, fim).c_str()));
  xmlNode* ultimo = texto;
  while (fim != std::string::npos) {
    const std::size_t inicio = fim + 1;
    fim = conteudo.find('\n', inicio);
    // A reference is never merged into a neighbouring text node.
    ultimo = xmlAddNextSibling(ultimo, xmlNewCharRef(texto->doc, X("&#10;")));
    const std::string trecho = conteudo.substr(inicio, fim - inicio);
    if (ultimo != nullptr && !trecho.empty())
      ultimo = xmlAddNextSibling(ultimo, xmlNewDocText(texto->doc, X(trecho.c_str())));
    if (ultimo == nullptr) throw ENivraDFeException("Falha ao gravar o XML assinado");
  }
}

void ProtegerQuebrasEm(xmlNode* no) {
  for (xmlNode* filho = no->children; filho != nullptr; filho = filho->next) {
    if (filho->type == XML_ELEMENT_NODE) {
      if (filho->ns == nullptr || !xmlStrEqual(filho->ns->href, xmlSecDSigNs))
        ProtegerQuebrasEm(filho);
    } else if (filho->type == XML_TEXT_NODE && filho->content != nullptr &&
               xmlStrchr(filho->content, '\n') != nullptr) {
      DividirNasQuebras(filho);
    }
  }
}

}  // namespace

void ProtegerQuebrasDeLinha(xmlDoc* doc) {
  if (xmlNode* raiz = xmlDocGetRootElement(doc)) ProtegerQuebrasEm(raiz);
}

std::string SerializarDocXml(xmlDoc* doc) {
  std::unique_ptr<xmlBuffer, TLiberaBuffer> buffer(xmlBufferCreate());
  if (!buffer) throw ENivraDFeException("Falha ao gravar o XML assinado");
  xmlSaveCtxt* saida = xmlSaveToBuffer(buffer.get(), "UTF-8", XML_SAVE_NO_DECL);
  if (saida == nullptr) throw ENivraDFeException("Falha ao gravar o XML assinado");
  const long gravado = xmlSaveDoc(saida, doc);
  if (xmlSaveClose(saida) < 0 || gravado < 0)
    throw ENivraDFeException("Falha ao gravar o XML assinado");
  return {reinterpret_cast<const char*>(xmlBufferContent(buffer.get())),
          static_cast<std::size_t>(xmlBufferLength(buffer.get()))};
}

TDSigCtx CriarContextoAssinatura() {
  TDSigCtx ctx(xmlSecDSigCtxCreate(nullptr));
  if (!ctx) return nullptr;
  // A signed document never makes us read files or the network.
  ctx->enabledReferenceUris = static_cast<xmlSecTransformUriType>(
      xmlSecTransformUriTypeEmpty | xmlSecTransformUriTypeSameDocument);
  for (xmlSecTransformId id :
       {xmlSecTransformInclC14NId, xmlSecTransformInclC14NWithCommentsId, xmlSecTransformExclC14NId,
        xmlSecTransformExclC14NWithCommentsId, xmlSecTransformEnvelopedId,
        xmlSecOpenSSLTransformSha1Id, xmlSecOpenSSLTransformSha256Id}) {
    if (xmlSecDSigCtxEnableReferenceTransform(ctx.get(), id) < 0) return nullptr;
  }
  for (xmlSecTransformId id :
       {xmlSecTransformInclC14NId, xmlSecTransformInclC14NWithCommentsId, xmlSecTransformExclC14NId,
        xmlSecTransformExclC14NWithCommentsId, xmlSecOpenSSLTransformRsaSha1Id,
        xmlSecOpenSSLTransformRsaSha256Id}) {
    if (xmlSecDSigCtxEnableSignatureTransform(ctx.get(), id) < 0) return nullptr;
  }
  return ctx;
}

void LimparErroXmlSec() { gErroXmlSec.clear(); }

std::string ErroXmlSec() { return gErroXmlSec; }

}  // namespace nivra
