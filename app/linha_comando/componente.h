// The component of a command-line program: configured as the monitor configures its own, then
// pointed at the authoriser, certificate and files of the command line.
#pragma once

#include <string>

#include "app/linha_comando/opcoes_conexao.h"
#include "nivranfe/dfe/nivra_nfe.h"

namespace nivra {

// Configures `nfe` as the monitor configures its component, then for the options: the UF,
// environment, model and contingency authoriser, time-out, server check, the certificate with
// its password or PIN (`senha`), the services table, schema and archive folders (requests and
// answers are saved only with --salvar). Without --schemas the schema folder shipped with the
// program is used. Throws ENivraDFeException when a named services file does not exist or no
// schema folder is found.
void ConfigurarComponente(TNivraNFe& nfe, const TOpcoesConexao& opcoes, const std::string& senha);

}  // namespace nivra
