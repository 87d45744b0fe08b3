// Signing with an A3 key: the certificate store's token certificate (SoftHSM2) signs through the
// token, and the independent xmlsec1 command accepts the result.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "security/dfe_ssl.h"
#include "tests/fakes/documentos_assinatura.h"
#include "tests/fakes/pasta_temporaria.h"
#include "tests/fakes/pki_teste.h"
#include "tests/fakes/xmlsec1_comando.h"

namespace {

constexpr const char* kModuloSoftHSM = "/usr/lib/softhsm/libsofthsm2.so";

// Sets an environment variable for the life of the object, restoring the old value after.
class TVariavelAmbiente {
 public:
  TVariavelAmbiente(const char* nome, const std::string& valor) : FNome(nome) {
    if (const char* antigo = ::getenv(nome)) FAntigo = antigo, FExistia = true;
    ::setenv(nome, valor.c_str(), 1);
  }
  TVariavelAmbiente(const TVariavelAmbiente&) = delete;
  TVariavelAmbiente& operator=(const TVariavelAmbiente&) = delete;
  ~TVariavelAmbiente() {
    if (FExistia)
      ::setenv(FNome, FAntigo.c_str(), 1);
    else
      ::unsetenv(FNome);
  }

 private:
  const char* FNome;
  std::string FAntigo;
  bool FExistia = false;
};

TEST(AssinaturaToken, TokenKeySignsAndXmlSec1Verifies) {
  if (!std::filesystem::exists(kModuloSoftHSM) ||
      !std::filesystem::exists(PastaPKITeste() + "softhsm2.conf"))
    GTEST_SKIP() << "SoftHSM2 or its test token is not installed";
  TPastaTemporaria repositorioVazio;
  TVariavelAmbiente conf("SOFTHSM2_CONF", PastaPKITeste() + "softhsm2.conf");
  TVariavelAmbiente modulo("NIVRA_PKCS11_MODULE", kModuloSoftHSM);
  TVariavelAmbiente repositorio("NIVRA_CERT_STORE", repositorioVazio.Caminho());

  TDFeSSL ssl;
  ssl.SetSSLCryptLib(TSSLCryptLib::cryWinCrypt);
  ssl.SetSSLXmlSignLib(TSSLXmlSignLib::xsMsXml);
  ssl.SetNumeroSerie("1008");  // token.pem of the test PKI
  ssl.SetSenha("1234");
  TXmlSec1 xmlsec1;
  std::string assinado;
  for (TSSLDgst dgst : {TSSLDgst::dgstSHA1, TSSLDgst::dgstSHA256}) {
    ssl.SetSSLDgst(dgst);
    assinado = ssl.Assinar(NFeTeste(), "NFe", "infNFe");
    EXPECT_TRUE(xmlsec1.Verifica(assinado, "infNFe")) << assinado;
    std::string msg;
    EXPECT_TRUE(ssl.VerificarAssinatura(assinado, msg)) << msg;
  }
  EXPECT_EQ(ssl.CertTipo(), TSSLTipoCertificado::tpcA3);
  const std::string certificado = [] {
    std::string pem = TPastaTemporaria::Ler(PastaPKITeste() + "token.pem");
    pem = pem.substr(pem.find('\n') + 1);
    pem = pem.substr(0, pem.find("-----END"));
    std::string base64;
    for (char c : pem)
      if (c != '\n') base64 += c;
    return base64;
  }();
  EXPECT_NE(assinado.find("<X509Certificate>" + certificado + "</X509Certificate>"),
            std::string::npos);
}

}  // namespace
