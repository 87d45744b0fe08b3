// How status-sefaz writes a query's result: lines for people and scripts, or one JSON object.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "app/linha_comando/saida_comum.h"
#include "app/status_sefaz/consulta_status.h"

namespace nivra {

// "CSTAT - XMOTIVO", then one "campo: valor" line per other field that has a value; each line
// ends in "\n". A failed query gives the empty text (its message goes to standard error).
[[nodiscard]] std::string TextoResultado(const TResultadoStatus& resultado);

// One JSON object with versao, tpAmb, verAplic, cStat, xMotivo, cUF, dhRecbto, tMed, dhRetorno,
// xObs and url, plus erro after a failure; absent dates are null. Ends in "\n".
[[nodiscard]] std::string JsonResultado(const TResultadoStatus& resultado);
// The object JsonResultado writes, for callers that place it in a larger document.
[[nodiscard]] nlohmann::ordered_json ObjetoJsonResultado(const TResultadoStatus& resultado);

}  // namespace nivra
