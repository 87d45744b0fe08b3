// The results of every authoriser as a table and as a JSON array.
#include "app/status_sefaz/saida_todas.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

namespace nivra {

namespace {

std::vector<TResultadoAutorizador> Resultados() {
  TResultadoAutorizador svrs;
  svrs.Autorizador = {"SVRS", {"AC", "AL"}, "https://svrs", TkovTipoEmissao::teNormal, ""};
  svrs.Resultado.cStat = 107;
  svrs.Resultado.xMotivo = "Serviço em Operação";
  svrs.Resultado.tMed = 1;
  svrs.Milissegundos = 312.4;
  TResultadoAutorizador svan;
  svan.Autorizador = {"SVAN", {"MA", "PA"}, "https://svan", TkovTipoEmissao::teNormal, ""};
  svan.Resultado.Erro = "WebService Consulta Status serviço:\r\n- Inativo";
  svan.Milissegundos = 1500.6;
  return {svrs, svan};
}

TEST(SaidaTodas, TableAlignsColumnsByCharacterAndPutsAFailureOnOneLine) {
  EXPECT_EQ(
      TabelaTodas(Resultados()),
      "AUTORIZADOR  UFS    CSTAT  XMOTIVO                                        TMED  TEMPO\n"
      "SVRS         AC,AL  107    Serviço em Operação                            1     312 ms\n"
      "SVAN         MA,PA  -      WebService Consulta Status serviço: - Inativo  -     "
      "1501 ms\n");
}

TEST(SaidaTodas, JsonIsOneArrayWithTheAuthoriserItsUFsAndTheTimeTaken) {
  const auto lista = nlohmann::json::parse(JsonTodas(Resultados()));
  ASSERT_TRUE(lista.is_array());
  ASSERT_EQ(lista.size(), 2U);
  EXPECT_EQ(lista[0]["autorizador"], "SVRS");
  EXPECT_EQ(lista[0]["ufs"], nlohmann::json({"AC", "AL"}));
  EXPECT_EQ(lista[0]["cStat"], 107);
  EXPECT_EQ(lista[0]["ms"], 312);
  EXPECT_FALSE(lista[0].contains("erro"));
  EXPECT_EQ(lista[1]["erro"], "WebService Consulta Status serviço:\r\n- Inativo");
  EXPECT_EQ(lista[1]["ms"], 1501);
}

}  // namespace

}  // namespace nivra
