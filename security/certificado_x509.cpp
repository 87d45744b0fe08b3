// The data record of a certificate from its X.509 form.
#include "nivranfe/security/certificado_x509.h"

#include <openssl/evp.h>
#include <openssl/objects.h>
#include <openssl/x509v3.h>

#include <ctime>
#include <memory>

#include "nivranfe/security/erro_openssl.h"
#include "nivranfe/util/datahora.h"
#include "nivranfe/util/excecoes.h"
#include "nivranfe/util/texto.h"

namespace nivra {

namespace {

constexpr std::string_view OidCNPJ = "2.16.76.1.3.3";
constexpr std::string_view OidDadosPessoa = "2.16.76.1.3.1";

std::string Base64(std::string_view bytes) {
  std::string texto(4 * ((bytes.size() + 2) / 3) + 1, '\0');
  const int tamanho = EVP_EncodeBlock(reinterpret_cast<unsigned char*>(texto.data()),
                                      reinterpret_cast<const unsigned char*>(bytes.data()),
                                      static_cast<int>(bytes.size()));
  if (tamanho < 0) throw ENivraDFeException("Falha ao codificar o certificado em Base64");
  texto.resize(static_cast<std::size_t>(tamanho));
  return texto;
}

std::string ThumbPrint(const X509* certificado) {
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int tamanho = 0;
  if (X509_digest(certificado, EVP_sha1(), digest, &tamanho) != 1)
    throw ENivraDFeException("GetHashSHA1: Erro obtendo \"CERT_HASH_PROP_ID\"");
  return BytesParaHex(std::string_view(reinterpret_cast<const char*>(digest), tamanho));
}

// notAfter as a local date-time.
TDateTime DataVencimento(const X509* certificado) {
  std::tm utc{};
  if (ASN1_TIME_to_tm(X509_get0_notAfter(certificado), &utc) != 1)
    throw ENivraDFeException("Falha ao ler a validade do certificado. Erro: " +
                             UltimoErroOpenSSL());
  const std::time_t instante = timegm(&utc);
  std::tm local{};
  if (localtime_r(&instante, &local) == nullptr)
    throw ENivraDFeException("Falha ao converter a validade do certificado para a hora local");
  return CodificarDataHora(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                           local.tm_min, local.tm_sec);
}

std::string DER(const X509* certificado) {
  unsigned char* bytes = nullptr;
  const int tamanho = i2d_X509(certificado, &bytes);
  if (tamanho < 0)
    throw ENivraDFeException("Falha ao codificar o certificado. Erro: " + UltimoErroOpenSSL());
  std::string der(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(tamanho));
  OPENSSL_free(bytes);
  return der;
}

std::string TextoOID(const ASN1_OBJECT* oid) {
  char texto[128];
  const int tamanho = OBJ_obj2txt(texto, sizeof texto, oid, 1);
  if (tamanho <= 0 || static_cast<std::size_t>(tamanho) >= sizeof texto) return {};
  return texto;
}

// The DER bytes of an other-name's value.
std::string ValorDER(const ASN1_TYPE* valor) {
  unsigned char* bytes = nullptr;
  const int tamanho = i2d_ASN1_TYPE(valor, &bytes);
  if (tamanho < 0) return {};
  std::string der(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(tamanho));
  OPENSSL_free(bytes);
  return der;
}

struct TLiberarNomesGerais {
  void operator()(GENERAL_NAMES* nomes) const { GENERAL_NAMES_free(nomes); }
};

}  // namespace

void PreencherDadosCertificado(X509* certificado, TDadosCertificado& dados) {
  dados.Clear();
  dados.SetNumeroSerie(NumeroSerieCertificado(X509_get0_serialNumber(certificado)));
  dados.SetThumbPrint(ThumbPrint(certificado));
  dados.SetSubjectName(NomeX500(X509_get_subject_name(certificado), "GetSubjectName"));
  if (dados.CNPJ().empty()) dados.SetCNPJ(DocumentoDoNomeAlternativo(certificado));
  dados.SetDataVenc(DataVencimento(certificado));
  dados.SetIssuerName(NomeX500(X509_get_issuer_name(certificado), "GetIssuerName"));
  dados.SetDERBase64(CertificadoDERBase64(certificado));
}

std::string CertificadoDERBase64(const X509* certificado) { return Base64(DER(certificado)); }

std::string NumeroSerieCertificado(const ASN1_INTEGER* numero) {
  unsigned char* der = nullptr;
  const int tamanho = i2d_ASN1_INTEGER(numero, &der);
  if (tamanho < 0) return {};
  const std::string bytes(reinterpret_cast<const char*>(der), static_cast<std::size_t>(tamanho));
  OPENSSL_free(der);
  // Skip the tag and the length (short form, or 0x80 + the count of length bytes).
  if (bytes.size() < 2) return {};
  const auto primeiro = static_cast<unsigned char>(bytes[1]);
  const std::size_t inicio = 2 + (primeiro < 0x80 ? 0 : (primeiro & 0x7FU));
  return inicio <= bytes.size() ? BytesParaHex(std::string_view(bytes).substr(inicio)) : "";
}

std::string NomeX500(const X509_NAME* nome, std::string_view operacao) {
  // Values are written as they are, converted to UTF-8 from their own string type; nothing is
  // escaped or quoted.
  std::string texto;
  int conjuntoAnterior = -1;
  for (int i = 0; i < X509_NAME_entry_count(nome); ++i) {
    const X509_NAME_ENTRY* entrada = X509_NAME_get_entry(nome, i);
    const int conjunto = X509_NAME_ENTRY_set(entrada);
    if (i > 0) texto += conjunto == conjuntoAnterior ? " + " : ", ";
    conjuntoAnterior = conjunto;
    const ASN1_OBJECT* oid = X509_NAME_ENTRY_get_object(entrada);
    const int nid = OBJ_obj2nid(oid);
    texto += nid != NID_undef ? OBJ_nid2sn(nid) : TextoOID(oid);
    texto += '=';
    unsigned char* valor = nullptr;
    const int tamanho = ASN1_STRING_to_UTF8(&valor, X509_NAME_ENTRY_get_data(entrada));
    if (tamanho < 0)
      throw ENivraDFeException("Falha ao executar \"CertNameToStr\" em \"" + std::string(operacao) +
                               "\". Erro:" + UltimoErroOpenSSL());
    texto.append(reinterpret_cast<const char*>(valor), static_cast<std::size_t>(tamanho));
    OPENSSL_free(valor);
  }
  return texto;
}

std::string TextoOutroNome(std::string_view valorDER) {
  if (valorDER.size() < 2) return {};
  switch (static_cast<unsigned char>(valorDER[0])) {
    case V_ASN1_OCTET_STRING:
    case V_ASN1_UTF8STRING:
    case V_ASN1_PRINTABLESTRING:
    case V_ASN1_IA5STRING:
      break;
    default:
      return {};
  }
  // The length: one byte below 0x80, else 0x80 + the count of the bytes that follow holding it.
  const auto primeiro = static_cast<unsigned char>(valorDER[1]);
  std::size_t inicio = 2;
  std::size_t tamanho = primeiro;
  if (primeiro >= 0x80) {
    const std::size_t bytes = primeiro & 0x7FU;
    if (bytes == 0 || bytes > 2 || valorDER.size() < 2 + bytes) return {};
    tamanho = 0;
    for (std::size_t i = 0; i < bytes; ++i)
      tamanho = (tamanho << 8U) | static_cast<unsigned char>(valorDER[2 + i]);
    inicio += bytes;
  }
  std::string_view texto = valorDER.substr(inicio, tamanho);
  return Aparar(texto.substr(0, texto.find('\0')));
}

std::string DocumentoDoNomeAlternativo(X509* certificado) {
  int critico = 0;
  std::unique_ptr<GENERAL_NAMES, TLiberarNomesGerais> nomes(static_cast<GENERAL_NAMES*>(
      X509_get_ext_d2i(certificado, NID_subject_alt_name, &critico, nullptr)));
  if (!nomes) {
    // -1: no such extension; anything else means it is there but cannot be decoded.
    if (critico == -1) return {};
    throw ENivraDFeException(
        "GetCertExtensionName: Falha ao executar \"CryptDecodeObject\". Erro:" +
        UltimoErroOpenSSL());
  }
  // The value of the first other-name with the given identifier; empty when there is none.
  const auto outroNome = [&nomes](std::string_view oid) -> std::string {
    for (int i = 0; i < sk_GENERAL_NAME_num(nomes.get()); ++i) {
      const GENERAL_NAME* nome = sk_GENERAL_NAME_value(nomes.get(), i);
      if (nome->type == GEN_OTHERNAME && TextoOID(nome->d.otherName->type_id) == oid)
        return TextoOutroNome(ValorDER(nome->d.otherName->value));
    }
    return {};
  };
  if (const std::string cnpj = outroNome(OidCNPJ); !cnpj.empty()) return cnpj.substr(0, 14);
  const std::string pessoa = outroNome(OidDadosPessoa);
  return pessoa.size() > 8 ? pessoa.substr(8, 11) : std::string();
}

}  // namespace nivra
