// Test double for the crypto role: loads the facade's `ArquivoPFX` (or `DadosPFX`) with its
// `Senha` through OpenSSL and offers the certificate and key as the TLS and signing code use
// them. Fills only the serial number and expiry of the data record.
#pragma once

#include <openssl/bio.h>
#include <openssl/pkcs12.h>
#include <openssl/provider.h>
#include <openssl/x509.h>

#include <memory>
#include <string>

#include "nivranfe/security/certificado_x509.h"
#include "nivranfe/security/dfe_ssl.h"
#include "nivranfe/util/excecoes.h"
#include "tests/fakes/pasta_temporaria.h"

namespace nivra {

class TCryptoPFX : public TDFeSSLCryptClass {
 public:
  explicit TCryptoPFX(TDFeSSL& ssl) : TDFeSSLCryptClass(ssl) {
    // Keys exported from other stores often use RC2 or 3DES.
    static OSSL_PROVIDER* const legado = OSSL_PROVIDER_load(nullptr, "legacy");
    static OSSL_PROVIDER* const padrao = OSSL_PROVIDER_load(nullptr, "default");
    (void)legado;
    (void)padrao;
  }

  const TCertContext* GetCertContextWinApi() override {
    CarregarCertificadoSeNecessario();
    return &FContexto;
  }

  void CarregarCertificado() override {
    DescarregarCertificado();
    std::string dados = DFeSSL().DadosPFX();
    if (dados.empty()) dados = TPastaTemporaria::Ler(DFeSSL().ArquivoPFX());
    std::unique_ptr<BIO, decltype(&BIO_free)> bio(BIO_new_mem_buf(dados.data(), int(dados.size())),
                                                  &BIO_free);
    std::unique_ptr<PKCS12, decltype(&PKCS12_free)> p12(d2i_PKCS12_bio(bio.get(), nullptr),
                                                        &PKCS12_free);
    X509* certificado = nullptr;
    EVP_PKEY* chave = nullptr;
    if (!p12 ||
        PKCS12_parse(p12.get(), DFeSSL().Senha().c_str(), &chave, &certificado, nullptr) != 1)
      throw ENivraDFeException("TCryptoPFX: PKCS#12 ilegível");
    FCertificado.reset(certificado);
    FChave.reset(chave);
    FContexto = {certificado, chave, CertificadoDERBase64(certificado)};
    FpDadosCertificado.SetNumeroSerie("TESTE");
    FpDadosCertificado.SetDataVenc(73050);  // 2099-12-31
    FpCertificadoLido = true;
  }

  void DescarregarCertificado() override {
    FContexto = {};
    FChave.reset();
    FCertificado.reset();
    TDFeSSLCryptClass::DescarregarCertificado();
  }

 private:
  std::unique_ptr<X509, decltype(&X509_free)> FCertificado{nullptr, &X509_free};
  std::unique_ptr<EVP_PKEY, decltype(&EVP_PKEY_free)> FChave{nullptr, &EVP_PKEY_free};
  TCertContext FContexto;
};

}  // namespace nivra
