// The "Histórico" window: availability per day over the last 30 days, the outages, the
// response time over time, and the export of the answers to CSV, for one authoriser.
#pragma once

#include <QComboBox>
#include <QTableWidget>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "app/historico/historico_status.h"
#include "app/qt/graficos_historico.h"

namespace nivra {

class TJanelaHistorico : public QWidget {
  Q_OBJECT

 public:
  // The days shown.
  static constexpr int kDias = 30;

  // Reads `historico` (which must outlive the window) for `autorizador` (the first one with
  // answers when it has none); `agora` gives the end of the period shown.
  TJanelaHistorico(THistoricoStatus& historico, const std::string& autorizador,
                   std::function<TInstante()> agora, QWidget* pai = nullptr);

  // Reads the history again for the authoriser chosen and redraws everything.
  void Carregar();

 private:
  void ExportarCSV();
  void PreencherInterrupcoes(const TInstante& agora);

  THistoricoStatus& FHistorico;
  std::function<TInstante()> FAgora;
  QComboBox* FAutorizador;
  TGraficoDisponibilidade* FDisponibilidade;
  QTableWidget* FInterrupcoes;
  TGraficoTempos* FTempos;
  std::vector<TRegistroStatus> FRegistros;
};

}  // namespace nivra
