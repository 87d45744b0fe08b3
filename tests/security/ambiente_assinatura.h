// A facade that signs with the test PKI's A1 certificate through TDFeSSLXmlSignMsXml, the
// xmlsec1 command beside it, and small text helpers of the signing tests.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "nivranfe/security/dfe_ssl.h"
#include "tests/fakes/crypto_pfx.h"
#include "tests/fakes/documentos_assinatura.h"
#include "tests/fakes/pki_teste.h"
#include "tests/fakes/xmlsec1_comando.h"

namespace nivra {

// How often `parte` occurs in `texto`.
inline int Ocorrencias(const std::string& texto, const std::string& parte) {
  int n = 0;
  for (auto pos = texto.find(parte); pos != std::string::npos; pos = texto.find(parte, pos + 1))
    ++n;
  return n;
}

// The Base64 DER of the PKI certificate `nome`.pem, on one line.
inline std::string CertificadoPKI(const std::string& nome) {
  std::string pem = TPastaTemporaria::Ler(PastaPKITeste() + nome + ".pem");
  pem = pem.substr(pem.find('\n') + 1);
  pem = pem.substr(0, pem.find("-----END"));
  std::string base64;
  for (char c : pem)
    if (c != '\n' && c != '\r') base64 += c;
  return base64;
}

class AmbienteAssinatura : public ::testing::Test {
 protected:
  void SetUp() override {
    FSSL.UsarSSLCryptClass(std::make_unique<TCryptoPFX>(FSSL));
    FSSL.SetArquivoPFX(PastaPKITeste() + "empresa.pfx");
    FSSL.SetSenha(SenhaPKITeste);
    FSSL.SetSSLXmlSignLib(TSSLXmlSignLib::xsMsXml);
    FSSL.SetNameSpaceURI(NameSpaceNFeTeste);
  }

  std::string AssinarNFe(const std::string& xml = NFeTeste()) {
    return FSSL.Assinar(xml, "NFe", "infNFe");
  }

  TDFeSSL FSSL;
  TXmlSec1 FXmlSec1;
};

}  // namespace nivra
