// Endpoint resolution over the services table: the key lookup with its version scan, and the
// walk through the "Usar" redirections between sections.
#pragma once

#include <string>
#include <string_view>

#include "nivranfe/dfe/servicos_ini.h"
#include "nivranfe/util/enumeracoes.h"

namespace nivra {

// What the table gives for one service: endpoint, WSDL namespace and SOAP action (empty when
// the table names none) and the version of the keys found (0 when only an unversioned key or
// nothing fitted).
struct TEnderecoServico {
  std::string URL;
  std::string Servico;
  std::string SoapAction;
  double Versao = 0;
};

// Returns the key of a service in a given version, the version written with two decimals and
// "." ("NfeStatusServico_4.00"). Never throws.
[[nodiscard]] std::string ChaveDeServico(std::string_view servico, double versao);

// Returns the section name of a model, UF part and environment ("NFe_PR_P"). Throws
// ENivraDFeException "ModeloDFe não pode ser vazio" or "UF não pode ser vazia".
[[nodiscard]] std::string NomeSecaoServicos(std::string_view modeloDFe, std::string_view uf,
                                            TkovTipoAmbiente tipoAmbiente);

// Key lookup of `servico` in `secao` for the version `versao`. When the section is missing or
// empty, returns the empty text and leaves `versao` unchanged. Otherwise `versao` becomes the
// version of the key used: the exact key (letter case ignored) when it has a value, else the
// highest version not above the wanted one among the keys that start with `servico` + "_"
// (letter case respected, first in table order on a tie), else 0; with 0 the unversioned key
// `servico` is read. Returns that key's value. Never throws.
[[nodiscard]] std::string LerChaveDeServico(const TServicosIni& ini, std::string_view secao,
                                            std::string_view servico, double& versao);

// Resolves `servico` starting in section `secao` with the wanted version `versao`: reads the
// URL, the namespace from the section named by "WSDL" and the action from the section named by
// "SoapAction", and while no URL is found continues in the section named by "Usar" (starting
// again from the wanted version). Throws ENivraDFeException when a section repeats ("Redireci-
// onamento circular detectado: ...") or when the walk reaches a missing or empty section, or
// ends without a URL ("Sessão \"...\", não encontrada no arquivo ..."); `nomeRecurso` names the
// table in both messages.
[[nodiscard]] TEnderecoServico ResolverEnderecoServico(const TServicosIni& ini,
                                                       std::string_view nomeRecurso,
                                                       const std::string& secao,
                                                       std::string_view servico, double versao);

}  // namespace nivra
