// The container of the NF-e component's web-service objects.
#pragma once

#include <memory>
#include <string>

#include "nivranfe/dfe/webservices_base.h"
#include "nivranfe/nfe/nfe_adm_csc.h"
#include "nivranfe/nfe/nfe_consulta.h"
#include "nivranfe/nfe/nfe_consulta_cadastro.h"
#include "nivranfe/nfe/nfe_dist_dfe.h"
#include "nivranfe/nfe/nfe_env_evento.h"
#include "nivranfe/nfe/nfe_envio_web_service.h"
#include "nivranfe/nfe/nfe_inutilizacao.h"
#include "nivranfe/nfe/nfe_recepcao.h"
#include "nivranfe/nfe/nfe_recibo.h"
#include "nivranfe/nfe/nfe_servicos_desativados.h"
#include "nivranfe/nfe/nfe_status_servico.h"

namespace nivra {

class TNivraNFe;

// Owns one object per service, created with the container and kept for its lifetime. The
// component must outlive the container.
class TWebServices : public TWebServicesBase {
 public:
  explicit TWebServices(TNivraNFe& ANivraNFe);
  ~TWebServices() override;

  // The owning component.
  TNivraNFe& NivraNFe() const { return FNivraNFe; }
  TNFeStatusServico& StatusServico() { return *FStatusServico; }
  TNFeRecepcao& Enviar() { return *FEnviar; }
  TNFeRetRecepcao& Retorno() { return *FRetorno; }
  TNFeRecibo& Recibo() { return *FRecibo; }
  TNFeConsulta& Consulta() { return *FConsulta; }
  TNFeInutilizacao& Inutilizacao() { return *FInutilizacao; }
  TNFeConsultaCadastro& ConsultaCadastro() { return *FConsultaCadastro; }
  TNFeEnvEvento& EnvEvento() { return *FEnvEvento; }
  TNFeConsNFeDest& ConsNFeDest() { return *FConsNFeDest; }
  TNFeDownloadNFe& DownloadNFe() { return *FDownloadNFe; }
  TAdministrarCSCNFCe& AdministrarCSCNFCe() { return *FAdministrarCSCNFCe; }
  TDistribuicaoDFe& DistribuicaoDFe() { return *FDistribuicaoDFe; }
  TNFeEnvioWebService& EnvioWebService() { return *FEnvioWebService; }

  // Sends the loaded documents as lot ALote; a synchronous answer without a receipt (or with
  // a cStat other than 103) ends there, otherwise the receipt is polled through Retorno.
  // Returns true; a failed step raises through its GerarException (false when the log
  // handler took it).
  bool Envia(const std::string& ALote, bool ASincrono = false, bool AZipado = false);
  bool Envia(int64_t ALote, bool ASincrono = false, bool AZipado = false) {
    return Envia(std::to_string(ALote), ASincrono, AZipado);
  }
  // Voids the numbers NumeroInicial to NumeroFinal of a series. Throws ENivraNFeException
  // "CNPJ: " + CNPJ + ", inválido." for an invalid CNPJ; a refused request raises its Msg.
  void Inutiliza(const std::string& CNPJ, const std::string& AJustificativa, int Ano, int Modelo,
                 int Serie, int NumeroInicial, int NumeroFinal);

 private:
  TNivraNFe& FNivraNFe;
  std::unique_ptr<TNFeStatusServico> FStatusServico;
  std::unique_ptr<TNFeRecepcao> FEnviar;
  std::unique_ptr<TNFeRetRecepcao> FRetorno;
  std::unique_ptr<TNFeRecibo> FRecibo;
  std::unique_ptr<TNFeConsulta> FConsulta;
  std::unique_ptr<TNFeInutilizacao> FInutilizacao;
  std::unique_ptr<TNFeConsultaCadastro> FConsultaCadastro;
  std::unique_ptr<TNFeEnvEvento> FEnvEvento;
  std::unique_ptr<TNFeConsNFeDest> FConsNFeDest;
  std::unique_ptr<TNFeDownloadNFe> FDownloadNFe;
  std::unique_ptr<TAdministrarCSCNFCe> FAdministrarCSCNFCe;
  std::unique_ptr<TDistribuicaoDFe> FDistribuicaoDFe;
  std::unique_ptr<TNFeEnvioWebService> FEnvioWebService;
};

}  // namespace nivra
