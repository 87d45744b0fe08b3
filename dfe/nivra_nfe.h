// TNivraNFe: the NF-e/NFC-e document component. Adds to TNivraDFe the NF-e configuration, the
// documents it works on, the web-service container, the component status and the NF-e answers.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "nivranfe/dfe/configuracoes_nfe.h"
#include "nivranfe/dfe/danfe.h"
#include "nivranfe/dfe/documentos_nfe.h"
#include "nivranfe/dfe/nivra_dfe.h"
#include "nivranfe/dfe/webservices_base.h"
#include "nivranfe/util/datahora.h"
#include "nivranfe/util/enumeracoes.h"
#include "nivranfe/util/layout.h"

namespace nivra {

class TDFeWebService;
class TWebServices;

// What the component is doing: idle, or the service (or e-mail) that runs.
enum class TStatusNivraNFe {
  stIdle,
  stNFeStatusServico,
  stNFeRecepcao,
  stNFeRetRecepcao,
  stNFeConsulta,
  stNFeCancelamento,
  stNFeInutilizacao,
  stNFeRecibo,
  stNFeCadastro,
  stNFeEmail,
  stNFeCCe,
  stNFeEvento,
  stConsNFeDest,
  stDownloadNFe,
  stAdmCSCNFCe,
  stDistDFeInt,
  stEnvioWebService
};

// The NF-e namespace of the documents and web services.
inline constexpr const char* NAME_SPACE = "http://www.portalfiscal.inf.br/nfe";

// The NF-e component. Not copyable; a linked DANFE or MAIL is unlinked when either side goes,
// and a printing component linked to it is told when it is destroyed.
class TNivraNFe : public TNivraDFe, public TNotificadorLiberacao {
 public:
  // Creates the NF-e configuration and the document holders; Status starts as stIdle.
  // Throws as TNivraDFe.
  TNivraNFe();
  // Frees the documents, the web-service container and the answers, then the base part.
  ~TNivraNFe() override;

  TConfiguracoesNFe& Configuracoes() {
    return static_cast<TConfiguracoesNFe&>(TNivraDFe::Configuracoes());
  }
  const TConfiguracoesNFe& Configuracoes() const {
    return static_cast<const TConfiguracoesNFe&>(TNivraDFe::Configuracoes());
  }

  // "NFe" or "NFCe" after Configuracoes.Geral.ModeloDF.
  std::string GetNomeModeloDFe() const override;
  // The NF-e namespace.
  std::string GetNameSpaceURI() const override;
  // The schema name of the service's layout without "sch" ("NfeStatusServico" gives
  // "consStatServ"); empty for a name that is no service.
  std::string NomeServicoToNomeSchema(const std::string& NomeServico) const override;
  // As TNivraDFe::EnviarEmail, with Status stNFeEmail while it runs and stIdle afterwards.
  void EnviarEmail(const std::string& sPara, const std::string& sAssunto,
                   const std::vector<std::string>* sMensagem = nullptr,
                   const std::vector<std::string>* sCC = nullptr,
                   const std::vector<std::string>* Anexos = nullptr,
                   const std::string* StreamNFe = nullptr, const std::string& NomeArq = "",
                   const std::vector<std::string>* sReplyTo = nullptr) override;

  // True for 100, 110, 150, 301, 302 and 303.
  static bool CstatConfirmada(int AValue);
  // The same set as CstatConfirmada.
  static bool CstatProcessado(int AValue);
  // True for 101, 151 and 155.
  static bool CstatCancelada(int AValue);
  // For NFC-e, true unless the UF code is 13; otherwise true from layout 3.10 on.
  static bool EhAutorizacao(TkovVersaoDF AVersao, TkovModeloDF AModelo, int AUFCodigo);

  // --- Endpoint lookup by layout (defined with the table in dfe/servicos_busca.cpp) ----------
  using TNivraDFe::LerServicoDeParams;
  using TNivraDFe::LerVersaoDeParams;
  void LerServicoDeParams(TLayOut LayOutServico, double& Versao, std::string& URL,
                          std::string& Servico, std::string& SoapAction);
  std::string LerVersaoDeParams(TLayOut LayOutServico);

  // The consumer query page of NFC-e for the UF of CUF. Throws the lookup's errors.
  std::string GetURLConsultaNFCe(int CUF, TkovTipoAmbiente TipoAmbiente, double Versao);
  // The QR-code link of an NFC-e: the UF's base URL, the query text and its SHA-1 hash with
  // the CSC. Throws the lookup's errors.
  std::string GetURLQRCode(int CUF, TkovTipoAmbiente TipoAmbiente, const std::string& AChaveNFe,
                           const std::string& Destinatario, TDateTime DataHoraEmissao,
                           double ValorTotalNF, double ValorTotalICMS,
                           const std::string& DigestValue, double Versao);

  // Printing through DANFE. Without DANFE, GerarException("Componente DANFE não associado.").
  void ImprimirEvento();
  void ImprimirEventoPDF();
  void ImprimirInutilizacao();
  void ImprimirInutilizacaoPDF();

  // Stores a different status and then calls OnStatusChange; the same status does nothing.
  void SetStatus(TStatusNivraNFe stNewStatus);
  TStatusNivraNFe Status() const { return FStatus; }

  // The printing component, not owned; nullptr when none. Setting it unlinks the previous one
  // from this component and links the new one; it is cleared when that component is destroyed.
  TNivraNFeDANFEClass* DANFE() const { return FDANFE; }
  void SetDANFE(TNivraNFeDANFEClass* Valor);

  TNotasFiscais& NotasFiscais() { return *FNotasFiscais; }
  TCartaCorrecao& CartaCorrecao() { return *FCartaCorrecao; }
  TEventoNFe& EventoNFe() { return *FEventoNFe; }
  TinutNFe& InutNFe() { return *FInutNFe; }
  TDownload& DownloadNFe() { return *FDownloadNFe; }
  TRetDownloadNFe& RetDownloadNFe() { return *FRetDownloadNFe; }
  TRetDistDFeInt& RetDistDFeInt() { return *FRetDistDFeInt; }

  // The web-service container (StatusServico and the other services). Defined with the
  // services in nfe/webservices.cpp, which creates the container on first use and keeps it in
  // FWebServices; include "nfe/webservices.h" to use it.
  TWebServices& WebServices();

  // --- Service operations (defined with the services in nfe/nivra_nfe_servicos.cpp) ---------
  // Each failure goes to GerarException: it throws ENivraDFeException (or
  // ENivraNFeException) unless the log handler marks it handled; the operation then returns
  // false (or true where noted).

  // Sends the loaded documents (1 to 50) as lot ALote and fetches the result. A document built
  // from the model is written first and is refused while it has generator alerts (the alerts
  // are the message); a document without a signature is signed first; every document is checked
  // against the invoice schema before anything is sent. With Imprimir and a DANFE set, the
  // documents the answer confirmed are printed.
  bool Enviar(const std::string& ALote, bool Imprimir = true, bool Sincrono = false,
              bool Zipado = false);
  bool Enviar(int64_t ALote, bool Imprimir = true, bool Sincrono = false, bool Zipado = false) {
    return Enviar(std::to_string(ALote), Imprimir, Sincrono, Zipado);
  }
  // Queries AChave (the loaded documents are dropped), or every loaded document when it is
  // empty. Returns true.
  bool Consultar(const std::string& AChave = "");
  // Cancels every loaded document: queries it for its protocol and sends one cancellation
  // event with the justification. Returns true when every cancellation was registered; a
  // failure (a refused event with its own code and reason) goes to GerarException.
  bool Cancelamento(const std::string& AJustificativa, int64_t ALote = 0);
  // Sends the event batch EventoNFe (1 to 20 events). Returns true when the batch was processed
  // and each event registered; a key that is not of key form, a detail that cannot be sent or a
  // refused event goes to GerarException (false when the log handler took it).
  bool EnviarEvento(int64_t idLote);
  // Sends the correction letters of CartaCorrecao as the event batch.
  bool EnviarCartaCorrecao(int64_t idLote);
  // Voids a range of numbers of the configured model. Returns true.
  bool Inutilizar(const std::string& ACNPJ, const std::string& AJustificativa, int AAno, int ASerie,
                  int ANumInicial, int ANumFinal);
  // Administers the NFC-e CSC: AIndOP 1 query, 2 new, 3 revoke (AIdCSC and ACodigoCSC).
  bool AdministrarCSC(const std::string& ARaizCNPJ, int AIndOP, int AIdCSC,
                      const std::string& ACodigoCSC);
  // Asks the national environment for documents of interest: after AultNSU, the one ANSU, or
  // the document AchNFe (the first non-empty of ANSU and AchNFe wins over AultNSU).
  bool DistribuicaoDFe(int AcUFAutor, const std::string& ACNPJCPF, const std::string& AultNSU,
                       const std::string& ANSU, const std::string& AchNFe = "");
  bool DistribuicaoDFePorUltNSU(int AcUFAutor, const std::string& ACNPJCPF,
                                const std::string& AultNSU);
  bool DistribuicaoDFePorNSU(int AcUFAutor, const std::string& ACNPJCPF, const std::string& ANSU);
  bool DistribuicaoDFePorChaveNFe(int AcUFAutor, const std::string& ACNPJCPF,
                                  const std::string& AchNFe);
  // Retired services: report their retirement and send nothing. Return false.
  bool ConsultaNFeDest(const std::string& CNPJ, int IndNFe, int IndEmi, const std::string& ultNSU);
  bool Download();

  // Clears MAIL or DANFE when it is the destroyed object.
  void NotificarLiberacao(const TNotificadorLiberacao& Objeto) override;

 private:
  // Runs the service; when it answers false, GerarException with its Msg. Returns the
  // service's answer.
  bool ExecutarServico(TDFeWebService& Servico);
  // Writes the documents built from the model that have no XML yet, refuses one with
  // generator alerts, signs the loaded documents that carry no signature and validates each one
  // against the invoice schema. Failures go to GerarException; returns false when one was handled.
  bool PrepararNotas();
  // Runs the printing operation on DANFE, or GerarException when there is none.
  void ImprimirComDANFE(void (TNivraNFeDANFEClass::*Operacao)());

  TNivraNFeDANFEClass* FDANFE = nullptr;
  std::unique_ptr<TNotasFiscais> FNotasFiscais;
  std::unique_ptr<TCartaCorrecao> FCartaCorrecao;
  std::unique_ptr<TEventoNFe> FEventoNFe;
  std::unique_ptr<TinutNFe> FInutNFe;
  std::unique_ptr<TDownload> FDownloadNFe;
  std::unique_ptr<TRetDownloadNFe> FRetDownloadNFe;
  std::unique_ptr<TRetDistDFeInt> FRetDistDFeInt;
  TStatusNivraNFe FStatus = TStatusNivraNFe::stIdle;
  std::unique_ptr<TWebServicesBase> FWebServices;
};

}  // namespace nivra
