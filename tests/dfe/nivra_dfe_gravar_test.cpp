// Saving XML files: where they go, the UTF-8 declaration rules, the removed marker, and the
// failures, which go through GerarException and never leave a partial file.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "nivranfe/dfe/nivra_nfe.h"
#include "nivranfe/util/excecoes.h"
#include "tests/fakes/mensagem_de.h"
#include "tests/fakes/pasta_temporaria.h"
#include "tests/fakes/sem_privilegio.h"

namespace nivra {

namespace {

namespace fs = std::filesystem;

const std::string kDecl = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";

class GravarTest : public ::testing::Test {
 protected:
  void SetUp() override { nfe.Configuracoes().Arquivos().SetPathSalvar(pasta.Caminho()); }

  // The message Gravar raised.
  std::string ErroDe(const std::string& nome, const std::string& xml,
                     const std::string& aPath = "") {
    return MensagemDe([&] { (void)nfe.Gravar(nome, xml, aPath); });
  }

  // The files left in the folder, temporary ones included.
  std::vector<std::string> Arquivos(const std::string& dir) const {
    std::vector<std::string> nomes;
    for (const auto& entrada : fs::directory_iterator(dir))
      nomes.push_back(entrada.path().filename().string());
    return nomes;
  }

  TPastaTemporaria pasta;
  TNivraNFe nfe;
};

TEST_F(GravarTest, EncodingDeclarationRules) {
  struct Caso {
    const char* nome;
    std::string xml;
    bool ehUTF8;
    std::string esperado;
  };
  const std::string declUTF8 = "<?xml version=\"1.0\" encoding=\"utf-8\"?><a>\xC3\xA7</a>";
  const Caso casos[] = {
      {"declara", declUTF8, true, declUTF8},
      {"declara-nao-utf8", declUTF8, false, declUTF8},
      {"utf8-sem-declaracao", "<a>\xC3\xA7</a>", true, kDecl + "<a>\xC3\xA7</a>"},
      // Text in the legacy 8-bit code page is encoded to UTF-8.
      {"latin1", "<a>\xE7</a>", false, kDecl + "<a>\xC3\xA7</a>"},
      // A declaration in single quotes declares UTF-8 too: the text stays as it is.
      {"aspas-simples", "<?xml version='1.0' encoding='utf-8'?><a/>", true,
       "<?xml version='1.0' encoding='utf-8'?><a/>"},
      // A declaration of another encoding is replaced, never doubled.
      {"outra-codificacao", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a>\xE7</a>", false,
       kDecl + "<a>\xC3\xA7</a>"},
      {"marcador", "<a><-><->x<-><-></a>", true, kDecl + "<a>x</a>"},
      // A byte-order mark or blanks in front do not hide a declaration of another encoding.
      {"bom-outra-codificacao", "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a/>",
       false, kDecl + "<a/>"},
      {"brancos-outra-codificacao", "\r\n <?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a/>",
       true, kDecl + "<a/>"},
      // Bytes that are not UTF-8 are read as the 8-bit code page even when called UTF-8.
      {"utf8-invalido", "<a>\xE7</a>", true, kDecl + "<a>\xC3\xA7</a>"},
  };
  for (const Caso& c : casos) {
    const std::string nome = std::string(c.nome) + ".xml";
    EXPECT_TRUE(nfe.Gravar(nome, c.xml, "", c.ehUTF8)) << c.nome;
    EXPECT_EQ(TPastaTemporaria::Ler(pasta.Caminho() + nome), c.esperado) << c.nome;
  }
}

TEST_F(GravarTest, FolderComesFromAPathThenPathSalvar) {
  EXPECT_TRUE(nfe.Gravar("p.xml", "<x/>", pasta.Caminho() + "ap"));
  EXPECT_TRUE(fs::exists(pasta.Caminho() + "ap/p.xml"));

  EXPECT_TRUE(nfe.Gravar("s.xml", "<x/>"));
  EXPECT_TRUE(fs::exists(pasta.Caminho() + "s.xml"));
}

TEST_F(GravarTest, NameWithAFolderPartIsRefusedWhoeverBuiltIt) {
  fs::create_directories(pasta.Caminho() + "dentro");
  for (const std::string& nome :
       std::vector<std::string>{"../../fora.xml", "dentro/x.xml", "..", "a..b-nfe.xml",
                                "..\\fora.xml", "/tmp/x.xml", pasta.Caminho() + "dentro/y.xml"}) {
    EXPECT_EQ(
        ErroDe(nome, "<x/>", pasta.Caminho() + "dentro"),
        "Erro ao salvar.\r\nNome de arquivo \"" + nome + "\" recusado: não pode indicar pasta");
  }
  EXPECT_EQ(Arquivos(pasta.Caminho()), std::vector<std::string>{"dentro"});
  EXPECT_TRUE(Arquivos(pasta.Caminho() + "dentro").empty());
}

TEST_F(GravarTest, ExistingFileIsReplacedWhole) {
  const std::string arquivo = pasta.Caminho() + "r.xml";
  TPastaTemporaria::Escrever(arquivo, std::string(500, 'z'));
  EXPECT_TRUE(nfe.Gravar("r.xml", "<novo/>"));
  EXPECT_EQ(TPastaTemporaria::Ler(arquivo), kDecl + "<novo/>");
  EXPECT_EQ(Arquivos(pasta.Caminho()), std::vector<std::string>{"r.xml"});
}

TEST_F(GravarTest, NameWithoutFilePartIsReported) {
  EXPECT_EQ(ErroDe("", "<x/>"), "Erro ao salvar.\r\nNome de arquivo não informado");
}

TEST_F(GravarTest, HandledFailureReturnsFalseAfterLoggingIt) {
  std::vector<std::string> linhas;
  nfe.SetOnGerarLog([&](const std::string& linha, bool& tratado) {
    linhas.push_back(linha);
    tratado = true;
  });
  EXPECT_FALSE(nfe.Gravar("", "<x/>"));
  EXPECT_EQ(linhas,
            std::vector<std::string>{"ERRO: Erro ao salvar.\r\nNome de arquivo não informado"});
}

TEST_F(GravarTest, FolderThatCannotBeCreatedIsReported) {
  TPastaTemporaria::Escrever(pasta.Caminho() + "arquivo", "x");
  const std::string erro = ErroDe("n.xml", "<x/>", pasta.Caminho() + "arquivo/sub");
  EXPECT_EQ(erro.rfind("Erro ao salvar.\r\n", 0), 0u) << erro;
  EXPECT_NE(erro.find(pasta.Caminho() + "arquivo/sub/"), std::string::npos) << erro;
}

TEST_F(GravarTest, NameThatIsAFolderIsReportedAndTheFolderKept) {
  fs::create_directories(pasta.Caminho() + "d.xml");
  const std::string erro = ErroDe("d.xml", "<x/>");
  EXPECT_EQ(erro.rfind("Erro ao salvar.\r\n", 0), 0u) << erro;
  EXPECT_TRUE(fs::is_directory(pasta.Caminho() + "d.xml"));
  EXPECT_EQ(Arquivos(pasta.Caminho()), std::vector<std::string>{"d.xml"});
}

TEST_F(GravarTest, LongestFileNameIsWrittenWithoutLeavingATemporaryFile) {
  const std::string nome = std::string(250, 'n') + ".xml";
  ASSERT_EQ(nome.size(), 254u);
  EXPECT_TRUE(nfe.Gravar(nome, "<a/>"));
  EXPECT_EQ(TPastaTemporaria::Ler(pasta.Caminho() + nome), kDecl + "<a/>");
  EXPECT_EQ(Arquivos(pasta.Caminho()), std::vector<std::string>{nome});
}

TEST_F(GravarTest, SymbolicLinkIsWrittenThroughToItsTarget) {
  fs::create_directories(pasta.Caminho() + "alvos");
  TPastaTemporaria::Escrever(pasta.Caminho() + "alvos/alvo.xml", "antigo");
  fs::create_symlink("alvos/alvo.xml", pasta.Caminho() + "elo.xml");
  EXPECT_TRUE(nfe.Gravar("elo.xml", "<a/>"));
  EXPECT_TRUE(fs::is_symlink(pasta.Caminho() + "elo.xml"));
  EXPECT_EQ(TPastaTemporaria::Ler(pasta.Caminho() + "alvos/alvo.xml"), kDecl + "<a/>");
  EXPECT_EQ(Arquivos(pasta.Caminho() + "alvos"), std::vector<std::string>{"alvo.xml"});
}

TEST_F(GravarTest, ANewFileIsReadableByItsOwnerOnly) {
  const std::string arquivo = pasta.Caminho() + "novo.xml";
  const mode_t antes = ::umask(0);  // not even a permissive umask opens it to others
  const bool gravou = nfe.Gravar("novo.xml", "<a/>");
  ::umask(antes);
  ASSERT_TRUE(gravou);
  EXPECT_EQ(fs::status(arquivo).permissions(), fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(GravarTest, ReplacedFileKeepsItsPermissions) {
  const std::string arquivo = pasta.Caminho() + "modo.xml";
  TPastaTemporaria::Escrever(arquivo, "antigo");
  const fs::perms modo = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
  fs::permissions(arquivo, modo);
  EXPECT_TRUE(nfe.Gravar("modo.xml", "<a/>"));
  EXPECT_EQ(fs::status(arquivo).permissions(), modo);
}

TEST_F(GravarTest, ReadOnlyFileIsRefusedAsAPlainOverwriteWouldBeAndKept) {
  // A folder anyone may write in, so only the file's own mode refuses the write.
  const std::string publica = pasta.Caminho() + "publica/";
  fs::create_directories(publica);
  fs::permissions(pasta.Caminho(), fs::perms::all);
  fs::permissions(publica, fs::perms::all);
  const std::string arquivo = publica + "somente-leitura.xml";
  TPastaTemporaria::Escrever(arquivo, "antigo");
  fs::permissions(arquivo, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  std::string erro;
  {
    TSemPrivilegio semPrivilegio;
    erro = ErroDe("somente-leitura.xml", "<novo/>", publica);
  }
  EXPECT_EQ(erro.rfind("Erro ao salvar.\r\n", 0), 0u) << erro;
  EXPECT_NE(erro.find(arquivo), std::string::npos) << erro;
  EXPECT_EQ(TPastaTemporaria::Ler(arquivo), "antigo");
  EXPECT_EQ(fs::status(arquivo).permissions(),
            fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  EXPECT_EQ(Arquivos(publica), std::vector<std::string>{"somente-leitura.xml"});
}

// Limits the size of files the process may write while it lives; writing past it fails with
// EFBIG instead of raising SIGXFSZ.
class TLimiteTamanhoArquivo {
 public:
  explicit TLimiteTamanhoArquivo(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &FAnterior);
    FSinalAnterior = signal(SIGXFSZ, SIG_IGN);
    rlimit limite = FAnterior;
    limite.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limite);
  }
  ~TLimiteTamanhoArquivo() {
    setrlimit(RLIMIT_FSIZE, &FAnterior);
    signal(SIGXFSZ, FSinalAnterior);
  }

 private:
  rlimit FAnterior{};
  void (*FSinalAnterior)(int) = nullptr;
};

TEST_F(GravarTest, WriteFailureLeavesTheOldFileIntactAndNoTemporaryFile) {
  const std::string arquivo = pasta.Caminho() + "intacto.xml";
  const std::string antigo = kDecl + "<antigo/>";
  TPastaTemporaria::Escrever(arquivo, antigo);
  std::string erro;
  {
    TLimiteTamanhoArquivo limite(64);
    erro = ErroDe("intacto.xml", "<novo>" + std::string(4096, 'n') + "</novo>");
  }
  EXPECT_EQ(erro.rfind("Erro ao salvar.\r\n", 0), 0u) << erro;
  EXPECT_NE(erro.find(arquivo), std::string::npos) << erro;
  EXPECT_EQ(TPastaTemporaria::Ler(arquivo), antigo);
  EXPECT_EQ(Arquivos(pasta.Caminho()), std::vector<std::string>{"intacto.xml"});
}

}  // namespace

}  // namespace nivra
