// The pieces of output the command-line programs share: JSON on one line, dates in ISO 8601,
// the environment's code.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "nivranfe/util/datahora.h"
#include "nivranfe/util/enumeracoes.h"

namespace nivra {

// Writes a JSON value on one line ending in "\n"; texts that are not UTF-8 (a legacy answer)
// are replaced, never a reason to fail.
[[nodiscard]] std::string TextoJson(const nlohmann::ordered_json& valor);

// The date-time in ISO 8601 with the offset it was written with (an answer's own, "-03:00"), or
// the host's offset at that moment when `fuso` is empty ("2026-12-10T09:15:00-03:00"); empty
// for 0.
[[nodiscard]] std::string DataHoraISO(TDateTime valor, const std::string& fuso = "");
// DataHoraISO as a JSON value: null for 0.
[[nodiscard]] nlohmann::json DataHoraJson(TDateTime valor, const std::string& fuso = "");

// The tpAmb code of an environment: 1 production, 2 homologation.
[[nodiscard]] int CodigoAmbiente(TkovTipoAmbiente ambiente);

// Appends the line "campo: valor\n" to `texto` when `valor` is not empty.
void AcrescentarCampo(std::string& texto, const std::string& campo, const std::string& valor);

}  // namespace nivra
