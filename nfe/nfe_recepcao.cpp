// Sending a lot of documents.
#include "nivranfe/nfe/nfe_recepcao.h"

#include <cctype>

#include "nivranfe/dfe/configuracoes_nfe.h"
#include "nivranfe/nfe/protocolos_nfe.h"
#include "nivranfe/util/compactacao.h"
#include "nivranfe/util/texto.h"
#include "nivranfe/util/xml_texto.h"

namespace nivra {

namespace {

constexpr std::size_t kTamanhoMaximo = 512000;

// The signed NFe element of a document: from "<NFe" to "</NFe>".
std::string ElementoNFe(const std::string& xml) {
  const std::size_t inicio = xml.find("<NFe");
  const std::size_t fim = xml.rfind("</NFe>");
  if (inicio == std::string::npos || fim == std::string::npos || fim < inicio) return {};
  return xml.substr(inicio, fim + 6 - inicio);
}

// Every "retEnviNFe" and "retConsReciNFe" of the text renamed "retConsSitNFe", letter case
// ignored, so that a synchronous answer reads like a situation answer.
std::string ComoSituacao(std::string texto) {
  for (const std::string nome : {"retenvinfe", "retconsrecinfe"}) {
    std::string minusculo = texto;
    for (char& c : minusculo) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    std::size_t pos = minusculo.size();
    while ((pos = minusculo.rfind(nome, pos)) != std::string::npos) {
      texto.replace(pos, nome.size(), "retConsSitNFe");
      if (pos == 0) break;
      --pos;
    }
  }
  return texto;
}

}  // namespace

TNFeRecepcao::TNFeRecepcao(TNivraNFe& AOwner) : TNFeServicoRetorno(AOwner) {
  TNFeRecepcao::Clear();
}

void TNFeRecepcao::Clear() {
  TNFeServicoRetorno::Clear();
  FPStatus = TStatusNivraNFe::stNFeRecepcao;
  FPLayout = TLayOut::LayNfeAutorizacao;
  FPArqEnv = "env-lot";
  FPArqResp = "rec";
  FRespondido = false;
}

void TNFeRecepcao::DefinirURL() {
  DefinirURLDoLote(TLayOut::LayNfeAutorizacao, TLayOut::LayNfeRecepcao);
}

void TNFeRecepcao::DefinirServicoEAction() {
  const bool leiaute4 = FPConfiguracoesNFe.Geral().VersaoDF() == TkovVersaoDF::ve400;
  if (FPLayout == TLayOut::LayNfeRecepcao) {
    FPServico = ObterPrefixoWsdl() + "NfeRecepcao2";
    FPSoapAction = FPServico;
  } else if (leiaute4) {
    DefinirServicoEAcao("NFeAutorizacao4", "/nfeAutorizacaoLote");
  } else {
    DefinirServicoEAcao("NfeAutorizacao", "");
  }
  FPBodyElement = FZipado ? "nfeDadosMsgZip" : "nfeDadosMsg";
  if (FZipado) FPSoapAction += leiaute4 ? "ZIP" : "LoteZip";
}

void TNFeRecepcao::DefinirDadosMsg() {
  const auto& geral = FPConfiguracoesNFe.Geral();
  std::string lote = "<enviNFe xmlns=\"http://www.portalfiscal.inf.br/nfe\" versao=\"" +
                     FPVersaoServico + "\"><idLote>" + FLote + "</idLote>";
  if (FPLayout == TLayOut::LayNfeAutorizacao || geral.ModeloDF() == TkovModeloDF::moNFCe ||
      geral.VersaoDF() >= TkovVersaoDF::ve310)
    lote += std::string("<indSinc>") + (FSincrono ? "1" : "0") + "</indSinc>";
  auto& notas = NivraNFe().NotasFiscais();
  for (std::size_t i = 0; i < notas.Count(); ++i) lote += ElementoNFe(notas.Items(i).XML());
  lote += "</enviNFe>";
  FPDadosMsg = FZipado ? CompactarBase64(lote) : lote;
  FRecibo.clear();
  if (FPDadosMsg.size() > kTamanhoMaximo)
    Falhar("Tamanho do XML de Dados superior a 500 Kbytes. Tamanho atual: " +
           std::to_string(FPDadosMsg.size() / 1024) + " Kbytes");
}

bool TNFeRecepcao::TratarResposta() {
  const std::vector<std::string> elementos{"nfeAutorizacaoLoteResult", "nfeAutorizacaoResult",
                                           "nfeAutorizacaoLoteZipResult", "nfeResultMsg",
                                           "nfeRecepcaoLote2Result"};
  const bool antigo = FPConfiguracoesNFe.Geral().ModeloDF() == TkovModeloDF::moNFe &&
                      FPConfiguracoesNFe.Geral().VersaoDF() < TkovVersaoDF::ve310;
  FRespondido = true;
  if (!FSincrono || antigo) {
    LerResposta(elementos, "retEnviNFe");
    FRecibo = FRetorno.nRec;
    return FRetorno.cStat == 103;
  }
  // The synchronous answer carries the protocol; it is read like a situation answer.
  FPRetWS = PrimeiroConteudoDeTags(elementos, FPRetornoWS, false);
  (void)FRetorno.LerXml(ComoSituacao(FPRetWS), "retConsSitNFe");
  FPMsg = FRetorno.xMotivo;
  FRecibo = FRetorno.nRec;
  const int32_t cStatLote = FRetorno.cStat;
  FPArqResp = FRecibo.empty() ? "pro-lot" : "pro-rec";
  // A synchronous lot the authoriser only received is polled by its receipt like any other.
  if (cStatLote == 103 && !FRecibo.empty()) return true;
  if (FRetorno.protNFe.empty()) return false;
  const TProtNFeRetorno& protocolo = FRetorno.protNFe.front();
  if (protocolo.cStat > 0) FRetorno.cStat = protocolo.cStat;
  FRetorno.xMotivo = protocolo.xMotivo;
  FPMsg = protocolo.xMotivo;
  if (cStatLote != 104 || !TNivraNFe::CstatProcessado(protocolo.cStat)) return false;
  return AnexarProtocolos(NivraNFe(), FRetorno.protNFe);
}

std::string TNFeRecepcao::ObterPrefixoArquivo() {
  return FRespondido && FSincrono && !FRecibo.empty() ? FRecibo : FLote;
}

}  // namespace nivra
