// The XML-signature role of the security facade. The base class is the "none" choice: it
// refuses to sign, validate or verify.
#pragma once

#include <string>

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

  // The owning facade.
  TDFeSSL& DFeSSL() const { return FpDFeSSL; }
  // The run-time class name of this object, as the refusal messages show it.
  std::string ClassName() const;

 protected:
  TDFeSSL& FpDFeSSL;
};
