// xmlsec keys of the signer, and the signature value made outside xmlsec for token keys.
#include "nivranfe/security/xmlsec_chaves.h"

#include <openssl/evp.h>
#include <openssl/rsa.h>
#include <openssl/x509.h>
#include <xmlsec/base64.h>
#include <xmlsec/openssl/crypto.h>
#include <xmlsec/openssl/evp.h>
#include <xmlsec/openssl/x509.h>
#include <xmlsec/xmltree.h>

#include <memory>
#include <mutex>
#include <vector>

namespace nivra {

namespace {

struct TLiberaXmlChar {
  void operator()(xmlChar* texto) const { xmlFree(texto); }
};
struct TLiberaMdCtx {
  void operator()(EVP_MD_CTX* ctx) const { EVP_MD_CTX_free(ctx); }
};

std::unique_ptr<xmlChar, TLiberaXmlChar> Base64(const unsigned char* dados, std::size_t tamanho) {
  return std::unique_ptr<xmlChar, TLiberaXmlChar>(
      xmlSecBase64Encode(dados, static_cast<xmlSecSize>(tamanho), 0));
}

}  // namespace

TChaveXmlSec ChaveXmlSec(EVP_PKEY* chave, X509* certificado) {
  if (chave == nullptr || certificado == nullptr || EVP_PKEY_up_ref(chave) != 1) return nullptr;
  xmlSecKeyDataPtr dados = xmlSecOpenSSLEvpKeyAdopt(chave);
  if (dados == nullptr) {
    EVP_PKEY_free(chave);
    return nullptr;
  }
  TChaveXmlSec resultado(xmlSecKeyCreate());
  if (!resultado || xmlSecKeySetValue(resultado.get(), dados) < 0) {
    xmlSecKeyDataDestroy(dados);
    return nullptr;
  }
  xmlSecKeyDataPtr x509 = xmlSecKeyEnsureData(resultado.get(), xmlSecOpenSSLKeyDataX509Id);
  if (x509 == nullptr || X509_up_ref(certificado) != 1) return nullptr;
  if (xmlSecOpenSSLKeyDataX509AdoptKeyCert(x509, certificado) < 0) {
    X509_free(certificado);
    return nullptr;
  }
  return resultado;
}

bool XmlSecAssinaCom(xmlSecKey* chave) {
  return (xmlSecKeyGetType(chave) & xmlSecKeyDataTypePrivate) != 0;
}

EVP_PKEY* ChaveSubstituta() {
  static std::once_flag feita;
  static EVP_PKEY* chave = nullptr;
  std::call_once(feita, [] { chave = EVP_RSA_gen(2048); });
  return chave;
}

bool RefazerValorAssinatura(xmlSecDSigCtx* ctx, xmlNode* noAssinatura, EVP_PKEY* chave) {
  xmlSecBufferPtr signedInfo = xmlSecDSigCtxGetPreSignBuffer(ctx);
  if (signedInfo == nullptr || ctx->signMethod == nullptr) return false;
  const EVP_MD* md = nullptr;
  if (ctx->signMethod->id == xmlSecOpenSSLTransformRsaSha256Id) md = EVP_sha256();
  if (ctx->signMethod->id == xmlSecOpenSSLTransformRsaSha1Id) md = EVP_sha1();
  xmlNode* noValor = xmlSecFindChild(noAssinatura, xmlSecNodeSignatureValue, xmlSecDSigNs);
  if (md == nullptr || noValor == nullptr) return false;

  std::unique_ptr<EVP_MD_CTX, TLiberaMdCtx> mdctx(EVP_MD_CTX_new());
  std::size_t tamanho = 0;
  const unsigned char* dados = xmlSecBufferGetData(signedInfo);
  const std::size_t tamanhoDados = xmlSecBufferGetSize(signedInfo);
  if (!mdctx || EVP_DigestSignInit(mdctx.get(), nullptr, md, nullptr, chave) != 1 ||
      EVP_DigestSign(mdctx.get(), nullptr, &tamanho, dados, tamanhoDados) != 1)
    return false;
  std::vector<unsigned char> assinatura(tamanho);
  if (EVP_DigestSign(mdctx.get(), assinatura.data(), &tamanho, dados, tamanhoDados) != 1)
    return false;
  const auto base64 = Base64(assinatura.data(), tamanho);
  if (!base64) return false;
  xmlNodeSetContent(noValor, base64.get());
  return true;
}

}  // namespace nivra
