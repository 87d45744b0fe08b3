// Text and JSON forms of a status result.
#include "app/status_sefaz/saida.h"

#include <nlohmann/json.hpp>

#include "util/fuso_horario.h"

namespace {

int CodigoAmbiente(TkovTipoAmbiente ambiente) {
  return ambiente == TkovTipoAmbiente::taProducao ? 1 : 2;
}

}  // namespace

std::string DataHoraISO(TDateTime valor) {
  if (valor == 0) return {};
  return FormatarDataHora("yyyy-mm-ddThh:nn:ss", valor) + FusoHorarioSistema(valor);
}

std::string TextoResultado(const TResultadoStatus& resultado) {
  if (!resultado.Erro.empty()) return {};
  std::string texto = std::to_string(resultado.cStat) + " - " + resultado.xMotivo + "\n";
  const auto linha = [&texto](const char* campo, const std::string& valor) {
    if (!valor.empty()) texto += std::string(campo) + ": " + valor + "\n";
  };
  linha("versao", resultado.versao);
  linha("tpAmb", std::to_string(CodigoAmbiente(resultado.tpAmb)));
  linha("verAplic", resultado.verAplic);
  linha("cUF", resultado.cUF == 0 ? "" : std::to_string(resultado.cUF));
  linha("dhRecbto", DataHoraISO(resultado.dhRecbto));
  linha("tMed", std::to_string(resultado.tMed));
  linha("dhRetorno", DataHoraISO(resultado.dhRetorno));
  linha("xObs", resultado.xObs);
  linha("url", resultado.url);
  return texto;
}

std::string JsonResultado(const TResultadoStatus& resultado) {
  return TextoJson(ObjetoJsonResultado(resultado));
}

std::string TextoJson(const nlohmann::ordered_json& valor) {
  return valor.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
}

nlohmann::ordered_json ObjetoJsonResultado(const TResultadoStatus& resultado) {
  const auto data = [](TDateTime valor) -> nlohmann::json {
    return valor == 0 ? nlohmann::json(nullptr) : nlohmann::json(DataHoraISO(valor));
  };
  nlohmann::ordered_json objeto = {
      {"versao", resultado.versao},
      {"tpAmb", CodigoAmbiente(resultado.tpAmb)},
      {"verAplic", resultado.verAplic},
      {"cStat", resultado.cStat},
      {"xMotivo", resultado.xMotivo},
      {"cUF", resultado.cUF},
      {"dhRecbto", data(resultado.dhRecbto)},
      {"tMed", resultado.tMed},
      {"dhRetorno", data(resultado.dhRetorno)},
      {"xObs", resultado.xObs},
      {"url", resultado.url},
  };
  if (!resultado.Erro.empty()) objeto["erro"] = resultado.Erro;
  return objeto;
}
