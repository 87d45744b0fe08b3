// Test double for the crypto role of the security facade: "loads" a certificate whose data the
// test sets, counts loads and unloads, and hashes streams with OpenSSL (signing is refused).
#pragma once

#include <openssl/evp.h>

#include <exception>
#include <memory>
#include <string>

#include "nivranfe/security/dfe_ssl.h"
#include "nivranfe/util/excecoes.h"

namespace nivra {

// What happened to a TCryptoMemoria; shared so a test can read it after the facade freed it.
struct TEventosCrypto {
  int Carregamentos = 0;
  int Descarregamentos = 0;
  int Hashes = 0;
  TSSLDgst UltimoDigest = TSSLDgst::dgstMD2;
  bool UltimoAssina = false;
  int CertificadosPublicos = 0;
  bool Destruido = false;
};

class TCryptoMemoria : public TDFeSSLCryptClass {
 public:
  explicit TCryptoMemoria(TDFeSSL& ssl) : TDFeSSLCryptClass(ssl) {}
  ~TCryptoMemoria() override { Eventos->Destruido = true; }

  // The certificate presented by every load; `FalhaAoCarregar` (when set) is thrown instead.
  TDadosCertificado Certificado;
  std::exception_ptr FalhaAoCarregar;
  // What `SelecionarCertificado` answers.
  std::string SerieEscolhida;
  std::shared_ptr<TEventosCrypto> Eventos = std::make_shared<TEventosCrypto>();

  void CarregarCertificado() override {
    ++Eventos->Carregamentos;
    if (FalhaAoCarregar) std::rethrow_exception(FalhaAoCarregar);
    FpDadosCertificado = Certificado;
    FpCertificadoLido = true;
  }

  void DescarregarCertificado() override {
    ++Eventos->Descarregamentos;
    TDFeSSLCryptClass::DescarregarCertificado();
  }

  std::string SelecionarCertificado() override { return SerieEscolhida; }

  bool CarregarCertificadoPublico(const std::string&) override {
    ++Eventos->CertificadosPublicos;
    return true;
  }

  std::string CalcHash(std::istream& AStream, TSSLDgst Digest, bool Assina) override {
    ++Eventos->Hashes;
    Eventos->UltimoDigest = Digest;
    Eventos->UltimoAssina = Assina;
    const EVP_MD* algoritmo = Algoritmo(Digest);
    if (Assina || algoritmo == nullptr) return TDFeSSLCryptClass::CalcHash(AStream, Digest, Assina);
    std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> ctx(EVP_MD_CTX_new(), &EVP_MD_CTX_free);
    if (!ctx || EVP_DigestInit_ex(ctx.get(), algoritmo, nullptr) != 1)
      throw ENivraDFeException("EVP_DigestInit_ex");
    char bloco[4096];
    while (AStream.read(bloco, sizeof bloco) || AStream.gcount() > 0) {
      if (EVP_DigestUpdate(ctx.get(), bloco, static_cast<std::size_t>(AStream.gcount())) != 1)
        throw ENivraDFeException("EVP_DigestUpdate");
    }
    unsigned char valor[EVP_MAX_MD_SIZE];
    unsigned int tamanho = 0;
    if (EVP_DigestFinal_ex(ctx.get(), valor, &tamanho) != 1)
      throw ENivraDFeException("EVP_DigestFinal_ex");
    return std::string(reinterpret_cast<const char*>(valor), tamanho);
  }

 private:
  static const EVP_MD* Algoritmo(TSSLDgst Digest) {
    switch (Digest) {
      case TSSLDgst::dgstMD5:
        return EVP_md5();
      case TSSLDgst::dgstSHA:
      case TSSLDgst::dgstSHA1:
        return EVP_sha1();
      case TSSLDgst::dgstSHA256:
        return EVP_sha256();
      case TSSLDgst::dgstSHA512:
        return EVP_sha512();
      case TSSLDgst::dgstMD2:
      case TSSLDgst::dgstMD4:
      case TSSLDgst::dgstRMD160:
        break;
    }
    return nullptr;
  }
};

}  // namespace nivra
