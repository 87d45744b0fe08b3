// The certificate group of the configuration.
#include "dfe/certificados_conf.h"

#include <string_view>

#include "dfe/configuracoes.h"
#include "dfe/nivra_dfe.h"
#include "security/dfe_ssl.h"
#include "util/datahora.h"
#include "util/texto.h"

namespace {

// The current time of day as hours, minutes, seconds and milliseconds ("hhnnsszzz").
std::string ChaveDoRelogio() {
  const TCamposDataHora agora = DecodificarDataHora(Agora());
  return ZerosAEsquerda(agora.Hora, 2) + ZerosAEsquerda(agora.Minuto, 2) +
         ZerosAEsquerda(agora.Segundo, 2) + ZerosAEsquerda(agora.Milissegundo, 3);
}

// The text without any space, upper-cased and trimmed.
std::string NormalizarNumeroSerie(std::string_view valor) {
  std::string semEspacos;
  for (const char c : valor) {
    if (c != ' ') semEspacos += c;
  }
  return Aparar(Maiusculas(semEspacos));
}

}  // namespace

TCertificadosConf::TCertificadosConf(TConfiguracoes& AConfiguracoes)
    : FConfiguracoes(AConfiguracoes) {}

void TCertificadosConf::Assign(const TCertificadosConf& DeCertificadosConf) {
  SetDadosPFX(DeCertificadosConf.DadosPFX());
  SetSenha(DeCertificadosConf.Senha());
  SetNumeroSerie(DeCertificadosConf.NumeroSerie());
  SetArquivoPFX(DeCertificadosConf.ArquivoPFX());
}

void TCertificadosConf::SetArquivoPFX(const std::string& Valor) {
  if (Valor == FArquivoPFX) return;
  FArquivoPFX = Valor;
  FConfiguracoes.Owner().SSL().SetArquivoPFX(Valor);
}

void TCertificadosConf::SetDadosPFX(const std::string& Valor) {
  if (Valor == FDadosPFX) return;
  FDadosPFX = Valor;
  FConfiguracoes.Owner().SSL().SetDadosPFX(Valor);
}

void TCertificadosConf::SetNumeroSerie(const std::string& Valor) {
  if (Valor == FNumeroSerie) return;
  FNumeroSerie = NormalizarNumeroSerie(Valor);
  FConfiguracoes.Owner().SSL().SetNumeroSerie(FNumeroSerie);
}

std::string TCertificadosConf::Senha() const { return EmbaralharComChave(FSenha, FK); }

void TCertificadosConf::SetSenha(const std::string& Valor) {
  if (!FK.empty() && EmbaralharComChave(Valor, FK) == FSenha) return;
  FK = ChaveDoRelogio();
  FSenha = EmbaralharComChave(Valor, FK);
  FConfiguracoes.Owner().SSL().SetSenha(Valor);
}
