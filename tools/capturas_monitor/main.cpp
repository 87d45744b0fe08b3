// capturas-monitor PASTA: draws the monitor window and the certificate picker with example
// contents and saves them as PNG files in PASTA, for the user documentation.
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <iostream>

#include "app/qt/dialogo_certificados.h"
#include "app/qt/janela_monitor.h"

namespace {

// Shows the widget, lets it lay out and paint, and saves it; false when saving failed.
bool Salvar(QWidget& tela, const QString& arquivo) {
  tela.show();
  for (int i = 0; i < 10; ++i) QApplication::processEvents();
  return tela.grab().save(arquivo);
}

// The window as it looks during a paralysis of the PR authoriser, or in operation.
void Preencher(TForm1& janela, bool paralisado) {
  janela.SetTexto(TControle::NumeroCertificado, "3A5F0C19E2B14D77");
  if (paralisado) {
    janela.SetTexto(TControle::MensagemSite, "108 - Serviço Paralisado Momentaneamente");
    janela.SetCor(TControle::MensagemSite, {255, 255, 0});
    janela.SetTexto(TControle::ObsSite, "Manutenção programada até 23h");
    janela.SetPosicao(TControle::TempoMedio, 4);
    janela.SetVisivel(TControle::SpeedButton1, true);
    janela.SetHabilitado(TControle::btnConsulta, false);
  } else {
    janela.SetTexto(TControle::MensagemSite, "107 - Serviço em Operação");
    janela.SetCor(TControle::MensagemSite, {0, 255, 0});
    janela.SetPosicao(TControle::TempoMedio, 1);
  }
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication aplicacao(argc, argv);
  if (argc != 2) {
    std::cerr << "uso: capturas-monitor PASTA" << std::endl;
    return 2;
  }
  const QDir pasta(QString::fromLocal8Bit(argv[1]));
  const QString sufixo = aplicacao.devicePixelRatio() > 1 ? "@2x.png" : ".png";
  bool ok = true;
  for (bool paralisado : {false, true}) {
    TForm1 janela;
    Preencher(janela, paralisado);
    ok = Salvar(janela,
                pasta.filePath((paralisado ? "monitor-paralisado" : "monitor-107") + sufixo)) &&
         ok;
  }
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
  ok = Salvar(seletor, pasta.filePath("seletor-certificados" + sufixo)) && ok;
  if (!ok) std::cerr << "capturas-monitor: não foi possível gravar em " << argv[1] << std::endl;
  return ok ? 0 : 1;
}
