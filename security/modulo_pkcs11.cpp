// Certificates and keys on PKCS#11 tokens through libp11.
#include "nivranfe/security/modulo_pkcs11.h"

#include <openssl/err.h>

#include <cstdlib>
#include <iostream>
#include <mutex>

#include "nivranfe/security/erro_openssl.h"

namespace nivra {

namespace {

constexpr unsigned long CKR_GENERAL_ERROR = 0x5;
constexpr unsigned long CKR_USER_ALREADY_LOGGED_IN = 0x100;

// The CK_RV libp11 left in the OpenSSL error queue (the queue is emptied); CKR_GENERAL_ERROR
// when the failure came from elsewhere.
unsigned long UltimoCKR() {
  unsigned long ckr = 0;
  for (unsigned long erro = ERR_get_error(); erro != 0; erro = ERR_get_error()) {
    if (ckr == 0 && ERR_GET_LIB(erro) == ERR_get_CKR_code())
      ckr = static_cast<unsigned long>(ERR_GET_REASON(erro));
  }
  return ckr == 0 ? CKR_GENERAL_ERROR : ckr;
}

std::string NomeDoModulo() {
  const char* modulo = std::getenv("NIVRA_PKCS11_MODULE");
  return modulo != nullptr && *modulo != '\0' ? modulo : "p11-kit-proxy.so";
}

}  // namespace

std::shared_ptr<TModuloPKCS11> TModuloPKCS11::Obter() {
  // Queries running at the same time share one loaded module.
  static std::mutex trava;
  static std::weak_ptr<TModuloPKCS11> compartilhado;
  const std::lock_guard<std::mutex> travado(trava);
  if (auto atual = compartilhado.lock()) return atual;
  std::shared_ptr<TModuloPKCS11> modulo(new TModuloPKCS11());
  const std::string nome = NomeDoModulo();
  modulo->FContexto = PKCS11_CTX_new();
  if (modulo->FContexto == nullptr || PKCS11_CTX_load(modulo->FContexto, nome.c_str()) != 0) {
    std::cerr << "nivra: módulo PKCS#11 " << nome << " não carregado. Erro: " << UltimoErroOpenSSL()
              << '\n';
    return nullptr;
  }
  modulo->FCarregado = true;
  if (PKCS11_enumerate_slots(modulo->FContexto, &modulo->FSlots, &modulo->FQuantidadeSlots) != 0) {
    std::cerr << "nivra: slots do módulo PKCS#11 " << nome
              << " ilegíveis. Erro: " << UltimoErroOpenSSL() << '\n';
    modulo->FSlots = nullptr;
    modulo->FQuantidadeSlots = 0;
  }
  compartilhado = modulo;
  return modulo;
}

TModuloPKCS11::~TModuloPKCS11() {
  if (FSlots != nullptr) PKCS11_release_all_slots(FContexto, FSlots, FQuantidadeSlots);
  if (FCarregado) PKCS11_CTX_unload(FContexto);
  if (FContexto != nullptr) PKCS11_CTX_free(FContexto);
}

std::vector<TCertificadoToken> TModuloPKCS11::Certificados() const {
  std::vector<TCertificadoToken> lista;
  for (unsigned int i = 0; i < FQuantidadeSlots; ++i) {
    PKCS11_SLOT* slot = &FSlots[i];
    if (slot->token == nullptr || slot->token->initialized == 0) continue;
    PKCS11_CERT* certificados = nullptr;
    unsigned int quantidade = 0;
    if (PKCS11_enumerate_certs(slot->token, &certificados, &quantidade) != 0) {
      ERR_clear_error();
      continue;
    }
    for (unsigned int c = 0; c < quantidade; ++c) {
      if (certificados[c].x509 == nullptr) continue;
      TX509Ptr copia(X509_dup(certificados[c].x509));
      if (copia) lista.push_back({slot, std::move(copia)});
    }
  }
  return lista;
}

unsigned long TModuloPKCS11::Entrar(PKCS11_SLOT* slot, const std::string& pin) const {
  ERR_clear_error();
  if (PKCS11_login(slot, 0, pin.c_str()) == 0) return 0;
  const unsigned long ckr = UltimoCKR();
  return ckr == CKR_USER_ALREADY_LOGGED_IN ? 0 : ckr;
}

void TModuloPKCS11::Sair(PKCS11_SLOT* slot) const {
  if (PKCS11_logout(slot) != 0) ERR_clear_error();
}

TEVPKeyPtr TModuloPKCS11::Chave(PKCS11_SLOT* slot, X509* certificado) const {
  // The token's lists change with the login, so the certificate is looked up again here.
  PKCS11_CERT* certificados = nullptr;
  unsigned int quantidade = 0;
  if (slot->token == nullptr ||
      PKCS11_enumerate_certs(slot->token, &certificados, &quantidade) != 0) {
    ERR_clear_error();
    return nullptr;
  }
  for (unsigned int c = 0; c < quantidade; ++c) {
    if (certificados[c].x509 == nullptr || X509_cmp(certificados[c].x509, certificado) != 0)
      continue;
    PKCS11_KEY* chave = PKCS11_find_key(&certificados[c]);
    if (chave == nullptr) break;
    TEVPKeyPtr privada(PKCS11_get_private_key(chave));
    if (privada) return privada;
    break;
  }
  ERR_clear_error();
  return nullptr;
}

}  // namespace nivra
