// NF-e service base: endpoint lookup, SOAP header choice, status and restored settings.
#include "nivranfe/nfe/nfe_web_service.h"

#include "nivranfe/dfe/configuracoes_nfe.h"
#include "nivranfe/util/numeros.h"

namespace nivra {

TNFeWebService::TNFeWebService(TNivraNFe& AOwner)
    : TDFeWebService(AOwner), FPConfiguracoesNFe(AOwner.Configuracoes()), FNivraNFe(AOwner) {
  TNFeWebService::Clear();
}

void TNFeWebService::Clear() {
  TDFeWebService::Clear();
  FPStatus = TStatusNivraNFe::stIdle;
  FPDFeOwner.SSL().SetUseCertificateHTTP(true);
}

void TNFeWebService::PrepararServico() {
  TDFeWebService::PrepararServico();
  FOldSSLType = FPDFeOwner.SSL().SSLType();
  FOldHeaderElement = FPHeaderElement;
  if (FPConfiguracoesNFe.Geral().VersaoDF() >= TkovVersaoDF::ve400) FPHeaderElement.clear();
  FNivraNFe.SetStatus(FPStatus);
}

void TNFeWebService::DefinirURL() {
  FPVersaoServico.clear();
  FPURL.clear();
  FPServico.clear();
  FPSoapAction.clear();
  double versao = 0;
  FNivraNFe.LerServicoDeParams(FPLayout, versao, FPURL, FPServico, FPSoapAction);
  FPVersaoServico = DecimalParaTexto('.', "0.00", versao);
}

void TNFeWebService::EncerrarServico() {
  RestaurarConfiguracoes();
  FNivraNFe.SetStatus(TStatusNivraNFe::stIdle);
}

void TNFeWebService::RestaurarConfiguracoes() {
  FPDFeOwner.SSL().SetSSLType(FOldSSLType);
  FPHeaderElement = FOldHeaderElement;
}

std::string TNFeWebService::GerarVersaoDadosSoap() {
  if (FPVersaoServico.empty()) FPVersaoServico = FNivraNFe.LerVersaoDeParams(FPLayout);
  return "<versaoDados>" + FPVersaoServico + "</versaoDados>";
}

void TNFeWebService::DefinirURLPara(const std::string& Modelo, const std::string& UF,
                                    TkovTipoAmbiente Ambiente, double VersaoInicial) {
  FPVersaoServico.clear();
  FPURL.clear();
  FPServico.clear();
  FPSoapAction.clear();
  double versao = VersaoInicial;
  FNivraNFe.LerServicoDeParams(Modelo, UF, Ambiente, LayOutParaServico(FPLayout), versao, FPURL,
                               FPServico, FPSoapAction);
  FPVersaoServico = DecimalParaTexto('.', "0.00", versao);
}

std::string TNFeWebService::UFOuContingencia(const std::string& UF) const {
  switch (FPConfiguracoesNFe.Geral().FormaEmissao()) {
    case TkovTipoEmissao::teSVCAN:
      return "SVC-AN";
    case TkovTipoEmissao::teSVCRS:
      return "SVC-RS";
    default:
      return UF;
  }
}

void TNFeWebService::DefinirServicoEAcao(const std::string& Nome, const std::string& Acao) {
  const bool leiaute4 = FPConfiguracoesNFe.Geral().VersaoDF() == TkovVersaoDF::ve400;
  if (!leiaute4 || FPServico.empty()) FPServico = ObterPrefixoWsdl() + Nome;
  if (!leiaute4 || FPSoapAction.empty()) FPSoapAction = FPServico + Acao;
}

}  // namespace nivra
