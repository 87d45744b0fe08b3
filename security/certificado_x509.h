// The data record of a certificate from its X.509 form: serial number, thumbprint, names,
// the ICP-Brasil holder data of the alternative name, expiry and DER text.
#pragma once

#include <openssl/x509.h>

#include <string>
#include <string_view>

#include "nivranfe/security/dados_certificado.h"

namespace nivra {

// Clears `dados` and fills it from `certificado` (not owned): NumeroSerie, ThumbPrint,
// SubjectName (deriving RazaoSocial and CNPJ), the CNPJ or CPF of the ICP-Brasil alternative
// name when the subject gave no CNPJ, DataVenc (notAfter in local time), IssuerName (deriving
// Certificadora) and DERBase64. `Tipo` stays tpcDesconhecido. Throws ENivraDFeException when a
// part cannot be read.
void PreencherDadosCertificado(X509* certificado, TDadosCertificado& dados);

// The certificate's DER in Base64 on one line, as a signature's KeyInfo carries it. Throws
// ENivraDFeException when it cannot be encoded.
[[nodiscard]] std::string CertificadoDERBase64(const X509* certificado);

// The serial number's encoded bytes, most significant first, as upper-case hexadecimal (a
// leading zero byte that keeps the number positive is part of the encoding and shown).
[[nodiscard]] std::string NumeroSerieCertificado(const ASN1_INTEGER* numero);

// A distinguished name as "SHORTNAME=value" pairs joined by ", " in encoded order, values in
// UTF-8 and unescaped. Throws ENivraDFeException with `operacao` naming the caller on failure.
[[nodiscard]] std::string NomeX500(const X509_NAME* nome, std::string_view operacao);

// The text an ICP-Brasil other-name carries, from its value's DER bytes: the content an OCTET
// STRING, UTF8String, PrintableString or IA5String holds (its length counted as the encoding
// says), cut at the first zero byte and trimmed; empty for any other type. Never throws.
[[nodiscard]] std::string TextoOutroNome(std::string_view valorDER);

// The holder's document from the ICP-Brasil other-names of the subject alternative name: the
// first 14 characters of a company's CNPJ (2.16.76.1.3.3), else the 11-character CPF that
// follows the birth date in a person's data (2.16.76.1.3.1); empty when neither is present.
// Throws ENivraDFeException when the extension cannot be decoded.
[[nodiscard]] std::string DocumentoDoNomeAlternativo(X509* certificado);

}  // namespace nivra
