// The 44-character access key of a fiscal document, its modulus-11 check digit and its fields:
// cUF (2) AAMM (4) CNPJ or CPF (14) mod (2) série (3) número (9) tpEmis (1) código (8) DV (1).
// The issuer's CNPJ may hold upper-case letters in its first 12 places; every other place is a
// digit.
#pragma once

#include <cstdint>
#include <string_view>

namespace nivra {

// The check digit of the first 43 characters of a key: each character weighs its code minus 48,
// times the weights 2 to 9 from the right, repeating; 11 minus the remainder of the sum by 11, or
// 0 when the remainder is 0 or 1. Returns -1 when `base` is not 43 characters of the key's
// alphabet (letters "A" to "Z" only in places 7 to 18). Never throws.
[[nodiscard]] int DigitoChaveAcesso(std::string_view base);

// True when `chave` has the form of a key: 44 characters of the key's alphabet, the last a digit,
// whatever its check digit. Never throws.
[[nodiscard]] bool FormaDeChaveAcesso(std::string_view chave);

// True when `chave` is exactly 44 characters of the key's alphabet whose last one is the check
// digit of the first 43. Nothing is stripped or upper-cased: callers pass the key. Never throws.
[[nodiscard]] bool ChaveAcessoValida(std::string_view chave);

// True when `chave` is a valid key (ChaveAcessoValida) of a document of model 55 (NF-e) or 65
// (NFC-e) issued in one of the 27 UFs. Never throws.
[[nodiscard]] bool ChaveNFeValida(std::string_view chave);

// The UF code of the key's first two characters; 0 when they are not two digits. Never throws.
[[nodiscard]] int32_t CodigoUFDaChave(std::string_view chave);

}  // namespace nivra
