// The "Painel" window: every authoriser of the environment and model in a grid, each tile in
// its status colour with code, reason, time of the answer and tMed. While it is open it asks
// the authorisers the panel says are due, off the window's thread, and waits for the next.
#pragma once

#include <QFutureWatcher>
#include <QGridLayout>
#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <vector>

#include "app/painel/painel_status.h"

namespace nivra {

class TJanelaPainel : public QWidget {
  Q_OBJECT

 public:
  // Asks the authorisers given (ConsultarAutorizadores with the monitor's certificate); runs
  // on a worker thread.
  using TConsultar =
      std::function<std::vector<TResultadoAutorizador>(const std::vector<TAutorizador>&)>;

  // `painel` must outlive the window.
  TJanelaPainel(TPainelStatus& painel, TConsultar consultar, QWidget* pai = nullptr);
  ~TJanelaPainel() override;

  // Redraws the tiles from the panel.
  void Redesenhar();

 protected:
  void showEvent(QShowEvent* evento) override;
  void hideEvent(QHideEvent* evento) override;

 private:
  // Asks the authorisers due now, if no query is running, and schedules the next round.
  void Atualizar();
  void Agendar();

  TPainelStatus& FPainel;
  TConsultar FConsultar;
  QGridLayout* FGrade;
  std::vector<QLabel*> FQuadros;
  QLabel* FRodape;
  QTimer FTimer;
  QFutureWatcher<std::vector<TResultadoAutorizador>> FConsulta;
};

}  // namespace nivra
