// Querying a registration.
#include "nivranfe/nfe/nfe_consulta_cadastro.h"

#include "nivranfe/dfe/configuracoes_nfe.h"
#include "nivranfe/nfe/cons_cad.h"
#include "nivranfe/nfe/documentos_pedido.h"
#include "nivranfe/util/documentos.h"
#include "nivranfe/util/excecoes.h"
#include "nivranfe/util/texto.h"
#include "nivranfe/util/uf.h"

namespace nivra {

TNFeConsultaCadastro::TNFeConsultaCadastro(TNivraNFe& AOwner) : TNFeServicoRetorno(AOwner) {
  TNFeConsultaCadastro::Clear();
}

void TNFeConsultaCadastro::Clear() {
  TNFeServicoRetorno::Clear();
  FPStatus = TStatusNivraNFe::stNFeCadastro;
  FPLayout = TLayOut::LayNfeCadastro;
  FPArqEnv = "ped-cad";
  FPArqResp = "cad";
}

void TNFeConsultaCadastro::DefinirURL() {
  if (FUF.empty()) FUF = FPConfiguracoes.WebServices().UF();
  DefinirURLPara(NivraNFe().GetNomeModeloDFe(), FUF, FPConfiguracoes.WebServices().Ambiente(),
                 VersaoParaNumero(FPConfiguracoesNFe.Geral().VersaoDF()));
}

void TNFeConsultaCadastro::DefinirServicoEAction() {
  if (FPConfiguracoesNFe.Geral().VersaoDF() == TkovVersaoDF::ve400)
    DefinirServicoEAcao("CadConsultaCadastro4", "/consultaCadastro");
  else
    DefinirServicoEAcao("CadConsultaCadastro2", "");
}

void TNFeConsultaCadastro::DefinirDadosMsg() {
  TConsCad pedido;
  pedido.UF = FUF;
  pedido.IE = SomenteLetrasEDigitos(FIE);
  // Only the number that is sent is checked: the first non-empty of IE, CNPJ and CPF.
  pedido.CNPJ = CNPJSemMascara(FCNPJ);
  pedido.CPF = CNPJSemMascara(FCPF);
  if (pedido.IE.empty() && pedido.CNPJ.empty() && pedido.CPF.empty())
    throw ENivraNFeException("Informe a IE, o CNPJ ou o CPF do contribuinte.");
  if (pedido.IE.empty() && !pedido.CNPJ.empty())
    ValidarCNPJ(pedido.CNPJ);
  else if (pedido.IE.empty())
    ValidarCPF(pedido.CPF);
  pedido.SetVersao(FPVersaoServico);
  AplicarOpcoesGerador(pedido.Gerador());
  (void)pedido.GerarXML();
  FPDadosMsg = pedido.Gerador().ArquivoFormatoXML();
}

std::string TNFeConsultaCadastro::MontarUFSoap() {
  return "<cUF>" + std::to_string(SiglaUFParaCodigo(FUF)) + "</cUF>";
}

bool TNFeConsultaCadastro::TratarResposta() {
  LerResposta({"consultaCadastro2Result", "nfeResultMsg"}, "retConsCad");
  return FRetorno.cStat == 111 || FRetorno.cStat == 112;
}

}  // namespace nivra
