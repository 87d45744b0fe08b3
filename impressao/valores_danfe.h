// The values a DANFE prints, taken from the NF-e model: amounts in the Brazilian form, the
// taxes of an item whatever its tax situation, and the texts of addresses and transport.
#pragma once

#include <map>
#include <string>
#include <string_view>

#include "nivranfe/documento/documento_nfe.h"

namespace nivra {

// An amount as printed: thousands separated by "." and `casas` places after ","
// ("1.234,50"); "" for an empty amount. Never throws except on allocation.
[[nodiscard]] std::string FormatarValor(const TDecimal& valor, int casas = 2);
// A quantity or unit value with the places it carries, at least `minimo` ("3,0000").
[[nodiscard]] std::string FormatarQuantidade(const TDecimal& valor, int minimo);
// A CEP "80010000" as "80010-000"; other texts as given.
[[nodiscard]] std::string FormatarCEP(std::string_view cep);
// The CNPJ or CPF of a choice of the model, formatted; "" when none is set.
template <class V>
[[nodiscard]] std::string DocumentoDe(const V& escolha);

// The fields of an item's taxes by "<tax group>/<field>" ("ICMS/CST", "ICMS/vBC", "IPI/vIPI",
// "ISSQN/vISSQN"): the first value of each, whatever alternative of the choice holds it.
using TCamposImposto = std::map<std::string, std::string>;
[[nodiscard]] TCamposImposto CamposImposto(const nfe::Timposto& imposto);

// The freight modality as printed ("9 - SEM OCORRÊNCIA DE TRANSPORTE").
[[nodiscard]] std::string DescricaoFrete(std::string_view modFrete);
// The address line of an issuer or recipient: street, number, complement.
[[nodiscard]] std::string Endereco(std::string_view xLgr, std::string_view nro,
                                   std::string_view xCpl);

}  // namespace nivra

#include "nivranfe/impressao/valores_danfe_impl.h"
