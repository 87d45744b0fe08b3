// The panel's schedule and tiles.
#include "app/painel/painel_status.h"

#include <algorithm>
#include <utility>

#include "app/status_sefaz/historico_resultados.h"

namespace nivra {

TPainelStatus::TPainelStatus(std::vector<TAutorizador> autorizadores, TkovTipoAmbiente ambiente,
                             TkovModeloDF modelo, std::function<int64_t()> relogio,
                             std::function<TInstante()> agora, THistoricoStatus* historico)
    : FAmbiente(ambiente),
      FModelo(modelo),
      FRelogio(std::move(relogio)),
      FAgora(std::move(agora)),
      FHistorico(historico) {
  for (TAutorizador& a : autorizadores) FQuadros.push_back({std::move(a), {}, {}, {}});
}

bool TPainelStatus::DoMonitor(const TQuadroPainel& quadro) const {
  return !FURLDoMonitor.empty() && quadro.Autorizador.URL == FURLDoMonitor;
}

TQuadroPainel* TPainelStatus::Quadro(const TAutorizador& autorizador) {
  for (TQuadroPainel& q : FQuadros)
    if (q.Autorizador.Nome == autorizador.Nome && q.Autorizador.UFs == autorizador.UFs) return &q;
  return nullptr;
}

std::vector<TAutorizador> TPainelStatus::Pendentes() {
  const int64_t agora = FRelogio();
  std::vector<TAutorizador> pendentes;
  for (TQuadroPainel& q : FQuadros) {
    if (DoMonitor(q) || q.Autorizador.URL.empty()) continue;
    if (q.ConsultadoMs && agora - *q.ConsultadoMs < kIntervaloMinimoMs) continue;
    q.ConsultadoMs = agora;
    pendentes.push_back(q.Autorizador);
  }
  return pendentes;
}

void TPainelStatus::Receber(const std::vector<TResultadoAutorizador>& resultados) {
  const TInstante momento = FAgora();
  for (const TResultadoAutorizador& r : resultados) {
    if (TQuadroPainel* q = Quadro(r.Autorizador)) {
      q->Ultimo = r;
      q->Momento = momento;
    }
  }
  if (FHistorico) GravarResultados(*FHistorico, resultados, FAmbiente, FModelo, momento);
}

void TPainelStatus::InformarDoMonitor(const std::string& url, const TResultadoStatus& resultado,
                                      double milissegundos) {
  FURLDoMonitor = url;
  for (TQuadroPainel& q : FQuadros) {
    if (!DoMonitor(q)) continue;
    q.Ultimo = TResultadoAutorizador{q.Autorizador, resultado, milissegundos};
    q.Momento = FAgora();
    q.ConsultadoMs = FRelogio();
  }
}

int64_t TPainelStatus::EsperaMs() const {
  const int64_t agora = FRelogio();
  int64_t espera = kIntervaloMinimoMs;
  for (const TQuadroPainel& q : FQuadros) {
    if (DoMonitor(q) || q.Autorizador.URL.empty()) continue;
    if (!q.ConsultadoMs) return 0;
    espera = std::min(espera, std::max<int64_t>(0, *q.ConsultadoMs + kIntervaloMinimoMs - agora));
  }
  return espera;
}

}  // namespace nivra
