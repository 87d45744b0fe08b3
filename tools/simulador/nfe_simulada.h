// The authorised NF-e the simulator's distribution hands out.
#pragma once

#include <string>

namespace nivra {

// An nfeProc of one item, issued at `emissao` (a date-time with offset), whose identification
// (UF, model, series, number, code, emission type, check digit, issuer) is read out of the
// 44-character access key `chave`: a small document that still passes the nfeProc schema (its
// signature is a stand-in).
[[nodiscard]] std::string NFeProcessada(const std::string& chave, const std::string& emissao);

}  // namespace nivra
