// Smoke test of the real Qt window on the offscreen platform: start-up with a services table
// and a settings folder given on the command line, the first query, the status line.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFontMetrics>
#include <QInputDialog>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <string>
#include <utility>

#include "app/qt/aplicacao_monitor.h"
#include "app/qt/dialogo_certificados.h"
#include "nivranfe/util/excecoes.h"
#include "tests/fakes/certificados_teste.h"
#include "tests/fakes/pasta_temporaria.h"
#include "tests/fakes/simulador_teste.h"
#include "tests/fakes/variavel_ambiente.h"

namespace nivra {

namespace {

// Runs the event loop for `ms` milliseconds.
void Processar(int ms) {
  QElapsedTimer relogio;
  relogio.start();
  while (relogio.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 20);
}

class JanelaMonitor : public ::testing::Test {
 protected:
  // An authoriser nobody listens on; tests that query one write their own.
  void SetUp() override {
    TPastaTemporaria::Escrever(servicos,
                               "[NFe_PR_P]\nNfeStatusServico_4.00=https://127.0.0.1:9/ws/status\n");
  }

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
  // Without a certificate and transport the query fails before the network, and the status
  // line shows code 0 on the unchanged white background.
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

TEST_F(JanelaMonitor, AMissingServicesTableIsRefusedInsteadOfFallingBackOnTheBuiltInOne) {
  const std::string faltando = pasta.Caminho() + "servico.ini";
  const TAplicacaoMonitor::TOpcoes opcoes = TAplicacaoMonitor::LerOpcoes(
      {"monitor-sefaz", "--servicos", QString::fromStdString(faltando)});
  try {
    TAplicacaoMonitor monitor(opcoes);
    ADD_FAILURE() << "a tabela inexistente foi aceita";
  } catch (const ENivraDFeException& e) {
    EXPECT_EQ(std::string(e.what()), "Tabela de serviços não encontrada: " + faltando);
  }
}

TEST_F(JanelaMonitor, EveryTimerKeepsItsIntervalToTheMillisecond) {
  // A coarse timer may move a tick by 5% onto a round fraction of the second: the reminder's
  // 15.1 s came every 15.0 s. (Measuring it takes too long, and shorter intervals do not show
  // the rounding reliably on a busy machine.)
  TForm1 janela;
  for (const TTimerMonitor timer :
       {TTimerMonitor::Timer1, TTimerMonitor::Timer2, TTimerMonitor::Timer3, TTimerMonitor::Timer4})
    EXPECT_EQ(janela.Timer(timer).timerType(), Qt::PreciseTimer);
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

TEST_F(JanelaMonitor, ThePickerImportsAFileIntoTheStoreAndListsIt) {
  const TRepositorioTeste repositorio;  // empty: the picker starts with no certificate
  TAplicacaoMonitor monitor(Opcoes());
  TForm1& janela = monitor.Janela();

  // Answers each modal dialog as a user would: "Importar..." in the picker, the PKI's A1 file,
  // its password, then OK on the first row.
  bool importou = false;
  QString linhaAntes;
  QString linhaDepois;
  QTimer usuario;
  QObject::connect(&usuario, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* arquivo = qobject_cast<QFileDialog*>(modal)) {
      // Typed into the name field, as selectFile() only picks among files already listed.
      arquivo->findChild<QLineEdit*>("fileNameEdit")
          ->setText(QString::fromStdString(PastaPKITeste() + "empresa.pfx"));
      static_cast<QDialog*>(arquivo)->accept();  // public in QDialog
    } else if (auto* senha = qobject_cast<QInputDialog*>(modal)) {
      senha->setTextValue(SenhaPKITeste);
      senha->accept();
    } else if (auto* seletor = qobject_cast<TfrSelecionarCertificado*>(modal)) {
      auto* grade = seletor->findChild<QTableWidget*>("StringGrid1");
      auto* botoes = seletor->findChild<QDialogButtonBox*>();
      const QTableWidgetItem* serie = grade->item(0, 4);
      if (!importou) {
        importou = true;
        linhaAntes = serie != nullptr ? serie->text() : QString();
        for (QPushButton* botao : seletor->findChildren<QPushButton*>())
          // Queued: a timer does not fire again while its own handler runs the file dialog.
          if (botao->text() == "Importar...")
            QMetaObject::invokeMethod(botao, &QPushButton::click, Qt::QueuedConnection);
      } else {
        linhaDepois = serie != nullptr ? serie->text() : QString();
        botoes->button(QDialogButtonBox::Ok)->click();
      }
    }
  });
  usuario.start(50);
  janela.findChild<QPushButton*>("SpeedButton2")->click();
  usuario.stop();

  const std::string serie = NumeroSeriePKI("empresa");
  ASSERT_FALSE(serie.empty());
  EXPECT_TRUE(importou);
  EXPECT_EQ(linhaAntes, "");
  EXPECT_EQ(linhaDepois.toStdString(), serie);
  EXPECT_EQ(janela.findChild<QLineEdit*>("NumeroCertificado")->text().toStdString(), serie);
  EXPECT_TRUE(std::filesystem::exists(repositorio.Caminho() + serie + ".pfx"));
}

// The status line and the SVC button after start-up against the local authoriser, with the
// A1 certificate of a throw-away store chosen in the settings file.
TEST_F(JanelaMonitor, ShowsTheAuthorisersAnswerAfterStartUp) {
  struct TCaso {
    const char* Cenario;
    const char* Linha;
    QColor Cor;
    bool BotaoSVC;
    size_t Pedidos;  // a first 108 is queried again at once
  };
  const TCaso casos[] = {
      {"107", "107 - Serviço em Operação", QColor(0, 255, 0), false, 1},
      {"108", "108 - Serviço Paralisado Momentaneamente (curto prazo)", QColor(255, 255, 0), true,
       2},
  };
  const TRepositorioTeste repositorio;
  for (const char* entrada : {"empresa.pfx", "vencida.pfx"})
    std::filesystem::copy_file(PastaPKITeste() + "repositorio/" + entrada,
                               repositorio.Caminho() + entrada);
  std::filesystem::create_directories(pasta.Caminho() + "config");
  TPastaTemporaria::Escrever(pasta.Caminho() + "config/conf.qvl",
                             "[config]\ncertificado=" + NumeroSeriePKI("empresa") + "\nUF=PR\n");

  for (const TCaso& caso : casos) {
    SCOPED_TRACE(caso.Cenario);
    TSimuladorTeste simulador({"--cenario", caso.Cenario});
    TPastaTemporaria::Escrever(servicos, "[NFe_PR_P]\nNfeStatusServico_4.00=" + simulador.URL() +
                                             "/ws/NFeStatusServico4.asmx\n");
    TAplicacaoMonitor monitor(Opcoes());
    monitor.Iniciar();
    TForm1& janela = monitor.Janela();
    auto* status = janela.findChild<QLineEdit*>("MensagemSite");
    EXPECT_EQ(status->text().toStdString(), caso.Linha);
    EXPECT_EQ(status->palette().color(QPalette::Base), caso.Cor);
    EXPECT_LE(QFontMetrics(status->font()).horizontalAdvance(status->text()),
              status->contentsRect().width())
        << "the whole reason fits the status line";
    EXPECT_EQ(janela.findChild<QPushButton*>("SpeedButton1")->isVisible(), caso.BotaoSVC);
    EXPECT_EQ(simulador.Pedidos().size(), caso.Pedidos);
  }
}

// `make demo` starts the monitor on this scenario and tells the user that each click on
// "Consultar" shows the next state.
TEST_F(JanelaMonitor, EachClickOnTheDemoScenarioShowsTheNextState) {
  std::string cenario = TPastaTemporaria::Ler(NIVRA_CENARIO_DEMO);
  cenario = cenario.substr(0, cenario.find('\n'));
  const TRepositorioTeste repositorio;
  std::filesystem::copy_file(PastaPKITeste() + "repositorio/empresa.pfx",
                             repositorio.Caminho() + "empresa.pfx");
  std::filesystem::create_directories(pasta.Caminho() + "config");
  TPastaTemporaria::Escrever(pasta.Caminho() + "config/conf.qvl",
                             "[config]\ncertificado=" + NumeroSeriePKI("empresa") + "\nUF=PR\n");
  TSimuladorTeste simulador({"--cenario", cenario});
  TPastaTemporaria::Escrever(servicos, "[NFe_PR_P]\nNfeStatusServico_4.00=" + simulador.URL() +
                                           "/ws/NFeStatusServico4.asmx\n");
  TAplicacaoMonitor monitor(Opcoes());
  monitor.Iniciar();
  auto* status = monitor.Janela().findChild<QLineEdit*>("MensagemSite");
  auto* consultar = monitor.Janela().findChild<QPushButton*>("btnConsulta");
  EXPECT_TRUE(status->text().startsWith("107 - "));
  for (const char* proximo : {"108 - ", "109 - ", "107 - "}) {
    consultar->setEnabled(true);  // as after its 20 s of rest
    consultar->click();
    EXPECT_TRUE(status->text().startsWith(proximo)) << status->text().toStdString();
  }
}

// "verificarServidor=1" in the settings file: the monitor trusts only the named bundle.
TEST_F(JanelaMonitor, WithTheStrictCheckSetItQueriesOnlyAServerOfTheNamedAuthority) {
  const TRepositorioTeste repositorio;
  std::filesystem::copy_file(PastaPKITeste() + "repositorio/empresa.pfx",
                             repositorio.Caminho() + "empresa.pfx");
  std::filesystem::create_directories(pasta.Caminho() + "config");
  TPastaTemporaria::Escrever(pasta.Caminho() + "config/conf.qvl",
                             "[config]\ncertificado=" + NumeroSeriePKI("empresa") +
                                 "\nUF=PR\nverificarServidor=1\narquivoCA=" + PastaPKITeste() +
                                 "ca.pem\n");
  for (const auto& [servidor, linha] : {std::pair{"servidor", "107 - Serviço em Operação"},
                                        std::pair{"servidor-outra-ca", "0 - "}}) {
    SCOPED_TRACE(servidor);
    TSimuladorTeste simulador({"--cert", PastaPKITeste() + servidor + ".pem", "--chave",
                               PastaPKITeste() + servidor + ".key"});
    TPastaTemporaria::Escrever(servicos, "[NFe_PR_P]\nNfeStatusServico_4.00=" + simulador.URL() +
                                             "/ws/NFeStatusServico4.asmx\n");
    TAplicacaoMonitor monitor(Opcoes());
    monitor.Iniciar();
    EXPECT_EQ(monitor.Janela().findChild<QLineEdit*>("MensagemSite")->text().toStdString(), linha);
    EXPECT_EQ(simulador.Pedidos().size(), std::string(linha) == "0 - " ? 0U : 1U);
  }
}

// The menu's "Iniciar com a sessão" writes and removes the entry in the XDG autostart folder.
TEST_F(JanelaMonitor, TheMenuTurnsStartingWithTheSessionOnAndOff) {
  const TVariavelAmbiente xdg("XDG_CONFIG_HOME", (pasta.Caminho() + "xdg").c_str());
  const std::string entrada = pasta.Caminho() + "xdg/autostart/monitor-sefaz.desktop";
  {
    TAplicacaoMonitor monitor(Opcoes());
    QAction* acao = nullptr;
    for (QAction* a : monitor.Janela().Bandeja().Menu().actions())
      if (a->text() == "Iniciar com a sessão") acao = a;
    ASSERT_NE(acao, nullptr);
    EXPECT_FALSE(acao->isChecked());
    acao->trigger();
    EXPECT_TRUE(acao->isChecked());
    EXPECT_TRUE(std::filesystem::exists(entrada));
  }
  {
    TAplicacaoMonitor monitor(Opcoes());  // a new run sees the entry
    QAction* acao = monitor.Janela().Bandeja().Menu().actions().value(0);
    ASSERT_NE(acao, nullptr);
    EXPECT_TRUE(acao->isChecked());
    acao->trigger();
    EXPECT_FALSE(std::filesystem::exists(entrada));
  }
}

}  // namespace

}  // namespace nivra
