// The request pipeline: order of the steps, SOAP envelope, saving, sending with retries.
#include "nivranfe/nfe/dfe_web_service.h"

#include "nivranfe/dfe/nivra_dfe.h"
#include "nivranfe/util/datahora.h"
#include "nivranfe/util/excecoes.h"
#include "nivranfe/util/fuso_horario.h"
#include "nivranfe/util/texto.h"
#include "nivranfe/util/xml_texto.h"
#include "nivranfe/xml/gerador.h"

namespace nivra {

namespace {

// Thrown after a failure the log handler marked as handled, to stop the request there;
// Executar turns it into the result false.
struct TFalhaTratada {};

// A signed text must travel byte for byte as signed.
bool EstaAssinado(const std::string& xml) {
  return Maiusculas(xml).find("<SIGNATURE") != std::string::npos;
}

}  // namespace

TDFeWebService::TDFeWebService(TNivraDFe& AOwner)
    : FPDFeOwner(AOwner),
      FPConfiguracoes(AOwner.Configuracoes()),
      FPSoapVersion("soap12"),
      FPSoapEnvelopeAtributtes(std::string("xmlns:xsi=\"") + NAME_SPACE_XSI + "\" xmlns:xsd=\"" +
                               NAME_SPACE_XSD + "\" xmlns:soap12=\"" + NAME_SPACE_SOAP12 + "\""),
      FPHeaderElement("nfeCabecMsg"),
      FPBodyElement("nfeDadosMsg") {
  TDFeWebService::Clear();
}

void TDFeWebService::Clear() {
  FPDadosMsg.clear();
  FPRetornoWS.clear();
  FPRetWS.clear();
  FPMsg.clear();
}

bool TDFeWebService::Executar() {
  try {
    return ExecutarEtapas();
  } catch (const TFalhaTratada&) {
    return false;
  }
}

bool TDFeWebService::ExecutarEtapas() {
  FazerLog("Inicio " + ClassName(), false);
  FPConfiguracoes.Geral().UsarPapeisDaCompilacao();
  PrepararServico();

  bool resultado = false;
  try {
    DefinirDadosMsg();
    MontarEnvelopeSoap();
    GravarEnvio();
    try {
      TransmitirEnvelope();
      resultado = TratarResposta();
      FazerLog(MontarMsgLog(), true);
      GravarResposta();
    } catch (const std::exception& e) {
      resultado = false;
      GerarException(MontarMsgErro(e), &e);
    }
  } catch (...) {
    EncerrarServico();
    throw;
  }
  EncerrarServico();
  return resultado;
}

void TDFeWebService::FazerLog(const std::string& Msg, bool Exibir) {
  if (Msg.empty()) return;
  bool tratado = false;
  FPDFeOwner.FazerLog(Msg, tratado);
  if (!tratado && Exibir && FPConfiguracoes.WebServices().Visualizar()) FPDFeOwner.ExibirAviso(Msg);
}

void TDFeWebService::GerarException(const std::string& Msg, const std::exception* E) {
  FPDFeOwner.GerarException(Msg, E);
}

void TDFeWebService::PrepararServico() {
  Clear();

  DefinirURL();
  if (FPURL.empty()) Falhar("URL não definida para: " + ClassName());

  DefinirServicoEAction();
  if (FPServico.empty()) Falhar("Servico não definido para: " + ClassName());
  if (FPSoapAction.empty()) Falhar("SoapAction não definido para: " + ClassName());

  // "*" in the services table means the request carries no action.
  if (FPSoapAction == "*") FPSoapAction.clear();
}

void TDFeWebService::DefinirServicoEAction() {
  FPServico.clear();
  FPSoapAction.clear();
  NaoImplementado("DefinirServicoEAction");
}

void TDFeWebService::DefinirURL() { NaoImplementado("DefinirURL"); }

void TDFeWebService::DefinirDadosMsg() {
  FPDadosMsg.clear();
  NaoImplementado("DefinirDadosMsg");
}

void TDFeWebService::MontarEnvelopeSoap() {
  const std::string& v = FPSoapVersion;
  std::string texto = "<" + v + ":Envelope " + FPSoapEnvelopeAtributtes + ">";
  if (!FPHeaderElement.empty()) {
    texto += "<" + v + ":Header>";
    texto += "<" + FPHeaderElement + " xmlns=\"" + FPServico + "\">";
    texto += MontarCabecalhoSoap();
    texto += "</" + FPHeaderElement + ">";
    texto += "</" + v + ":Header>";
  }
  texto += "<" + v + ":Body>";
  texto += "<" + FPBodyElement + " xmlns=\"" + FPServico + "\">";
  texto += FPDadosMsg;
  texto += "</" + FPBodyElement + ">";
  texto += "</" + v + ":Body>";
  texto += "</" + v + ":Envelope>";
  FPEnvelopeSoap = std::move(texto);
}

void TDFeWebService::GravarEnvio() {
  GravarDocumentoEEnvelope(FPArqEnv, FPDadosMsg, FPEnvelopeSoap, false);
}

void TDFeWebService::TransmitirEnvelope() {
  FPRetWS.clear();
  FPRetornoWS.clear();

  auto& certificados = FPConfiguracoes.Certificados();
  const bool temCertificado = !certificados.NumeroSerie().empty() ||
                              !certificados.DadosPFX().empty() ||
                              !certificados.ArquivoPFX().empty();
  if (temCertificado && certificados.VerificarValidade()) {
    const TDateTime vencimento = FPDFeOwner.SSL().CertDataVenc();
    // No date at all: no crypto library was chosen that can read a certificate.
    if (vencimento == 0)
      throw ENivraDFeException(
          "Data de Validade do Certificado não pôde ser lida: escolha a biblioteca de "
          "criptografia em Configuracoes.Geral.SSLCryptLib (ou SSLLib)");
    if (FPDFeOwner.Agora() > vencimento)
      throw ENivraDFeCertificadoExpirado("Data de Validade do Certificado já expirou: " +
                                         FormatarData("", vencimento));
  }

  if (!EstaAssinado(FPEnvelopeSoap)) FPEnvelopeSoap = GarantirXMLUTF8(FPEnvelopeSoap);

  bool retentar = false;
  do {
    retentar = false;
    bool tratado = false;
    try {
      FPRetornoWS = FPDFeOwner.SSL().Enviar(FPEnvelopeSoap, FPURL, FPSoapAction, FPMimeType);
    } catch (const std::exception&) {
      const auto& aoFalhar = FPDFeOwner.OnTransmitError();
      if (aoFalhar)
        aoFalhar(FPDFeOwner.SSL().HTTPResultCode(), FPDFeOwner.SSL().InternalErrorCode(), FPURL,
                 FPEnvelopeSoap, FPSoapAction, retentar, tratado);
      if (!retentar && !tratado) throw;
    }
  } while (retentar);
}

bool TDFeWebService::TratarResposta() {
  NaoImplementado("TratarResposta");
  return false;
}

void TDFeWebService::GravarResposta() {
  GravarDocumentoEEnvelope(FPArqResp, FPRetWS, FPRetornoWS, true);
}

void TDFeWebService::GravarDocumentoEEnvelope(const std::string& Arq, const std::string& Documento,
                                              const std::string& Envelope, bool Resposta) {
  if (Arq.empty()) return;
  // Both files carry the same time stamp.
  const std::string prefixo = ObterPrefixoArquivo() + "-" + Arq;
  // An answer is taken as UTF-8 already; a request is converted unless it is signed.
  const auto gravar = [&](const std::string& sufixo, const std::string& texto) {
    FPDFeOwner.Gravar(prefixo + sufixo, texto, PastaArquivos(), Resposta || EstaAssinado(texto));
  };
  if (FPConfiguracoes.Geral().Salvar()) gravar(".xml", Documento);
  if (FPConfiguracoes.WebServices().Salvar()) gravar("-soap.xml", Envelope);
}

void TDFeWebService::EncerrarServico() {}

std::string TDFeWebService::ObterPrefixoWsdl() { return FPDFeOwner.GetNameSpaceURI() + "/wsdl/"; }

void TDFeWebService::AssinarDados(const std::string& XML, const std::string& docElement,
                                  const std::string& infElement, const std::string& MsgErro,
                                  const std::string& SignatureNode,
                                  const std::string& SelectionNamespaces,
                                  const std::string& IdSignature) {
  try {
    FPDadosMsg = FPDFeOwner.SSL().Assinar(XML, docElement, infElement, SignatureNode,
                                          SelectionNamespaces, IdSignature, "");
  } catch (const std::exception& e) {
    Falhar((MsgErro.empty() ? "" : MsgErro + "\r\n") + e.what());
  }
}

std::string TDFeWebService::MontarMsgLog() { return ""; }

std::string TDFeWebService::MontarMsgErro(const std::exception&) { return ""; }

std::string TDFeWebService::MontarCabecalhoSoap() {
  return MontarUFSoap() + GerarVersaoDadosSoap();
}

std::string TDFeWebService::GerarVersaoDadosSoap() {
  NaoImplementado("GerarVersaoDadosSoap");
  return "";
}

std::string TDFeWebService::MontarUFSoap() {
  return "<cUF>" + std::to_string(FPConfiguracoes.WebServices().UFCodigo()) + "</cUF>";
}

std::string TDFeWebService::ObterPrefixoArquivo() {
  return FormatarDataHora("yyyymmddhhnnss", FPDFeOwner.Agora());
}

void TDFeWebService::AplicarOpcoesGerador(TGerador& Gerador) {
  auto& opcoes = Gerador.Opcoes();
  const auto& geral = FPConfiguracoes.Geral();
  opcoes.SetFormatoAlerta(geral.FormatoAlerta());
  opcoes.SetRetirarAcentos(geral.RetirarAcentos());
  opcoes.SetRetirarEspacos(geral.RetirarEspacos());
  opcoes.SetIdentarXML(geral.IdentarXML());
  DefinirConfiguracaoFusoHorario(FPConfiguracoes.WebServices().TimeZoneConf());
  opcoes.SetQuebraLinha(FPConfiguracoes.WebServices().QuebradeLinha());
}

void TDFeWebService::Falhar(const std::string& Msg) {
  GerarException(Msg);
  throw TFalhaTratada{};
}

void TDFeWebService::Falhar(const ENivraDFeException& Falha) {
  FPDFeOwner.GerarFalha(Falha);
  throw TFalhaTratada{};
}

void TDFeWebService::NaoImplementado(const std::string& Passo) {
  Falhar(Passo + " não implementado para: " + ClassName());
}

}  // namespace nivra
