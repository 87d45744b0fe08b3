// TDFeSSLXmlSignMsXml: the XML-signature class of the xsMsXml choice, over xmlsec (OpenSSL back
// end) for enveloped signatures and libxml2 for schema validation.
#pragma once

#include <string>

#include "nivranfe/security/dfe_ssl_xmlsign.h"

namespace nivra {

class TDFeSSLXmlSignMsXml : public TDFeSSLXmlSignClass {
 public:
  // The node a signature is looked for by default, and the declaration that binds its prefix.
  static constexpr const char* SignatureNodePadrao = ".//ds:Signature";
  static constexpr const char* NamespaceDsPadrao =
      "xmlns:ds=\"http://www.w3.org/2000/09/xmldsig#\"";

  // `ADFeSSL` is the owning facade and must outlive this object. xmlsec and libxml2 are started
  // for the process by the first signing, validation or check (a component that only sends
  // requests never starts them); each of those throws ENivraDFeException when they cannot start.
  explicit TDFeSSLXmlSignMsXml(TDFeSSL& ADFeSSL);

  // Returns `ConteudoXML` (UTF-8) signed with the facade's certificate, loading it first when
  // needed: in the template it carries, or in one inserted before the last "</docElement>" when
  // it has none or `SignatureNode` is not the default. Canonical XML 1.0, enveloped signature,
  // KeyInfo holding only the signer's certificate, no line breaks (also none in the text signed,
  // so the result verifies as delivered). Throws ENivraDFeException with the failing step's
  // message; certificate loading failures propagate.
  std::string Assinar(const std::string& ConteudoXML, const std::string& docElement,
                      const std::string& infElement, const std::string& SignatureNode,
                      const std::string& SelectionNamespaces, const std::string& IdSignature,
                      const std::string& IdAttr) override;
  // What Assinar returns, always made by xmlsec from the parsed document (Assinar computes a plain
  // document's signature from its text). Throws as Assinar.
  std::string AssinarComXmlSec(const std::string& ConteudoXML, const std::string& docElement,
                               const std::string& infElement, const std::string& SignatureNode,
                               const std::string& SelectionNamespaces,
                               const std::string& IdSignature, const std::string& IdAttr);
  // Validates `ConteudoXML` against the schema file `ArqSchema`, whose target namespace must be
  // the facade's NameSpaceURI. Returns true when valid; false with libxml2's first complaint in
  // `MsgErro`, or with the code, line and position of the failure when the text does not load.
  // Throws ENivraDFeException when the schema cannot be read or belongs to another namespace.
  bool Validar(const std::string& ConteudoXML, const std::string& ArqSchema,
               std::string& MsgErro) override;
  // Checks the signature `SignatureNode` selects against the first certificate inside it;
  // the certificate's trust is not examined. Returns true when it holds, else false with the
  // reason in `MsgErro`. Never throws for a bad document.
  bool VerificarAssinatura(const std::string& ConteudoXML, std::string& MsgErro,
                           const std::string& infElement, const std::string& SignatureNode,
                           const std::string& SelectionNamespaces, const std::string& IdSignature,
                           const std::string& IdAttr) override;

  // The signature node `SignatureNode` names: SignatureNodePadrao when it is empty.
  [[nodiscard]] static std::string NoAssinatura(const std::string& SignatureNode);
  // `SelectionNamespaces` starting with NamespaceDsPadrao: that declaration when it is empty,
  // the declaration and a blank in front of it when it starts with something else.
  [[nodiscard]] static std::string NamespacesSelecao(const std::string& SelectionNamespaces);
};

}  // namespace nivra
