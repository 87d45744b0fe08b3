// How status-sefaz --todas writes its results: a table for people, or one JSON array.
#pragma once

#include <string>
#include <vector>

#include "app/status_sefaz/consulta_todas.h"

namespace nivra {

// A header line and one line per authoriser, columns aligned: authoriser, UFs served (joined by
// ","), cStat, xMotivo, tMed and the time taken ("350 ms"). A failed query shows "-" for cStat
// and tMed and its message on one line in place of xMotivo. Each line ends in "\n".
[[nodiscard]] std::string TabelaTodas(const std::vector<TResultadoAutorizador>& resultados);

// One JSON array of objects with autorizador, ufs (array), url, the fields of JsonResultado
// (erro after a failure) and ms (time taken). Ends in "\n".
[[nodiscard]] std::string JsonTodas(const std::vector<TResultadoAutorizador>& resultados);

}  // namespace nivra
