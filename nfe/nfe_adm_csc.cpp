// Administering the CSC of NFC-e.
#include "nivranfe/nfe/nfe_adm_csc.h"

#include "nivranfe/nfe/adm_csc_nfce.h"
#include "nivranfe/nfe/documentos_pedido.h"
#include "nivranfe/util/texto.h"

namespace nivra {

TAdministrarCSCNFCe::TAdministrarCSCNFCe(TNivraNFe& AOwner) : TNFeServicoRetorno(AOwner) {
  TAdministrarCSCNFCe::Clear();
}

void TAdministrarCSCNFCe::Clear() {
  TNFeServicoRetorno::Clear();
  FPStatus = TStatusNivraNFe::stAdmCSCNFCe;
  FPLayout = TLayOut::LayAdministrarCSCNFCe;
  FPArqEnv = "ped-csc";
  FPArqResp = "csc";
}

void TAdministrarCSCNFCe::DefinirServicoEAction() {
  FPServico = ObterPrefixoWsdl() + "CscNFCe";
  FPSoapAction = FPServico + "/admCscNFCe";
}

void TAdministrarCSCNFCe::DefinirDadosMsg() {
  TAdmCSCNFCe pedido;
  pedido.tpAmb = FPConfiguracoes.WebServices().Ambiente();
  pedido.raizCNPJ = SomenteLetrasEDigitos(FRaizCNPJ);
  ValidarRaizCNPJ(pedido.raizCNPJ);
  pedido.indOP = FindOp;
  pedido.idCsc = FIdCSC;
  pedido.codigoCsc = FCodigoCSC;
  pedido.SetVersao(FPVersaoServico);
  AplicarOpcoesGerador(pedido.Gerador());
  (void)pedido.GerarXML();
  FPDadosMsg = pedido.Gerador().ArquivoFormatoXML();
}

bool TAdministrarCSCNFCe::TratarResposta() {
  LerResposta({"cscNFCeResult", "nfeResultMsg"}, "retAdmCscNFCe");
  return FRetorno.cStat >= 150 && FRetorno.cStat <= 153;
}

std::string TAdministrarCSCNFCe::MontarMsgErro(const std::exception&) {
  return "WebService Administrar CSC da NFC-e:\r\n- Inativo ou Inoperante tente novamente.";
}

}  // namespace nivra
