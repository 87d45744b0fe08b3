// The panel window's tiles and refresh cycle.
#include "app/qt/janela_painel.h"

#include <QDateTime>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>
#include <utility>

namespace nivra {

namespace {

constexpr int kColunas = 4;

QString Cor(const std::optional<TResultadoAutorizador>& ultimo) {
  if (!ultimo) return "#d0d0d0";
  if (!ultimo->Resultado.Erro.empty()) return "#b0b0b0";
  switch (ultimo->Resultado.cStat) {
    case 107:
      return "#00ff00";
    case 108:
      return "#ffff00";
    case 109:
      return "#ff0000";
    default:
      return "#ffa040";
  }
}

QString UFs(const TAutorizador& autorizador) {
  QStringList lista;
  for (const std::string& uf : autorizador.UFs) lista << QString::fromStdString(uf);
  return lista.join(", ");
}

QString TextoQuadro(const TQuadroPainel& q) {
  QString texto = "<b>" + QString::fromStdString(q.Autorizador.Nome).toHtmlEscaped() +
                  "</b><br><small>" + UFs(q.Autorizador).toHtmlEscaped() + "</small><br>";
  if (!q.Autorizador.Erro.empty() && q.Autorizador.URL.empty())
    return texto + QString::fromStdString(q.Autorizador.Erro).toHtmlEscaped();
  if (!q.Ultimo) return texto + "aguardando a consulta";
  const TResultadoStatus& r = q.Ultimo->Resultado;
  if (!r.Erro.empty()) {
    texto += "falha: " + QString::fromStdString(r.Erro).simplified().toHtmlEscaped();
  } else {
    texto += QString("<b>%1</b> - %2<br>tMed %3 s")
                 .arg(r.cStat)
                 .arg(QString::fromStdString(r.xMotivo).toHtmlEscaped())
                 .arg(r.tMed);
  }
  const QDateTime quando = QDateTime::fromMSecsSinceEpoch(q.Momento.UnixMs, Qt::OffsetFromUTC,
                                                          q.Momento.FusoMinutos * 60);
  return texto + "<br>às " + quando.toString("HH:mm:ss");
}

}  // namespace

TJanelaPainel::TJanelaPainel(TPainelStatus& painel, TConsultar consultar, QWidget* pai)
    : QWidget(pai, Qt::Window),
      FPainel(painel),
      FConsultar(std::move(consultar)),
      FGrade(new QGridLayout()),
      FRodape(new QLabel(this)) {
  setWindowTitle("Painel - Monitor de status do SEFAZ");
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(FGrade);
  layout->addWidget(FRodape);
  FRodape->setWordWrap(true);
  const auto& quadros = FPainel.Quadros();
  for (std::size_t i = 0; i < quadros.size(); ++i) {
    auto* quadro = new QLabel(this);
    quadro->setObjectName(QString::fromStdString("quadro-" + quadros[i].Autorizador.Nome));
    quadro->setTextFormat(Qt::RichText);
    quadro->setWordWrap(true);
    quadro->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    quadro->setMargin(8);
    quadro->setMinimumWidth(200);
    // Room for the name, three lines of UFs, the answer on two lines, tMed and the time.
    quadro->setMinimumHeight(quadro->fontMetrics().lineSpacing() * 8 + 16);
    FGrade->addWidget(quadro, static_cast<int>(i) / kColunas, static_cast<int>(i) % kColunas);
    FQuadros.push_back(quadro);
  }
  FTimer.setSingleShot(true);
  connect(&FTimer, &QTimer::timeout, this, &TJanelaPainel::Atualizar);
  connect(&FConsulta, &QFutureWatcher<std::vector<TResultadoAutorizador>>::finished, this, [this] {
    FPainel.Receber(FConsulta.result());
    Redesenhar();
    Agendar();
  });
  Redesenhar();
}

TJanelaPainel::~TJanelaPainel() { FConsulta.waitForFinished(); }

void TJanelaPainel::Redesenhar() {
  const auto& quadros = FPainel.Quadros();
  for (std::size_t i = 0; i < quadros.size() && i < FQuadros.size(); ++i) {
    FQuadros[i]->setText(TextoQuadro(quadros[i]));
    FQuadros[i]->setStyleSheet("QLabel { background: " + Cor(quadros[i].Ultimo) +
                               "; color: black; border: 1px solid #808080; }");
  }
  FRodape->setText(
      "Cada autorizador é consultado no máximo uma vez a cada 181 segundos; o da UF do monitor "
      "mostra as respostas da consulta principal.");
}

void TJanelaPainel::Atualizar() {
  if (FConsulta.isRunning()) return;
  const std::vector<TAutorizador> pendentes = FPainel.Pendentes();
  if (pendentes.empty()) {
    Redesenhar();
    Agendar();
    return;
  }
  FConsulta.setFuture(QtConcurrent::run(FConsultar, pendentes));
}

void TJanelaPainel::Agendar() {
  if (isVisible()) FTimer.start(static_cast<int>(FPainel.EsperaMs()) + 100);
}

void TJanelaPainel::showEvent(QShowEvent* evento) {
  QWidget::showEvent(evento);
  Atualizar();
}

void TJanelaPainel::hideEvent(QHideEvent* evento) {
  QWidget::hideEvent(evento);
  FTimer.stop();
}

}  // namespace nivra
