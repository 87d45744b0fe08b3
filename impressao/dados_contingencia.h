// The "dados da NF-e" of a DANFE printed on a security form in contingency (FS-IA and FS-DA):
// the 36 characters its second bar code carries, which let the recipient check the document
// before it is authorised.
#pragma once

#include <string>
#include <string_view>

#include "nivranfe/documento/documento_nfe.h"

namespace nivra {

// Whether tpEmis is a security-form contingency: 2 (FS-IA) or 5 (FS-DA).
[[nodiscard]] bool ContingenciaEmFormularioSeguranca(std::string_view tpEmis);

// The 36 characters: the UF code of the recipient's address (the issuer's cUF for a recipient
// abroad or without an address), tpEmis, the recipient's CNPJ or CPF on 14 (zeros for none or
// a foreign one), vNF in cents on 14, 1 or 2 for ICMS of its own (vICMS) and by substitution
// (vST) present or not, the day of issue, and the check digit of the 35 before it (the access
// key's modulus 11). Digits only, except the letters of an alphanumeric CNPJ. Throws
// ENivraDFeException naming the field when one does not fit (vNF past 14 digits or negative,
// dhEmi without a day, tpEmis that is not one digit, a UF code that is not two digits).
[[nodiscard]] std::string DadosNFeContingencia(const nfe::TinfNFe& infNFe);

}  // namespace nivra
