// One status query as status-sefaz runs it, with the component of ConfigurarComponente.
#pragma once

#include <string>

#include "app/linha_comando/componente.h"
#include "app/status_sefaz/opcoes.h"
#include "nivranfe/dfe/nivra_nfe.h"
#include "nivranfe/util/datahora.h"

namespace nivra {

// The answer's fields, or the failure that stopped the query.
struct TResultadoStatus {
  // Empty when the query was answered; otherwise the failure's message.
  std::string Erro;
  std::string versao;
  TkovTipoAmbiente tpAmb = TkovTipoAmbiente::taProducao;
  std::string verAplic;
  int cStat = 0;
  std::string xMotivo;
  int cUF = 0;
  TDateTime dhRecbto = 0;
  // The offset the answer wrote with dhRecbto; empty when it wrote none.
  std::string FusoRecbto;
  int tMed = 0;
  TDateTime dhRetorno = 0;
  std::string xObs;
  // The address the query went to (empty when it was not resolved).
  std::string url;
};

// Runs the status service of the configured component. Never throws a component error: it comes
// back in `Erro`, with the fields as the service left them.
[[nodiscard]] TResultadoStatus ConsultarStatus(TNivraNFe& nfe);

// The exit status a monitoring system expects: 0 for 107, 1 for 108, 2 for 109, 3 for a failure
// or any other code.
[[nodiscard]] int CodigoSaida(const TResultadoStatus& resultado);

}  // namespace nivra
