// TNivraDFe: the document component, independent of the document kind. Owns the configuration,
// the security facade, the parsed services table and the schema-name cache, and offers the
// logging, error, file-saving and e-mail facilities every web service uses.
#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "nivranfe/dfe/configuracoes.h"
#include "nivranfe/dfe/notificacao_liberacao.h"
#include "nivranfe/dfe/servicos_ini.h"
#include "nivranfe/security/dfe_ssl.h"
#include "nivranfe/util/datahora.h"
#include "nivranfe/util/enumeracoes.h"
#include "nivranfe/util/excecoes.h"

namespace nivra {

class TNivraMail;

// Called when a transmission fails; the handler may ask for another attempt (Retentar) or
// take the failure over (Tratado).
using TNivraDFeOnTransmitError = std::function<void(
    int HttpError, int InternalError, const std::string& URL, const std::string& DadosEnviados,
    const std::string& SoapAction, bool& Retentar, bool& Tratado)>;
// Receives each log line; setting Tratado tells the component the line was dealt with.
using TNivraGravarLog = std::function<void(const std::string& ALogLine, bool& Tratado)>;
// Called with the component as sender.
using TNivraNotifyEvent = std::function<void(TNivraDFe& Sender)>;
// The current local date-time as the component sees it.
using TNivraRelogio = std::function<TDateTime()>;
// Waits the given number of milliseconds on the caller's thread.
using TNivraEspera = std::function<void(uint32_t Milissegundos)>;
// Shows a service's log text to the user when no log handler took it.
using TNivraExibirAviso = std::function<void(const std::string& Mensagem)>;

// The document-kind-independent component. Not copyable; the objects linked to it (MAIL) must
// be either outlived by it or destroyed while linked, which clears the link.
class TNivraDFe : public TObservadorLiberacao {
 public:
  // Creates the configuration root, the security facade (which receives the configuration's
  // initial values) and the empty services table bound to Configuracoes.Arquivos.IniServicos.
  // Throws when the executable's folder cannot be determined.
  TNivraDFe();
  TNivraDFe(const TNivraDFe&) = delete;
  TNivraDFe& operator=(const TNivraDFe&) = delete;
  // Frees the facade, the schema cache, the configuration and the services table, in this
  // order, and drops the link to MAIL.
  ~TNivraDFe() override;

  // The About text.
  virtual std::string GetAbout() const;
  // Parses Configuracoes.WebServices.Params into the services table, first filling Params from
  // the services file or the embedded table when it is empty. With ApenasSeNaoLido, does
  // nothing once the table was parsed. Throws what LerParams throws.
  virtual void CarregarParametros(bool ApenasSeNaoLido);
  // The model name that begins the services-table section names; empty here.
  virtual std::string GetNomeModeloDFe() const;
  // The namespace of the documents; empty here.
  virtual std::string GetNameSpaceURI() const;
  // Hands a message to MAIL: clears it, sets recipient, subject, body (sMensagem's lines) and a
  // tag-free alternative body, attaches StreamNFe as NomeArq and the files of Anexos, adds the
  // copies and reply-to addresses, and sends. Throws ENivraDFeException "Componente NivraMail
  // não associado" when MAIL is not set, and what the e-mail component throws.
  virtual void EnviarEmail(const std::string& sPara, const std::string& sAssunto,
                           const std::vector<std::string>* sMensagem = nullptr,
                           const std::vector<std::string>* sCC = nullptr,
                           const std::vector<std::string>* Anexos = nullptr,
                           const std::string* StreamNFe = nullptr, const std::string& NomeArq = "",
                           const std::vector<std::string>* sReplyTo = nullptr);
  // The schema name of a service name; empty here.
  virtual std::string NomeServicoToNomeSchema(const std::string& NomeServico) const;

  // --- Services table lookups (defined with the table in dfe/servicos_busca.cpp) -------------
  // Final version of LerServicoDeParams started with VersaoBase.
  virtual double LerVersaoDeParams(const std::string& ModeloDFe, const std::string& UF,
                                   TkovTipoAmbiente TipoAmbiente, const std::string& NomeServico,
                                   double VersaoBase);
  // URL of LerServicoDeParams started with VersaoBase.
  virtual std::string LerURLDeParams(const std::string& ModeloDFe, const std::string& UF,
                                     TkovTipoAmbiente TipoAmbiente, const std::string& NomeServico,
                                     double VersaoBase);
  void LerServicoChaveDeParams(const std::string& NomeSessao, const std::string& NomeServico,
                               double& Versao, std::string& URL);
  void LerDeParams(const std::string& NomeSessao, const std::string& NomeServico, double& Versao,
                   std::string& Servico);
  // Resolves the endpoint of NomeServico for the model, UF and environment from Versao, which
  // becomes the version the request is written in. Throws ENivraDFeException when the table has
  // no endpoint: the table's message followed by what was looked for (model, UF, environment,
  // service and version) and, when the service answers only in a later version, that the
  // version asked for was retired.
  void LerServicoDeParams(const std::string& ModeloDFe, const std::string& UF,
                          TkovTipoAmbiente TipoAmbiente, const std::string& NomeServico,
                          double& Versao, std::string& URL, std::string& Servico,
                          std::string& SoapAction);
  void LerServicoDeParams(const std::string& ModeloDFe, const std::string& UF,
                          TkovTipoAmbiente TipoAmbiente, const std::string& NomeServico,
                          double& Versao, std::string& URL);
  void AchaArquivoSchema(const std::string& NomeSchema, double& Versao, std::string& ArqSchema);
  // Validates XML against the schema file of NomeSchema and Versao in PathSchemas. Returns
  // false with the reason in MsgErro when it is not valid. Without such a file nothing can be
  // checked: a log line names the missing schema and the result is true.
  bool ValidarNoSchema(const std::string& XML, const std::string& NomeSchema, double Versao,
                       std::string& MsgErro);

  // --- Shared facilities ---------------------------------------------------------------------
  // Offers a non-empty Msg to OnGerarLog; Tratado is what the handler left (false without one).
  void FazerLog(const std::string& Msg, bool& Tratado);
  // Logs "ERRO: " + the text (Msg, and CR LF + E's message when E is given) and throws
  // ENivraDFeException with the text, unless the log handler marked it handled; then returns.
  // When E is a component exception, the one thrown is of E's type (ENivraDFeTempoEsgotado,
  // ENivraDFeSenhaInvalida, ...), so the kind of failure survives the added context.
  void GerarException(const std::string& Msg, const std::exception* E = nullptr);
  // Logs "ERRO: " + Falha's message and throws a copy of Falha (of its own type), unless the log
  // handler marked it handled; then returns.
  void GerarFalha(const ENivraDFeException& Falha);
  // Writes ConteudoXML as UTF-8 to the file NomeArquivo in the folder aPath, else PathSalvar,
  // without the "<-><->" markers and with a UTF-8 declaration in front unless it has one (one
  // of another encoding, even after a byte-order mark or blanks, is replaced). Bytes that are
  // not valid UTF-8 are read as the 8-bit code page, so the file is always the UTF-8 its
  // declaration says; ConteudoEhUTF8 is kept for callers and changes nothing. The file is
  // replaced as a whole or left as it was (GravarArquivoAtomico). A name with a folder part
  // ("/" or "\\") or ".." is refused, so no name reaches outside its folder. Returns true when
  // written; a failure goes to GerarException with "Erro ao salvar.", so it throws unless the
  // log handler handled it, and then returns false.
  bool Gravar(const std::string& NomeArquivo, const std::string& ConteudoXML,
              const std::string& aPath = "", bool ConteudoEhUTF8 = true);

  // The current local date-time from Relogio: file time stamps, the certificate's expiry check
  // and the receipt-time rules all read it here. Throws what the clock throws (the host clock:
  // ENivraDFeException when it has no local time).
  [[nodiscard]] TDateTime Agora() const;
  // Waits Milissegundos through Espera (the services' pauses between attempts). Throws only
  // what the handler throws.
  void Esperar(uint32_t Milissegundos) const;
  // Shows Mensagem through OnExibirAviso, or on stderr when it is empty. Throws only what the
  // handler throws.
  void ExibirAviso(const std::string& Mensagem) const;

  // --- Properties ------------------------------------------------------------------------------
  TConfiguracoes& Configuracoes() { return *FPConfiguracoes; }
  const TConfiguracoes& Configuracoes() const { return *FPConfiguracoes; }
  TDFeSSL& SSL() { return *FSSL; }
  // The e-mail component, not owned; nullptr when none. It is cleared when that component is
  // destroyed.
  TNivraMail* MAIL() const { return FMAIL; }
  void SetMAIL(TNivraMail* Valor);
  const TNivraDFeOnTransmitError& OnTransmitError() const { return FOnTransmitError; }
  void SetOnTransmitError(TNivraDFeOnTransmitError Valor) { FOnTransmitError = std::move(Valor); }
  const TNivraNotifyEvent& OnStatusChange() const { return FOnStatusChange; }
  void SetOnStatusChange(TNivraNotifyEvent Valor) { FOnStatusChange = std::move(Valor); }
  const TNivraGravarLog& OnGerarLog() const { return FOnGerarLog; }
  void SetOnGerarLog(TNivraGravarLog Valor) { FOnGerarLog = std::move(Valor); }
  // The clock of the component; empty (the default) means the host's clock.
  const TNivraRelogio& Relogio() const { return FRelogio; }
  void SetRelogio(TNivraRelogio Valor) { FRelogio = std::move(Valor); }
  // How the component waits; empty (the default) means sleeping the thread.
  const TNivraEspera& Espera() const { return FEspera; }
  void SetEspera(TNivraEspera Valor) { FEspera = std::move(Valor); }
  // The notice of this component's service logs; empty (the default) means stderr.
  const TNivraExibirAviso& OnExibirAviso() const { return FOnExibirAviso; }
  void SetOnExibirAviso(TNivraExibirAviso Valor) { FOnExibirAviso = std::move(Valor); }
  // Reads and writes the security facade's AntesDeAssinar event.
  const TDFeSSLAntesDeAssinar& OnAntesDeAssinar() const;
  void SetOnAntesDeAssinar(TDFeSSLAntesDeAssinar Valor);

  // Clears MAIL when it is the destroyed object.
  void NotificarLiberacao(const TNotificadorLiberacao& Objeto) override;

 protected:
  // Makes the configuration root of a component, handing it the facade (built first): a
  // subclass whose root is of another kind passes its own to the constructor (the root is
  // built before the subclass exists).
  using TCriarConfiguracoes = std::unique_ptr<TConfiguracoes> (*)(TNivraDFe*, TDFeSSL&);
  explicit TNivraDFe(TCriarConfiguracoes CriarConfiguracoes);

 private:
  TNivraMail* FMAIL = nullptr;
  TNivraDFeOnTransmitError FOnTransmitError;
  std::unique_ptr<TDFeSSL> FSSL;
  std::vector<std::string> FListaDeSchemas;
  TNivraNotifyEvent FOnStatusChange;
  TNivraGravarLog FOnGerarLog;
  TNivraExibirAviso FOnExibirAviso;
  TNivraRelogio FRelogio;
  TNivraEspera FEspera;
  std::unique_ptr<TConfiguracoes> FPConfiguracoes;
  std::unique_ptr<TServicosIni> FPIniParams;
  bool FPIniParamsCarregado = false;
};

}  // namespace nivra
