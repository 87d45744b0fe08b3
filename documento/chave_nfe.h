// The access key of an NF-e (44 characters, the issuer's CNPJ possibly alphanumeric) and the
// check digits of the alphanumeric CNPJ: each character weighs its ASCII code minus 48, so
// digits keep their value and letters count from 17 (A) up.
#pragma once

#include <string>
#include <string_view>

// The modulo-11 digit of the text, weights 2 to 9 from the right starting over; 0 when the
// remainder leaves 10 or 11. -1 when a character is not a digit or an upper-case letter.
[[nodiscard]] int DigitoModulo11Alfanumerico(std::string_view texto);

// Whether the text is a CNPJ of 14 characters: 12 digits or upper-case letters, then two
// check digits that match; never all zeros.
[[nodiscard]] bool CNPJAlfanumericoValido(std::string_view cnpj);

// Whether the text is a 44-character access key whose layout (6 digits, 12 digits or letters,
// 26 digits) and last digit hold.
[[nodiscard]] bool ChaveNFeValida(std::string_view chave);

// The fields an access key is made of, as written in ide and emit.
struct TPartesChaveNFe {
  std::string cUF;      // 2 digits
  std::string AAMM;     // year and month of emission
  std::string CNPJCPF;  // issuer's CNPJ (14) or CPF (11, written with 3 leading zeros)
  std::string mod;
  std::string serie;
  std::string nNF;
  std::string tpEmis;
  std::string cNF;  // 8 digits
};

// The 43 characters before the check digit, each part completed with zeros on the left.
// Throws ENivraDFeException when a part is longer than its place or has a character the key
// does not allow there.
[[nodiscard]] std::string PrefixoChaveNFe(const TPartesChaveNFe& partes);
