// The JSON form of the document models: objects named after the layout's elements
// ({"infNFe": {"ide": {...}, "det": [{"prod": {...}, "imposto": {...}}]}}), attributes as
// members of their group's object, amounts as text so they stay exact.
#pragma once

#include <string>
#include <string_view>

#include "nivranfe/documento/leiaute_evento_gerado.h"
#include "nivranfe/documento/leiaute_nfe_gerado.h"

namespace nivra {

// The JSON text of the document (indented by `recuo` spaces, one line when negative). Empty
// optional fields and absent groups are left out; an empty mandatory field is written as "".
// Never throws.
[[nodiscard]] std::string NFeParaJSON(const nfe::TNFe& nota, int recuo = 2);

// The document of the JSON text. Amounts may be JSON numbers or text. Throws
// ENivraDFeException naming the member's path when the text is not JSON, a member is not of
// the layout or has the wrong kind of value (the content itself is checked by the writer's
// alerts).
[[nodiscard]] nfe::TNFe NFeDeJSON(std::string_view json);

// The same for an event ({"infEvento": {..., "tpEvento": "110110", "detEvento": {...}}}) and
// a processed event ({"evento": {...}, "retEvento": {...}}). Reading throws as NFeDeJSON does,
// and also when detEvento comes with a tpEvento the layout does not have.
[[nodiscard]] std::string EventoParaJSON(const nfe::evento::Tevento& evento, int recuo = 2);
[[nodiscard]] nfe::evento::Tevento EventoDeJSON(std::string_view json);
[[nodiscard]] std::string ProcEventoParaJSON(const nfe::evento::TprocEventoNFe& processado,
                                             int recuo = 2);
[[nodiscard]] nfe::evento::TprocEventoNFe ProcEventoDeJSON(std::string_view json);

}  // namespace nivra
