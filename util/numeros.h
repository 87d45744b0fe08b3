// Locale-independent decimal formatting and parsing.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace nivra {

// The mask for n decimals: "0" when n < 1, otherwise "0." and n zeros, with a leading ","
// when thousands grouping is asked ("0.00" for 2 without grouping).
[[nodiscard]] std::string MascaraDecimal(int16_t decimais, bool agruparMilhares);

// The value as text with the given decimal character, whatever the process locale. An empty
// mask gives the shortest general form with up to 15 significant digits; "0" gives the integer
// and "0." followed by n zeros exactly n decimals (a leading "," is accepted and ignored, as
// grouping is never written). Rounding is to the nearest, exact halves away from zero, on the
// exact binary value of the double. The text holds only digits, an optional "-" and the
// separator; throws ENivraDFeException "Valor numérico inválido: não é finito" for NaN and the
// infinities, which have no such text.
[[nodiscard]] std::string DecimalParaTexto(char separador, std::string_view mascara, double valor);

// The trimmed text read as a number where "." and "," both count as the decimal separator (no
// digit grouping). Throws ENivraDFeException when the text is not a number.
[[nodiscard]] double TextoParaDecimal(std::string_view texto);
// As above, but returns padrao for an empty text or a text that is not a number.
[[nodiscard]] double TextoParaDecimal(std::string_view texto, double padrao);

}  // namespace nivra
