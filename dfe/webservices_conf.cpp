// The web-service group of the configuration.
#include "nivranfe/dfe/webservices_conf.h"

#include <filesystem>

#include "nivranfe/dfe/configuracoes.h"
#include "nivranfe/dfe/nivra_dfe.h"
#include "nivranfe/resources/recursos.h"
#include "nivranfe/security/dfe_ssl.h"
#include "nivranfe/util/excecoes.h"
#include "nivranfe/util/texto_arquivo.h"
#include "nivranfe/util/uf.h"

namespace nivra {

namespace {

// Stores `Valor` in `Campo` and pushes it with `Enviar` unless it is already stored.
template <typename T, typename F>
void GuardarEEnviar(T& Campo, const T& Valor, F Enviar) {
  if (Campo == Valor) return;
  Campo = Valor;
  Enviar(Valor);
}

}  // namespace

TWebServicesConf::TWebServicesConf(TConfiguracoes& AConfiguracoes, TDFeSSL& ASSL)
    : FConfiguracoes(AConfiguracoes),
      FSSL(ASSL),
      FTimeZoneConf(std::make_unique<TTimeZoneConf>()) {}

TWebServicesConf::~TWebServicesConf() = default;

std::vector<std::string> LerLinhasDeArquivo(const std::string& NomeArquivo) {
  return DividirLinhas(LerArquivoTexto(NomeArquivo));
}

std::string TWebServicesConf::LerParamsDeArquivo() {
  const std::string arquivo = FConfiguracoes.Arquivos().IniServicos();
  std::error_code erro;
  if (arquivo.empty() || !std::filesystem::is_regular_file(arquivo, erro)) return {};
  return JuntarLinhas(LerLinhasDeArquivo(arquivo));
}

std::string TWebServicesConf::LerParamsDeRecurso() {
  if (FResourceName == "NivraNFeServicos") return std::string(RecursoNivraNFeServicos());
  throw ENivraDFeException("Recurso não encontrado: " + FResourceName);
}

void TWebServicesConf::Assign(const TWebServicesConf& DeWebServicesConf) {
  FResourceName = DeWebServicesConf.FResourceName;
  FVisualizar = DeWebServicesConf.FVisualizar;
  SetUF(DeWebServicesConf.UF());
  SetAmbiente(DeWebServicesConf.Ambiente());
  SetProxyHost(DeWebServicesConf.ProxyHost());
  SetProxyPort(DeWebServicesConf.ProxyPort());
  SetProxyUser(DeWebServicesConf.ProxyUser());
  SetProxyPass(DeWebServicesConf.ProxyPass());
  SetAguardarConsultaRet(DeWebServicesConf.AguardarConsultaRet());
  SetTentativas(DeWebServicesConf.Tentativas());
  SetIntervaloTentativas(DeWebServicesConf.IntervaloTentativas());
  FAjustaAguardaConsultaRet = DeWebServicesConf.FAjustaAguardaConsultaRet;
  FSalvar = DeWebServicesConf.FSalvar;
  FParams = DeWebServicesConf.FParams;
  FOrigemParams = DeWebServicesConf.FOrigemParams;
  SetVerificarServidor(DeWebServicesConf.VerificarServidor());
  SetArquivoCA(DeWebServicesConf.ArquivoCA());
}

void TWebServicesConf::LerParams() {
  std::string texto = LerParamsDeArquivo();
  FOrigemParams = FConfiguracoes.Arquivos().IniServicos();
  if (texto.empty()) {
    texto = LerParamsDeRecurso();
    FOrigemParams = FResourceName;
  }
  FParams = DividirLinhas(texto);
}

void TWebServicesConf::SetUF(const std::string& Valor) {
  if (BuscarUF(Valor) != nullptr) FUF = Valor;
}

int TWebServicesConf::AmbienteCodigo() const { return std::stoi(TipoAmbienteParaTexto(FAmbiente)); }

void TWebServicesConf::SetProxyHost(const std::string& Valor) {
  GuardarEEnviar(FProxyHost, Valor, [this](const std::string& v) { FSSL.SetProxyHost(v); });
}

void TWebServicesConf::SetProxyPort(const std::string& Valor) {
  GuardarEEnviar(FProxyPort, Valor, [this](const std::string& v) { FSSL.SetProxyPort(v); });
}

void TWebServicesConf::SetProxyUser(const std::string& Valor) {
  GuardarEEnviar(FProxyUser, Valor, [this](const std::string& v) { FSSL.SetProxyUser(v); });
}

void TWebServicesConf::SetProxyPass(const std::string& Valor) {
  GuardarEEnviar(FProxyPass, Valor, [this](const std::string& v) { FSSL.SetProxyPass(v); });
}

void TWebServicesConf::SetTimeOut(int Valor) {
  GuardarEEnviar(FTimeOut, Valor > 0 ? Valor : kTimeOutPadrao,
                 [this](int v) { FSSL.SetTimeOut(v); });
}

void TWebServicesConf::SetVerificarServidor(bool Valor) {
  GuardarEEnviar(FVerificarServidor, Valor, [this](bool v) { FSSL.SetVerificarServidor(v); });
}

void TWebServicesConf::SetArquivoCA(const std::string& Valor) {
  GuardarEEnviar(FArquivoCA, Valor, [this](const std::string& v) { FSSL.SetArquivoCA(v); });
}

}  // namespace nivra
