// The XML-signature role of the security facade. The base class is the "none" choice: it
// refuses to sign, validate or verify; it also holds the text routines every signing class
// shares (inserting an empty signature template, tidying a signed document).
#pragma once

#include <string>

namespace nivra {

class TDFeSSL;

class TDFeSSLXmlSignClass {
 public:
  // `ADFeSSL` is the owning facade and must outlive this object.
  explicit TDFeSSLXmlSignClass(TDFeSSL& ADFeSSL);
  TDFeSSLXmlSignClass(const TDFeSSLXmlSignClass&) = delete;
  TDFeSSLXmlSignClass& operator=(const TDFeSSLXmlSignClass&) = delete;
  virtual ~TDFeSSLXmlSignClass();

  // Returns `ConteudoXML` (UTF-8) with an enveloped signature of the element `infElement`
  // inside `docElement`. Throws ENivraDFeException on failure; in the base always.
  virtual std::string Assinar(const std::string& ConteudoXML, const std::string& docElement,
                              const std::string& infElement, const std::string& SignatureNode,
                              const std::string& SelectionNamespaces,
                              const std::string& IdSignature, const std::string& IdAttr);
  // Validates `ConteudoXML` against the schema file `ArqSchema`; returns true when valid, else
  // false with the reason in `MsgErro`. The base empties `MsgErro` and throws
  // ENivraDFeException ("não suportado").
  virtual bool Validar(const std::string& ConteudoXML, const std::string& ArqSchema,
                       std::string& MsgErro);
  // Checks the signature of `ConteudoXML`; returns true when it holds, else false with the
  // reason in `MsgErro`. Throws ENivraDFeException ("não suportado") in the base.
  virtual bool VerificarAssinatura(const std::string& ConteudoXML, std::string& MsgErro,
                                   const std::string& infElement, const std::string& SignatureNode,
                                   const std::string& SelectionNamespaces,
                                   const std::string& IdSignature, const std::string& IdAttr);

  // Returns `ConteudoXML` with an empty enveloped-signature template inserted just before the
  // last "</docElement>": Canonical XML 1.0, RSA-SHA256 and SHA-256 when the facade's SSLDgst
  // is dgstSHA256 (else RSA-SHA1 and SHA-1), a reference to "#" + the value of the first
  // `IdAttr` ("Id" when empty) attribute of the document (to the whole document when there is
  // none), `IdSignature` written right after the namespace of Signature, and an empty
  // X509Certificate inside KeyInfo when `AddX509Data` is true. Throws ENivraDFeException when
  // the closing tag is missing or the attribute's value has no opening or closing quote.
  [[nodiscard]] std::string InserirModeloAssinatura(const std::string& ConteudoXML,
                                                    bool AddX509Data, const std::string& docElement,
                                                    const std::string& IdSignature = "",
                                                    const std::string& IdAttr = "") const;
  // Returns the signed document `ConteudoXML` tidied: its declaration dropped unless it names
  // UTF-8, every line break removed, the last signature's KeyInfo holding only
  // `X509Certificate` (Base64 DER) when one is given (else only the last certificate element),
  // and no blanks from the last SignatureValue to the KeyInfo end. Never throws.
  [[nodiscard]] static std::string LimparXMLAssinado(const std::string& ConteudoXML,
                                                     const std::string& X509Certificate);

  // The owning facade.
  TDFeSSL& DFeSSL() const { return FpDFeSSL; }
  // The run-time class name of this object, as the refusal messages show it.
  std::string ClassName() const;

 protected:
  TDFeSSL& FpDFeSSL;
};

}  // namespace nivra
