// The value type of generated fields and of read results.
#pragma once

#include <cstdint>
#include <string>
#include <variant>

#include "nivranfe/util/datahora.h"

namespace nivra {

// A date-time held in a variant, kept apart from plain floating-point numbers.
struct TVarDataHora {
  TDateTime Valor = 0;
  bool operator==(const TVarDataHora&) const = default;
};

// Empty, text, integer, floating point, date-time or Boolean.
using TVariante = std::variant<std::monostate, std::string, int64_t, double, TVarDataHora, bool>;

}  // namespace nivra
