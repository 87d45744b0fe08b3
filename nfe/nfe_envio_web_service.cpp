// The pass-through service.
#include "nivranfe/nfe/nfe_envio_web_service.h"

#include "nivranfe/util/xml_texto.h"
#include "nivranfe/xml/leitor.h"
#include "nivranfe/xml/valor_campo.h"

namespace nivra {

TNFeEnvioWebService::TNFeEnvioWebService(TNivraNFe& AOwner) : TNFeWebService(AOwner) {
  TNFeEnvioWebService::Clear();
}

void TNFeEnvioWebService::Clear() {
  TNFeWebService::Clear();
  FPStatus = TStatusNivraNFe::stEnvioWebService;
  FPArqEnv.clear();
  FPArqResp.clear();
}

void TNFeEnvioWebService::DefinirURL() {
  FPURL = FPURLEnvio;
  TLeitor leitor;
  leitor.SetGrupo(FXMLEnvio);
  FVersao = VarianteParaTexto(leitor.rAtributo("versao"));
  FPVersaoServico = FVersao;
}

void TNFeEnvioWebService::DefinirServicoEAction() {
  FPSoapAction = FSoapActionEnvio;
  FPServico = FSoapActionEnvio;
}

void TNFeEnvioWebService::DefinirDadosMsg() { FPDadosMsg = FXMLEnvio; }

bool TNFeEnvioWebService::TratarResposta() {
  FPRetWS = PrimeiroConteudoDeTags({"soap:Body", "soap12:Body", "soapenv:Body", "env:Body"},
                                   FPRetornoWS, false);
  return true;
}

std::string TNFeEnvioWebService::MontarMsgErro(const std::exception&) {
  return "WebService: " + FPServico + "\r\n- Inativo ou Inoperante tente novamente.";
}

}  // namespace nivra
