// Smoke test of the real Qt window on the offscreen platform: start-up with a services table
// and a settings folder given on the command line, the first query, the status line.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include "app/qt/aplicacao_monitor.h"
#include "tests/fakes/pasta_temporaria.h"

namespace {

// Runs the event loop for `ms` milliseconds.
void Processar(int ms) {
  QElapsedTimer relogio;
  relogio.start();
  while (relogio.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 20);
}

class JanelaMonitor : public ::testing::Test {
 protected:
  // The options as the program would get them.
  TAplicacaoMonitor::TOpcoes Opcoes() const {
    return TAplicacaoMonitor::LerOpcoes({"monitor-sefaz", "--servicos",
                                         QString::fromStdString(servicos), "--dir-config",
                                         QString::fromStdString(pasta.Caminho() + "config")});
  }

  TPastaTemporaria pasta;
  const std::string servicos = pasta.Caminho() + "servicos.ini";
};

TEST_F(JanelaMonitor, StartsQueriesShowsTheStatusLineAndHidesItself) {
  // An authoriser nobody listens on: without a certificate and transport the query fails
  // before the network, and the status line shows code 0 on the unchanged white background.
  TPastaTemporaria::Escrever(servicos,
                             "[NFe_PR_P]\nNfeStatusServico_4.00=https://127.0.0.1:9/ws/status\n");
  std::filesystem::create_directories(pasta.Caminho() + "config");
  TPastaTemporaria::Escrever(pasta.Caminho() + "config/conf.qvl",
                             "[config]\ncertificado=1A2B\nUF=pr\n");

  TAplicacaoMonitor monitor(Opcoes());
  monitor.Iniciar();
  TForm1& janela = monitor.Janela();
  auto* status = janela.findChild<QLineEdit*>("MensagemSite");
  ASSERT_NE(status, nullptr);
  EXPECT_EQ(status->text(), "0 - ");
  EXPECT_EQ(status->palette().color(QPalette::Base), QColor(255, 255, 255));
  EXPECT_EQ(janela.findChild<QLineEdit*>("NumeroCertificado")->text(), "1A2B");
  EXPECT_EQ(janela.Texto(TControle::cbUF), "PR");
  EXPECT_FALSE(janela.findChild<QPushButton*>("SpeedButton1")->isVisible());
  EXPECT_TRUE(janela.isVisible());

  Processar(500);
  // The offscreen platform has no notification area: the window minimises instead of hiding.
  EXPECT_TRUE(janela.isMinimized());
  // Nothing keeps a text cursor blinking (and the program awake) out of sight.
  EXPECT_EQ(janela.focusWidget(), nullptr);
}

TEST_F(JanelaMonitor, StatusColourReachesTheStatusLine) {
  TAplicacaoMonitor monitor(Opcoes());
  TForm1& janela = monitor.Janela();
  janela.SetCor(TControle::MensagemSite, {255, 255, 0});
  janela.SetPosicao(TControle::TempoMedio, 9);
  EXPECT_EQ(janela.findChild<QLineEdit*>("MensagemSite")->palette().color(QPalette::Base),
            QColor(255, 255, 0));
  EXPECT_EQ(janela.findChild<QProgressBar*>("TempoMedio")->value(), 5);
}

}  // namespace
