// libxml2 and xmlsec as the XML-signature class uses them: one-time set-up of both libraries,
// parsing that reports where a text fails, node selection by XPath, serialisation, and the
// xmlsec error text of the current thread.
#pragma once

#include <libxml/tree.h>
#include <xmlsec/xmldsig.h>

#include <memory>
#include <string>

namespace nivra {

struct TLiberaDocXml {
  void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};
// A parsed document, freed with its nodes.
using TDocXml = std::unique_ptr<xmlDoc, TLiberaDocXml>;

struct TLiberaDSigCtx {
  void operator()(xmlSecDSigCtx* ctx) const { xmlSecDSigCtxDestroy(ctx); }
};
// An xmlsec signature context, freed with the key it holds.
using TDSigCtx = std::unique_ptr<xmlSecDSigCtx, TLiberaDSigCtx>;

struct TLiberaChaveXmlSec {
  void operator()(xmlSecKey* chave) const { xmlSecKeyDestroy(chave); }
};
// An xmlsec key, freed with its key data.
using TChaveXmlSec = std::unique_ptr<xmlSecKey, TLiberaChaveXmlSec>;

// Why a text did not load: libxml2's error code, the line, the position in the line, the reason.
struct TFalhaCargaXml {
  int Codigo = 0;
  int Linha = 0;
  int Posicao = 0;
  std::string Motivo;
};

// Initialises libxml2 and xmlsec with its OpenSSL back end once per process; safe to call from
// any thread, any number of times. Throws ENivraDFeException when xmlsec cannot start.
void IniciarBibliotecasXml();

// Parses `texto` as UTF-8 whatever its declaration says, keeping white space, without network
// access and without expanding entities. Returns null, filling `falha` when given, when the text
// is not well-formed. Never throws.
[[nodiscard]] TDocXml CarregarDocXml(const std::string& texto, TFalhaCargaXml* falha = nullptr);

// The first node `xpath` selects from `contexto` (the document itself when null), with the
// prefixes that `namespaces` binds (declarations xmlns:p="uri" separated by blanks). Returns
// null when nothing matches or the expression is invalid. The node belongs to `doc`.
[[nodiscard]] xmlNode* SelecionarNo(xmlDoc* doc, const std::string& xpath,
                                    const std::string& namespaces, xmlNode* contexto = nullptr);

// Declares the attribute `nome` of every element of `doc` an ID, so references "#valor" find
// their element.
void RegistrarIds(xmlDoc* doc, const std::string& nome);

// Writes every line feed of the text outside the signature elements as the character reference
// "&#10;", so that serialising keeps it out of the line breaks a signed text is stripped of.
// Throws ENivraDFeException when libxml2 cannot make the nodes.
void ProtegerQuebrasDeLinha(xmlDoc* doc);

// The document as UTF-8 text without an XML declaration. Throws ENivraDFeException when libxml2
// cannot write it.
[[nodiscard]] std::string SerializarDocXml(xmlDoc* doc);

// A signature context without key (the caller sets `signKey`, which it then owns) that follows only
// references inside the document and allows only Canonical XML, the enveloped-signature transform,
// SHA-1 and SHA-256 digests and RSA signatures with them. Returns null when xmlsec cannot make it.
[[nodiscard]] TDSigCtx CriarContextoAssinatura();

// Forgets the xmlsec errors recorded on this thread.
void LimparErroXmlSec();
// The first xmlsec error recorded on this thread since LimparErroXmlSec; empty when none.
[[nodiscard]] std::string ErroXmlSec();

}  // namespace nivra
