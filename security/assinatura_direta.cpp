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

// Appends an element without content, as libxml2 writes it or in canonical form.
void Vazio(std::string& saida, std::string_view nome, std::string_view algoritmo, bool canonico) {
  saida.append("<").append(nome).append(" Algorithm=\"").append(algoritmo).append("\"");
  if (canonico) {
    saida.append("></").append(nome).append(">");
  } else {
    saida.append("/>");
  }
}

// Appends SignedInfo as libxml2 writes it inside Signature, or in canonical form (where it
// declares the signature namespace it inherits).
void SignedInfo(std::string& saida, std::string_view id, std::string_view digest, bool sha256,
                bool canonico) {
  saida.append("<SignedInfo");
  if (canonico) saida.append(" xmlns=\"").append(kUriDSig).append("\"");
  saida.append(">");
  Vazio(saida, "CanonicalizationMethod", kUriC14N, canonico);
  Vazio(saida, "SignatureMethod", sha256 ? kUriRsaSha256 : kUriRsaSha1, canonico);
  saida.append("<Reference URI=\"#").append(id).append("\"><Transforms>");
  Vazio(saida, "Transform", kUriEnveloped, canonico);
  Vazio(saida, "Transform", kUriC14N, canonico);
  saida.append("</Transforms>");
  Vazio(saida, "DigestMethod", sha256 ? kUriSha256 : kUriSha1, canonico);
  saida.append("<DigestValue>").append(digest).append("</DigestValue></Reference></SignedInfo>");
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
  std::string assinatura(static_cast<std::size_t>(EVP_PKEY_get_size(chave)), '\0');
  std::size_t tamanho = assinatura.size();
  if (!ctx || EVP_DigestSignInit(ctx.get(), nullptr, md, nullptr, chave) != 1 ||
      EVP_DigestSign(ctx.get(), reinterpret_cast<unsigned char*>(assinatura.data()), &tamanho,
                     reinterpret_cast<const unsigned char*>(dados.data()), dados.size()) != 1)
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
  std::string signedInfo;
  SignedInfo(signedInfo, simples->Id, digest, sha256, true);
  const auto assinatura = Assinatura(signedInfo, md, chave);
  if (!assinatura) return std::nullopt;

  std::string assinado = "<Signature xmlns=\"" + std::string(kUriDSig) + "\">";
  SignedInfo(assinado, simples->Id, digest, sha256, false);
  assinado.append("<SignatureValue>")
      .append(CodificarBase64(*assinatura))
      .append("</SignatureValue><KeyInfo><X509Data><X509Certificate>")
      .append(certificado)
      .append("</X509Certificate></X509Data></KeyInfo></Signature>");
  std::string& documento = simples->Serializado;
  documento.insert(documento.size() - docElement.size() - 3, assinado);
  return std::move(documento);
}

}  // namespace nivra
