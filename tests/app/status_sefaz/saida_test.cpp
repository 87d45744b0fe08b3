// The result as people, scripts and monitoring systems read it.
#include "app/status_sefaz/saida.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <nlohmann/json.hpp>

namespace nivra {

namespace {

// Pins the host's zone, so the offsets written are known.
class SaidaStatus : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("TZ", "America/Sao_Paulo", 1);
    ::tzset();
  }
  void TearDown() override {
    ::unsetenv("TZ");
    ::tzset();
  }

  static TResultadoStatus Paralisado() {
    TResultadoStatus r;
    r.versao = "4.00";
    r.tpAmb = TkovTipoAmbiente::taHomologacao;
    r.verAplic = "SIMULADOR";
    r.cStat = 108;
    r.xMotivo = "Serviço Paralisado Momentaneamente (curto prazo)";
    r.cUF = 41;
    r.dhRecbto = CodificarDataHora(2026, 12, 10, 9, 15, 0);
    r.tMed = 2;
    r.dhRetorno = CodificarDataHora(2026, 12, 10, 10, 0, 0);
    r.xObs = "Manutenção programada";
    r.url = "https://127.0.0.1:8443/ws";
    return r;
  }
};

TEST_F(SaidaStatus, TextStartsWithCodeAndReasonThenOneFieldPerLine) {
  EXPECT_EQ(TextoResultado(Paralisado()),
            "108 - Serviço Paralisado Momentaneamente (curto prazo)\n"
            "versao: 4.00\ntpAmb: 2\nverAplic: SIMULADOR\ncUF: 41\n"
            "dhRecbto: 2026-12-10T09:15:00-03:00\ntMed: 2\n"
            "dhRetorno: 2026-12-10T10:00:00-03:00\nxObs: Manutenção programada\n"
            "url: https://127.0.0.1:8443/ws\n");
}

TEST_F(SaidaStatus, FailedQueryWritesNoTextButJsonCarriesTheError) {
  TResultadoStatus falha;
  falha.Erro = "Erro Interno: 12029\r\nErro HTTP: 0";
  EXPECT_EQ(TextoResultado(falha), "");
  const auto objeto = nlohmann::json::parse(JsonResultado(falha));
  EXPECT_EQ(objeto["erro"], falha.Erro);
  EXPECT_EQ(objeto["cStat"], 0);
  EXPECT_TRUE(objeto["dhRecbto"].is_null());
}

TEST_F(SaidaStatus, JsonHasEveryFieldInOrderWithIsoDates) {
  const std::string json = JsonResultado(Paralisado());
  EXPECT_EQ(json.back(), '\n');
  const auto objeto = nlohmann::ordered_json::parse(json);
  std::vector<std::string> chaves;
  for (const auto& [chave, _] : objeto.items()) chaves.push_back(chave);
  EXPECT_EQ(chaves,
            (std::vector<std::string>{"versao", "tpAmb", "verAplic", "cStat", "xMotivo", "cUF",
                                      "dhRecbto", "tMed", "dhRetorno", "xObs", "url"}));
  EXPECT_EQ(objeto["xMotivo"], "Serviço Paralisado Momentaneamente (curto prazo)");
  EXPECT_EQ(objeto["dhRecbto"], "2026-12-10T09:15:00-03:00");
  EXPECT_EQ(objeto["tpAmb"], 2);
}

TEST_F(SaidaStatus, TheReceiptIsWrittenWithTheAnswersOwnOffset) {
  // A host on UTC must not give the authoriser's wall-clock time its own offset.
  ::setenv("TZ", "UTC", 1);
  ::tzset();
  TResultadoStatus r = Paralisado();
  r.dhRecbto = CodificarDataHora(2026, 6, 9, 10, 20, 31);
  r.FusoRecbto = "-03:00";
  EXPECT_NE(TextoResultado(r).find("\ndhRecbto: 2026-06-09T10:20:31-03:00\n"), std::string::npos)
      << TextoResultado(r);
  EXPECT_EQ(nlohmann::json::parse(JsonResultado(r))["dhRecbto"], "2026-06-09T10:20:31-03:00");
  // Without an offset in the answer, the host's stands in.
  r.FusoRecbto.clear();
  EXPECT_EQ(nlohmann::json::parse(JsonResultado(r))["dhRecbto"], "2026-06-09T10:20:31+00:00");
}

TEST_F(SaidaStatus, TextThatIsNotUtf8NeverBreaksTheJson) {
  TResultadoStatus r = Paralisado();
  r.xObs = "Manuten\xE7\xE3o";
  EXPECT_EQ(nlohmann::json::parse(JsonResultado(r))["xObs"], "Manuten\uFFFD\uFFFDo");
}

TEST(CodigoSaidaStatus, FollowsMonitoringPluginConvention) {
  struct Caso {
    int cStat;
    std::string erro;
    int esperado;
  };
  for (const Caso& caso : {Caso{107, "", 0}, Caso{108, "", 1}, Caso{109, "", 2}, Caso{656, "", 3},
                           Caso{0, "falhou", 3}, Caso{107, "falhou", 3}}) {
    TResultadoStatus r;
    r.cStat = caso.cStat;
    r.Erro = caso.erro;
    EXPECT_EQ(CodigoSaida(r), caso.esperado) << caso.cStat << " " << caso.erro;
  }
}

}  // namespace

}  // namespace nivra
