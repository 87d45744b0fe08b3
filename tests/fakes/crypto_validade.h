// Test double for the crypto role of the security facade: "loads" a certificate whose only
// data are a serial number and an expiry date.
#pragma once

#include "security/dfe_ssl.h"
#include "util/datahora.h"

class TCryptoComValidade : public TDFeSSLCryptClass {
 public:
  TCryptoComValidade(TDFeSSL& ssl, TDateTime vencimento)
      : TDFeSSLCryptClass(ssl), FVencimento(vencimento) {}

  void CarregarCertificado() override {
    FpDadosCertificado.SetNumeroSerie("0A1B2C");
    FpDadosCertificado.SetDataVenc(FVencimento);
    TDFeSSLCryptClass::CarregarCertificado();
  }

 private:
  TDateTime FVencimento;
};
