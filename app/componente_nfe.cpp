// The monitor's component and its configuration.
#include "app/componente_nfe.h"

#include "nivranfe/dfe/nivra_nfe.h"
#include "nivranfe/nfe/webservices.h"

namespace nivra {

void ConfigurarComoMonitor(TNivraNFe& nfe, const TPastasComponente& pastas) {
  auto& conf = nfe.Configuracoes();
  conf.Geral().SetSSLLib(TSSLLib::libWinCrypt);
  conf.Geral().SetSSLCryptLib(TSSLCryptLib::cryWinCrypt);
  conf.Geral().SetSSLHttpLib(TSSLHttpLib::httpWinHttp);
  conf.Geral().SetSSLXmlSignLib(TSSLXmlSignLib::xsMsXml);
  conf.Geral().SetFormatoAlerta("TAG:%TAGNIVEL% ID:%ID%/%TAG%(%DESCRICAO%) - %MSG%.");
  conf.Geral().SetVersaoDF(TkovVersaoDF::ve400);
  conf.Arquivos().SetPathSchemas(pastas.Schemas);
  conf.Arquivos().SetPathSalvar(pastas.Docs);
  if (!pastas.Servicos.empty()) conf.Arquivos().SetIniServicos(pastas.Servicos);
  conf.WebServices().SetUF("PR");
  conf.WebServices().SetAmbiente(TkovTipoAmbiente::taProducao);
  conf.WebServices().SetAguardarConsultaRet(20000);
  conf.WebServices().SetAjustaAguardaConsultaRet(true);
  conf.WebServices().SetTimeOut(10000);
  conf.WebServices().SetQuebradeLinha("|");
}

TComponenteNFe::TComponenteNFe(const TPastasComponente& pastas)
    : FNFe(std::make_unique<TNivraNFe>()) {
  ConfigurarComoMonitor(*FNFe, pastas);
}

TComponenteNFe::~TComponenteNFe() = default;

void TComponenteNFe::Executar() { FNFe->WebServices().StatusServico().Executar(); }

TRespostaStatus TComponenteNFe::Resposta() const {
  const TNFeStatusServico& servico = FNFe->WebServices().StatusServico();
  return {servico.cStat(), servico.xMotivo(), servico.xObs(), servico.TMed()};
}

void TComponenteNFe::Aplicar(const std::string& NumeroSerie, const std::string& UF) {
  auto& conf = FNFe->Configuracoes();
  conf.Certificados().SetNumeroSerie(NumeroSerie);
  conf.WebServices().SetUF(UF);
  conf.Geral().SetVersaoDF(TkovVersaoDF::ve400);
}

const TListaCertificados& TComponenteNFe::LerCertificadosStore() {
  FNFe->SSL().LerCertificadosStore();
  return FNFe->SSL().ListaCertificados();
}

}  // namespace nivra
