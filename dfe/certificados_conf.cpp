// The certificate group of the configuration.
#include "nivranfe/dfe/certificados_conf.h"

#include "nivranfe/dfe/configuracoes.h"
#include "nivranfe/dfe/nivra_dfe.h"
#include "nivranfe/security/dados_certificado.h"
#include "nivranfe/security/dfe_ssl.h"

namespace nivra {

TCertificadosConf::TCertificadosConf(TConfiguracoes& AConfiguracoes, TDFeSSL& ASSL)
    : FConfiguracoes(AConfiguracoes), FSSL(ASSL) {}

void TCertificadosConf::Assign(const TCertificadosConf& DeCertificadosConf) {
  SetDadosPFX(DeCertificadosConf.DadosPFX());
  SetSenha(DeCertificadosConf.Senha());
  SetNumeroSerie(DeCertificadosConf.NumeroSerie());
  SetArquivoPFX(DeCertificadosConf.ArquivoPFX());
}

void TCertificadosConf::SetArquivoPFX(const std::string& Valor) {
  if (Valor == FArquivoPFX) return;
  FArquivoPFX = Valor;
  FSSL.SetArquivoPFX(Valor);
}

void TCertificadosConf::SetDadosPFX(const std::string& Valor) {
  if (Valor == FDadosPFX) return;
  FDadosPFX = Valor;
  FSSL.SetDadosPFX(Valor);
}

void TCertificadosConf::SetNumeroSerie(const std::string& Valor) {
  if (Valor == FNumeroSerie) return;
  FNumeroSerie = NormalizarNumeroSerie(Valor);
  FSSL.SetNumeroSerie(FNumeroSerie);
}

std::string TCertificadosConf::Senha() const { return FSenha.Texto(); }

void TCertificadosConf::SetSenha(const std::string& Valor) {
  if (FSenha.Definir(Valor)) FSSL.SetSenha(Valor);
}

}  // namespace nivra
