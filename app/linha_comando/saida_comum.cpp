// Output shared by the command-line programs.
#include "app/linha_comando/saida_comum.h"

#include "nivranfe/util/fuso_horario.h"

namespace nivra {

std::string TextoJson(const nlohmann::ordered_json& valor) {
  return valor.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
}

std::string DataHoraISO(TDateTime valor, const std::string& fuso) {
  if (valor == 0) return {};
  return FormatarDataHora("yyyy-mm-ddThh:nn:ss", valor) +
         (fuso.empty() ? FusoHorarioSistema(valor) : fuso);
}

nlohmann::json DataHoraJson(TDateTime valor, const std::string& fuso) {
  return valor == 0 ? nlohmann::json(nullptr) : nlohmann::json(DataHoraISO(valor, fuso));
}

int CodigoAmbiente(TkovTipoAmbiente ambiente) {
  return ambiente == TkovTipoAmbiente::taProducao ? 1 : 2;
}

void AcrescentarCampo(std::string& texto, const std::string& campo, const std::string& valor) {
  if (!valor.empty()) texto += campo + ": " + valor + "\n";
}

}  // namespace nivra
