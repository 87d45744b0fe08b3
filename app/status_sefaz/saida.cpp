// Text and JSON forms of a status result.
#include "app/status_sefaz/saida.h"

#include <nlohmann/json.hpp>

namespace nivra {

std::string TextoResultado(const TResultadoStatus& resultado) {
  if (!resultado.Erro.empty()) return {};
  std::string texto = std::to_string(resultado.cStat) + " - " + resultado.xMotivo + "\n";
  const auto linha = [&texto](const char* campo, const std::string& valor) {
    AcrescentarCampo(texto, campo, valor);
  };
  linha("versao", resultado.versao);
  linha("tpAmb", std::to_string(CodigoAmbiente(resultado.tpAmb)));
  linha("verAplic", resultado.verAplic);
  linha("cUF", resultado.cUF == 0 ? "" : std::to_string(resultado.cUF));
  linha("dhRecbto", DataHoraISO(resultado.dhRecbto, resultado.FusoRecbto));
  linha("tMed", std::to_string(resultado.tMed));
  linha("dhRetorno", DataHoraISO(resultado.dhRetorno));
  linha("xObs", resultado.xObs);
  linha("url", resultado.url);
  return texto;
}

std::string JsonResultado(const TResultadoStatus& resultado) {
  return TextoJson(ObjetoJsonResultado(resultado));
}

nlohmann::ordered_json ObjetoJsonResultado(const TResultadoStatus& resultado) {
  nlohmann::ordered_json objeto = {
      {"versao", resultado.versao},
      {"tpAmb", CodigoAmbiente(resultado.tpAmb)},
      {"verAplic", resultado.verAplic},
      {"cStat", resultado.cStat},
      {"xMotivo", resultado.xMotivo},
      {"cUF", resultado.cUF},
      {"dhRecbto", DataHoraJson(resultado.dhRecbto, resultado.FusoRecbto)},
      {"tMed", resultado.tMed},
      {"dhRetorno", DataHoraJson(resultado.dhRetorno)},
      {"xObs", resultado.xObs},
      {"url", resultado.url},
  };
  if (!resultado.Erro.empty()) objeto["erro"] = resultado.Erro;
  return objeto;
}

}  // namespace nivra
