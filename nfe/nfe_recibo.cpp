// The lot-result services.
#include "nivranfe/nfe/nfe_recibo.h"

#include <algorithm>

#include "nivranfe/dfe/configuracoes_nfe.h"
#include "nivranfe/nfe/cons_reci_nfe.h"
#include "nivranfe/nfe/protocolos_nfe.h"

namespace nivra {

namespace {

constexpr uint32_t kIntervaloMinimo = 1000;

}  // namespace

TNFeRecibo::TNFeRecibo(TNivraNFe& AOwner) : TNFeServicoRetorno(AOwner) { TNFeRecibo::Clear(); }

void TNFeRecibo::Clear() {
  TNFeServicoRetorno::Clear();
  FPStatus = TStatusNivraNFe::stNFeRecibo;
  FPLayout = TLayOut::LayNfeRetAutorizacao;
  FPArqEnv = "ped-rec";
  FPArqResp = "pro-rec";
}

void TNFeRecibo::DefinirURL() {
  DefinirURLDoLote(TLayOut::LayNfeRetAutorizacao, TLayOut::LayNfeRetRecepcao);
}

void TNFeRecibo::DefinirServicoEAction() {
  if (FPLayout == TLayOut::LayNfeRetRecepcao) {
    FPServico = ObterPrefixoWsdl() + "NfeRetRecepcao2";
    FPSoapAction = FPServico;
  } else if (FPConfiguracoesNFe.Geral().VersaoDF() == TkovVersaoDF::ve400) {
    DefinirServicoEAcao("NFeRetAutorizacao4", "/nfeRetAutorizacaoLote");
  } else {
    DefinirServicoEAcao("NfeRetAutorizacao", "");
  }
}

void TNFeRecibo::DefinirDadosMsg() {
  TConsReciNFe pedido;
  pedido.tpAmb = FPConfiguracoes.WebServices().Ambiente();
  pedido.nRec = FRecibo;
  pedido.SetVersao(FPVersaoServico);
  AplicarOpcoesGerador(pedido.Gerador());
  // Alerts do not stop the request: the authoriser judges it.
  (void)pedido.GerarXML();
  FPDadosMsg = pedido.Gerador().ArquivoFormatoXML();
}

bool TNFeRecibo::TratarResposta() {
  LerResposta({"nfeRetAutorizacaoResult", "nfeRetAutorizacaoLoteResult", "nfeResultMsg",
               "nfeRetRecepcao2Result"},
              "retConsReciNFe");
  return Resultado();
}

std::string TNFeRecibo::ObterPrefixoArquivo() { return FRecibo; }

TNFeRetRecepcao::TNFeRetRecepcao(TNivraNFe& AOwner) : TNFeRecibo(AOwner) {
  TNFeRetRecepcao::Clear();
}

void TNFeRetRecepcao::Clear() {
  TNFeRecibo::Clear();
  FPStatus = TStatusNivraNFe::stNFeRetRecepcao;
  FChaveNFe.clear();
  FProtocolo.clear();
}

bool TNFeRetRecepcao::Executar() {
  auto& nfe = NivraNFe();
  const auto& ws = FPConfiguracoes.WebServices();
  // The status stays stNFeRetRecepcao from the first wait to the last answer.
  nfe.SetStatus(TStatusNivraNFe::stNFeRetRecepcao);
  try {
    nfe.Esperar(ws.AguardarConsultaRet());
    const uint32_t intervalo = std::max(ws.IntervaloTentativas(), kIntervaloMinimo);
    int tentativas = 0;
    bool emProcessamento = TNFeRecibo::Executar();
    while (emProcessamento && tentativas < ws.Tentativas()) {
      ++tentativas;
      nfe.Esperar(intervalo);
      emProcessamento = TNFeRecibo::Executar();
    }
  } catch (...) {
    nfe.SetStatus(TStatusNivraNFe::stIdle);
    throw;
  }
  nfe.SetStatus(TStatusNivraNFe::stIdle);
  if (FRetorno.cStat != 104) return false;
  if (!FRetorno.protNFe.empty()) {
    FChaveNFe = FRetorno.protNFe.back().chNFe;
    FProtocolo = FRetorno.protNFe.back().nProt;
  }
  return AnexarProtocolos(nfe, FRetorno.protNFe);
}

}  // namespace nivra
