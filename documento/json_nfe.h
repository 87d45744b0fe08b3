// The JSON form of the document model: objects named after the layout's elements
// ({"infNFe": {"ide": {...}, "det": [{"prod": {...}, "imposto": {...}}]}}), attributes as
// members of their group's object, amounts as text so they stay exact.
#pragma once

#include <string>
#include <string_view>

#include "documento/leiaute_nfe_gerado.h"

// The JSON text of the document (indented by `recuo` spaces, one line when negative). Empty
// fields and absent groups are left out. Never throws.
[[nodiscard]] std::string NFeParaJSON(const nfe::TNFe& nota, int recuo = 2);

// The document of the JSON text. Amounts may be JSON numbers or text. Throws
// ENivraDFeException naming the member's path when the text is not JSON, a member is not of
// the layout or has the wrong kind of value (the content itself is checked by the writer's
// alerts).
[[nodiscard]] nfe::TNFe NFeDeJSON(std::string_view json);
