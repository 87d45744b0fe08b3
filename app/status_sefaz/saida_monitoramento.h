// The forms of the results that monitoring systems read: the OpenMetrics text of the node
// exporter's textfile collector and the line of a Nagios-compatible plugin.
#pragma once

#include <string>
#include <vector>

#include "app/status_sefaz/consulta_todas.h"
#include "nivranfe/util/enumeracoes.h"

namespace nivra {

// The gauges nfe_status_codigo (cStat, 0 after a failure), nfe_status_em_operacao (1 for 107),
// nfe_tmed_segundos (answered queries only) and nfe_consulta_segundos (the query's duration),
// one series per result, labelled autorizador, uf (the UFs served, joined by ","), ambiente
// ("producao", "homologacao") and modelo ("nfe", "nfce"); ends with "# EOF".
[[nodiscard]] std::string TextoPrometheus(const std::vector<TResultadoAutorizador>& resultados,
                                          TkovTipoAmbiente ambiente, TkovModeloDF modelo);

// One line "ESTADO - texto | dados", ESTADO being OK, WARNING, CRITICAL or UNKNOWN as the
// exit code (CodigoSaidaTodas) says. One result: "OK - 107 Serviço em Operação | tmed=1s
// consulta=0.214s" (a failure gives its message and only the duration). Several: how many are
// in operation, then each of the others with its code and reason, and the tmed and duration of
// each authoriser as data. Ends in "\n".
[[nodiscard]] std::string LinhaNagios(const std::vector<TResultadoAutorizador>& resultados);

}  // namespace nivra
