// TDFeWinCrypt with a certificate whose key lives on a PKCS#11 token (SoftHSM2): loading from
// the store, the A3 kind, the PIN given once per process, wrong PINs, export refusal and signing.
#include <gtest/gtest.h>
#include <openssl/evp.h>

#include <memory>
#include <string>

#include "nivranfe/security/dfe_ssl.h"
#include "nivranfe/util/excecoes.h"
#include "tests/fakes/certificados_teste.h"
#include "tests/fakes/mensagem_de.h"

namespace nivra {

namespace {

class Token : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!TTokenTeste::Disponivel()) GTEST_SKIP() << "PKI sem token";
  }

  // A facade naming the token's certificate with the PIN `pin`.
  static void Configurar(TDFeSSL& ssl, const std::string& pin) {
    ssl.SetSSLCryptLib(TSSLCryptLib::cryWinCrypt);
    ssl.SetNumeroSerie(NumeroSeriePKI("token"));
    ssl.SetSenha(pin);
  }

  TRepositorioTeste repositorio;
  std::unique_ptr<TTokenTeste> token =
      TTokenTeste::Disponivel() ? std::make_unique<TTokenTeste>() : nullptr;
};

TEST_F(Token, LoadsTheTokenCertificateAsA3WithAKeyThatSigns) {
  TDFeSSL ssl;
  Configurar(ssl, "1234");
  ssl.CarregarCertificado();
  EXPECT_EQ(ssl.CertTipo(), TSSLTipoCertificado::tpcA3);
  EXPECT_EQ(ssl.CertRazaoSocial(), "EMPRESA TOKEN LTDA");
  EXPECT_EQ(ssl.CertCNPJ(), "12345678000195");
  const TCertContext* contexto = ssl.CertContextWinApi();
  ASSERT_NE(contexto, nullptr);
  ASSERT_NE(contexto->ChavePrivada, nullptr);

  const std::string dados = "conteudo assinado no token";
  const std::string assinatura =
      ssl.CalcHash(dados, TSSLDgst::dgstSHA256, TSSLHashOutput::outBinary, true);
  std::unique_ptr<EVP_MD_CTX, void (*)(EVP_MD_CTX*)> ctx(EVP_MD_CTX_new(), &EVP_MD_CTX_free);
  ASSERT_EQ(EVP_DigestVerifyInit(ctx.get(), nullptr, EVP_sha256(), nullptr,
                                 X509_get0_pubkey(contexto->Certificado)),
            1);
  EXPECT_EQ(EVP_DigestVerify(ctx.get(), reinterpret_cast<const unsigned char*>(assinatura.data()),
                             assinatura.size(),
                             reinterpret_cast<const unsigned char*>(dados.data()), dados.size()),
            1);
}

TEST_F(Token, TheKeyCannotBeExported) {
  TDFeSSL ssl;
  Configurar(ssl, "1234");
  try {
    (void)ssl.SSLCryptClass().CertPFXData();
    ADD_FAILURE() << "exportou a chave do token";
  } catch (const ENivraDFeExceptionNoPrivateKey& e) {
    EXPECT_STREQ(e.what(), "Certificado não permite Exportar Chave Privada.");
  }
}

TEST_F(Token, ThePINIsGivenOncePerProcessAndTakenBackOnUnload) {
  TDFeSSL primeiro;
  Configurar(primeiro, "1234");
  primeiro.CarregarCertificado();
  // The token is logged in for the process, so a second facade uses the key without the PIN;
  // a wrong PIN is not even presented.
  TDFeSSL segundo;
  Configurar(segundo, "9999");
  segundo.CarregarCertificado();
  EXPECT_NE(segundo.CertContextWinApi()->ChavePrivada, nullptr);
  EXPECT_EQ(segundo.Senha(), "9999");
  EXPECT_EQ(segundo.CalcHash(std::string("x"), TSSLDgst::dgstSHA1, TSSLHashOutput::outBinary, true)
                .size(),
            256U);

  // Unloading takes the PIN back: now the wrong PIN is presented and refused.
  primeiro.DescarregarCertificado();
  segundo.DescarregarCertificado();
  TDFeSSL terceiro;
  Configurar(terceiro, "9999");
  EXPECT_EQ(MensagemDe([&terceiro] { terceiro.CarregarCertificado(); }),
            "O cartão não pode ser acessado porque o PIN errado foi apresentado.");
}

TEST_F(Token, AWrongPINIsRefusedAndEmptiesThePasswordLeavingNothingLoaded) {
  TDFeSSL ssl;
  Configurar(ssl, "4321");
  EXPECT_EQ(MensagemDe([&ssl] { ssl.CarregarCertificado(); }),
            "O cartão não pode ser acessado porque o PIN errado foi apresentado.");
  EXPECT_EQ(ssl.Senha(), "");
  EXPECT_FALSE(ssl.CertificadoLido());
  EXPECT_EQ(ssl.DadosCertificado().NumeroSerie(), "");

  // The next attempt presents no PIN: the certificate loads, its key stays hidden.
  ssl.CarregarCertificado();
  EXPECT_EQ(ssl.CertContextWinApi()->ChavePrivada, nullptr);
  EXPECT_EQ(MensagemDe([&ssl] {
              (void)ssl.CalcHash(std::string("x"), TSSLDgst::dgstSHA1, TSSLHashOutput::outHexa,
                                 true);
            }).rfind("O recipiente da chave não pôde ser aberto , erro: $", 0),
            0U);
}

}  // namespace

namespace {

TEST(TokenBloqueado, ABlockedPINIsRefusedWithItsOwnMessageAndEmptiesThePassword) {
  if (!TTokenTeste::Disponivel()) GTEST_SKIP() << "PKI sem token";
  TRepositorioTeste repositorio;
  TTokenTeste token(NIVRA_PKCS11_PIN_BLOQUEADO);
  TDFeSSL ssl;
  ssl.SetSSLCryptLib(TSSLCryptLib::cryWinCrypt);
  ssl.SetNumeroSerie(NumeroSeriePKI("token"));
  ssl.SetSenha("1234");
  EXPECT_EQ(MensagemDe([&ssl] { ssl.CarregarCertificado(); }),
            "O cartão não pode ser acessado porque o número máximo de tentativas de entrada de "
            "PIN foi atingido");
  EXPECT_EQ(ssl.Senha(), "");
  EXPECT_FALSE(ssl.CertificadoLido());
}

}  // namespace

}  // namespace nivra
