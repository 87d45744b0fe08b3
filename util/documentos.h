// Check digits of the Brazilian company (CNPJ) and person (CPF) registration numbers.
#pragma once

#include <string>
#include <string_view>

// True when the text, without ".", "/" and "-" and trimmed, is a 14-digit CNPJ other than all
// zeros whose two check digits are right. Never throws.
[[nodiscard]] bool CNPJValido(std::string_view texto);
// True when the text, without ".", "/" and "-" and trimmed, is an 11-digit CPF that is not one
// digit repeated and whose two check digits are right. Never throws.
[[nodiscard]] bool CPFValido(std::string_view texto);

// The CNPJ or CPF as people read it: 14 characters (digits, or letters and digits in the first
// 12 as the alphanumeric CNPJ allows) as "12.ABC.345/01DE-35", 11 digits as "123.456.789-09".
// Dots, slashes, dashes and blanks of the input are dropped first and letters upper-cased;
// any other text is returned as given. Never throws except on allocation.
[[nodiscard]] std::string FormatarCNPJCPF(std::string_view texto);
