// The e-mail component the document component hands messages to: the message, the settings of
// the SMTP server that delivers it, and the delivery itself (libcurl's SMTP and MIME support).
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "nivranfe/dfe/notificacao_liberacao.h"
#include "nivranfe/security/senha_embaralhada.h"
#include "nivranfe/util/datahora.h"

namespace nivra {

// An attachment: either bytes held in memory (Dados, named Nome) or a file on disk (Arquivo).
struct TNivraMailAnexo {
  std::string Nome;
  std::string Dados;
  std::string Arquivo;
};

// One outgoing message and the server that delivers it. The document component fills the
// message and calls Enviar. Components that link to it are told when it is destroyed.
class TNivraMail : public TNotificadorLiberacao {
 public:
  TNivraMail() = default;
  ~TNivraMail() override = default;

  // --- The message ---------------------------------------------------------------------------
  // Empties recipients, copies, reply-to addresses, subject, bodies and attachments; the
  // server settings stay.
  void Limpar();

  // Addresses are "nome@dominio" or "Nome <nome@dominio>"; the names may hold any UTF-8 text.
  const std::vector<std::string>& Destinatarios() const { return FDestinatarios; }
  void AdicionarDestinatario(const std::string& Endereco) { FDestinatarios.push_back(Endereco); }
  const std::vector<std::string>& Copias() const { return FCopias; }
  void AdicionarCopia(const std::string& Endereco) { FCopias.push_back(Endereco); }
  const std::vector<std::string>& ResponderPara() const { return FResponderPara; }
  void AdicionarResponderPara(const std::string& Endereco) { FResponderPara.push_back(Endereco); }

  const std::string& Assunto() const { return FAssunto; }
  void SetAssunto(const std::string& Valor) { FAssunto = Valor; }
  // The message body, sent as HTML when CorpoAlternativo is given and as plain text otherwise.
  const std::string& Corpo() const { return FCorpo; }
  void SetCorpo(const std::string& Valor) { FCorpo = Valor; }
  // The plain-text alternative of the body.
  const std::string& CorpoAlternativo() const { return FCorpoAlternativo; }
  void SetCorpoAlternativo(const std::string& Valor) { FCorpoAlternativo = Valor; }

  const std::vector<TNivraMailAnexo>& Anexos() const { return FAnexos; }
  void LimparAnexos() { FAnexos.clear(); }
  // Attaches `Dados` under the file name `Nome`.
  void AdicionarAnexoDados(const std::string& Dados, const std::string& Nome);
  // Attaches the file `Arquivo`, read when the message is delivered.
  void AdicionarAnexoArquivo(const std::string& Arquivo);

  // --- The server ----------------------------------------------------------------------------
  // The SMTP server's name or address.
  const std::string& Host() const { return FHost; }
  void SetHost(const std::string& Valor) { FHost = Valor; }
  // Its port; 0 (the default) means 465 with SSL, 587 with TLS and 25 otherwise.
  int Porta() const { return FPorta; }
  void SetPorta(int Valor) { FPorta = Valor; }
  // The port a delivery uses: Porta, or the default it stands for.
  int PortaEfetiva() const { return FPorta != 0 ? FPorta : (FSSL ? 465 : (FTLS ? 587 : 25)); }
  // The login; empty means the server is used without authentication.
  const std::string& Usuario() const { return FUsuario; }
  void SetUsuario(const std::string& Valor) { FUsuario = Valor; }
  // The password, kept scrambled in memory and never written to a log. Throws as
  // TSenhaEmbaralhada::Definir.
  std::string Senha() const { return FSenha.Texto(); }
  void SetSenha(const std::string& Valor) { FSenha.Definir(Valor); }
  // The sender's address (envelope and From header) and its display name.
  const std::string& De() const { return FDe; }
  void SetDe(const std::string& Valor) { FDe = Valor; }
  const std::string& NomeDe() const { return FNomeDe; }
  void SetNomeDe(const std::string& Valor) { FNomeDe = Valor; }
  // SSL: the connection is TLS from the start (port 465). TLS: a plain connection that must be
  // turned into TLS with STARTTLS before anything else is said. With neither, nothing is
  // encrypted.
  bool SSL() const { return FSSL; }
  void SetSSL(bool Valor) { FSSL = Valor; }
  bool TLS() const { return FTLS; }
  void SetTLS(bool Valor) { FTLS = Valor; }
  // Whether the server's certificate is checked (the default), and against which CA file
  // (empty: the system's CAs).
  bool VerificarCertificado() const { return FVerificarCertificado; }
  void SetVerificarCertificado(bool Valor) { FVerificarCertificado = Valor; }
  const std::string& ArquivoCA() const { return FArquivoCA; }
  void SetArquivoCA(const std::string& Valor) { FArquivoCA = Valor; }
  // Limit of the whole delivery in milliseconds.
  int TimeOut() const { return FTimeOut; }
  void SetTimeOut(int Valor) { FTimeOut = Valor; }
  // The clock that dates the message; empty (the default) means the host's clock.
  const std::function<TDateTime()>& Relogio() const { return FRelogio; }
  void SetRelogio(std::function<TDateTime()> Valor) { FRelogio = std::move(Valor); }

  // Reads the server settings from the section [Email] of INI text: Host, Porta, Usuario, De,
  // NomeDe, SSL, TLS, VerificarCertificado, ArquivoCA, TimeOut (Booleans as 0/1). A key that
  // is missing leaves its setting as it is. The password is never read from a file: the
  // program asks for it and calls SetSenha. Throws ENivraDFeException "Valor inválido em
  // [Email] <chave>: <valor>" for a number or Boolean that does not read.
  void CarregarConfiguracao(std::string_view TextoIni);

  // Delivers the message to the recipients and copies through the server: a multipart/mixed
  // message whose first part is the body (multipart/alternative of CorpoAlternativo as text
  // and Corpo as HTML, or Corpo alone as text) followed by the attachments. Throws
  // ENivraDFeException before connecting when the host, sender or recipients are missing, an
  // address is invalid or an attachment file cannot be read; and with the server's answer when
  // the server cannot be reached, refuses the login, the sender, a recipient or the message.
  virtual void Enviar();

 private:
  std::vector<std::string> FDestinatarios;
  std::vector<std::string> FCopias;
  std::vector<std::string> FResponderPara;
  std::string FAssunto;
  std::string FCorpo;
  std::string FCorpoAlternativo;
  std::vector<TNivraMailAnexo> FAnexos;

  std::string FHost;
  int FPorta = 0;
  std::string FUsuario;
  TSenhaEmbaralhada FSenha;
  std::string FDe;
  std::string FNomeDe;
  bool FSSL = false;
  bool FTLS = false;
  bool FVerificarCertificado = true;
  std::string FArquivoCA;
  int FTimeOut = 30000;
  std::function<TDateTime()> FRelogio;
};

}  // namespace nivra
