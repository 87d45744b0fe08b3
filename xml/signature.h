// TSignature: the signature element of an NF-e document as document writers put it in, written
// with the XML generator from the four values of an existing signature.
#pragma once

#include <memory>
#include <string>

#include "nivranfe/xml/gerador.h"

namespace nivra {

class TSignature {
 public:
  TSignature();
  TSignature(const TSignature&) = delete;
  TSignature& operator=(const TSignature&) = delete;
  ~TSignature();

  // The generator GerarXML writes into; owned.
  TGerador& Gerador() { return *FGerador; }

  // The Id of the signed infNFe without its "NFe" prefix.
  const std::string& URI() const { return FURI; }
  void SetURI(const std::string& valor) { FURI = valor; }
  const std::string& DigestValue() const { return FDigestValue; }
  void SetDigestValue(const std::string& valor) { FDigestValue = valor; }
  const std::string& SignatureValue() const { return FSignatureValue; }
  void SetSignatureValue(const std::string& valor) { FSignatureValue = valor; }
  // The signer's certificate, DER in Base64.
  const std::string& X509Certificate() const { return FX509Certificate; }
  void SetX509Certificate(const std::string& valor) { FX509Certificate = valor; }

  // Copies the four values of `Source`.
  void Assign(const TSignature& Source);
  // Empties the four values.
  void Clear();
  // Replaces the generator's output by the Signature element (RSA-SHA1, SHA-1, Canonical XML
  // 1.0, enveloped) holding the four values unescaped; empty values give start and end tags.
  // Returns true when the generator recorded no alert. Never throws.
  bool GerarXML();

 private:
  std::unique_ptr<TGerador> FGerador;
  std::string FURI;
  std::string FDigestValue;
  std::string FSignatureValue;
  std::string FX509Certificate;
};

}  // namespace nivra
