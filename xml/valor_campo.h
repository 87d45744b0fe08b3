// Reading a field value (text, number, date-time or truth value) out of a TVariante, and
// building a checked date-time from calendar fields.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "nivranfe/util/datahora.h"
#include "nivranfe/util/variante.h"

namespace nivra {

// The value as text: text unchanged, integers in decimal, numbers in their shortest form with
// "." as separator, date-times as DD/MM/YYYY (with " hh:nn:ss" when there is a time of day),
// truth values as "True"/"False", empty as "". Throws ENivraDFeException for a number that is
// not finite (DecimalParaTexto has no text for it).
[[nodiscard]] std::string VarianteParaTexto(const TVariante& valor);

// The value as a 32-bit integer: text read as a decimal integer with at most one sign (trimmed),
// numbers rounded to the nearest (halves away from zero), Booleans as 1 or 0; empty is 0. Empty
// result when the value cannot be read or lies outside the 32-bit range. Never throws.
[[nodiscard]] std::optional<int32_t> VarianteParaInteiro(const TVariante& valor);

// The value as a finite floating-point number: text read with "." or "," as separator; empty
// is 0. Empty result when the value cannot be read. Never throws.
[[nodiscard]] std::optional<double> VarianteParaDecimal(const TVariante& valor);

// The value as a date-time between the years 1 and 9999: a date-time or number as it stands,
// text in the forms YYYY-MM-DD, YYYY-MM-DDThh:nn:ss, DD/MM/YYYY, DD/MM/YYYY hh:nn:ss or
// hh:nn:ss; empty (or blank text) is 0, the null date. Throws ENivraDFeException for any
// other value.
[[nodiscard]] TDateTime VarianteParaDataHora(const TVariante& valor);

// The value as a truth value: Booleans as they are, numbers true when not 0, text "true" or
// "false" in any letter case or a number; empty is false. Throws ENivraDFeException for any
// other value.
[[nodiscard]] bool VarianteParaLogico(const TVariante& valor);

// The date-time of the calendar fields when they form a real date (years 1 to 9999) and time
// of day; empty otherwise. Never throws.
[[nodiscard]] std::optional<TDateTime> DataHoraValida(int ano, int mes, int dia, int hora = 0,
                                                      int minuto = 0, int segundo = 0);

}  // namespace nivra
