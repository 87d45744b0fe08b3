// The results of status queries as the history records them (status-sefaz --historico and
// the monitor's panel).
#pragma once

#include <vector>

#include "app/historico/historico_status.h"
#include "app/status_sefaz/consulta_todas.h"
#include "nivranfe/util/enumeracoes.h"

namespace nivra {

// The record of one result taken at `momento`: the authoriser's name, its first UF, the
// environment and model asked, and the answer or the failure.
[[nodiscard]] TRegistroStatus RegistroDoResultado(const TResultadoAutorizador& resultado,
                                                  TkovTipoAmbiente ambiente, TkovModeloDF modelo,
                                                  const TInstante& momento);

// Records every result at `momento`; returns how many were stored (failures are logged by
// the history). Never throws except on allocation.
std::size_t GravarResultados(THistoricoStatus& historico,
                             const std::vector<TResultadoAutorizador>& resultados,
                             TkovTipoAmbiente ambiente, TkovModeloDF modelo,
                             const TInstante& momento);

}  // namespace nivra
