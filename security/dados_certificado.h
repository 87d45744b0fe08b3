// The data of one certificate (serial number, names, CNPJ, expiry, kind) and an owning list of
// such records, as the crypto role fills them.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "nivranfe/security/ssl_tipos.h"
#include "nivranfe/util/datahora.h"

namespace nivra {

// The serial number as certificates are looked up by it: without spaces, letters a to z
// upper-cased, trimmed. Never throws except on allocation.
[[nodiscard]] std::string NormalizarNumeroSerie(std::string_view valor);

// One certificate's data. Every field is plain text, a date or the kind; `Clear` empties them.
class TDadosCertificado {
 public:
  TDadosCertificado() = default;

  // Empties every text, sets `DataVenc` to 0 and `Tipo` to `tpcDesconhecido`.
  void Clear();

  // Serial number, upper-case hexadecimal, most significant byte first.
  const std::string& NumeroSerie() const { return FNumeroSerie; }
  void SetNumeroSerie(const std::string& valor) { FNumeroSerie = valor; }
  // Issuer distinguished name as text. A different value also sets `Certificadora` from it.
  const std::string& IssuerName() const { return FIssuerName; }
  void SetIssuerName(const std::string& valor);
  // Name of the issuing authority.
  const std::string& Certificadora() const { return FCertificadora; }
  void SetCertificadora(const std::string& valor) { FCertificadora = valor; }
  // End of validity, local time; 0 when unknown.
  TDateTime DataVenc() const { return FDataVenc; }
  void SetDataVenc(TDateTime valor) { FDataVenc = valor; }
  // Subject distinguished name as text. A different value also sets `RazaoSocial` and `CNPJ`
  // from it.
  const std::string& SubjectName() const { return FSubjectName; }
  void SetSubjectName(const std::string& valor);
  // Holder's name.
  const std::string& RazaoSocial() const { return FRazaoSocial; }
  void SetRazaoSocial(const std::string& valor) { FRazaoSocial = valor; }
  // Holder's CNPJ (14 characters, letters allowed in the first 12) or CPF (11 digits); empty
  // when none was found.
  const std::string& CNPJ() const { return FCNPJ; }
  void SetCNPJ(const std::string& valor) { FCNPJ = valor; }
  // Key in software (A1), in hardware (A3) or not determined.
  TSSLTipoCertificado Tipo() const { return FTipo; }
  void SetTipo(TSSLTipoCertificado valor) { FTipo = valor; }
  // The whole certificate, DER, in Base64 without line breaks.
  const std::string& DERBase64() const { return FDER64base; }
  void SetDERBase64(const std::string& valor) { FDER64base = valor; }
  // SHA-1 fingerprint, 40 upper-case hexadecimal digits.
  const std::string& ThumbPrint() const { return FThumbPrint; }
  void SetThumbPrint(const std::string& valor) { FThumbPrint = valor; }

  // The names derived from distinguished names in "SHORTNAME=value, ..." form; positions count
  // from the first "CN=" and every search is case-sensitive.
  // The text after "CN=" up to the next ":" (or, when none follows, the next ","), untrimmed;
  // empty without "CN=".
  [[nodiscard]] static std::string GetRazaoSocialFromSubjectName(std::string_view SubjectName);
  // The 14 characters after the ":" that follows "CN=", reduced to their letters and digits,
  // when they form a valid CNPJ; else empty.
  [[nodiscard]] static std::string GetCNPJFromSubjectName(std::string_view SubjectName);
  // The text after the issuer's "CN=" up to the next "RFB" (or, when none follows, the next
  // ","), trimmed; empty without "CN=". The parameter receives the issuer name.
  [[nodiscard]] static std::string GetCertificadoraFromIssuerName(std::string_view SubjectName);

 private:
  std::string FThumbPrint;
  std::string FCertificadora;
  std::string FCNPJ;
  TDateTime FDataVenc = 0;
  std::string FIssuerName;
  std::string FNumeroSerie;
  std::string FRazaoSocial;
  std::string FSubjectName;
  TSSLTipoCertificado FTipo = TSSLTipoCertificado::tpcDesconhecido;
  std::string FDER64base;
};

// A list that owns its certificate records.
class TListaCertificados {
 public:
  TListaCertificados() = default;
  TListaCertificados(const TListaCertificados&) = delete;
  TListaCertificados& operator=(const TListaCertificados&) = delete;

  // Appends an empty record and returns it; the list keeps owning it.
  TDadosCertificado& New();
  // Appends `obj` (taking ownership) and returns its index.
  std::size_t Add(std::unique_ptr<TDadosCertificado> obj);
  // The record at `indice`; throws std::out_of_range when there is none.
  TDadosCertificado& Objects(std::size_t indice);
  const TDadosCertificado& Objects(std::size_t indice) const;
  // Number of records.
  std::size_t Count() const { return FItens.size(); }
  // Frees every record.
  void Clear() { FItens.clear(); }

 private:
  std::vector<std::unique_ptr<TDadosCertificado>> FItens;
};

}  // namespace nivra
