// Comparison of the services table with a published list of addresses: every service the list
// gives for a UF (through the authoriser serving it) must resolve, at layout 4.00, to the same
// address in the table.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "nivranfe/dfe/servicos_ini.h"
#include "tools/tabela_servicos/lista_referencia.h"

namespace nivra {

struct TDiferencaTabela {
  std::string Secao;
  std::string Servico;
  std::string NaTabela;  // the resolved URL, or the lookup's error message
  std::string NaLista;
};

struct TResultadoComparacao {
  int Conferidos = 0;
  std::vector<TDiferencaTabela> Diferencas;
  // Services of the list the table has no key name for ("EPECStatusServico em SP").
  std::vector<std::string> Ignorados;
};

// Compares `tabela` with the list of model `modelo` ("55" for NF-e, "65" for NFC-e). For each
// code of `autorizadores` and each environment, the expected addresses are those the list gives
// for the serving authoriser, overlaid with those it gives for the code itself; each is resolved
// in the section of the code ("SVCAN" and "SVCRS" are the sections "SVC-AN" and "SVC-RS").
// `nomeTabela` names the table in lookup errors. Never throws for lookup failures (they are
// differences); throws std::invalid_argument for a model other than "55" and "65".
[[nodiscard]] TResultadoComparacao CompararTabela(
    const TServicosIni& tabela, std::string_view nomeTabela, std::string_view modelo,
    const std::vector<TEnderecoLista>& lista,
    const std::map<std::string, std::string>& autorizadores);

}  // namespace nivra
