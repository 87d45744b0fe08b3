// Check digits of the Brazilian company (CNPJ) and person (CPF) registration numbers.
#pragma once

#include <string>
#include <string_view>

namespace nivra {

// The modulus-11 check digit of the characters: each one weighs its code minus 48 ("0" to "9"
// give 0 to 9, "A" 17 ... "Z" 42), times the weights 2 to pesoMaximo rising from the right and
// starting over after pesoMaximo; a remainder below 2 gives 0, any other r gives 11 - r. Callers
// pass digits and upper-case letters only. Never throws.
[[nodiscard]] int DigitoModulo11(std::string_view caracteres, int pesoMaximo);

// True when the text, without ".", "/" and "-" and trimmed, is a CNPJ other than all zeros: 12
// characters "0" to "9" or "A" to "Z" (upper case only) followed by their two check digits.
// Never throws.
[[nodiscard]] bool CNPJValido(std::string_view texto);
// The two check digits of the first 12 characters of a CNPJ; empty unless `base` is exactly 12
// characters "0" to "9" or "A" to "Z". Never throws.
[[nodiscard]] std::string DigitosVerificadoresCNPJ(std::string_view base);
// The text without ".", "/" and "-" and trimmed: a CNPJ as people write it, as it is sent.
// Nothing else is removed or changed. Never throws.
[[nodiscard]] std::string CNPJSemMascara(std::string_view texto);
// A 14-character CNPJ as people read it ("12.ABC.345/01DE-35"); any other text unchanged.
[[nodiscard]] std::string FormatarCNPJ(std::string_view cnpj);

// True when the text, without ".", "/" and "-" and trimmed, is an 11-digit CPF that is not one
// digit repeated and whose two check digits are right. Never throws.
[[nodiscard]] bool CPFValido(std::string_view texto);

// The CNPJ or CPF as people read it: 14 characters (digits, or letters and digits in the first
// 12 as the alphanumeric CNPJ allows) as "12.ABC.345/01DE-35", 11 digits as "123.456.789-09".
// Dots, slashes, dashes and blanks of the input are dropped first and letters upper-cased;
// any other text is returned as given. Never throws except on allocation.
[[nodiscard]] std::string FormatarCNPJCPF(std::string_view texto);

}  // namespace nivra
