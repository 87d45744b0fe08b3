// Tests of the file helpers over a temporary folder.
#include "nivranfe/util/arquivos.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

#include "tests/fakes/mensagem_de.h"
#include "tests/fakes/pasta_temporaria.h"

namespace nivra {

namespace {

class ArquivosTest : public ::testing::Test {
 protected:
  std::string Caminho(const std::string& nome) const { return FPasta.Caminho() + nome; }
  static std::string Ler(const std::string& nome) { return TPastaTemporaria::Ler(nome); }

  TPastaTemporaria FPasta;
};

TEST(Arquivos, CaminhoComBarraTrimsAndEndsInOneSlash) {
  EXPECT_EQ(CaminhoComBarra(" /tmp/docs "), "/tmp/docs/");
  EXPECT_EQ(CaminhoComBarra("/tmp/docs/"), "/tmp/docs/");
  EXPECT_EQ(CaminhoComBarra(""), "");
  EXPECT_EQ(CaminhoComBarra("  "), "");
}

TEST(Arquivos, PastaDoExecutavelHoldsTheRunningProgram) {
  const std::string pasta = PastaDoExecutavel();
  ASSERT_FALSE(pasta.empty());
  EXPECT_EQ(pasta.back(), '/');
  EXPECT_TRUE(std::filesystem::exists(pasta + "util_tests"));
}

TEST_F(ArquivosTest, GravarTextoEmArquivoCreatesReplacesAndAppends) {
  const std::string nome = Caminho("saida.xml");
  GravarTextoEmArquivo(nome, "<a>ç</a>");
  EXPECT_EQ(Ler(nome), "<a>ç</a>");
  GravarTextoEmArquivo(nome, "x", false, true);
  EXPECT_EQ(Ler(nome), "x\r\n");
  GravarTextoEmArquivo(nome, "y", true, true);
  EXPECT_EQ(Ler(nome), "x\r\ny\r\n");
  GravarTextoEmArquivo(Caminho("novo.txt"), std::string("a\0b", 3), true);
  EXPECT_EQ(Ler(Caminho("novo.txt")), std::string("a\0b", 3));
}

TEST_F(ArquivosTest, GravarTextoEmArquivoRaisesOnAFolderThatDoesNotExist) {
  const std::string nome = Caminho("nao/existe/arquivo.xml");
  const std::string mensagem = MensagemDe([&] { GravarTextoEmArquivo(nome, "x"); });
  EXPECT_NE(mensagem.find(nome), std::string::npos) << mensagem;
}

TEST_F(ArquivosTest, GravarArquivoAtomicoCreatesANewFileWithTheUmasksMode) {
  namespace fs = std::filesystem;
  const mode_t anterior = ::umask(027);
  GravarArquivoAtomico(Caminho("novo.xml"), std::string("a\0b", 3));
  ::umask(anterior);
  EXPECT_EQ(Ler(Caminho("novo.xml")), std::string("a\0b", 3));
  EXPECT_EQ(fs::status(Caminho("novo.xml")).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(ArquivosTest, GravarArquivoAtomicoRaisesOnAFolderThatDoesNotExistAndOnALinkLoop) {
  std::filesystem::create_symlink("laco", Caminho("laco"));
  for (const std::string& nome : {Caminho("nao/existe/arquivo.xml"), Caminho("laco")}) {
    const std::string mensagem = MensagemDe([&] { GravarArquivoAtomico(nome, "x"); });
    EXPECT_EQ(mensagem.rfind("Não foi possível gravar o arquivo \"" + nome + "\": ", 0), 0u)
        << mensagem;
  }
}

TEST_F(ArquivosTest, ListarArquivosMatchesTheMaskAndSkipsFolders) {
  for (const char* nome : {"a-ped.xml", ".b-ped.xml", "c.txt", "x..y.xml"}) {
    GravarTextoEmArquivo(Caminho(nome), "1");
  }
  std::filesystem::create_directory(Caminho("pasta.xml"));
  std::vector<std::string> lista = {"antigo"};
  ListarArquivos(Caminho("*.xml"), lista, false);
  std::sort(lista.begin(), lista.end());
  EXPECT_EQ(lista, (std::vector<std::string>{".b-ped.xml", "a-ped.xml"}));

  ListarArquivos(Caminho("?-ped.xml"), lista, true);
  EXPECT_EQ(lista, (std::vector<std::string>{Caminho("a-ped.xml")}));

  ListarArquivos(Caminho("nada/*.xml"), lista, true);
  EXPECT_TRUE(lista.empty());
}

}  // namespace

}  // namespace nivra
