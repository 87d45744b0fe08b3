// Checks of the numbers a request carries (CNPJ, CPF, access key, CNPJ root, NSU), made before
// anything is sent, so a mistyped number is refused instead of reaching the authoriser.
#pragma once

#include <string>

namespace nivra {

// Throws ENivraNFeException `CNPJ "…" inválido.` unless CNPJValido accepts the text (upper-case
// letters allowed in the first 12 places, digits in the last two).
void ValidarCNPJ(const std::string& CNPJ);
// Throws ENivraNFeException `CPF "…" inválido.` unless CPFValido accepts the text.
void ValidarCPF(const std::string& CPF);
// A CNPJ when the text has more than 11 letters and digits, else a CPF; throws as those do.
void ValidarCNPJouCPF(const std::string& Documento);
// Throws ENivraNFeException `Chave "…" inválida.` unless the text is the key of an NF-e or NFC-e
// (ChaveNFeValida: 44 characters, a known UF, model 55 or 65, the right check digit).
void ValidarChaveNFe(const std::string& Chave);
// Throws ENivraNFeException `Raiz do CNPJ "…" inválida.` unless the text is the first 8
// characters of a CNPJ: digits or upper-case letters.
void ValidarRaizCNPJ(const std::string& Raiz);
// Throws ENivraNFeException `NSU "…" inválido.` unless the text is 1 to 15 digits.
void ValidarNSU(const std::string& NSU);

// The letters and digits of a request's identifier after its "ID" prefix ("ID110111…" gives
// "110111…"): what names its saved files. Never throws.
[[nodiscard]] std::string IdSemPrefixo(const std::string& Id);

}  // namespace nivra
