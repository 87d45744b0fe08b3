// The request pipeline shared by every web service of the fiscal-document component: prepares
// a request, wraps it in a SOAP envelope, saves, sends, reads, logs and saves the answer.
#pragma once

#include <exception>
#include <string>
#include <typeinfo>

#include "nivranfe/util/excecoes.h"
#include "nivranfe/util/nome_classe.h"

namespace nivra {

class TNivraDFe;
class TConfiguracoes;
class TGerador;

// Namespaces written into the attributes of the SOAP envelope.
inline constexpr const char* NAME_SPACE_XSI = "http://www.w3.org/2001/XMLSchema-instance";
inline constexpr const char* NAME_SPACE_XSD = "http://www.w3.org/2001/XMLSchema";
inline constexpr const char* NAME_SPACE_SOAP12 = "http://www.w3.org/2003/05/soap-envelope";

// Base of every web-service request. A service subclass provides the URL, the SOAP service and
// action, the data document and the reading of the answer; the order of the steps is fixed
// here. One object runs one request at a time and keeps the texts of its last request until
// the next one starts. The owner must outlive the object.
class TDFeWebService {
 public:
  explicit TDFeWebService(TNivraDFe& AOwner);
  TDFeWebService(const TDFeWebService&) = delete;
  TDFeWebService& operator=(const TDFeWebService&) = delete;
  virtual ~TDFeWebService() = default;

  // Empties DadosMsg, RetornoWS, RetWS and Msg.
  virtual void Clear();

  // Runs one request. Returns the service's verdict on the answer (TratarResposta), or false
  // when the log handler marked a failure as handled (the request stops at that failure).
  // Throws ENivraDFeException with the service's error text (MontarMsgErro), CR LF and the
  // cause's message when sending or reading fails. Failures of preparing the request (no URL,
  // service or action; the errors of the endpoint lookup) and of building, wrapping and saving
  // it pass unchanged.
  virtual bool Executar();

  // Name of the object's concrete class, used in failure texts.
  std::string ClassName() const { return NomeDaClasse(typeid(*this)); }

  const std::string& SoapVersion() const { return FPSoapVersion; }
  const std::string& SoapEnvelopeAtributtes() const { return FPSoapEnvelopeAtributtes; }
  const std::string& HeaderElement() const { return FPHeaderElement; }
  const std::string& BodyElement() const { return FPBodyElement; }
  const std::string& CabMsg() const { return FPCabMsg; }
  const std::string& DadosMsg() const { return FPDadosMsg; }
  const std::string& EnvelopeSoap() const { return FPEnvelopeSoap; }
  const std::string& RetornoWS() const { return FPRetornoWS; }
  const std::string& RetWS() const { return FPRetWS; }
  const std::string& Msg() const { return FPMsg; }
  const std::string& URL() const { return FPURL; }
  const std::string& VersaoServico() const { return FPVersaoServico; }
  const std::string& ArqEnv() const { return FPArqEnv; }
  const std::string& ArqResp() const { return FPArqResp; }
  const std::string& Servico() const { return FPServico; }
  const std::string& SoapAction() const { return FPSoapAction; }
  const std::string& MimeType() const { return FPMimeType; }

 protected:
  // Passes a non-empty message to the component's log; when no handler took it, show is true
  // and Configuracoes.WebServices.Visualizar is on, shows it to the user.
  virtual void FazerLog(const std::string& Msg, bool Exibir = false);
  // Reports a failure through the component: throws ENivraDFeException unless the log
  // handler marked the message as handled.
  virtual void GerarException(const std::string& Msg, const std::exception* E = nullptr);
  // Clears the object, resolves the URL, service and action and checks them. Throws
  // ENivraDFeException when one of them is missing.
  virtual void PrepararServico();
  virtual void DefinirServicoEAction();
  virtual void DefinirURL();
  virtual void DefinirDadosMsg();
  // Builds EnvelopeSoap from the header and body elements, the service and DadosMsg.
  virtual void MontarEnvelopeSoap();
  // Saves the request document (and the envelope when WebServices.Salvar is on).
  virtual void GravarEnvio();
  // Checks the certificate's expiry, converts the envelope to UTF-8 and posts it, retrying as
  // OnTransmitError asks. Throws the transport's failure unless the handler dealt with it.
  virtual void TransmitirEnvelope();
  virtual bool TratarResposta();
  // Saves the answer document (and the whole answer when WebServices.Salvar is on).
  virtual void GravarResposta();
  virtual void EncerrarServico();
  // The component's namespace URI followed by "/wsdl/".
  virtual std::string ObterPrefixoWsdl();
  // DadosMsg := the signed XML. A signing failure is reported through GerarException with
  // the error prefix, CR LF and the failure's message.
  virtual void AssinarDados(const std::string& XML, const std::string& docElement,
                            const std::string& infElement, const std::string& MsgErro,
                            const std::string& SignatureNode = "",
                            const std::string& SelectionNamespaces = "",
                            const std::string& IdSignature = "");
  // Summary of the answer for the log; empty here.
  virtual std::string MontarMsgLog();
  // Service-specific text put before the message of a failure; empty here.
  virtual std::string MontarMsgErro(const std::exception& E);
  virtual std::string MontarCabecalhoSoap();
  virtual std::string GerarVersaoDadosSoap();
  // "<cUF>" + the configured UF code + "</cUF>".
  virtual std::string MontarUFSoap();
  // The current local date and time as yyyymmddhhnnss.
  virtual std::string ObterPrefixoArquivo();
  // Folder of the request and answer files; empty (here) lets Gravar choose PathSalvar.
  virtual std::string PastaArquivos() { return {}; }

  // Copies the configured generator options into the generator and makes the process-wide
  // time-zone setting equal to the configured one.
  void AplicarOpcoesGerador(TGerador& Gerador);

  // Reports a failure through GerarException; when the log handler marked it as handled,
  // stops the request so that Executar returns false. Never returns normally.
  [[noreturn]] void Falhar(const std::string& Msg);
  // The same for a failure of its own type (through TNivraDFe::GerarFalha).
  [[noreturn]] void Falhar(const ENivraDFeException& Falha);
  // Reports the failure of a step the subclass does not provide.
  [[noreturn]] void NaoImplementado(const std::string& Passo);

 private:
  bool ExecutarEtapas();
  // When Arq is not empty, saves Documento as "<prefix>-<Arq>.xml" (Geral.Salvar) and Envelope
  // as "<prefix>-<Arq>-soap.xml" (WebServices.Salvar), both under one time-stamp prefix. An
  // answer (Resposta) is written as UTF-8 as it is; a request is converted unless signed.
  void GravarDocumentoEEnvelope(const std::string& Arq, const std::string& Documento,
                                const std::string& Envelope, bool Resposta);

 protected:
  TNivraDFe& FPDFeOwner;
  TConfiguracoes& FPConfiguracoes;
  std::string FPSoapVersion;
  std::string FPSoapEnvelopeAtributtes;
  std::string FPHeaderElement;
  std::string FPBodyElement;
  std::string FPCabMsg;
  std::string FPDadosMsg;
  std::string FPEnvelopeSoap;
  std::string FPRetornoWS;
  std::string FPRetWS;
  std::string FPMsg;
  std::string FPURL;
  std::string FPVersaoServico;
  std::string FPArqEnv;
  std::string FPArqResp;
  std::string FPServico;
  std::string FPSoapAction;
  std::string FPMimeType;
};

}  // namespace nivra
