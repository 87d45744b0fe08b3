// Querying one document.
#include "nfe/nfe_consulta.h"

#include "dfe/configuracoes_nfe.h"
#include "nfe/cons_sit_nfe.h"
#include "nfe/protocolos_nfe.h"
#include "util/chave_acesso.h"
#include "util/excecoes.h"
#include "util/texto.h"
#include "util/uf.h"

TNFeConsulta::TNFeConsulta(TNivraNFe& AOwner) : TNFeServicoRetorno(AOwner) {
  TNFeConsulta::Clear();
}

void TNFeConsulta::Clear() {
  TNFeServicoRetorno::Clear();
  FPStatus = TStatusNivraNFe::stNFeConsulta;
  FPLayout = TLayOut::LayNfeConsulta;
  FPArqEnv = "ped-sit";
  FPArqResp = "sit";
  FProtocolo.clear();
  FRetNFeDFe.clear();
}

void TNFeConsulta::SetNFeChave(const std::string& Valor) {
  if (Valor == FNFeChave) return;
  const std::string digitos = SomenteDigitos(Valor);
  if (!ChaveAcessoValida(digitos)) throw ENivraNFeException("Chave \"" + Valor + "\" inválida.");
  FNFeChave = digitos;
}

void TNFeConsulta::DefinirURL() {
  if (FNFeChave.empty()) throw ENivraNFeException("Chave \"\" inválida.");
  const auto& ws = FPConfiguracoes.WebServices();
  TkovTipoAmbiente ambiente = ws.Ambiente();
  auto& notas = NivraNFe().NotasFiscais();
  if (notas.Count() > 0 && notas.Items(0).tpAmb() != 0)
    ambiente = notas.Items(0).tpAmb() == 1 ? TkovTipoAmbiente::taProducao
                                           : TkovTipoAmbiente::taHomologacao;
  bool ok = false;
  const TkovModeloDF modelo = TextoParaModelo(ok, FNFeChave.substr(20, 2));
  DefinirURLPara(ModeloParaPrefixo(modelo),
                 UFOuContingencia(CUFParaSigla(std::stoi(FNFeChave.substr(0, 2)))), ambiente,
                 VersaoParaNumero(FPConfiguracoesNFe.Geral().VersaoDF()));
}

void TNFeConsulta::DefinirServicoEAction() {
  const auto& geral = FPConfiguracoesNFe.Geral();
  if (geral.VersaoDF() == TkovVersaoDF::ve400) {
    DefinirServicoEAcao("NFeConsultaProtocolo4", "/nfeConsultaNF");
    return;
  }
  // Bahia kept the 3.10 service under its original name for normal emission.
  const bool bahia =
      FPConfiguracoes.WebServices().UFCodigo() == 29 && geral.ModeloDF() == TkovModeloDF::moNFe &&
      geral.VersaoDF() == TkovVersaoDF::ve310 && geral.FormaEmissao() == TkovTipoEmissao::teNormal;
  DefinirServicoEAcao(bahia ? "NfeConsulta" : "NfeConsulta2", "");
}

void TNFeConsulta::DefinirDadosMsg() {
  TConsSitNFe pedido;
  pedido.tpAmb = FPConfiguracoes.WebServices().Ambiente();
  pedido.chNFe = FNFeChave;
  pedido.SetVersao(FPVersaoServico);
  AplicarOpcoesGerador(pedido.Gerador());
  (void)pedido.GerarXML();
  FPDadosMsg = pedido.Gerador().ArquivoFormatoXML();
}

std::string TNFeConsulta::MontarUFSoap() { return "<cUF>" + FNFeChave.substr(0, 2) + "</cUF>"; }

bool TNFeConsulta::TratarResposta() {
  LerResposta({"NfeConsultaNF2Result", "NfeConsultaNFResult", "nfeResultMsg"}, "retConsSitNFe");
  for (const TRetEventoRetorno& evento : FRetorno.retEvento) FRetNFeDFe += evento.XML;
  if (!FRetorno.protNFe.empty()) FProtocolo = FRetorno.protNFe.front().nProt;
  if (FProtocolo.empty()) FProtocolo = FRetorno.nProt;
  if (!FRetNFeDFe.empty() && FPConfiguracoes.Arquivos().Salvar())
    (void)FPDFeOwner.Gravar(FNFeChave + "-NFeDFe.xml", "<NFeDFe>" + FRetNFeDFe + "</NFeDFe>");
  (void)AnexarProtocolos(NivraNFe(), FRetorno.protNFe);
  return TNivraNFe::CstatProcessado(FRetorno.cStat) || TNivraNFe::CstatCancelada(FRetorno.cStat);
}
