// documento-nfe email: a document and its print sent through the e-mail component, with the
// server of the settings file and of the command line.
#pragma once

#include "app/documento_nfe/opcoes.h"
#include "nivranfe/dfe/nivra_mail.h"
#include "nivranfe/dfe/nivra_nfe.h"

namespace nivra {

// The user's default settings file: $XDG_CONFIG_HOME/documento-nfe/documento-nfe.ini (default
// ~/.config). Never throws except on allocation.
[[nodiscard]] std::string ConfiguracaoEmailPadrao();

// Points `mail` at the server: the [Email] section of opcoes.Configuracao (which must exist)
// or of the default file (when it exists), then the command line's server, login, sender and
// CA file over it. With a login, the password comes from NIVRA_SMTP_SENHA or is asked on the
// terminal. Throws ENivraDFeException for a settings file that cannot be read or holds a bad
// value, and EOpcaoInvalida saying what to give when there is no server, no sender, or a login
// without a password to go with it.
void ConfigurarServidorEmail(TNivraMail& mail, const TOpcoesEmail& opcoes);

// Sends the XML of opcoes.Arquivo and, unless SemDANFE, its print (as the danfe action makes
// it) to the recipients and copies, named as the printing component names its files. Says on
// standard error what it sends and to whom, and then that it was sent (with --json, the result
// goes to standard output as JSON). Returns 0; throws what reading, printing, the settings and
// the server's refusal throw (ENivraDFeException with the server's answer).
int EnviarDocumentoPorEmail(TNivraNFe& nfe, const TOpcoesDocumento& opcoes);

}  // namespace nivra
