// TDFeWinCrypt: the crypto role over the user's certificate store (a folder of PKCS#12 entries
// and the PKCS#11 tokens), PKCS#12 data and files, with OpenSSL and libp11.
#pragma once

#include <istream>
#include <memory>
#include <string>

#include "nivranfe/security/dfe_ssl_crypt.h"
#include "nivranfe/security/modulo_pkcs11.h"
#include "nivranfe/security/openssl_ptr.h"

namespace nivra {

class TDFeWinCrypt : public TDFeSSLCryptClass {
 public:
  explicit TDFeWinCrypt(TDFeSSL& ADFeSSL);
  // Unloads the certificate (taking a token PIN back) without reporting failures.
  ~TDFeWinCrypt() override;

  // The loaded certificate and key (the key may live on a token), loading first when no
  // certificate is held; nullptr when none is. Valid until the certificate is unloaded.
  const TCertContext* GetCertContextWinApi() override;
  // The certificate as PKCS#12 data: the facade's `DadosPFX` when the certificate came from
  // PKCS#12 data or a file, else the certificate, its key and chain exported with the facade's
  // `Senha` (kept until unloading). Throws ENivraDFeExceptionNoPrivateKey when the key cannot
  // leave its token (or there is none), and load failures.
  std::string GetCertPFXData() override;
  // The digest of the stream from its start, or with `Assina` its signature (PKCS#1 v1.5, most
  // significant byte first) with the certificate's key. Throws ENivraDFeException for a digest
  // the library lacks, a certificate without a usable key, and every library failure.
  std::string CalcHash(std::istream& AStream, TSSLDgst Digest, bool Assina) override;
  // Loads, in this order, the facade's `DadosPFX`, its `ArquivoPFX` (whose bytes become
  // `DadosPFX`), or the store certificate of serial number `NumeroSerie`, fills the data record
  // (Tipo A1 for a key from PKCS#12, A3 for a token's) and gives a token its PIN (`Senha`) once.
  // Throws ENivraDFeException with the reason; nothing stays loaded then, and a wrong or
  // blocked PIN also empties the facade's `Senha`.
  void CarregarCertificado() override;
  // Takes a given PIN back, releases certificate, key and store, clears record and list.
  void DescarregarCertificado() override;
  // Lists the store and asks the facade's chooser (none: empty result); a chosen serial number
  // becomes the facade's `NumeroSerie`. Returns it; nothing stays loaded.
  std::string SelecionarCertificado() override;
  // Fills `ListaCertificados` with every certificate of the store folder and the tokens
  // (without kind); entries that do not open are skipped. Throws ENivraDFeException when the
  // store folder cannot be read.
  void LerCertificadosStore() override;
  // Unloads, then holds the certificate of the Base64 DER text (no key, not marked loaded) and
  // fills the record. Returns whether a subject name came out (false for text that is not a
  // certificate).
  bool CarregarCertificadoPublico(const std::string& DadosX509Base64) override;

 private:
  // Holds the certificate, key and chain of PKCS#12 data opened with the facade's `Senha`.
  void ImportarPFX(const std::string& dados);
  // Holds the first store certificate (folder entries, then tokens) of the serial number.
  void CarregarDoStore(const std::string& numeroSerie);
  // Gives the token the PIN; throws the PIN messages for a wrong or blocked PIN.
  void InformarPIN(const std::string& pin);
  // Fills the record and kind, gives the PIN and finds a token's key.
  void ConcluirCarga();
  // Releases everything held; never throws.
  void Liberar() noexcept;
  // The store's opening failure.
  [[noreturn]] void FalhaAbrirStore() const;

  std::shared_ptr<TModuloPKCS11> FModulo;  // the token module while a token certificate is held
  PKCS11_SLOT* FSlot = nullptr;            // the token of the held certificate, if any
  TX509Ptr FCertificado;
  TEVPKeyPtr FChave;  // freed before FModulo: a token key needs its module
  TListaX509 FCadeia;
  TCertContext FContexto;
  std::string FpPFXData;
};

}  // namespace nivra
