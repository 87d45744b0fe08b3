// How consulta-nfe writes a query's result: lines for people and scripts, or one JSON object.
#pragma once

#include <string>

#include "app/consulta_nfe/consultas.h"
#include "app/consulta_nfe/opcoes.h"

namespace nivra {

// "CSTAT - XMOTIVO", then "campo: valor" lines with what the service `acao` answered:
// situacao the key, protocol, reception time, cancellation and events; cadastro the fields of
// each taxpayer (a blank line between two); distribuicao ultNSU, maxNSU and one "NSU schema"
// line per document received. Then the address asked. Each line ends in "\n". A failed query
// gives the empty text (its message goes to standard error).
[[nodiscard]] std::string TextoConsulta(TAcaoConsulta acao, const TResultadoConsulta& resultado);

// One JSON object with cStat, xMotivo, versao, tpAmb, verAplic, cUF, dhRecbto (null when
// absent), the fields of the service (situacao: chNFe, protocolo, cancelamento, eventos;
// cadastro: contribuintes; distribuicao: ultNSU, maxNSU, documentos), url, and erro after a
// failure. Ends in "\n".
[[nodiscard]] std::string JsonConsulta(TAcaoConsulta acao, const TResultadoConsulta& resultado);

}  // namespace nivra
