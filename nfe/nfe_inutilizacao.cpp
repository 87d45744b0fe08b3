// Voiding a range of numbers.
#include "nivranfe/nfe/nfe_inutilizacao.h"

#include "nivranfe/dfe/configuracoes_nfe.h"
#include "nivranfe/nfe/inut_nfe_pedido.h"
#include "nivranfe/util/caracteres.h"
#include "nivranfe/util/excecoes.h"
#include "nivranfe/util/texto.h"
#include "nivranfe/util/xml_texto.h"

namespace nivra {

namespace {

constexpr std::size_t kJustificativaMinima = 15;

}  // namespace

TNFeInutilizacao::TNFeInutilizacao(TNivraNFe& AOwner) : TNFeServicoRetorno(AOwner) {
  TNFeInutilizacao::Clear();
}

void TNFeInutilizacao::Clear() {
  TNFeServicoRetorno::Clear();
  FPStatus = TStatusNivraNFe::stNFeInutilizacao;
  FPLayout = TLayOut::LayNfeInutilizacao;
  FPArqEnv = "ped-inu";
  FPArqResp = "inu";
  FXML_ProcInutNFe.clear();
}

bool TNFeInutilizacao::SetJustificativa(const std::string& Valor) {
  const std::string texto = Aparar(Valor);
  if (texto.empty()) {
    GerarException(
        "Informar uma Justificativa para Inutilização de numeração da Nota Fiscal Eletronica");
    return false;
  }
  if (ContarCaracteres(texto) < kJustificativaMinima) {
    GerarException(
        "A Justificativa para Inutilização de numeração da Nota Fiscal Eletronica deve ter no "
        "minimo 15 caracteres");
    return false;
  }
  FJustificativa = texto;
  return true;
}

void TNFeInutilizacao::DefinirURL() {
  if (FModelo != 55 && FModelo != 65)
    throw ENivraNFeException("Modelo Inválido: " + std::to_string(FModelo));
  const auto& ws = FPConfiguracoes.WebServices();
  DefinirURLPara(FModelo == 65 ? "NFCe" : "NFe", ws.UF(), ws.Ambiente(),
                 VersaoParaNumero(FPConfiguracoesNFe.Geral().VersaoDF()));
}

void TNFeInutilizacao::DefinirServicoEAction() {
  const auto& geral = FPConfiguracoesNFe.Geral();
  if (geral.VersaoDF() == TkovVersaoDF::ve400) {
    DefinirServicoEAcao("NFeInutilizacao4", "/nfeInutilizacaoNF");
    return;
  }
  // Bahia kept the 3.10 service under its original name for normal emission.
  if (FPConfiguracoes.WebServices().UFCodigo() == 29 && FModelo == 55 &&
      geral.VersaoDF() == TkovVersaoDF::ve310 &&
      geral.FormaEmissao() == TkovTipoEmissao::teNormal) {
    if (FPServico.empty()) FPServico = ObterPrefixoWsdl() + "NfeInutilizacao";
    FPSoapAction = FPServico + "/NfeInutilizacao";
    return;
  }
  DefinirServicoEAcao("NfeInutilizacao2", "");
}

void TNFeInutilizacao::DefinirDadosMsg() {
  TInutNFePedido pedido;
  pedido.tpAmb = FPConfiguracoes.WebServices().Ambiente();
  pedido.cUF = FPConfiguracoes.WebServices().UFCodigo();
  pedido.ano = FAno;
  pedido.CNPJ = FCNPJ;
  pedido.modelo = FModelo;
  pedido.serie = FSerie;
  pedido.nNFIni = FNumeroInicial;
  pedido.nNFFin = FNumeroFinal;
  pedido.xJust = FJustificativa;
  pedido.SetVersao(FPVersaoServico);
  AplicarOpcoesGerador(pedido.Gerador());
  // Alerts do not stop the request: the authoriser judges it.
  (void)pedido.GerarXML();
  FAlertas = pedido.Gerador().ListaDeAlertas();
  FID = pedido.ID();
  AssinarDados(TextoParaUTF8(pedido.Gerador().ArquivoFormatoXML()), "inutNFe", "infInut",
               "Falha ao assinar Inutilização Nota Fiscal Eletrônica ");
}

bool TNFeInutilizacao::TratarResposta() {
  LerResposta({"nfeInutilizacaoNF2Result", "nfeInutilizacaoNFResult", "nfeResultMsg"},
              "retInutNFe");
  if (FRetorno.cStat == 102 || FRetorno.cStat == 563) {
    FXML_ProcInutNFe = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><ProcInutNFe versao=\"" +
                       FPVersaoServico + "\" xmlns=\"http://www.portalfiscal.inf.br/nfe\">" +
                       SemDeclaracaoXML(FPDadosMsg) + FRetorno.XML + "</ProcInutNFe>";
    if (FPConfiguracoes.Arquivos().Salvar())
      (void)FPDFeOwner.Gravar(IdSemPrefixo(FID) + "-procInutNFe.xml", FXML_ProcInutNFe,
                              PastaArquivos());
  }
  return FRetorno.cStat == 102;
}

std::string TNFeInutilizacao::PastaArquivos() {
  auto& arquivos = FPConfiguracoesNFe.Arquivos();
  return arquivos.GetPathInu(arquivos.SepararPorCNPJ() ? SomenteLetrasEDigitos(FCNPJ)
                                                       : std::string());
}

}  // namespace nivra
