// PKCS#12 (PFX) data: reading a certificate with its private key, and writing one.
#pragma once

#include <string>
#include <string_view>

#include "nivranfe/security/openssl_ptr.h"

namespace nivra {

// A certificate with its private key and the other certificates (its chain) of a PKCS#12 file.
struct TConteudoPFX {
  TX509Ptr Certificado;
  TEVPKeyPtr Chave;
  TListaX509 Cadeia;
};

// Loads OpenSSL's default and legacy providers once per process, so PKCS#12 data encrypted
// with RC2 or 3DES opens. Throws ENivraDFeException when a provider cannot be loaded.
void CarregarProvedoresOpenSSL();

// Reads the PKCS#12 `dados` with `senha` (an empty one matches data made with no password or
// with an empty one). Throws ENivraDFeException "PFXDataToCertContextWinApi: ..." when the data
// is not PKCS#12, the password is wrong, the contents cannot be read, or no certificate with a
// private key is in it.
[[nodiscard]] TConteudoPFX LerPFX(std::string_view dados, const std::string& senha);
// The same with the password as NUL-terminated text, which is never copied.
[[nodiscard]] TConteudoPFX LerPFX(std::string_view dados, const char* senha);

// The certificate, its key and chain (none owned) as PKCS#12 data protected by `senha`.
// Throws ENivraDFeException with the OpenSSL error code when it cannot be made.
[[nodiscard]] std::string GerarPFX(X509* certificado, EVP_PKEY* chave, const TListaX509& cadeia,
                                   const std::string& senha);

// PKCS#12 data for keeping a key at rest under a random `senha` of the keyring: the key bag
// encrypted with AES-256-CBC under PBKDF2-HMAC-SHA256, an HMAC-SHA256 integrity check, both
// with IteracoesPFXProtegido rounds. The certificates stay in clear (they are public and go out
// in every handshake), so a store lists its entries without asking for the password. Throws as
// GerarPFX.
inline constexpr int IteracoesPFXProtegido = 100000;
[[nodiscard]] std::string GerarPFXProtegido(X509* certificado, EVP_PKEY* chave,
                                            const TListaX509& cadeia, const char* senha);

// The certificates PKCS#12 `dados` holds in clear, read without a password and without its key:
// the one marked as the key's (local key id) as Certificado, the others as Cadeia. Certificado
// is null when the data is not PKCS#12 or holds no such certificate in clear. Never throws except
// on allocation.
[[nodiscard]] TConteudoPFX CertificadosEmClaroPFX(std::string_view dados);

// The same without password, encryption or integrity check: for handing a loaded certificate
// to other components of this process, which read it back (LerPFX with an empty password)
// without the key derivations a protected file costs. Never write it anywhere. Throws as
// GerarPFX.
[[nodiscard]] std::string GerarPFXAberto(X509* certificado, EVP_PKEY* chave,
                                         const TListaX509& cadeia);

}  // namespace nivra
