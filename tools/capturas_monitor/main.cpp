// capturas-monitor PASTA [--servicos ARQ.ini] [--dir-config DIR]: starts the monitor twice with
// the options given, each time saving the window after its start-up query, and draws the
// certificate picker with example rows; the PNG files go to PASTA, for the user documentation.
// The authoriser must answer the first query with 107 and the later ones with a paralysis (108
// or 109): the first window is saved as "monitor-107", the second as "monitor-paralisado".
// capturas-monitor PASTA --janelas [...]: starts the monitor once over a history holding an
// example month of its UF, opens the panel, waits for the answers of every authoriser of the
// services table, and saves it as "painel" and the history window as "historico".
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <algorithm>
#include <filesystem>
#include <iostream>

#include "app/qt/aplicacao_monitor.h"
#include "app/qt/dialogo_certificados.h"
#include "tools/capturas_monitor/mes_exemplo.h"

using namespace nivra;

namespace {

// Shows the widget, lets it lay out and paint, and saves it; false when saving failed.
bool Salvar(QWidget& tela, const QString& arquivo) {
  tela.show();
  for (int i = 0; i < 10; ++i) QApplication::processEvents();
  return tela.grab().save(arquivo);
}

// Starts a monitor, saves its window and checks that the status line begins with one of the
// codes; false (with a message) otherwise.
bool CapturarMonitor(const TAplicacaoMonitor::TOpcoes& opcoes, const QStringList& codigos,
                     const QString& arquivo) {
  TAplicacaoMonitor monitor(opcoes);
  monitor.Iniciar();
  TForm1& janela = monitor.Janela();
  const QString status = janela.findChild<QLineEdit*>("MensagemSite")->text();
  const bool esperado = std::any_of(codigos.begin(), codigos.end(), [&status](const QString& c) {
    return status.startsWith(c + " - ");
  });
  if (!esperado) {
    std::cerr << "capturas-monitor: o autorizador respondeu \"" << status.toStdString()
              << "\"; esperado " << codigos.join(" ou ").toStdString() << std::endl;
    return false;
  }
  if (!Salvar(janela, arquivo)) {
    std::cerr << "capturas-monitor: não foi possível gravar " << arquivo.toStdString() << std::endl;
    return false;
  }
  return true;
}

// Whether a tile of the panel still waits for its first answer.
bool Aguardando(const QWidget& painel) {
  const auto quadros = painel.findChildren<QLabel*>();
  return std::any_of(quadros.begin(), quadros.end(),
                     [](const QLabel* q) { return q->text().contains("aguardando a consulta"); });
}

bool CapturarJanelas(const TAplicacaoMonitor::TOpcoes& opcoes, const QDir& pasta,
                     const QString& sufixo) {
  {
    TAplicacaoMonitor monitor(opcoes);
    const std::string arquivo = monitor.Locais().ArquivoHistorico;
    for (const char* parte : {"", "-wal", "-shm"}) std::filesystem::remove(arquivo + parte);
  }
  TAplicacaoMonitor monitor(opcoes);
  {
    THistoricoStatus historico(monitor.Locais().ArquivoHistorico, std::cerr);
    GravarMesDeExemplo(historico, InstanteAtual(), "PR");
  }
  monitor.Iniciar();
  TJanelaPainel* painel = monitor.AbrirPainel();
  if (painel == nullptr) return false;
  QElapsedTimer espera;
  espera.start();
  while (Aguardando(*painel) && espera.elapsed() < 30000)
    QApplication::processEvents(QEventLoop::AllEvents, 100);
  if (Aguardando(*painel)) {
    std::cerr << "capturas-monitor: o painel não recebeu todas as respostas em 30 s" << std::endl;
    return false;
  }
  bool ok = Salvar(*painel, pasta.filePath("painel" + sufixo));
  ok = Salvar(monitor.AbrirHistorico(), pasta.filePath("historico" + sufixo)) && ok;
  if (!ok)
    std::cerr << "capturas-monitor: não foi possível gravar em " << pasta.path().toStdString()
              << std::endl;
  return ok;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication aplicacao(argc, argv);
  QStringList argumentos = QApplication::arguments();
  if (argumentos.size() < 2 || argumentos[1].startsWith("--")) {
    std::cerr << "uso: capturas-monitor PASTA [--servicos ARQ.ini] [--dir-config DIR]" << std::endl;
    return 2;
  }
  const QDir pasta(argumentos.takeAt(1));
  const bool janelas = argumentos.removeAll("--janelas") > 0;
  const TAplicacaoMonitor::TOpcoes opcoes = TAplicacaoMonitor::LerOpcoes(argumentos);
  const QString sufixo = aplicacao.devicePixelRatio() > 1 ? "@2x.png" : ".png";
  if (janelas) return CapturarJanelas(opcoes, pasta, sufixo) ? 0 : 1;

  bool ok = CapturarMonitor(opcoes, {"107"}, pasta.filePath("monitor-107" + sufixo));
  ok = CapturarMonitor(opcoes, {"108", "109"}, pasta.filePath("monitor-paralisado" + sufixo)) && ok;

  const std::vector<TLinhaCertificado> linhas = {
      {"COMERCIO DE PECAS EXEMPLO LTDA", "11222333000181", "15/03/2027", "AC EXEMPLO RFB G5",
       "3A5F0C19E2B14D77"},
      {"DISTRIBUIDORA MODELO S A", "44555666000172", "02/11/2026", "AC EXEMPLO SOLUTI",
       "00C4E1A9B3F2"},
  };
  TfrSelecionarCertificado seletor(
      linhas,
      [](const std::string&, const std::string&) { return std::vector<TLinhaCertificado>(); },
      nullptr);
  if (!Salvar(seletor, pasta.filePath("seletor-certificados" + sufixo))) {
    std::cerr << "capturas-monitor: não foi possível gravar em " << pasta.path().toStdString()
              << std::endl;
    ok = false;
  }
  return ok ? 0 : 1;
}
