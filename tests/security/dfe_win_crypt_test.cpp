// TDFeWinCrypt with PKCS#12 data and files: the data of each test certificate, the loading
// order and its messages, legacy encryption, export, the public certificate and CalcHash.
#include "nivranfe/security/dfe_win_crypt.h"

#include <gtest/gtest.h>
#include <openssl/evp.h>
#include <openssl/x509.h>

#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "nivranfe/security/arquivo_pfx.h"
#include "nivranfe/security/dfe_ssl.h"
#include "nivranfe/util/datahora.h"
#include "nivranfe/util/excecoes.h"
#include "tests/fakes/certificados_teste.h"
#include "tests/fakes/mensagem_de.h"
#include "tests/fakes/pasta_temporaria.h"
#include "tests/fakes/pki_teste.h"

namespace nivra {

namespace {

// A facade with the store-backed crypto role, an empty store, and local time pinned to a
// fixed offset of -03:00 without daylight saving.
class WinCrypt : public ::testing::Test {
 protected:
  WinCrypt() {
    const char* tz = std::getenv("TZ");
    FTZAnterior = tz != nullptr ? tz : "";
    FTinhaTZ = tz != nullptr;
    ::setenv("TZ", "<-03>3", 1);
    ::tzset();
    ssl.SetSSLCryptLib(TSSLCryptLib::cryWinCrypt);
  }
  ~WinCrypt() override {
    if (FTinhaTZ)
      ::setenv("TZ", FTZAnterior.c_str(), 1);
    else
      ::unsetenv("TZ");
    ::tzset();
  }

  void UsarPFX(const std::string& nome, const std::string& senha = SenhaPKITeste) {
    ssl.SetArquivoPFX(PastaPKITeste() + nome);
    ssl.SetSenha(senha);
  }

  TRepositorioTeste repositorio;
  TDFeSSL ssl;

 private:
  std::string FTZAnterior;
  bool FTinhaTZ = false;
};

struct CasoCertificado {
  const char* arquivo;
  const char* razaoSocial;
  const char* cnpj;
  const char* certificadora;
};

TEST_F(WinCrypt, EachTestCertificateGivesItsHolderDocumentAndAuthority) {
  const std::vector<CasoCertificado> casos = {
      {"empresa.pfx", "EMPRESA MODELO LTDA", "11222333000181", "AC NIVRA TESTE"},
      // The common name's check digit is wrong: the CNPJ comes from the alternative name.
      {"empresa-cn-invalido.pfx", "EMPRESA DIGITO ERRADO LTDA", "11222333000181", "AC NIVRA TESTE"},
      {"pessoa.pfx", "FULANO DE TAL", "12345678909", "AC NIVRA TESTE"},
      // The person's data as a PrintableString: its CPF read in its own places.
      {"pessoa-texto.pfx", "CICLANO DE TAL", "12345678909", "AC NIVRA TESTE"},
      {"empresa-alfanumerica.pfx", "EMPRESA ALFANUMERICA LTDA", "12ABC34501DE35", "AC NIVRA TESTE"},
      {"sem-cnpj.pfx", "Servidor de Integracao", "", "AC NIVRA TESTE"},
      {"vencida.pfx", "EMPRESA VENCIDA LTDA", "98765432000198", "AC NIVRA TESTE"},
      {"cliente-outra-ca.pfx", "EMPRESA ESTRANHA LTDA", "45678912000155", "AC ESTRANHA DE TESTE"},
  };
  for (const CasoCertificado& caso : casos) {
    SCOPED_TRACE(caso.arquivo);
    UsarPFX(caso.arquivo);
    ssl.CarregarCertificado();
    const TDadosCertificado& dados = ssl.DadosCertificado();
    EXPECT_EQ(dados.RazaoSocial(), caso.razaoSocial);
    EXPECT_EQ(dados.CNPJ(), caso.cnpj);
    EXPECT_EQ(dados.Certificadora(), caso.certificadora);
    EXPECT_EQ(dados.Tipo(), TSSLTipoCertificado::tpcA1);
    EXPECT_EQ(
        dados.NumeroSerie(),
        NumeroSeriePKI(std::string(caso.arquivo).substr(0, std::string(caso.arquivo).size() - 4)));
    EXPECT_EQ(dados.ThumbPrint().size(), 40U);
    EXPECT_TRUE(ssl.CertificadoLido());
  }
}

TEST_F(WinCrypt, FullDataOfACompanyCertificate) {
  UsarPFX("empresa.pfx");
  // Names come in encoded order; the test authority puts the common name first.
  EXPECT_EQ(ssl.CertSubjectName(),
            "CN=EMPRESA MODELO LTDA:11222333000181, C=BR, O=ICP-Brasil, "
            "OU=Secretaria da Receita Federal do Brasil - RFB, OU=RFB e-CNPJ A1");
  EXPECT_EQ(ssl.CertIssuerName(), "C=BR, O=ICP-Brasil, CN=AC NIVRA TESTE RFB v5");
  // Valid to 2049-12-31 23:59:59 UTC, shown at -03:00.
  EXPECT_EQ(FormatarDataHora("yyyy-mm-dd hh:nn:ss", ssl.CertDataVenc()), "2049-12-31 20:59:59");
  // The PEM file's lines between its markers are the same Base64 text.
  const std::string pem = TPastaTemporaria::Ler(PastaPKITeste() + "empresa.pem");
  std::string esperado;
  bool dentro = false;
  std::size_t inicio = 0;
  for (std::size_t fim = pem.find('\n'); fim != std::string::npos;
       inicio = fim + 1, fim = pem.find('\n', inicio)) {
    const std::string linha = pem.substr(inicio, fim - inicio);
    if (linha.rfind("-----", 0) == 0) {
      dentro = !dentro;
      continue;
    }
    if (dentro) esperado += linha;
  }
  EXPECT_EQ(ssl.DadosCertificado().DERBase64(), esperado);
}

TEST_F(WinCrypt, ExpiredCertificateGivesItsPastExpiryInLocalTime) {
  UsarPFX("vencida.pfx");
  // notAfter is 2016-01-01 00:00:00 UTC.
  EXPECT_EQ(ssl.CertDataVenc(), CodificarDataHora(2015, 12, 31, 21, 0, 0));
}

TEST_F(WinCrypt, LegacyEncryptedAndMacLessPKCS12Open) {
  for (const char* arquivo : {"empresa-legado.pfx", "empresa-sem-mac.pfx"}) {
    SCOPED_TRACE(arquivo);
    TDFeSSL outro;
    outro.SetSSLCryptLib(TSSLCryptLib::cryWinCrypt);
    outro.SetArquivoPFX(PastaPKITeste() + arquivo);
    outro.SetSenha(SenhaPKITeste);
    EXPECT_EQ(outro.CertCNPJ(), "11222333000181");
    EXPECT_EQ(outro.CertTipo(), TSSLTipoCertificado::tpcA1);
    EXPECT_TRUE(outro.CertificadoLido());
  }
}

TEST_F(WinCrypt, ReadingAFileKeepsItsBytesAsDadosPFXAndDadosPFXWinsOverTheFile) {
  UsarPFX("empresa.pfx");
  ssl.CarregarCertificado();
  EXPECT_EQ(ssl.DadosPFX(), TPastaTemporaria::Ler(PastaPKITeste() + "empresa.pfx"));

  TDFeSSL outro;
  outro.SetSSLCryptLib(TSSLCryptLib::cryWinCrypt);
  outro.SetArquivoPFX(PastaPKITeste() + "pessoa.pfx");
  outro.SetDadosPFX(TPastaTemporaria::Ler(PastaPKITeste() + "empresa.pfx"));
  outro.SetSenha(SenhaPKITeste);
  EXPECT_EQ(outro.CertRazaoSocial(), "EMPRESA MODELO LTDA");
}

TEST_F(WinCrypt, AFileWinsOverASerialNumber) {
  ssl.SetNumeroSerie(NumeroSeriePKI("pessoa"));
  UsarPFX("empresa.pfx");
  EXPECT_EQ(ssl.CertRazaoSocial(), "EMPRESA MODELO LTDA");
}

struct CasoFalha {
  const char* nome;
  std::function<void(TDFeSSL&, const std::string&)> preparar;
  std::string mensagem;
};

TEST_F(WinCrypt, LoadFailuresSayWhyAndLeaveNothingLoaded) {
  TPastaTemporaria pasta;
  TPastaTemporaria::Escrever(pasta.Caminho() + "texto.pfx", "isto nao e um PFX");
  const std::string pki = PastaPKITeste();
  const std::vector<CasoFalha> casos = {
      {"nada", [](TDFeSSL&, const std::string&) {},
       "DadosPFX, ArquivoPFX ou NumeroSerie não especificados !"},
      {"arquivo ausente",
       [](TDFeSSL& s, const std::string& p) { s.SetArquivoPFX(p + "nao-existe.pfx"); },
       "Arquivo: " + pasta.Caminho() + "nao-existe.pfx não encontrado"},
      {"pasta como arquivo", [](TDFeSSL& s, const std::string& p) { s.SetArquivoPFX(p); },
       "Arquivo: " + pasta.Caminho() + " não encontrado"},
      {"não é PFX", [](TDFeSSL& s, const std::string& p) { s.SetArquivoPFX(p + "texto.pfx"); },
       "PFXDataToCertContextWinApi: DadosPFX informado não são válidos"},
      {"senha errada",
       [pki](TDFeSSL& s, const std::string&) {
         s.SetArquivoPFX(pki + "empresa.pfx");
         s.SetSenha("errada");
       },
       "PFXDataToCertContextWinApi: Senha informada está errada"},
      {"sem senha", [pki](TDFeSSL& s, const std::string&) { s.SetArquivoPFX(pki + "empresa.pfx"); },
       "PFXDataToCertContextWinApi: Senha informada está errada"},
      {"senha errada sem MAC",
       [pki](TDFeSSL& s, const std::string&) {
         s.SetArquivoPFX(pki + "empresa-sem-mac.pfx");
         s.SetSenha("errada");
       },
       "PFXDataToCertContextWinApi: Senha informada está errada"},
      {"dados não PFX", [](TDFeSSL& s, const std::string&) { s.SetDadosPFX("xyz"); },
       "PFXDataToCertContextWinApi: DadosPFX informado não são válidos"},
      {"série ausente", [](TDFeSSL& s, const std::string&) { s.SetNumeroSerie("0a bc"); },
       "Certificado \"0ABC\" não encontrado!"},
  };
  for (const CasoFalha& caso : casos) {
    SCOPED_TRACE(caso.nome);
    TDFeSSL s;
    s.SetSSLCryptLib(TSSLCryptLib::cryWinCrypt);
    caso.preparar(s, pasta.Caminho());
    EXPECT_EQ(MensagemDe([&s] { s.CarregarCertificado(); }), caso.mensagem);
    EXPECT_FALSE(s.CertificadoLido());
    EXPECT_EQ(s.DadosCertificado().NumeroSerie(), "");
  }
}

TEST_F(WinCrypt, ExportOfAFileCertificateIsTheFileItself) {
  UsarPFX("empresa.pfx");
  EXPECT_EQ(ssl.SSLCryptClass().CertPFXData(),
            TPastaTemporaria::Ler(PastaPKITeste() + "empresa.pfx"));
}

TEST_F(WinCrypt, PublicCertificateFillsTheDataWithoutLoading) {
  TDFeSSL origem;
  origem.SetSSLCryptLib(TSSLCryptLib::cryWinCrypt);
  origem.SetArquivoPFX(PastaPKITeste() + "pessoa.pfx");
  origem.SetSenha(SenhaPKITeste);
  origem.CarregarCertificado();
  const std::string base64 = origem.DadosCertificado().DERBase64();

  EXPECT_TRUE(ssl.CarregarCertificadoPublico(base64));
  EXPECT_FALSE(ssl.CertificadoLido());
  EXPECT_EQ(ssl.DadosCertificado().CNPJ(), "12345678909");
  EXPECT_EQ(ssl.DadosCertificado().Tipo(), TSSLTipoCertificado::tpcDesconhecido);
  EXPECT_FALSE(ssl.CarregarCertificadoPublico("bm8gY2VydGlmaWNhdGU="));
  EXPECT_FALSE(ssl.CarregarCertificadoPublico(""));
}

// The signature of `dados` checked with the certificate's public key.
bool AssinaturaConfere(const std::string& derBase64, const std::string& dados,
                       const std::string& assinatura, const EVP_MD* md) {
  std::string der(derBase64.size(), '\0');
  const int tamanho = EVP_DecodeBlock(reinterpret_cast<unsigned char*>(der.data()),
                                      reinterpret_cast<const unsigned char*>(derBase64.data()),
                                      static_cast<int>(derBase64.size()));
  if (tamanho < 0) return false;
  const auto* cursor = reinterpret_cast<const unsigned char*>(der.data());
  std::unique_ptr<X509, void (*)(X509*)> certificado(d2i_X509(nullptr, &cursor, tamanho),
                                                     &X509_free);
  if (!certificado) return false;
  std::unique_ptr<EVP_MD_CTX, void (*)(EVP_MD_CTX*)> ctx(EVP_MD_CTX_new(), &EVP_MD_CTX_free);
  return EVP_DigestVerifyInit(ctx.get(), nullptr, md, nullptr,
                              X509_get0_pubkey(certificado.get())) == 1 &&
         EVP_DigestVerify(ctx.get(), reinterpret_cast<const unsigned char*>(assinatura.data()),
                          assinatura.size(), reinterpret_cast<const unsigned char*>(dados.data()),
                          dados.size()) == 1;
}

TEST_F(WinCrypt, CalcHashDigestsAndSignsWithTheLoadedKey) {
  // Larger than one read block, so the chunked reading is part of the check.
  const std::string dados = std::string(70000, 'x') + "fim";
  UsarPFX("empresa.pfx");
  struct Caso {
    TSSLDgst digest;
    const EVP_MD* md;
  };
  for (const Caso& caso : {Caso{TSSLDgst::dgstSHA1, EVP_sha1()},
                           {TSSLDgst::dgstSHA, EVP_sha1()},
                           {TSSLDgst::dgstSHA256, EVP_sha256()},
                           {TSSLDgst::dgstSHA512, EVP_sha512()},
                           {TSSLDgst::dgstMD5, EVP_md5()}}) {
    SCOPED_TRACE(EVP_MD_get0_name(caso.md));
    unsigned char esperado[EVP_MAX_MD_SIZE];
    unsigned int tamanho = 0;
    ASSERT_EQ(EVP_Digest(dados.data(), dados.size(), esperado, &tamanho, caso.md, nullptr), 1);
    EXPECT_EQ(ssl.CalcHash(dados, caso.digest, TSSLHashOutput::outBinary),
              std::string(reinterpret_cast<char*>(esperado), tamanho));
    const std::string assinatura =
        ssl.CalcHash(dados, caso.digest, TSSLHashOutput::outBinary, true);
    EXPECT_EQ(assinatura.size(), 256U);
    EXPECT_TRUE(AssinaturaConfere(ssl.DadosCertificado().DERBase64(), dados, assinatura, caso.md));
  }
  EXPECT_EQ(MensagemDe([this] { (void)ssl.CalcHash(std::string("a"), TSSLDgst::dgstRMD160); }),
            "Digest dgstRMD160 não suportado em TDFeWinCrypt");
}

}  // namespace

}  // namespace nivra
