// The command line of documento-nfe: the action, the document's file and the shared options
// (certificate, schema folder, output form), with those of printing and of e-mail.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/linha_comando/argumentos.h"
#include "app/linha_comando/opcoes_conexao.h"

namespace nivra {

// gerar: JSON to signed XML; json: XML to JSON; validar: alerts, signature and schema; danfe:
// the document's print as PDF; email: the document and its print sent by e-mail.
enum class TAcaoDocumento { Gerar, Json, Validar, Danfe, Email, Ajuda, Versao };

// How danfe and email print the document.
struct TOpcoesImpressao {
  bool Paisagem = false;
  // The issuer's logo (PNG or JPEG); empty for none.
  std::string Logo;
  // The roll paper of a DANFCE, in millimetres: 80 or 58.
  double Bobina = 80;
  bool Cancelada = false;
};

// The SMTP server of --servidor smtp://HOST[:PORTA] (STARTTLS required) or
// smtps://HOST[:PORTA] (TLS from the start); Porta 0 for the protocol's default.
struct TServidorSMTP {
  std::string Host;
  int Porta = 0;
  bool SSL = false;
};

// How email sends the document. The server's password is never an option.
struct TOpcoesEmail {
  std::vector<std::string> Para;
  std::vector<std::string> Copias;
  // Empty: the document's description.
  std::string Assunto;
  // The text of the message; empty: one line naming what is attached.
  std::string Mensagem;
  bool SemDANFE = false;
  // The settings file with the [Email] section; empty for the user's default one, read only
  // when it exists.
  std::string Configuracao;
  std::optional<TServidorSMTP> Servidor;
  std::string Usuario;
  std::string De;
  // The CA file the server's certificate is checked against; empty for the system's.
  std::string ArquivoCA;
};

struct TOpcoesDocumento : TOpcoesConexao {
  TAcaoDocumento Acao = TAcaoDocumento::Gerar;
  // The document read: the JSON of gerar, the XML of the other actions.
  std::string Arquivo;
  // gerar: where the XML goes (-o), empty for standard output; danfe: where the PDF goes,
  // empty for the name the component gives it in the current folder.
  std::string Saida;
  TOpcoesImpressao Impressao;
  TOpcoesEmail Email;
};

// Reads the arguments (without the program name). Throws EOpcaoInvalida on a missing or
// unknown action, a missing file, an unknown option or one the action does not take, and for
// email without --para.
[[nodiscard]] TOpcoesDocumento LerOpcoesDocumento(const std::vector<std::string>& argumentos);

// Reads `opcao` when it is one of printing (--paisagem, --logo, --bobina, --cancelada), taking
// its value from `leitor`. Returns false, consuming nothing, for any other. Throws
// EOpcaoInvalida for a missing or bad value.
[[nodiscard]] bool LerOpcaoImpressao(TLeitorArgumentos& leitor, const std::string& opcao,
                                     TOpcoesImpressao& opcoes);
// Reads `opcao` when it is one of e-mail (--para, --cc, --assunto, --mensagem, --sem-danfe,
// --config, --servidor, --usuario, --de, --ca); returns false, consuming nothing, for any
// other. Throws EOpcaoInvalida for a missing value or a bad --servidor.
[[nodiscard]] bool LerOpcaoEmail(TLeitorArgumentos& leitor, const std::string& opcao,
                                 TOpcoesEmail& opcoes);
// The server of a --servidor URL. Throws EOpcaoInvalida for another scheme, no host or a bad
// port.
[[nodiscard]] TServidorSMTP LerServidorSMTP(const std::string& url);

// The text of --help.
[[nodiscard]] std::string TextoAjudaDocumento();

}  // namespace nivra
