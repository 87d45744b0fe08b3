// Status service: service and action per layout, request document, reading of the answer.
#include "nivranfe/nfe/nfe_status_servico.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "nivranfe/dfe/configuracoes_nfe.h"
#include "nivranfe/nfe/cons_stat_serv.h"
#include "nivranfe/nfe/ret_cons_stat_serv.h"
#include "nivranfe/nfe/retorno_nfe.h"
#include "nivranfe/util/datahora.h"
#include "nivranfe/util/fuso_horario.h"
#include "nivranfe/util/texto.h"
#include "nivranfe/util/uf.h"
#include "nivranfe/util/xml_texto.h"

namespace nivra {

namespace {

constexpr double MINUTOS_POR_DIA = 24.0 * 60.0;

// Empty for the zero date-time, as the log shows no date then.
std::string DataHoraOuVazio(TDateTime valor) {
  return valor == 0 ? std::string() : FormatarDataHora("", valor);
}

}  // namespace

TNFeStatusServico::TNFeStatusServico(TNivraNFe& AOwner) : TNFeWebService(AOwner) {
  TNFeStatusServico::Clear();
}

void TNFeStatusServico::Clear() {
  TNFeWebService::Clear();
  FPStatus = TStatusNivraNFe::stNFeStatusServico;
  FPLayout = TLayOut::LayNfeStatusServico;
  FPArqEnv = "ped-sta";
  FPArqResp = "sta";
  Fversao.clear();
  FverAplic.clear();
  FxMotivo.clear();
  FxObs.clear();
  FcStat = 0;
  FTMed = 0;
  FdhRecbto = 0;
  FFusoRecbto.clear();
  FdhRetorno = 0;
  FtpAmb = FPConfiguracoes.WebServices().Ambiente();
  FcUF = FPConfiguracoes.WebServices().UFCodigo();
}

void TNFeStatusServico::DefinirServicoEAction() {
  const auto& geral = FPConfiguracoesNFe.Geral();
  const std::string prefixo = ObterPrefixoWsdl();
  if (geral.VersaoDF() >= TkovVersaoDF::ve400) {
    if (FPServico.empty()) FPServico = prefixo + "NFeStatusServico4";
    if (FPSoapAction.empty()) FPSoapAction = FPServico + "/nfeStatusServicoNF";
    return;
  }
  // Bahia kept the 3.10 service under its original name for normal emission.
  if (FPConfiguracoes.WebServices().UFCodigo() == 29 && geral.ModeloDF() == TkovModeloDF::moNFe &&
      geral.VersaoDF() == TkovVersaoDF::ve310 &&
      geral.FormaEmissao() == TkovTipoEmissao::teNormal) {
    FPServico = prefixo + "NfeStatusServico";
    FPSoapAction = FPServico + "/NfeStatusServicoNF";
    return;
  }
  FPServico = prefixo + "NfeStatusServico2";
  FPSoapAction = FPServico;
}

void TNFeStatusServico::DefinirDadosMsg() {
  TConsStatServ consulta;
  consulta.SettpAmb(FPConfiguracoes.WebServices().Ambiente());
  consulta.SetcUF(FPConfiguracoes.WebServices().UFCodigo());
  consulta.SetVersao(FPVersaoServico);
  AplicarOpcoesGerador(consulta.Gerador());
  // Alerts do not stop the request: the authoriser judges the document.
  (void)consulta.GerarXML();
  FPDadosMsg = consulta.Gerador().ArquivoFormatoXML();
}

bool TNFeStatusServico::TratarResposta() {
  FPRetWS = XMLDaResposta(PrimeiroConteudoDeTags({"nfeStatusServicoNF2Result",
                                                  "NfeStatusServicoNFResult", "nfeResultMsg"},
                                                 FPRetornoWS, false),
                          "retConsStatServ");

  ExigirRetorno(FPRetWS, "retConsStatServ");
  TRetConsStatServ retorno;
  retorno.Leitor().SetArquivo(ConverterEntidadesXML(FPRetWS));
  // A malformed date stops the reading at that field; what was read before it is kept.
  (void)retorno.LerXml();

  Fversao = retorno.versao();
  // An answer without tpAmb keeps the configured environment.
  bool ambienteLido = false;
  (void)TextoParaTipoAmbiente(ambienteLido, Aparar(ConteudoDaTag(FPRetWS, "tpAmb", false)));
  if (ambienteLido) FtpAmb = retorno.tpAmb();
  FverAplic = retorno.verAplic();
  FcStat = retorno.cStat();
  FxMotivo = retorno.xMotivo();
  FcUF = retorno.cUF();
  FdhRecbto = CorrigirRecebimento(retorno.dhRecbto());
  FFusoRecbto = FusoDaDataHora(ConteudoDaTag(FPRetWS, "dhRecbto", false));
  FTMed = retorno.tMed();
  FdhRetorno = retorno.dhRetorno();
  FxObs = retorno.xObs();

  FPMsg = FxMotivo + "\r\n" + FxObs;

  auto& webServices = FPConfiguracoes.WebServices();
  if (webServices.AjustaAguardaConsultaRet()) {
    // An absurd average time must not wrap around to a short wait.
    const uint64_t espera = static_cast<uint64_t>(FTMed) * 1000u;
    webServices.SetAguardarConsultaRet(
        static_cast<uint32_t>(std::min<uint64_t>(espera, std::numeric_limits<uint32_t>::max())));
  }

  return FcStat == 107;
}

TDateTime TNFeStatusServico::CorrigirRecebimento(TDateTime Recebido) const {
  // An answer without a receipt time keeps the zero date-time.
  if (Recebido == 0 || FPURL.find(HOST_SVRS) == std::string::npos) return Recebido;
  const double minutos = std::trunc(std::fabs(FPDFeOwner.Agora() - Recebido) * MINUTOS_POR_DIA);
  if (minutos > 50 && !EmHorarioDeVerao(CUFParaSigla(FcUF), Recebido))
    return Recebido - 60.0 / MINUTOS_POR_DIA;
  return Recebido;
}

std::string TNFeStatusServico::MontarMsgLog() {
  return "Versão Layout: " + Fversao + " \r\n" + "Ambiente: " + TipoAmbienteParaTexto(FtpAmb) +
         "\r\n" + "Versão Aplicativo: " + FverAplic + " \r\n" +
         "Status Código: " + std::to_string(FcStat) + "\r\n" + "Status Descrição: " + FxMotivo +
         "\r\n" + "UF: " + CodigoUFParaSigla(FcUF) + "\r\n" +
         "Recebimento: " + DataHoraOuVazio(FdhRecbto) + "\r\n" +
         "Tempo Médio: " + std::to_string(FTMed) + "\r\n" +
         "Retorno: " + DataHoraOuVazio(FdhRetorno) + "\r\n" + "Observação: " + FxObs + "\r\n";
}

std::string TNFeStatusServico::MontarMsgErro(const std::exception&) {
  return "WebService Consulta Status serviço:\r\n- Inativo ou Inoperante tente novamente.";
}

}  // namespace nivra
