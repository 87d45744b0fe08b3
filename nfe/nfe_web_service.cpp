// NF-e service base: endpoint lookup, SOAP header choice, status and restored settings.
#include "nfe/nfe_web_service.h"

#include "dfe/configuracoes_nfe.h"
#include "util/numeros.h"

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
  FPDFeOwner.SSL().SetSSLType(FOldSSLType);
  FPHeaderElement = FOldHeaderElement;
  FNivraNFe.SetStatus(TStatusNivraNFe::stIdle);
}

std::string TNFeWebService::GerarVersaoDadosSoap() {
  if (FPVersaoServico.empty()) FPVersaoServico = FNivraNFe.LerVersaoDeParams(FPLayout);
  return "<versaoDados>" + FPVersaoServico + "</versaoDados>";
}
