// A month of answers of one authoriser for the picture of the history window: a query every
// 181 seconds, a few outages, a response time that rises in business hours. Always the same
// month for the same end.
#pragma once

#include <string>

#include "app/historico/historico_status.h"

namespace nivra {

// Records the 30 days before `fim` for `uf` in `historico`.
void GravarMesDeExemplo(THistoricoStatus& historico, const TInstante& fim, const std::string& uf);

}  // namespace nivra
