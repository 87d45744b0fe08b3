// The retired national services.
#include "nivranfe/nfe/nfe_servicos_desativados.h"

#include "nivranfe/dfe/configuracoes_nfe.h"
#include "nivranfe/nfe/retorno_nfe.h"
#include "nivranfe/util/chave_acesso.h"
#include "nivranfe/util/texto.h"
#include "nivranfe/util/xml_texto.h"
#include "nivranfe/xml/gerador.h"

namespace nivra {

namespace {

// Opens the request's root with the NF-e namespace and the version and writes tpAmb, xServ and
// the CNPJ.
void AbrirPedido(TGerador& g, const std::string& Raiz, const std::string& Versao,
                 TkovTipoAmbiente tpAmb, const std::string& xServ, const std::string& CNPJ) {
  g.wGrupo(Raiz + " xmlns=\"http://www.portalfiscal.inf.br/nfe\" versao=\"" + Versao + "\"");
  g.wCampo(TkovTipoCampo::tcStr, "", "tpAmb", 1, 1, 1, TipoAmbienteParaTexto(tpAmb));
  g.wCampo(TkovTipoCampo::tcStr, "", "xServ", 1, 20, 1, xServ);
  g.wCampo(TkovTipoCampo::tcStr, "", "CNPJ", 14, 14, 1, SomenteLetrasEDigitos(CNPJ));
}

}  // namespace

TNFeConsNFeDest::TNFeConsNFeDest(TNivraNFe& AOwner) : TNFeServicoRetorno(AOwner) {
  TNFeConsNFeDest::Clear();
}

void TNFeConsNFeDest::Clear() {
  TNFeServicoRetorno::Clear();
  FPStatus = TStatusNivraNFe::stConsNFeDest;
  FPLayout = TLayOut::LayNFeConsNFeDest;
  FPArqEnv = "con-nfe-dest";
  FPArqResp = "nfe-dest";
}

void TNFeConsNFeDest::DefinirURL() {
  DefinirURLPara(NivraNFe().GetNomeModeloDFe(), "AN", FPConfiguracoes.WebServices().Ambiente(),
                 VersaoParaNumero(FPConfiguracoesNFe.Geral().VersaoDF()));
}

void TNFeConsNFeDest::DefinirServicoEAction() {
  FPServico = ObterPrefixoWsdl() + "NfeConsultaDest";
  FPSoapAction = FPServico + "/nfeConsultaNFDest";
}

void TNFeConsNFeDest::DefinirDadosMsg() {
  TGerador g;
  AplicarOpcoesGerador(g);
  AbrirPedido(g, "consNFeDest", FPVersaoServico, FPConfiguracoes.WebServices().Ambiente(),
              "CONSULTAR NFE DEST", FCNPJ);
  g.wCampo(TkovTipoCampo::tcInt, "", "indNFe", 1, 1, 1, int64_t{FindNFe});
  g.wCampo(TkovTipoCampo::tcInt, "", "indEmi", 1, 1, 1, int64_t{FindEmi});
  g.wCampo(TkovTipoCampo::tcStr, "", "ultNSU", 1, 15, 1, FultNSU.empty() ? "0" : FultNSU);
  g.wGrupo("/consNFeDest");
  FPDadosMsg = g.ArquivoFormatoXML();
}

bool TNFeConsNFeDest::TratarResposta() {
  LerResposta({"nfeConsultaNFDestResult", "nfeResultMsg"}, "retConsNFeDest");
  return FRetorno.cStat == 137 || FRetorno.cStat == 138;
}

std::string TNFeConsNFeDest::MontarMsgErro(const std::exception&) {
  return "WebService Consulta NF-e Destinadas:\r\n- Inativo ou Inoperante tente novamente.";
}

TNFeDownloadNFe::TNFeDownloadNFe(TNivraNFe& AOwner, TDownload& ADownload)
    : TNFeServicoRetorno(AOwner), FDownload(ADownload) {
  TNFeDownloadNFe::Clear();
}

void TNFeDownloadNFe::Clear() {
  TNFeServicoRetorno::Clear();
  FPStatus = TStatusNivraNFe::stDownloadNFe;
  FPLayout = TLayOut::LayNFeDownloadNFe;
  FPArqEnv = "ped-down-nfe";
  FPArqResp = "down-nfe";
}

void TNFeDownloadNFe::DefinirURL() {
  DefinirURLPara(NivraNFe().GetNomeModeloDFe(), "AN", FPConfiguracoes.WebServices().Ambiente(),
                 VersaoParaNumero(FPConfiguracoesNFe.Geral().VersaoDF()));
}

void TNFeDownloadNFe::DefinirServicoEAction() {
  FPServico = ObterPrefixoWsdl() + "NfeDownloadNF";
  FPSoapAction = FPServico + "/nfeDownloadNF";
}

void TNFeDownloadNFe::DefinirDadosMsg() {
  TGerador g;
  AplicarOpcoesGerador(g);
  AbrirPedido(g, "downloadNFe", FPVersaoServico, FPConfiguracoes.WebServices().Ambiente(),
              "DOWNLOAD NFE", FCNPJ);
  for (const std::string& chave : FDownload.Chaves)
    g.wCampo(TkovTipoCampo::tcStr, "", "chNFe", 44, 44, 1, chave);
  g.wGrupo("/downloadNFe");
  FPDadosMsg = g.ArquivoFormatoXML();
}

bool TNFeDownloadNFe::TratarResposta() {
  LerResposta({"nfeDownloadNFResult", "nfeResultMsg"}, "retDownloadNFe");
  if (FPConfiguracoes.Arquivos().Salvar()) {
    for (const std::string& ret : ElementosXML(FPRetWS, "retNFe")) {
      if (Aparar(ConteudoDaTag(ret, "cStat", false)) != "140") continue;
      const std::string chave = Aparar(ConteudoDaTag(ret, "chNFe", false));
      if (!FormaDeChaveAcesso(chave)) {
        FazerLog("Documento não salvo: chNFe \"" + chave + "\" inválido");
        continue;
      }
      (void)FPDFeOwner.Gravar(chave + "-nfe.xml", ConteudoDaTag(ret, "procNFe", false));
    }
  }
  return FRetorno.cStat == 139;
}

std::string TNFeDownloadNFe::MontarMsgErro(const std::exception&) {
  return "WebService Download de NF-e:\r\n- Inativo ou Inoperante tente novamente.";
}

}  // namespace nivra
