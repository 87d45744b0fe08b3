// The certificate store protected by a real Secret Service (gnome-keyring-daemon on a private
// bus): importing, reading through the facade, a locked keyring, a copy of the folder, moving old
// entries under the keyring (also when interrupted) and removing an entry with its password.
#include "nivranfe/security/chaveiro.h"

#include <gtest/gtest.h>
#include <openssl/x509.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "nivranfe/security/arquivo_pfx.h"
#include "nivranfe/security/dfe_ssl.h"
#include "nivranfe/security/protecao_repositorio.h"
#include "nivranfe/security/repositorio_certificados.h"
#include "nivranfe/util/excecoes.h"
#include "tests/fakes/certificados_teste.h"
#include "tests/fakes/chaveiro_teste.h"
#include "tests/fakes/mensagem_de.h"
#include "tests/fakes/pasta_temporaria.h"
#include "tests/fakes/pki_teste.h"

namespace nivra {

namespace {

namespace fs = std::filesystem;

// One keyring for the whole process: the session bus connection of a process is made once.
TChaveiroTeste& Chaveiro() {
  static TChaveiroTeste chaveiro;
  return chaveiro;
}

// The certificates the tests store.
const std::vector<std::string> kNomes = {"empresa", "vencida"};

class RepositorioChaveiro : public ::testing::Test {
 protected:
  void SetUp() override {
    Chaveiro();
    // Each test starts from an empty keyring.
    for (const std::string& nome : kNomes) (void)ChaveiroDaSessao().Remover(NumeroSeriePKI(nome));
    ASSERT_TRUE(ChaveiroDaSessao().Disponivel());
  }

  std::string Entrada(const std::string& nome) const {
    return repositorio.Caminho() + NumeroSeriePKI(nome) + ".pfx";
  }

  // Puts the PKI's entries that open without a password (made before the keyring) in the store.
  void CopiarEntradasAntigas() const {
    for (const std::string& nome : kNomes)
      fs::copy_file(PastaPKITeste() + "repositorio/" + nome + ".pfx", Entrada(nome));
  }

  // Loads `nome` from the store through the facade, as a program does; returns whether its key
  // is the PKI's.
  static bool CarregaPelaFachada(const std::string& nome) {
    TDFeSSL ssl;
    ssl.SetSSLCryptLib(TSSLCryptLib::cryWinCrypt);
    ssl.SetNumeroSerie(NumeroSeriePKI(nome));
    const TConteudoPFX original =
        LerPFX(TPastaTemporaria::Ler(PastaPKITeste() + nome + ".pfx"), SenhaPKITeste);
    return EVP_PKEY_eq(ssl.CertContextWinApi()->ChavePrivada, original.Chave.get()) == 1;
  }

  static bool AbreSemSenha(const std::string& arquivo) {
    try {
      (void)LerPFX(TPastaTemporaria::Ler(arquivo), "");
      return true;
    } catch (const ENivraDFeException&) {
      return false;
    }
  }

  const TRepositorioTeste repositorio;
};

// What `openssl pkcs12 -info` tells of the entry's protection, the password handed over in the
// environment.
std::string InformacoesPKCS12(const std::string& arquivo, const TSenhaSecreta& senha) {
  const TVariavelAmbiente variavel("NIVRA_TESTE_SENHA_P12", senha.Texto());
  FILE* saida = ::popen(
      ("openssl pkcs12 -info -noout -passin env:NIVRA_TESTE_SENHA_P12 -in '" + arquivo + "' 2>&1")
          .c_str(),
      "r");
  std::string texto;
  char bloco[512];
  for (size_t lidos; (lidos = std::fread(bloco, 1, sizeof bloco, saida)) > 0;)
    texto.append(bloco, lidos);
  ::pclose(saida);
  return texto;
}

TEST_F(RepositorioChaveiro, ImportEncryptsTheKeyUnderARandomPasswordKeptLabelledInTheKeyring) {
  const TDadosCertificado dados =
      ImportarCertificadoPFX(PastaPKITeste() + "empresa.pfx", SenhaPKITeste);
  const std::string serie = NumeroSeriePKI("empresa");
  EXPECT_EQ(dados.NumeroSerie(), serie);
  EXPECT_FALSE(AbreSemSenha(Entrada("empresa")));
  EXPECT_EQ(Chaveiro().Rotulos(serie),
            std::vector<std::string>{"Certificado EMPRESA MODELO LTDA | CNPJ 11222333000181 | "
                                     "série " +
                                     serie});

  const TSenhaSecreta senha = ChaveiroDaSessao().Buscar(serie);
  EXPECT_EQ(senha.Tamanho(), 43U);
  const std::string bytes = TPastaTemporaria::Ler(Entrada("empresa"));
  EXPECT_EQ(bytes.find(senha.Texto()), std::string::npos);
  const std::string info = InformacoesPKCS12(Entrada("empresa"), senha);
  EXPECT_NE(info.find("MAC: sha256, Iteration 100000"), std::string::npos) << info;
  EXPECT_NE(info.find("Shrouded Keybag: PBES2, PBKDF2, AES-256-CBC, Iteration 100000, PRF "
                      "hmacWithSHA256"),
            std::string::npos)
      << info;

  // Importing again replaces the entry and keeps one password for the certificate.
  (void)ImportarCertificadoPFX(PastaPKITeste() + "empresa-legado.pfx", SenhaPKITeste);
  EXPECT_EQ(Chaveiro().Rotulos(serie).size(), 1U);
  EXPECT_EQ(std::string(ChaveiroDaSessao().Buscar(serie).Texto()), senha.Texto());
  EXPECT_TRUE(CarregaPelaFachada("empresa"));
}

TEST_F(RepositorioChaveiro, AProtectedEntryIsListedWithoutTheKeyringAndLoadedThroughIt) {
  (void)ImportarCertificadoPFX(PastaPKITeste() + "vencida.pfx", SenhaPKITeste);
  std::vector<TEntradaRepositorio> entradas;
  ASSERT_TRUE(LerRepositorioCertificados(TSSLStoreLocation::slCurrentUser, entradas));
  ASSERT_EQ(entradas.size(), 1U);
  EXPECT_TRUE(entradas[0].Protegida);
  EXPECT_FALSE(entradas[0].Conteudo.Chave);
  EXPECT_EQ(entradas[0].Conteudo.Cadeia.size(), 1U);  // the authority

  EXPECT_TRUE(CarregaPelaFachada("vencida"));
  TDFeSSL ssl;
  ssl.SetSSLCryptLib(TSSLCryptLib::cryWinCrypt);
  ssl.LerCertificadosStore();
  ASSERT_EQ(ssl.ListaCertificados().Count(), 1U);
  EXPECT_EQ(ssl.ListaCertificados().Objects(0).RazaoSocial(), "EMPRESA VENCIDA LTDA");
}

TEST_F(RepositorioChaveiro, ACopyOfTheStoreFolderAloneOpensNoKey) {
  (void)ImportarCertificadoPFX(PastaPKITeste() + "empresa.pfx", SenhaPKITeste);
  const TPastaTemporaria copia;
  fs::copy(repositorio.Caminho(), copia.Caminho(), fs::copy_options::recursive);
  // Elsewhere the keyring is another one, without this certificate's password.
  ASSERT_TRUE(ChaveiroDaSessao().Remover(NumeroSeriePKI("empresa")));
  const TVariavelAmbiente store("NIVRA_CERT_STORE", copia.Caminho().c_str());

  const std::string arquivo = copia.Caminho() + NumeroSeriePKI("empresa") + ".pfx";
  EXPECT_FALSE(AbreSemSenha(arquivo));
  for (const char* senha : {"", SenhaPKITeste})
    EXPECT_EQ(MensagemDe([&] { (void)LerPFX(TPastaTemporaria::Ler(arquivo), senha); }),
              "PFXDataToCertContextWinApi: Senha informada está errada");
  TDFeSSL ssl;
  ssl.SetSSLCryptLib(TSSLCryptLib::cryWinCrypt);
  ssl.SetNumeroSerie(NumeroSeriePKI("empresa"));
  EXPECT_EQ(MensagemDe([&] { (void)ssl.CertContextWinApi(); }),
            "O chaveiro não guarda a senha do certificado " + NumeroSeriePKI("empresa") + " (" +
                arquivo + ")");
}

TEST_F(RepositorioChaveiro, ALockedKeyringIsAskedToUnlockAndTheEntryOpensOnceUnlocked) {
  (void)ImportarCertificadoPFX(PastaPKITeste() + "empresa.pfx", SenhaPKITeste);
  Chaveiro().Trancar();
  // The keyring asks the desktop's prompter, which this private session does not have: the
  // unlock is dismissed and the load fails saying why, without waiting.
  TDFeSSL ssl;
  ssl.SetSSLCryptLib(TSSLCryptLib::cryWinCrypt);
  ssl.SetNumeroSerie(NumeroSeriePKI("empresa"));
  EXPECT_EQ(MensagemDe([&] { (void)ssl.CertContextWinApi(); }),
            "O chaveiro que guarda a senha do certificado " + NumeroSeriePKI("empresa") +
                " está trancado e não foi destrancado");
  // Listing needs no password.
  ssl.LerCertificadosStore();
  EXPECT_EQ(ssl.ListaCertificados().Count(), 1U);

  Chaveiro().Destrancar();
  EXPECT_TRUE(CarregaPelaFachada("empresa"));
}

TEST_F(RepositorioChaveiro, OldEntriesKeepOpeningAndAreMovedUnderTheKeyring) {
  CopiarEntradasAntigas();
  for (const std::string& nome : kNomes) EXPECT_TRUE(CarregaPelaFachada(nome)) << nome;

  const TResultadoProtecao resultado =
      ProtegerRepositorioCertificados(TSSLStoreLocation::slCurrentUser);
  EXPECT_EQ(resultado.Protegidas,
            (std::vector<std::string>{Entrada("empresa"), Entrada("vencida")}));
  EXPECT_TRUE(resultado.Falhas.empty());
  for (const std::string& nome : kNomes) {
    EXPECT_FALSE(AbreSemSenha(Entrada(nome))) << nome;
    EXPECT_EQ(Chaveiro().Rotulos(NumeroSeriePKI(nome)).size(), 1U) << nome;
    EXPECT_TRUE(CarregaPelaFachada(nome)) << nome;
  }
  // Each certificate has a password of its own.
  EXPECT_STRNE(ChaveiroDaSessao().Buscar(NumeroSeriePKI("empresa")).Texto(),
               ChaveiroDaSessao().Buscar(NumeroSeriePKI("vencida")).Texto());
  // Nothing but the entries is left in the folder.
  EXPECT_EQ(std::distance(fs::directory_iterator(repositorio.Caminho()), fs::directory_iterator()),
            2);

  const TResultadoProtecao denovo =
      ProtegerRepositorioCertificados(TSSLStoreLocation::slCurrentUser);
  EXPECT_TRUE(denovo.Protegidas.empty());
  EXPECT_EQ(denovo.JaProtegidas.size(), 2U);
}

// The session's keyring, failing its `falhaNa`-th call of `operacao` (counted over the whole
// migration) as a keyring that goes away or a process that is stopped would.
class TChaveiroQueFalha : public TChaveiro {
 public:
  enum class TOperacao { Buscar, Guardar };
  TChaveiroQueFalha(TOperacao operacao, int falhaNa) : FOperacao(operacao), FFalhaNa(falhaNa) {}

  bool Disponivel() override { return ChaveiroDaSessao().Disponivel(); }
  TSenhaSecreta Buscar(const std::string& numeroSerie) override {
    Contar(TOperacao::Buscar);
    return ChaveiroDaSessao().Buscar(numeroSerie);
  }
  void Guardar(const std::string& numeroSerie, const std::string& cnpj, const std::string& rotulo,
               const TSenhaSecreta& senha) override {
    Contar(TOperacao::Guardar);
    ChaveiroDaSessao().Guardar(numeroSerie, cnpj, rotulo, senha);
  }
  bool Remover(const std::string& numeroSerie) override {
    return ChaveiroDaSessao().Remover(numeroSerie);
  }

 private:
  void Contar(TOperacao operacao) {
    if (operacao == FOperacao && ++FChamadas == FFalhaNa)
      throw ENivraDFeException("chaveiro interrompido");
  }

  TOperacao FOperacao;
  int FFalhaNa;
  int FChamadas = 0;
};

TEST_F(RepositorioChaveiro, AnInterruptedMigrationLeavesEveryEntryOpeningAndCanBeRunAgain) {
  using TOperacao = TChaveiroQueFalha::TOperacao;
  struct TCaso {
    const char* Quando;
    TOperacao Operacao;
    int FalhaNa;
    const char* Interrompida;  // the entry left as it was; the other is protected
  };
  // Each entry asks for its password, keeps a new one, writes its copy beside and asks again to
  // read it back before replacing the old entry.
  const TCaso casos[] = {
      {"ao guardar a senha da primeira", TOperacao::Guardar, 1, "empresa"},
      {"ao ler de volta a primeira", TOperacao::Buscar, 2, "empresa"},
      {"ao guardar a senha da segunda", TOperacao::Guardar, 2, "vencida"},
      {"ao ler de volta a segunda", TOperacao::Buscar, 4, "vencida"},
  };
  for (const TCaso& caso : casos) {
    SCOPED_TRACE(caso.Quando);
    SetUp();
    for (const auto& item : fs::directory_iterator(repositorio.Caminho())) fs::remove(item);
    CopiarEntradasAntigas();
    // A copy a stopped process left beside an entry is never taken for one.
    TPastaTemporaria::Escrever(Entrada("empresa") + ".novo", "metade de um PKCS#12");

    TChaveiroQueFalha chaveiro(caso.Operacao, caso.FalhaNa);
    const TResultadoProtecao interrompida =
        ProtegerRepositorioCertificados(TSSLStoreLocation::slCurrentUser, chaveiro);
    EXPECT_EQ(interrompida.Protegidas.size(), 1U);
    ASSERT_EQ(interrompida.Falhas.size(), 1U);
    EXPECT_EQ(interrompida.Falhas[0], Entrada(caso.Interrompida) + ": chaveiro interrompido");
    for (const std::string& nome : kNomes)
      EXPECT_EQ(AbreSemSenha(Entrada(nome)), nome == caso.Interrompida) << nome;
    for (const std::string& nome : kNomes) EXPECT_TRUE(CarregaPelaFachada(nome)) << nome;

    const TResultadoProtecao retomada =
        ProtegerRepositorioCertificados(TSSLStoreLocation::slCurrentUser);
    EXPECT_EQ(retomada.Protegidas.size() + retomada.JaProtegidas.size(), 2U);
    EXPECT_TRUE(retomada.Falhas.empty());
    EXPECT_EQ(
        std::distance(fs::directory_iterator(repositorio.Caminho()), fs::directory_iterator()), 2);
    for (const std::string& nome : kNomes) {
      EXPECT_FALSE(AbreSemSenha(Entrada(nome))) << nome;
      EXPECT_TRUE(CarregaPelaFachada(nome)) << nome;
    }
  }
}

TEST_F(RepositorioChaveiro, RemovingTakesTheEntryAndItsPasswordEitherMayBeMissingAlone) {
  const std::string empresa = NumeroSeriePKI("empresa");
  const std::string vencida = NumeroSeriePKI("vencida");
  (void)ImportarCertificadoPFX(PastaPKITeste() + "empresa.pfx", SenhaPKITeste);
  fs::copy_file(PastaPKITeste() + "repositorio/vencida.pfx", Entrada("vencida"));

  // The serial as a user may type it, in lower case.
  std::string minusculas = empresa;
  for (char& c : minusculas) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  const TResultadoRemocao protegida = RemoverCertificadoRepositorio(minusculas);
  EXPECT_EQ(protegida.Arquivos, std::vector<std::string>{Entrada("empresa")});
  EXPECT_TRUE(protegida.ItemChaveiro);
  EXPECT_FALSE(fs::exists(Entrada("empresa")));
  EXPECT_TRUE(Chaveiro().Rotulos(empresa).empty());

  const TResultadoRemocao antiga = RemoverCertificadoRepositorio(vencida);  // no password kept
  EXPECT_EQ(antiga.Arquivos, std::vector<std::string>{Entrada("vencida")});
  EXPECT_TRUE(antiga.ChaveiroConsultado);
  EXPECT_FALSE(antiga.ItemChaveiro);

  // A password whose entry is already gone goes alone.
  (void)ImportarCertificadoPFX(PastaPKITeste() + "empresa.pfx", SenhaPKITeste);
  fs::remove(Entrada("empresa"));
  const TResultadoRemocao orfa = RemoverCertificadoRepositorio(empresa);
  EXPECT_TRUE(orfa.Arquivos.empty());
  EXPECT_TRUE(orfa.ItemChaveiro);
  EXPECT_TRUE(Chaveiro().Rotulos(empresa).empty());

  EXPECT_EQ(MensagemDe([&] { (void)RemoverCertificadoRepositorio(empresa); }),
            "Certificado \"" + empresa + "\" não encontrado no repositório");
}

}  // namespace

}  // namespace nivra
