#include "app/configuracao_monitor.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <utility>

#include "tests/fakes/pasta_temporaria.h"

namespace nivra {

namespace {

class ArquivoConfiguracao : public ::testing::Test {
 protected:
  TPastaTemporaria pasta;
  TArquivoConfiguracao arquivo{pasta.Caminho()};
};

TEST_F(ArquivoConfiguracao, MissingFileOrSectionGivesNothing) {
  EXPECT_FALSE(arquivo.Ler());
  TPastaTemporaria::Escrever(arquivo.Caminho(), "[outra]\nUF=SP\n");
  EXPECT_FALSE(arquivo.Ler());
}

TEST_F(ArquivoConfiguracao, ReadsTrimmedValuesWithDefaults) {
  TPastaTemporaria::Escrever(arquivo.Caminho(), "\xEF\xBB\xBF[CONFIG]\r\ncertificado= 1A 2B \r\n");
  const auto lidos = arquivo.Ler();
  ASSERT_TRUE(lidos);
  EXPECT_EQ(lidos->Certificado, "1A 2B");
  EXPECT_EQ(lidos->UF, "PR");
  EXPECT_FALSE(lidos->VerificarServidor);
  EXPECT_EQ(lidos->ArquivoCA, "");
  EXPECT_FALSE(lidos->ExigirChaveiro);
}

TEST_F(ArquivoConfiguracao, OnlyOneTurnsTheStrictCheckOrTheRequiredKeyringOn) {
  for (const bool verificar : {true, false}) {
    const std::string chave = verificar ? "verificarServidor" : "exigirChaveiro";
    for (const auto& [valor, ligado] : {std::pair{"=1", true}, std::pair{" = 1 ", true},
                                        std::pair{"=0", false}, std::pair{"=sim", false}}) {
      TPastaTemporaria::Escrever(arquivo.Caminho(),
                                 "[config]\n" + chave + valor + "\narquivoCA= /etc/ca.pem\n");
      const auto lidos = arquivo.Ler();
      ASSERT_TRUE(lidos);
      EXPECT_EQ(lidos->VerificarServidor, verificar && ligado) << chave << valor;
      EXPECT_EQ(lidos->ExigirChaveiro, !verificar && ligado) << chave << valor;
      EXPECT_EQ(lidos->ArquivoCA, "/etc/ca.pem");
    }
  }
}

TEST_F(ArquivoConfiguracao, WritesFromScratchSectionThenBothKeysUnchanged) {
  const TArquivoConfiguracao emSubpasta(pasta.Caminho() + "sub/pasta");
  const mode_t antes = ::umask(0);  // not even a permissive umask opens it to others
  emSubpasta.Gravar(" 1a 2b ", "SC");
  ::umask(antes);
  EXPECT_EQ(std::filesystem::status(emSubpasta.Caminho()).permissions(),
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  EXPECT_EQ(TPastaTemporaria::Ler(emSubpasta.Caminho()), "[config]\ncertificado= 1a 2b \nUF=SC\n");
}

TEST_F(ArquivoConfiguracao, RewritingKeepsOtherLinesAndLeavesNoTemporaryFile) {
  TPastaTemporaria::Escrever(arquivo.Caminho(), "[config]\r\n; nota\r\nUF=PR\r\nextra=1\r\n");
  arquivo.Gravar("AB", "RS");
  EXPECT_EQ(TPastaTemporaria::Ler(arquivo.Caminho()),
            "[config]\r\n; nota\r\nUF=RS\r\nextra=1\r\ncertificado=AB\r\n");
  int arquivos = 0;
  for ([[maybe_unused]] const auto& item : std::filesystem::directory_iterator(pasta.Caminho()))
    ++arquivos;
  EXPECT_EQ(arquivos, 1);
}

TEST_F(ArquivoConfiguracao, FolderThatIsAFileFailsToWrite) {
  TPastaTemporaria::Escrever(pasta.Caminho() + "comum", "x");
  const TArquivoConfiguracao impossivel(pasta.Caminho() + "comum");
  EXPECT_THROW(impossivel.Gravar("AB", "SP"), std::runtime_error);
  EXPECT_EQ(TPastaTemporaria::Ler(pasta.Caminho() + "comum"), "x");
}

}  // namespace

}  // namespace nivra
