#include "app/inicio_automatico.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/locais_monitor.h"
#include "tests/fakes/mensagem_de.h"
#include "tests/fakes/pasta_temporaria.h"

namespace nivra {

namespace {

TEST(InicioAutomatico, TheEntryLivesInTheXdgAutostartFolder) {
  const struct {
    const char* xdgConfig;
    const char* arquivo;
  } casos[] = {
      {"/x/config", "/x/config/autostart/monitor-sefaz.desktop"},
      {"", "/home/ana/.config/autostart/monitor-sefaz.desktop"},
      {"relativo", "/home/ana/.config/autostart/monitor-sefaz.desktop"},
  };
  for (const auto& caso : casos) {
    const TAmbienteLocais ambiente{"/usr/bin/", false, "", caso.xdgConfig, "", "/home/ana"};
    EXPECT_EQ(ArquivoInicioAutomatico(ambiente), caso.arquivo);
  }
}

class InicioAutomaticoArquivo : public ::testing::Test {
 protected:
  TPastaTemporaria pasta;
  const std::string arquivo = pasta.Caminho() + "autostart/monitor-sefaz.desktop";
  TInicioAutomatico inicio{arquivo, "/opt/meu \"monitor\"/monitor-sefaz"};
};

TEST_F(InicioAutomaticoArquivo, TurnsOnWithAnEntryThatRunsTheProgramAndTurnsOff) {
  EXPECT_FALSE(inicio.Ativo());
  inicio.Ativar();
  EXPECT_TRUE(inicio.Ativo());
  const std::string texto = TPastaTemporaria::Ler(arquivo);
  EXPECT_EQ(texto.rfind("[Desktop Entry]\nType=Application\n", 0), 0U) << texto;
  // Quoted, with the reserved characters escaped as the desktop entry rules ask.
  EXPECT_NE(texto.find("\nExec=\"/opt/meu \\\\\"monitor\\\\\"/monitor-sefaz\"\n"),
            std::string::npos)
      << texto;
  inicio.Desativar();
  EXPECT_FALSE(inicio.Ativo());
  EXPECT_FALSE(std::filesystem::exists(arquivo));
  inicio.Desativar();  // nothing to remove is no error
}

TEST_F(InicioAutomaticoArquivo, AnEntryTheUserHidIsOffAndTurningOnReplacesIt) {
  std::filesystem::create_directories(pasta.Caminho() + "autostart");
  TPastaTemporaria::Escrever(arquivo, "[Desktop Entry]\nExec=monitor-sefaz\nHidden=true\n");
  EXPECT_FALSE(inicio.Ativo());
  inicio.Ativar();
  EXPECT_TRUE(inicio.Ativo());
}

TEST_F(InicioAutomaticoArquivo, AFolderThatCannotBeMadeFailsWithTheFileInTheMessage) {
  TPastaTemporaria::Escrever(pasta.Caminho() + "autostart", "um arquivo, não uma pasta");
  const std::string mensagem = MensagemDe([&] { inicio.Ativar(); });
  EXPECT_NE(mensagem.find(arquivo), std::string::npos) << mensagem;
}

}  // namespace

}  // namespace nivra
