// The history window over the toolkit-free analysis.
#include "app/qt/janela_historico.h"

#include <QDateTime>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <exception>
#include <utility>

#include "app/historico/analise_historico.h"
#include "nivranfe/util/arquivos.h"

namespace nivra {

namespace {

constexpr int64_t kMsPorDia = 86400000;

// The local date-time of a moment, in the offset the history recorded.
QString DataHora(const TInstante& instante) {
  return QDateTime::fromMSecsSinceEpoch(instante.UnixMs, Qt::OffsetFromUTC,
                                        instante.FusoMinutos * 60)
      .toString("dd/MM/yyyy HH:mm");
}

QString Duracao(int64_t ms) {
  const int64_t minutos = ms / 60000;
  if (minutos < 60) return QString("%1 min").arg(minutos);
  return QString("%1 h %2 min").arg(minutos / 60).arg(minutos % 60, 2, 10, QChar('0'));
}

QLabel* Titulo(const QString& texto, QWidget* pai) {
  auto* rotulo = new QLabel(texto, pai);
  QFont fonte = rotulo->font();
  fonte.setBold(true);
  rotulo->setFont(fonte);
  return rotulo;
}

}  // namespace

TJanelaHistorico::TJanelaHistorico(THistoricoStatus& historico, const std::string& autorizador,
                                   std::function<TInstante()> agora, QWidget* pai)
    : QWidget(pai, Qt::Window),
      FHistorico(historico),
      FAgora(std::move(agora)),
      FAutorizador(new QComboBox(this)),
      FDisponibilidade(new TGraficoDisponibilidade(this)),
      FInterrupcoes(new QTableWidget(0, 5, this)),
      FTempos(new TGraficoTempos(this)) {
  setWindowTitle("Histórico - Monitor de status do SEFAZ");
  FAutorizador->setObjectName("autorizador");
  FInterrupcoes->setObjectName("interrupcoes");
  auto* exportar = new QPushButton("Exportar CSV...", this);
  auto* topo = new QHBoxLayout();
  topo->addWidget(new QLabel("Autorizador:", this));
  topo->addWidget(FAutorizador);
  topo->addStretch();
  topo->addWidget(exportar);

  FInterrupcoes->setHorizontalHeaderLabels({"Início", "Fim", "Duração", "Código", "Motivo"});
  FInterrupcoes->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  FInterrupcoes->horizontalHeader()->setStretchLastSection(true);
  FInterrupcoes->verticalHeader()->hide();
  FInterrupcoes->setEditTriggers(QAbstractItemView::NoEditTriggers);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(topo);
  layout->addWidget(Titulo("Disponibilidade por dia (parte do tempo em operação)", this));
  layout->addWidget(FDisponibilidade, 3);
  layout->addWidget(Titulo("Interrupções", this));
  layout->addWidget(FInterrupcoes, 2);
  layout->addWidget(Titulo("Tempo de resposta (média por hora)", this));
  layout->addWidget(FTempos, 3);
  resize(820, 760);

  for (const std::string& nome : FHistorico.Autorizadores())
    FAutorizador->addItem(QString::fromStdString(nome));
  const int indice = FAutorizador->findText(QString::fromStdString(autorizador));
  FAutorizador->setCurrentIndex(indice >= 0 ? indice : 0);
  connect(FAutorizador, &QComboBox::currentIndexChanged, this, &TJanelaHistorico::Carregar);
  connect(exportar, &QPushButton::clicked, this, &TJanelaHistorico::ExportarCSV);
  Carregar();
}

void TJanelaHistorico::Carregar() {
  const TInstante agora = FAgora();
  const int64_t inicio = agora.UnixMs - kDias * kMsPorDia;
  // A day more than shown: the state at the start of the first day comes from the day before.
  FRegistros = FHistorico.Consultar(FAutorizador->currentText().toStdString(), inicio - kMsPorDia,
                                    agora.UnixMs + 1);
  FDisponibilidade->Definir(DisponibilidadePorDia(FRegistros, agora, kDias), agora.FusoMinutos);
  PreencherInterrupcoes(agora);
  FTempos->Definir(TemposPorHora(FRegistros), inicio, agora.UnixMs, agora.FusoMinutos);
}

void TJanelaHistorico::PreencherInterrupcoes(const TInstante& agora) {
  const std::vector<TInterrupcao> lista = Interrupcoes(FRegistros, agora);
  FInterrupcoes->setRowCount(static_cast<int>(lista.size()));
  // The latest first.
  for (std::size_t n = 0; n < lista.size(); ++n) {
    const TInterrupcao& i = lista[lista.size() - 1 - n];
    const QStringList colunas = {DataHora(i.Inicio), i.Fim ? DataHora(*i.Fim) : "em andamento",
                                 Duracao(i.DuracaoMs), i.cStat ? QString::number(i.cStat) : "-",
                                 QString::fromStdString(i.Motivo)};
    for (int c = 0; c < colunas.size(); ++c)
      FInterrupcoes->setItem(static_cast<int>(n), c, new QTableWidgetItem(colunas[c]));
  }
}

void TJanelaHistorico::ExportarCSV() {
  const QString arquivo = QFileDialog::getSaveFileName(
      this, "Exportar histórico", "historico-" + FAutorizador->currentText() + ".csv",
      "CSV (*.csv)");
  if (arquivo.isEmpty()) return;
  try {
    GravarArquivoAtomico(arquivo.toStdString(), TextoCSV(FRegistros), 0644);
  } catch (const std::exception& erro) {
    QMessageBox::critical(this, windowTitle(), QString::fromStdString(erro.what()));
  }
}

}  // namespace nivra
