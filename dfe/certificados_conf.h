// The certificate group of the configuration: which certificate signs and authenticates, and
// its password, held only in scrambled form.
#pragma once

#include <string>

#include "nivranfe/security/senha_embaralhada.h"

namespace nivra {

class TConfiguracoes;
class TDFeSSL;

// Certificate settings. Every setter pushes a changed value into the component's security
// facade at once.
class TCertificadosConf {
 public:
  // AConfiguracoes is the root that owns the group and outlives it.
  // ASSL is the security facade this group keeps in step with its settings; it and
  // AConfiguracoes outlive the group.
  TCertificadosConf(TConfiguracoes& AConfiguracoes, TDFeSSL& ASSL);
  TCertificadosConf(const TCertificadosConf&) = delete;
  TCertificadosConf& operator=(const TCertificadosConf&) = delete;
  virtual ~TCertificadosConf() = default;

  // Copies DadosPFX, Senha (in clear), NumeroSerie and ArquivoPFX through the setters.
  // VerificarValidade is not copied.
  virtual void Assign(const TCertificadosConf& DeCertificadosConf);

  // PKCS#12 file of the certificate.
  const std::string& ArquivoPFX() const { return FArquivoPFX; }
  void SetArquivoPFX(const std::string& Valor);
  // PKCS#12 content of the certificate.
  const std::string& DadosPFX() const { return FDadosPFX; }
  void SetDadosPFX(const std::string& Valor);
  // Serial number in the certificate store: blanks removed, upper case, trimmed.
  const std::string& NumeroSerie() const { return FNumeroSerie; }
  void SetNumeroSerie(const std::string& Valor);
  // The password in clear, unscrambled on each read.
  std::string Senha() const;
  // Unless the value is the current password, keeps it scrambled with a new key and pushes the
  // clear value to the facade.
  void SetSenha(const std::string& Valor);
  // Refuse to transmit with an expired certificate.
  bool VerificarValidade() const { return FVerificarValidade; }
  void SetVerificarValidade(bool Valor) { FVerificarValidade = Valor; }

 private:
  TConfiguracoes& FConfiguracoes;
  TDFeSSL& FSSL;
  std::string FDadosPFX;
  TSenhaEmbaralhada FSenha;
  std::string FNumeroSerie;
  std::string FArquivoPFX;
  bool FVerificarValidade = true;
};

}  // namespace nivra
