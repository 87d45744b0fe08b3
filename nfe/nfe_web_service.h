// Base of the NF-e web services: endpoint by service layout, SOAP header by layout version,
// component status while a request runs.
#pragma once

#include <string>

#include "nivranfe/dfe/nivra_nfe.h"
#include "nivranfe/nfe/dfe_web_service.h"
#include "nivranfe/security/dfe_ssl.h"
#include "nivranfe/util/enumeracoes.h"
#include "nivranfe/util/layout.h"

namespace nivra {

class TConfiguracoesNFe;

// Layout 4.00 and later send no SOAP header; earlier layouts send "nfeCabecMsg" with the UF
// code and the data version. The component's status is the service's Status from the end of
// PrepararServico until EncerrarServico, and stIdle outside.
class TNFeWebService : public TDFeWebService {
 public:
  explicit TNFeWebService(TNivraNFe& AOwner);

  // Also resets Status to stIdle and makes the facade present the client certificate.
  void Clear() override;

  // Working status this service reports while it runs.
  TStatusNivraNFe Status() const { return FPStatus; }
  // Service layout used for the endpoint lookup.
  TLayOut Layout() const { return FPLayout; }

 protected:
  void PrepararServico() override;
  // Resolves URL, Servico, SoapAction and VersaoServico ("4.00" form) from the services
  // table. Throws the lookup's ENivraDFeException (empty UF, missing section...).
  void DefinirURL() override;
  // Restores the protocol setting and header element and sets the component back to stIdle.
  void EncerrarServico() override;
  // The first two steps of EncerrarServico: the protocol setting and the header element.
  void RestaurarConfiguracoes();
  // "<versaoDados>" + VersaoServico + "</versaoDados>".
  std::string GerarVersaoDadosSoap() override;

  // Resolves URL, Servico, SoapAction and VersaoServico for this service's layout with the
  // given model name ("NFe"/"NFCe"), UF part, environment and start version. Throws the
  // lookup's ENivraDFeException.
  void DefinirURLPara(const std::string& Modelo, const std::string& UF, TkovTipoAmbiente Ambiente,
                      double VersaoInicial);
  // "SVC-AN" or "SVC-RS" when emitting in that contingency, else UF.
  std::string UFOuContingencia(const std::string& UF) const;
  // Builds Servico := ObterPrefixoWsdl + Nome and SoapAction := Servico + Acao. For layout 4.00
  // (VersaoDF ve400) each is built only when the services table left it empty.
  void DefinirServicoEAcao(const std::string& Nome, const std::string& Acao);
  // The component.
  TNivraNFe& NivraNFe() { return FNivraNFe; }

  TStatusNivraNFe FPStatus = TStatusNivraNFe::stIdle;
  TLayOut FPLayout = TLayOut::LayNfeStatusServico;
  TConfiguracoesNFe& FPConfiguracoesNFe;

 private:
  TNivraNFe& FNivraNFe;
  TSSLType FOldSSLType = TSSLType::LT_all;
  std::string FOldHeaderElement;
};

}  // namespace nivra
