// One status query as status-sefaz runs it: the component configured as the monitor configures
// its own, pointed at the authoriser and certificate of the command line.
#pragma once

#include <string>

#include "app/status_sefaz/opcoes.h"
#include "dfe/nivra_nfe.h"
#include "util/datahora.h"

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
  int tMed = 0;
  TDateTime dhRetorno = 0;
  std::string xObs;
  // The address the query went to (empty when it was not resolved).
  std::string url;
};

// Configures `nfe` for the options: the libraries, layout and time-out of the monitor, the UF,
// environment, model and contingency authoriser, the certificate with its password or PIN
// (`senha`), the services table, schema and archive folders. Throws ENivraDFeException when a
// named services file does not exist or no schema folder is found.
void ConfigurarComponente(TNivraNFe& nfe, const TOpcoesStatus& opcoes, const std::string& senha);

// Runs the status service of the configured component. Never throws a component error: it comes
// back in `Erro`, with the fields as the service left them.
[[nodiscard]] TResultadoStatus ConsultarStatus(TNivraNFe& nfe);

// The exit status a monitoring system expects: 0 for 107, 1 for 108, 2 for 109, 3 for a failure
// or any other code.
[[nodiscard]] int CodigoSaida(const TResultadoStatus& resultado);
