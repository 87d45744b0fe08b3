// Querying one document.
#include "nivranfe/nfe/nfe_consulta.h"

#include <filesystem>

#include "nivranfe/dfe/configuracoes_nfe.h"
#include "nivranfe/nfe/cons_sit_nfe.h"
#include "nivranfe/nfe/protocolos_nfe.h"
#include "nivranfe/util/chave_acesso.h"
#include "nivranfe/util/excecoes.h"
#include "nivranfe/util/texto.h"
#include "nivranfe/util/uf.h"
#include "nivranfe/util/xml_texto.h"

namespace nivra {

namespace {

// "NFe" and the 44 characters of a key.
constexpr std::size_t kTamanhoId = 47;

// Cancellation (110111) and cancellation by substitution (110112).
bool EventoDeCancelamento(const std::string& tpEvento) {
  return tpEvento == "110111" || tpEvento == "110112";
}

// Replaces the content of the first element Tag of Xml; nothing when it has none.
void TrocarConteudo(std::string& Xml, const std::string& Tag, const std::string& Conteudo) {
  const std::size_t abre = Xml.find("<" + Tag + ">");
  const std::size_t fecha = Xml.find("</" + Tag + ">", abre);
  if (abre == std::string::npos || fecha == std::string::npos) return;
  const std::size_t inicio = abre + Tag.size() + 2;
  Xml.replace(inicio, fecha - inicio, Conteudo);
}

}  // namespace

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
  // Blanks and separators are dropped; letters stay, for the issuer's CNPJ may hold them. The Id
  // of infNFe ("NFe" and the key) names its key too.
  std::string chave = SomenteLetrasEDigitos(Valor);
  if (chave.size() == kTamanhoId && chave.starts_with("NFe")) chave.erase(0, 3);
  if (!ChaveNFeValida(chave)) throw ENivraNFeException("Chave \"" + Valor + "\" inválida.");
  FNFeChave = chave;
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
                 UFOuContingencia(CUFParaSigla(CodigoUFDaChave(FNFeChave))), ambiente,
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
  const bool cancelada = TNivraNFe::CstatCancelada(FRetorno.cStat);
  if (cancelada && FPConfiguracoesNFe.Geral().AtualizarXMLCancelado()) AtualizarCancelada();
  return TNivraNFe::CstatProcessado(FRetorno.cStat) || cancelada;
}

void TNFeConsulta::AtualizarCancelada() {
  std::string nProt;
  std::string dhRecbto;
  for (const TRetEventoRetorno& evento : FRetorno.retEvento)
    if (EventoDeCancelamento(evento.tpEvento) && EventoRegistrado(evento.cStat)) {
      nProt = evento.nProt;
      dhRecbto = Aparar(ConteudoDaTag(evento.XML, "dhRegEvento", false));
    }
  if (nProt.empty() && !FRetorno.retCancNFe.empty()) {
    // Older layouts answered the cancellation itself.
    nProt = Aparar(ConteudoDaTag(FRetorno.retCancNFe, "nProt", false));
    dhRecbto = Aparar(ConteudoDaTag(FRetorno.retCancNFe, "dhRecbto", false));
  }
  if (nProt.empty()) return;

  auto& notas = NivraNFe().NotasFiscais();
  for (std::size_t i = 0; i < notas.Count(); ++i) {
    NotaFiscal& nota = notas.Items(i);
    if (nota.ChaveAcesso() != FNFeChave || nota.XMLProtocolo().empty()) continue;
    std::string protocolo = nota.XMLProtocolo();
    TrocarConteudo(protocolo, "cStat", std::to_string(FRetorno.cStat));
    // The answer's own reason, as it travelled (escaped).
    TrocarConteudo(protocolo, "xMotivo", ConteudoDaTag(FRetorno.XML, "xMotivo", false));
    TrocarConteudo(protocolo, "nProt", nProt);
    if (!dhRecbto.empty()) TrocarConteudo(protocolo, "dhRecbto", dhRecbto);
    nota.SetProtocolo(protocolo, nProt, FRetorno.cStat, FRetorno.xMotivo);
    if (const std::filesystem::path arquivo(nota.NomeArq()); !arquivo.empty())
      (void)FPDFeOwner.Gravar(arquivo.filename().string(), nota.XMLProcessado(),
                              arquivo.parent_path().string());
    else
      (void)FPDFeOwner.Gravar(FNFeChave + "-nfe.xml", nota.XMLProcessado(),
                              FPConfiguracoesNFe.Arquivos().GetPathNFe(0, nota.CNPJEmitente()));
  }
}

}  // namespace nivra
