// The container of the NF-e web-service objects.
#include "nivranfe/nfe/webservices.h"

#include "nivranfe/util/documentos.h"
#include "nivranfe/util/excecoes.h"

namespace nivra {

TWebServices::TWebServices(TNivraNFe& ANivraNFe)
    : FNivraNFe(ANivraNFe),
      FStatusServico(std::make_unique<TNFeStatusServico>(ANivraNFe)),
      FEnviar(std::make_unique<TNFeRecepcao>(ANivraNFe)),
      FRetorno(std::make_unique<TNFeRetRecepcao>(ANivraNFe)),
      FRecibo(std::make_unique<TNFeRecibo>(ANivraNFe)),
      FConsulta(std::make_unique<TNFeConsulta>(ANivraNFe)),
      FInutilizacao(std::make_unique<TNFeInutilizacao>(ANivraNFe)),
      FConsultaCadastro(std::make_unique<TNFeConsultaCadastro>(ANivraNFe)),
      FEnvEvento(std::make_unique<TNFeEnvEvento>(ANivraNFe, ANivraNFe.EventoNFe())),
      FConsNFeDest(std::make_unique<TNFeConsNFeDest>(ANivraNFe)),
      FDownloadNFe(std::make_unique<TNFeDownloadNFe>(ANivraNFe, ANivraNFe.DownloadNFe())),
      FAdministrarCSCNFCe(std::make_unique<TAdministrarCSCNFCe>(ANivraNFe)),
      FDistribuicaoDFe(std::make_unique<TDistribuicaoDFe>(ANivraNFe)),
      FEnvioWebService(std::make_unique<TNFeEnvioWebService>(ANivraNFe)) {}

TWebServices::~TWebServices() = default;

bool TWebServices::Envia(const std::string& ALote, bool ASincrono, bool AZipado) {
  FEnviar->SetLote(ALote);
  FEnviar->SetSincrono(ASincrono);
  FEnviar->SetZipado(AZipado);
  if (!FEnviar->Executar()) FNivraNFe.GerarFalha(ENivraDFeRespostaRecusada(FEnviar->Msg()));
  // A synchronous answer without a receipt to poll already holds the result.
  if (ASincrono && (FEnviar->Recibo().empty() || FEnviar->cStat() != 103)) return true;
  FRetorno->SetRecibo(FEnviar->Recibo());
  if (!FRetorno->Executar()) FNivraNFe.GerarFalha(ENivraDFeRespostaRecusada(FRetorno->Msg()));
  return true;
}

void TWebServices::Inutiliza(const std::string& CNPJ, const std::string& AJustificativa, int Ano,
                             int Modelo, int Serie, int NumeroInicial, int NumeroFinal) {
  const std::string cnpj = CNPJSemMascara(CNPJ);
  if (!CNPJValido(cnpj)) throw ENivraNFeException("CNPJ: " + cnpj + ", inválido.");
  if (NumeroInicial > NumeroFinal)
    throw ENivraNFeException("Número inicial " + std::to_string(NumeroInicial) +
                             " maior que o número final " + std::to_string(NumeroFinal) +
                             " da faixa a inutilizar.");
  FInutilizacao->SetCNPJ(cnpj);
  FInutilizacao->SetModelo(Modelo);
  FInutilizacao->SetSerie(Serie);
  FInutilizacao->SetAno(Ano);
  FInutilizacao->SetNumeroInicial(NumeroInicial);
  FInutilizacao->SetNumeroFinal(NumeroFinal);
  if (!FInutilizacao->SetJustificativa(AJustificativa)) return;
  if (!FInutilizacao->Executar())
    FNivraNFe.GerarFalha(ENivraDFeRespostaRecusada(FInutilizacao->Msg()));
}

// The component keeps the container through its base class, so that its own library does not
// depend on the services; the container is made on first use.
TWebServices& TNivraNFe::WebServices() {
  if (!FWebServices) FWebServices = std::make_unique<TWebServices>(*this);
  return static_cast<TWebServices&>(*FWebServices);
}

}  // namespace nivra
