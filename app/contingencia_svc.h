// Which contingency authoriser stands in for a UF's NF-e authoriser.
#pragma once

#include <string_view>

namespace nivra {

// True for the UFs whose contingency authoriser is SVC-RS (AM, BA, CE, GO, MA, MS, MT, PA, PE,
// PR); the other UFs fall back on SVC-AN. False for an empty or unknown text. Never throws.
[[nodiscard]] bool AtendidaPeloSVCRS(std::string_view uf);

}  // namespace nivra
