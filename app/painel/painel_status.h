// The panel of every authoriser of an environment and model, free of any toolkit: which
// authorisers are due a query, their latest answers, and the history they go to. An authoriser
// is never asked twice within kIntervaloMinimoMs, however often the panel is refreshed or
// reopened; the one the monitor asks itself (same address) is never asked by the panel, which
// shows the monitor's answers for it instead.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/historico/historico_status.h"
#include "app/status_sefaz/consulta_todas.h"

namespace nivra {

// One tile of the panel.
struct TQuadroPainel {
  TAutorizador Autorizador;
  // The latest answer or failure, and when it came; nothing before the first.
  std::optional<TResultadoAutorizador> Ultimo;
  TInstante Momento;
  // When the authoriser was last asked (by the panel or by the monitor), on the steady clock.
  std::optional<int64_t> ConsultadoMs;
};

class TPainelStatus {
 public:
  // The authorities answer 656 and block a client that asks the status more often.
  static constexpr int64_t kIntervaloMinimoMs = 181000;

  // `relogio` gives a steady time in milliseconds, `agora` the moment recorded with an answer.
  // `historico` (may be null) receives every answer the panel gets; it must outlive the panel.
  TPainelStatus(std::vector<TAutorizador> autorizadores, TkovTipoAmbiente ambiente,
                TkovModeloDF modelo, std::function<int64_t()> relogio,
                std::function<TInstante()> agora, THistoricoStatus* historico);

  // The authorisers due a query now (none asked within kIntervaloMinimoMs, not the monitor's
  // own), marked as asked from this moment on: a query that never comes back does not make
  // them due earlier.
  [[nodiscard]] std::vector<TAutorizador> Pendentes();

  // The results of a query of Pendentes(), recorded in the history and shown.
  void Receber(const std::vector<TResultadoAutorizador>& resultados);

  // The monitor's own answer from the status service at `url`: shown on the tile of that
  // address (not recorded again), which the panel leaves to the monitor from now on.
  void InformarDoMonitor(const std::string& url, const TResultadoStatus& resultado,
                         double milissegundos);

  // Milliseconds until the next authoriser is due (0 when one is due now).
  [[nodiscard]] int64_t EsperaMs() const;

  [[nodiscard]] const std::vector<TQuadroPainel>& Quadros() const { return FQuadros; }

 private:
  [[nodiscard]] bool DoMonitor(const TQuadroPainel& quadro) const;
  TQuadroPainel* Quadro(const TAutorizador& autorizador);

  std::vector<TQuadroPainel> FQuadros;
  TkovTipoAmbiente FAmbiente;
  TkovModeloDF FModelo;
  std::function<int64_t()> FRelogio;
  std::function<TInstante()> FAgora;
  THistoricoStatus* FHistorico;
  std::string FURLDoMonitor;
};

}  // namespace nivra
