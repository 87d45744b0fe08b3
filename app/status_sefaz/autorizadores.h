// The distinct status endpoints of one environment and model, as the services table gives them:
// the UFs' own authorisers, the shared ones (SVRS, SVAN) and the contingency ones (SVC-AN,
// SVC-RS).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "nivranfe/dfe/servicos_ini.h"
#include "nivranfe/util/enumeracoes.h"

namespace nivra {

// One endpoint and the UFs it answers for.
struct TAutorizador {
  // The authoriser's part of the section where the address was found ("PR", "SVRS",
  // "SVC-AN"); several joined by "/" when distinct sections give the same address.
  std::string Nome;
  // The UFs it serves, in alphabetical order; for a contingency authoriser, the UFs that fall
  // back on it.
  std::vector<std::string> UFs;
  // The status service's address; empty when the table gives none (then Erro says why).
  std::string URL;
  // How a query reaches it: teNormal with the first UF, or the contingency emission type.
  TkovTipoEmissao FormaEmissao = TkovTipoEmissao::teNormal;
  std::string Erro;
};

// Resolves the status service ("NfeStatusServico", version 4.00) of every UF in normal emission
// and of SVC-AN and SVC-RS in `tabela` (the sections of `modelo`, "NFe" or "NFCe", and
// `ambiente`), and merges the UFs whose address is the same. A contingency authoriser without
// a section in the table is left out; a UF whose resolution fails gets an entry of its own with
// the failure's message in Erro. Sorted by first UF. `nomeRecurso` names the table in those
// messages. Never throws except on allocation.
[[nodiscard]] std::vector<TAutorizador> ListarAutorizadores(const TServicosIni& tabela,
                                                            std::string_view nomeRecurso,
                                                            std::string_view modelo,
                                                            TkovTipoAmbiente ambiente);

}  // namespace nivra
