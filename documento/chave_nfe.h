// The access key of an NF-e composed from the fields of ide and emit (the issuer's CNPJ possibly
// alphanumeric); its check digit is util/chave_acesso's.
#pragma once

#include <string>

namespace nivra {

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

}  // namespace nivra
