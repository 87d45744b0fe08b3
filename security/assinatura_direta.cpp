// The signature of a plain document computed from its text.
#include "nivranfe/security/assinatura_direta.h"

#include <openssl/evp.h>

#include <memory>
#include <string_view>

#include "nivranfe/security/uris_assinatura.h"
#include "nivranfe/security/xml_canonico_simples.h"
#include "nivranfe/util/compactacao.h"

namespace nivra {

namespace {

struct TLiberaMdCtx {
  void operator()(EVP_MD_CTX* ctx) const { EVP_MD_CTX_free(ctx); }
};

// An element without content, as libxml2 writes it or in canonical form.
std::string Vazio(std::string_view nome, std::string_view algoritmo, bool canonico) {
  std::string texto = "<" + std::string(nome) + " Algorithm=\"" + std::string(algoritmo) + "\"";
  return canonico ? texto + "></" + std::string(nome) + ">" : texto + "/>";
}

// SignedInfo as libxml2 writes it inside Signature, or in canonical form (where it declares the
// signature namespace it inherits).
std::string SignedInfo(const std::string& id, const std::string& digest, bool sha256,
                       bool canonico) {
  return "<SignedInfo" + (canonico ? " xmlns=\"" + std::string(kUriDSig) + "\"" : std::string()) +
         ">" + Vazio("CanonicalizationMethod", kUriC14N, canonico) +
         Vazio("SignatureMethod", sha256 ? kUriRsaSha256 : kUriRsaSha1, canonico) +
         "<Reference URI=\"#" + id + "\"><Transforms>" +
         Vazio("Transform", kUriEnveloped, canonico) + Vazio("Transform", kUriC14N, canonico) +
         "</Transforms>" + Vazio("DigestMethod", sha256 ? kUriSha256 : kUriSha1, canonico) +
         "<DigestValue>" + digest + "</DigestValue></Reference></SignedInfo>";
}

std::optional<std::string> Resumo(std::string_view dados, const EVP_MD* md) {
  std::string resumo(EVP_MAX_MD_SIZE, '\0');
  unsigned int tamanho = 0;
  if (EVP_Digest(dados.data(), dados.size(), reinterpret_cast<unsigned char*>(resumo.data()),
                 &tamanho, md, nullptr) != 1)
    return std::nullopt;
  resumo.resize(tamanho);
  return resumo;
}

std::optional<std::string> Assinatura(std::string_view dados, const EVP_MD* md, EVP_PKEY* chave) {
  std::unique_ptr<EVP_MD_CTX, TLiberaMdCtx> ctx(EVP_MD_CTX_new());
  const auto* bytes = reinterpret_cast<const unsigned char*>(dados.data());
  std::size_t tamanho = 0;
  if (!ctx || EVP_DigestSignInit(ctx.get(), nullptr, md, nullptr, chave) != 1 ||
      EVP_DigestSign(ctx.get(), nullptr, &tamanho, bytes, dados.size()) != 1)
    return std::nullopt;
  std::string assinatura(tamanho, '\0');
  if (EVP_DigestSign(ctx.get(), reinterpret_cast<unsigned char*>(assinatura.data()), &tamanho,
                     bytes, dados.size()) != 1)
    return std::nullopt;
  assinatura.resize(tamanho);
  return assinatura;
}

}  // namespace

std::optional<std::string> AssinarDireto(const std::string& xml, const std::string& docElement,
                                         EVP_PKEY* chave, const std::string& certificado,
                                         bool sha256) {
  if (chave == nullptr || certificado.empty() || EVP_PKEY_get_base_id(chave) != EVP_PKEY_RSA)
    return std::nullopt;
  std::optional<TXMLSimples> simples = LerXMLSimples(xml, docElement);
  if (!simples) return std::nullopt;

  const EVP_MD* md = sha256 ? EVP_sha256() : EVP_sha1();
  const auto resumo = Resumo(simples->Canonico, md);
  if (!resumo) return std::nullopt;
  const std::string digest = CodificarBase64(*resumo);
  const auto assinatura = Assinatura(SignedInfo(simples->Id, digest, sha256, true), md, chave);
  if (!assinatura) return std::nullopt;

  std::string& documento = simples->Serializado;
  const std::string assinado = "<Signature xmlns=\"" + std::string(kUriDSig) + "\">" +
                               SignedInfo(simples->Id, digest, sha256, false) + "<SignatureValue>" +
                               CodificarBase64(*assinatura) +
                               "</SignatureValue><KeyInfo><X509Data><X509Certificate>" +
                               certificado + "</X509Certificate></X509Data></KeyInfo></Signature>";
  documento.insert(documento.size() - docElement.size() - 3, assinado);
  return std::move(documento);
}

}  // namespace nivra
