// Check digits of the Brazilian company (CNPJ) and person (CPF) registration numbers.
#pragma once

#include <string_view>

// True when the text, without ".", "/" and "-" and trimmed, is a 14-digit CNPJ other than all
// zeros whose two check digits are right. Never throws.
[[nodiscard]] bool CNPJValido(std::string_view texto);
// True when the text, without ".", "/" and "-" and trimmed, is an 11-digit CPF that is not one
// digit repeated and whose two check digits are right. Never throws.
[[nodiscard]] bool CPFValido(std::string_view texto);
