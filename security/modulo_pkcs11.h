// Certificates and keys on PKCS#11 tokens (smart cards, USB tokens) through libp11.
#pragma once

#include <libp11.h>

#include <memory>
#include <string>
#include <vector>

#include "nivranfe/security/openssl_ptr.h"

namespace nivra {

// A certificate found on a token: the slot holding it (valid while its module lives) and a
// copy of the certificate.
struct TCertificadoToken {
  PKCS11_SLOT* Slot = nullptr;
  TX509Ptr Certificado;
};

// The PKCS#11 module of the process: `NIVRA_PKCS11_MODULE` when set, else the p11-kit proxy
// (which reaches every token the system knows). One instance is shared by all its holders and
// unloaded when the last one lets go, so a token's login lasts while a holder keeps it.
class TModuloPKCS11 {
 public:
  TModuloPKCS11(const TModuloPKCS11&) = delete;
  TModuloPKCS11& operator=(const TModuloPKCS11&) = delete;
  ~TModuloPKCS11();

  // The shared module, loading it when no one holds it; nullptr (after a line on stderr) when
  // it cannot be loaded, which leaves the process without tokens.
  [[nodiscard]] static std::shared_ptr<TModuloPKCS11> Obter();

  // A copy of every certificate on every token present.
  [[nodiscard]] std::vector<TCertificadoToken> Certificados() const;
  // Gives the user PIN to the slot's token; returns 0 on success (also when already logged
  // in), else the token's CK_RV.
  [[nodiscard]] unsigned long Entrar(PKCS11_SLOT* slot, const std::string& pin) const;
  // Takes the login back; failures are ignored.
  void Sair(PKCS11_SLOT* slot) const;
  // The private key that belongs to `certificado` on the slot's token; nullptr when the token
  // shows none (for instance before the PIN was given). The key must be freed before the module.
  [[nodiscard]] TEVPKeyPtr Chave(PKCS11_SLOT* slot, X509* certificado) const;

 private:
  TModuloPKCS11() = default;

  PKCS11_CTX* FContexto = nullptr;
  PKCS11_SLOT* FSlots = nullptr;
  unsigned int FQuantidadeSlots = 0;
  bool FCarregado = false;
};

}  // namespace nivra
