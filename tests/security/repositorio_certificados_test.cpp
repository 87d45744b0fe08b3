// The certificate store folder: where it is, importing PKCS#12 files, listing, loading by serial
// number, exporting a store certificate, and selecting through the facade's chooser.
#include "nivranfe/security/repositorio_certificados.h"

#include <gtest/gtest.h>
#include <openssl/pkcs12.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "nivranfe/security/arquivo_pfx.h"
#include "nivranfe/security/dfe_ssl.h"
#include "nivranfe/util/excecoes.h"
#include "tests/fakes/certificados_teste.h"
#include "tests/fakes/mensagem_de.h"
#include "tests/fakes/pasta_temporaria.h"
#include "tests/fakes/pki_teste.h"
#include "tests/fakes/sem_privilegio.h"
#include "tests/fakes/variavel_ambiente.h"

namespace nivra {

namespace {

namespace fs = std::filesystem;

unsigned Modo(const std::string& caminho) {
  struct stat estado {};
  if (::stat(caminho.c_str(), &estado) != 0) return 0;
  return estado.st_mode & 0777U;
}

TEST(PastaRepositorio, FollowsTheOverrideTheDataHomeAndTheLocation) {
  struct Caso {
    const char* store;
    const char* dataHome;
    TSSLStoreLocation local;
    const char* pasta;
  };
  const std::vector<Caso> casos = {
      {"/tmp/meu-store", "/x", TSSLStoreLocation::slLocalMachine, "/tmp/meu-store/"},
      {nullptr, "/dados", TSSLStoreLocation::slCurrentUser, "/dados/nivra/certificados/"},
      {nullptr, "/dados/", TSSLStoreLocation::slSmartCard, "/dados/nivra/certificados/"},
      {nullptr, "/dados", TSSLStoreLocation::slMemory, "/dados/nivra/certificados/"},
      {nullptr, "/dados", TSSLStoreLocation::slActiveDirectory, "/dados/nivra/certificados/"},
      {nullptr, "/dados", TSSLStoreLocation::slLocalMachine, "/etc/nivra/certificados/"},
      {nullptr, nullptr, TSSLStoreLocation::slCurrentUser,
       "/home/fulano/.local/share/nivra/certificados/"},
      {"", "", TSSLStoreLocation::slCurrentUser, "/home/fulano/.local/share/nivra/certificados/"},
  };
  const TVariavelAmbiente home("HOME", "/home/fulano");
  for (const Caso& caso : casos) {
    const TVariavelAmbiente store("NIVRA_CERT_STORE", caso.store);
    const TVariavelAmbiente dados("XDG_DATA_HOME", caso.dataHome);
    EXPECT_EQ(PastaRepositorioCertificados(caso.local), caso.pasta) << caso.pasta;
  }
}

TEST(ImportarCertificado, WritesAPasswordlessPrivateEntryNamedBySerialAndReplacesOnReimport) {
  TPastaTemporaria base;
  const std::string pasta = base.Caminho() + "novo/certificados/";
  const TVariavelAmbiente store("NIVRA_CERT_STORE", pasta.c_str());

  const TDadosCertificado dados =
      ImportarCertificadoPFX(PastaPKITeste() + "empresa-legado.pfx", SenhaPKITeste);
  EXPECT_EQ(dados.CNPJ(), "11222333000181");
  EXPECT_EQ(dados.Tipo(), TSSLTipoCertificado::tpcA1);
  const std::string entrada = pasta + NumeroSeriePKI("empresa") + ".pfx";
  EXPECT_EQ(Modo(pasta), 0700U);
  EXPECT_EQ(Modo(entrada), 0600U);
  const TConteudoPFX aberto = LerPFX(TPastaTemporaria::Ler(entrada), "");
  EXPECT_TRUE(aberto.Chave);

  (void)ImportarCertificadoPFX(PastaPKITeste() + "empresa.pfx", SenhaPKITeste);
  std::vector<std::string> arquivos;
  for (const auto& item : fs::directory_iterator(pasta)) arquivos.push_back(item.path().string());
  EXPECT_EQ(arquivos, std::vector<std::string>{entrada});
}

TEST(ImportarCertificado, RefusesAMissingFileABadFileAndAWrongPasswordWritingNothing) {
  TPastaTemporaria base;
  const std::string pasta = base.Caminho() + "certificados/";
  const TVariavelAmbiente store("NIVRA_CERT_STORE", pasta.c_str());
  TPastaTemporaria::Escrever(base.Caminho() + "ruim.pfx", "ruim");
  EXPECT_EQ(MensagemDe([&] { (void)ImportarCertificadoPFX(base.Caminho() + "x.pfx", "a"); }),
            "Arquivo: " + base.Caminho() + "x.pfx não encontrado");
  EXPECT_EQ(MensagemDe([&] { (void)ImportarCertificadoPFX(base.Caminho() + "ruim.pfx", "a"); }),
            "PFXDataToCertContextWinApi: DadosPFX informado não são válidos");
  EXPECT_EQ(
      MensagemDe([] { (void)ImportarCertificadoPFX(PastaPKITeste() + "empresa.pfx", "errada"); }),
      "PFXDataToCertContextWinApi: Senha informada está errada");
  EXPECT_FALSE(fs::exists(pasta));
}

// A facade over a store holding the PKI's store folder plus a file that is not PKCS#12 and one
// that needs a password, and over a copy of the PKI's token.
class Repositorio : public ::testing::Test {
 protected:
  Repositorio() {
    for (const auto& item : fs::directory_iterator(PastaPKITeste() + "repositorio"))
      fs::copy(item.path(), repositorio.Caminho() + item.path().filename().string());
    TPastaTemporaria::Escrever(repositorio.Caminho() + "lixo.pfx", "nao e PKCS#12");
    fs::copy(PastaPKITeste() + "pessoa.pfx", repositorio.Caminho() + "com-senha.pfx");
    ssl.SetSSLCryptLib(TSSLCryptLib::cryWinCrypt);
  }

  std::vector<std::string> Series() {
    std::vector<std::string> series;
    for (std::size_t i = 0; i < ssl.ListaCertificados().Count(); ++i)
      series.push_back(ssl.ListaCertificados().Objects(i).NumeroSerie());
    return series;
  }

  TRepositorioTeste repositorio;
  TTokenTeste token;
  TDFeSSL ssl;
};

TEST_F(Repositorio, ListsEveryEntryThatOpensAndEveryTokenCertificateWithoutKind) {
  if (!TTokenTeste::Disponivel()) GTEST_SKIP() << "PKI sem token";
  ::testing::internal::CaptureStderr();
  ssl.LerCertificadosStore();
  const std::string log = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(Series(),
            (std::vector<std::string>{NumeroSeriePKI("empresa"), NumeroSeriePKI("vencida"),
                                      NumeroSeriePKI("token")}));
  const TDadosCertificado& vencida = ssl.ListaCertificados().Objects(1);
  EXPECT_EQ(vencida.RazaoSocial(), "EMPRESA VENCIDA LTDA");
  // 2016-01-01 00:00 UTC, within a day of it in any local time.
  EXPECT_GT(vencida.DataVenc(), 42369.0);
  EXPECT_LT(vencida.DataVenc(), 42371.0);
  EXPECT_EQ(vencida.Tipo(), TSSLTipoCertificado::tpcDesconhecido);
  EXPECT_NE(log.find("lixo.pfx"), std::string::npos) << log;
  EXPECT_NE(log.find("com-senha.pfx"), std::string::npos) << log;
}

TEST_F(Repositorio, LoadsAnEntryBySerialNumberAndExportsItUnderTheFacadePassword) {
  ssl.SetNumeroSerie(NumeroSeriePKI("vencida"));
  ssl.SetSenha("exportacao");
  EXPECT_EQ(ssl.CertRazaoSocial(), "EMPRESA VENCIDA LTDA");
  EXPECT_EQ(ssl.CertTipo(), TSSLTipoCertificado::tpcA1);
  EXPECT_TRUE(ssl.DadosPFX().empty());

  const std::string pfx = ssl.SSLCryptClass().CertPFXData();
  const TConteudoPFX exportado = LerPFX(pfx, "exportacao");
  EXPECT_EQ(X509_cmp(exportado.Certificado.get(), ssl.CertContextWinApi()->Certificado), 0);
  EXPECT_EQ(EVP_PKEY_eq(exportado.Chave.get(), ssl.CertContextWinApi()->ChavePrivada), 1);
  EXPECT_EQ(exportado.Cadeia.size(), 1U);  // the authority
}

TEST_F(Repositorio, AnExportInClearHasNoIntegrityCheckAndReadsBackWithoutPassword) {
  ssl.SetNumeroSerie(NumeroSeriePKI("vencida"));
  const TCertContext* contexto = ssl.CertContextWinApi();
  const TConteudoPFX origem = LerPFX(ssl.SSLCryptClass().CertPFXData(), "");
  const std::string aberto =
      GerarPFXAberto(origem.Certificado.get(), origem.Chave.get(), origem.Cadeia);

  const auto* cursor = reinterpret_cast<const unsigned char*>(aberto.data());
  TPKCS12Ptr p12(d2i_PKCS12(nullptr, &cursor, static_cast<long>(aberto.size())));
  ASSERT_TRUE(p12);
  EXPECT_EQ(PKCS12_mac_present(p12.get()), 0);
  const TConteudoPFX lido = LerPFX(aberto, "");
  EXPECT_EQ(X509_cmp(lido.Certificado.get(), contexto->Certificado), 0);
  EXPECT_EQ(EVP_PKEY_eq(lido.Chave.get(), contexto->ChavePrivada), 1);
  EXPECT_EQ(lido.Cadeia.size(), 1U);
}

TEST_F(Repositorio, AStoreFolderThatCannotBeReadIsReported) {
  fs::permissions(repositorio.Caminho(), fs::perms::none);
  ssl.SetStoreName("My");
  std::string mensagem;
  {
    const TSemPrivilegio semPrivilegio;  // the superuser reads any folder
    mensagem = MensagemDe([this] { ssl.LerCertificadosStore(); });
  }
  EXPECT_EQ(mensagem, "TDFeWinCrypt. Erro ao abrir StoreName: My Location: 2");
}

TEST_F(Repositorio, SelectingAsksTheChooserAndLoadsTheChosenCertificate) {
  EXPECT_EQ(ssl.SelecionarCertificado(), "");  // no chooser installed

  std::string titulo;
  std::string texto;
  std::vector<std::string> oferecidos;
  ssl.SetEscolherCertificado(
      [&](const TListaCertificados& lista, const std::string& t, const std::string& x) {
        titulo = t;
        texto = x;
        for (std::size_t i = 0; i < lista.Count(); ++i)
          oferecidos.push_back(lista.Objects(i).NumeroSerie());
        return lista.Objects(1).NumeroSerie();
      });
  EXPECT_EQ(ssl.SelecionarCertificado(), NumeroSeriePKI("vencida"));
  EXPECT_EQ(titulo, "Selecione um Certificado");
  EXPECT_EQ(texto, "Selecione o Certificado que deseja utilizar:");
  EXPECT_GE(oferecidos.size(), 2U);
  EXPECT_EQ(ssl.NumeroSerie(), NumeroSeriePKI("vencida"));
  EXPECT_TRUE(ssl.CertificadoLido());
  EXPECT_EQ(ssl.CertRazaoSocial(), "EMPRESA VENCIDA LTDA");

  ssl.SetEscolherCertificado([](const TListaCertificados&, const std::string&, const std::string&) {
    return std::string();
  });
  EXPECT_EQ(ssl.SelecionarCertificado(), "");
  EXPECT_FALSE(ssl.CertificadoLido());
}

}  // namespace

}  // namespace nivra
