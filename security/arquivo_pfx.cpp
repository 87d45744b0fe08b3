// PKCS#12 (PFX) data: reading a certificate with its private key, and writing one.
#include "security/arquivo_pfx.h"

#include <openssl/err.h>
#include <openssl/provider.h>

#include "security/erro_openssl.h"
#include "util/excecoes.h"

namespace {

constexpr const char* Prefixo = "PFXDataToCertContextWinApi: ";

struct TLiberarPilhaX509 {
  void operator()(STACK_OF(X509) * pilha) const { sk_X509_pop_free(pilha, X509_free); }
};
using TPilhaX509Ptr = std::unique_ptr<STACK_OF(X509), TLiberarPilhaX509>;

// The password that opens the data's integrity check: `senha`, or for an empty one whichever
// of "no password" and "empty password" the data was made with. False when none does. Data
// without the check (openssl pkcs12 -nomac) gets one made with `senha`, since OpenSSL parses
// data opened by a password only after checking it; the password is then proven by the
// decryption of the bags.
bool SenhaConfere(PKCS12* p12, const std::string& senha, const char*& efetiva) {
  efetiva = senha.c_str();
  if (PKCS12_mac_present(p12) == 0)
    return senha.empty() || PKCS12_set_mac(p12, senha.c_str(), -1, nullptr, 0, 1, nullptr) == 1;
  if (!senha.empty()) return PKCS12_verify_mac(p12, senha.c_str(), -1) == 1;
  if (PKCS12_verify_mac(p12, nullptr, 0) == 1) {
    efetiva = nullptr;
    return true;
  }
  return PKCS12_verify_mac(p12, "", 0) == 1;
}

}  // namespace

void CarregarProvedoresOpenSSL() {
  // Loading any provider explicitly stops the default one from loading by itself.
  static OSSL_PROVIDER* const padrao = OSSL_PROVIDER_load(nullptr, "default");
  static OSSL_PROVIDER* const legado = OSSL_PROVIDER_load(nullptr, "legacy");
  if (padrao == nullptr || legado == nullptr)
    throw ENivraDFeException("Falha ao carregar os provedores do OpenSSL. Erro: " +
                             UltimoErroOpenSSL());
}

TConteudoPFX LerPFX(std::string_view dados, const std::string& senha) {
  CarregarProvedoresOpenSSL();
  ERR_clear_error();
  const auto* cursor = reinterpret_cast<const unsigned char*>(dados.data());
  TPKCS12Ptr p12(d2i_PKCS12(nullptr, &cursor, static_cast<long>(dados.size())));
  if (!p12 || cursor != reinterpret_cast<const unsigned char*>(dados.data()) + dados.size()) {
    ERR_clear_error();
    throw ENivraDFeException(std::string(Prefixo) + "DadosPFX informado não são válidos");
  }
  const char* efetiva = nullptr;
  const bool semMAC = PKCS12_mac_present(p12.get()) == 0;
  if (!SenhaConfere(p12.get(), senha, efetiva)) {
    ERR_clear_error();
    throw ENivraDFeException(std::string(Prefixo) + "Senha informada está errada");
  }
  EVP_PKEY* chave = nullptr;
  X509* certificado = nullptr;
  STACK_OF(X509)* cadeia = nullptr;
  if (PKCS12_parse(p12.get(), efetiva, &chave, &certificado, &cadeia) != 1) {
    if (semMAC && !senha.empty()) {
      ERR_clear_error();
      throw ENivraDFeException(std::string(Prefixo) + "Senha informada está errada");
    }
    throw ENivraDFeException(std::string(Prefixo) +
                             "Falha em \"PFXImportCertStore\" Erro: " + UltimoErroOpenSSL());
  }
  TConteudoPFX conteudo{TX509Ptr(certificado), TEVPKeyPtr(chave), {}};
  TPilhaX509Ptr pilha(cadeia);
  while (pilha && sk_X509_num(pilha.get()) > 0)
    conteudo.Cadeia.emplace_back(sk_X509_shift(pilha.get()));
  if (!conteudo.Certificado || !conteudo.Chave)
    throw ENivraDFeException(std::string(Prefixo) +
                             "Falha ao localizar o Certificado com a Chave Privada.");
  return conteudo;
}

namespace {

// PKCS#12 data of the certificate, key and chain; `protegido` encrypts with `senha` and adds
// the integrity check by OpenSSL's defaults, otherwise there is neither.
std::string Exportar(X509* certificado, EVP_PKEY* chave, const TListaX509& cadeia,
                     const char* senha, bool protegido) {
  CarregarProvedoresOpenSSL();
  const auto falha = [] {
    return ENivraDFeException("ExportCertStoreToPFXData: Falha em \"PFXExportCertStoreEx\" Erro: " +
                              UltimoErroOpenSSL());
  };
  TPilhaX509Ptr pilha(sk_X509_new_null());
  if (!pilha) throw falha();
  for (const TX509Ptr& outro : cadeia) {
    if (X509_up_ref(outro.get()) != 1) throw falha();
    if (sk_X509_push(pilha.get(), outro.get()) <= 0) {
      X509_free(outro.get());
      throw falha();
    }
  }
  // Zero choices take OpenSSL's current defaults (AES-256 with PBKDF2, SHA-256 integrity); -1
  // leaves the bags in clear and the integrity check out.
  const int escolha = protegido ? 0 : -1;
  TPKCS12Ptr p12(PKCS12_create(senha, nullptr, chave, certificado, pilha.get(), escolha, escolha, 0,
                               escolha, 0));
  if (!p12) throw falha();
  unsigned char* bytes = nullptr;
  const int tamanho = i2d_PKCS12(p12.get(), &bytes);
  if (tamanho < 0) throw falha();
  std::string dados(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(tamanho));
  OPENSSL_free(bytes);
  return dados;
}

}  // namespace

std::string GerarPFX(X509* certificado, EVP_PKEY* chave, const TListaX509& cadeia,
                     const std::string& senha) {
  return Exportar(certificado, chave, cadeia, senha.c_str(), true);
}

std::string GerarPFXAberto(X509* certificado, EVP_PKEY* chave, const TListaX509& cadeia) {
  return Exportar(certificado, chave, cadeia, nullptr, false);
}
