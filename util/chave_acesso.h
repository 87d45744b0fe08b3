// The 44-digit access key of a fiscal document and its modulus-11 check digit.
#pragma once

#include <string_view>

// The check digit of the first 43 digits of a key: weights 2 to 9 from the right, repeating;
// 11 minus the remainder of the sum by 11, or 0 when the remainder is 0 or 1. Returns -1 when
// `digitos` is not exactly 43 digits. Never throws.
[[nodiscard]] int DigitoChaveAcesso(std::string_view digitos);

// True when `chave` is exactly 44 digits whose last one is the check digit of the first 43.
// Nothing is stripped: callers pass the digits. Never throws.
[[nodiscard]] bool ChaveAcessoValida(std::string_view chave);
