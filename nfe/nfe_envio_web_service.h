// The pass-through service: sends a caller-supplied XML to a caller-supplied address.
#pragma once

#include <string>

#include "nivranfe/nfe/nfe_web_service.h"

namespace nivra {

// Executar returns true whenever an answer came; RetWS holds the content of its SOAP body.
class TNFeEnvioWebService : public TNFeWebService {
 public:
  explicit TNFeEnvioWebService(TNivraNFe& AOwner);

  void Clear() override;

  // The data document, sent unchanged; kept across requests.
  const std::string& XMLEnvio() const { return FXMLEnvio; }
  void SetXMLEnvio(const std::string& Valor) { FXMLEnvio = Valor; }
  const std::string& URLEnvio() const { return FPURLEnvio; }
  void SetURLEnvio(const std::string& Valor) { FPURLEnvio = Valor; }
  // The SOAPAction; also the service's namespace in the envelope.
  const std::string& SoapActionEnvio() const { return FSoapActionEnvio; }
  void SetSoapActionEnvio(const std::string& Valor) { FSoapActionEnvio = Valor; }
  // The "versao" attribute of XMLEnvio, written as versaoDados in a SOAP header.
  const std::string& Versao() const { return FVersao; }

 protected:
  // URL := URLEnvio, without a lookup.
  void DefinirURL() override;
  void DefinirServicoEAction() override;
  void DefinirDadosMsg() override;
  bool TratarResposta() override;
  std::string MontarMsgErro(const std::exception& E) override;

 private:
  std::string FXMLEnvio;
  std::string FPURLEnvio;
  std::string FVersao;
  std::string FSoapActionEnvio;
};

}  // namespace nivra
