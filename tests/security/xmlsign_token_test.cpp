// Signing with an A3 key: the certificate store's token certificate (SoftHSM2) signs through the
// token, and the independent xmlsec1 command accepts the result.
#include <gtest/gtest.h>

#include <string>

#include "nivranfe/security/dfe_ssl.h"
#include "tests/fakes/certificados_teste.h"
#include "tests/fakes/documentos_assinatura.h"
#include "tests/fakes/xmlsec1_comando.h"
#include "tests/security/ambiente_assinatura.h"

namespace nivra {

namespace {

TEST(AssinaturaToken, TokenKeySignsAndXmlSec1Verifies) {
  if (!TTokenTeste::Disponivel()) GTEST_SKIP() << "PKI sem token";
  TRepositorioTeste repositorio;
  TTokenTeste token;

  TDFeSSL ssl;
  ssl.SetSSLCryptLib(TSSLCryptLib::cryWinCrypt);
  ssl.SetSSLXmlSignLib(TSSLXmlSignLib::xsMsXml);
  ssl.SetNumeroSerie(NumeroSeriePKI("token"));
  ssl.SetSenha("1234");

  TXmlSec1 xmlsec1;
  for (TSSLDgst dgst : {TSSLDgst::dgstSHA1, TSSLDgst::dgstSHA256}) {
    ssl.SetSSLDgst(dgst);
    const std::string assinado = ssl.Assinar(NFeTeste(), "NFe", "infNFe");
    EXPECT_TRUE(xmlsec1.Verifica(assinado, "infNFe")) << assinado;
    std::string msg;
    EXPECT_TRUE(ssl.VerificarAssinatura(assinado, msg)) << msg;
    EXPECT_NE(assinado.find("<X509Certificate>" + CertificadoPKI("token") + "</X509Certificate>"),
              std::string::npos);
  }
  EXPECT_EQ(ssl.CertTipo(), TSSLTipoCertificado::tpcA3);
}

}  // namespace

}  // namespace nivra
