#include "app/historico/analise_historico.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace nivra {

namespace {

constexpr int64_t kMin = 60000;
constexpr int64_t kDia = 86400000;
// 2026-12-10 00:00 at -03:00, in UTC.
constexpr int64_t kMeiaNoite = 1796871600000;

TRegistroStatus R(int64_t ms, int cStat, const std::string& falha = "") {
  TRegistroStatus r;
  r.Momento = {ms, -180};
  r.Autorizador = "PR";
  r.UF = "PR";
  r.cStat = cStat;
  r.xMotivo = "motivo " + std::to_string(cStat);
  r.tMed = cStat == 107 ? 1 : 0;
  r.ConsultaMs = 200;
  r.Falha = falha;
  return r;
}

TEST(DisponibilidadePorDia, SharesObservedTimeSplitAtLocalMidnight) {
  // Yesterday 23:00 in operation, 23:30 paralysed until 00:30 today, then in operation until
  // now (06:00); days before are not observed.
  const std::vector registros = {R(kMeiaNoite - 60 * kMin, 107), R(kMeiaNoite - 30 * kMin, 109),
                                 R(kMeiaNoite + 30 * kMin, 107), R(kMeiaNoite + 60 * kMin, 107),
                                 R(kMeiaNoite + 120 * kMin, 107)};
  const auto dias = DisponibilidadePorDia(registros, {kMeiaNoite + 360 * kMin, -180}, 3);
  ASSERT_EQ(dias.size(), 3U);
  EXPECT_EQ(dias[0].InicioMs, kMeiaNoite - 2 * kDia);
  EXPECT_FALSE(dias[0].Fracao);
  ASSERT_TRUE(dias[1].Fracao);
  EXPECT_DOUBLE_EQ(*dias[1].Fracao, 0.5);
  ASSERT_TRUE(dias[2].Fracao);
  // Observed 00:00-03:00 (the last answer holds for an hour): 2.5 h of 3 in operation.
  EXPECT_DOUBLE_EQ(*dias[2].Fracao, 2.5 / 3);
}

TEST(DisponibilidadePorDia, FailedQueriesCountAsOutOfOperation) {
  const std::vector registros = {R(kMeiaNoite, 107), R(kMeiaNoite + 10 * kMin, 0, "sem rede")};
  const auto dias = DisponibilidadePorDia(registros, {kMeiaNoite + 20 * kMin, -180}, 1);
  ASSERT_TRUE(dias[0].Fracao);
  EXPECT_DOUBLE_EQ(*dias[0].Fracao, 0.5);
}

TEST(Interrupcoes, RunsOfOtherCodesUpToTheNext107) {
  const std::vector registros = {R(0, 107),
                                 R(1 * kMin, 108),
                                 R(2 * kMin, 109),
                                 R(5 * kMin, 107),
                                 R(6 * kMin, 0, "Tempo esgotado"),
                                 R(9 * kMin, 109)};
  const auto lista = Interrupcoes(registros, {20 * kMin, -180});
  ASSERT_EQ(lista.size(), 2U);
  EXPECT_EQ(lista[0].Inicio.UnixMs, 1 * kMin);
  ASSERT_TRUE(lista[0].Fim);
  EXPECT_EQ(lista[0].Fim->UnixMs, 5 * kMin);
  EXPECT_EQ(lista[0].DuracaoMs, 4 * kMin);
  EXPECT_EQ(lista[0].cStat, 108);
  EXPECT_EQ(lista[0].Motivo, "motivo 108");
  EXPECT_FALSE(lista[1].Fim);
  EXPECT_EQ(lista[1].DuracaoMs, 14 * kMin);
  EXPECT_EQ(lista[1].cStat, 0);
  EXPECT_EQ(lista[1].Motivo, "Tempo esgotado");
}

TEST(TemposPorHora, AveragesAnsweredQueriesOfEachHour) {
  auto lento = R(30 * kMin, 107);
  lento.tMed = 3;
  lento.ConsultaMs = 600;
  const std::vector registros = {R(0, 107), lento, R(40 * kMin, 0, "falha"), R(61 * kMin, 107)};
  const auto pontos = TemposPorHora(registros);
  ASSERT_EQ(pontos.size(), 2U);
  EXPECT_DOUBLE_EQ(pontos[0].TMedSegundos, 2);
  EXPECT_DOUBLE_EQ(pontos[0].ConsultaSegundos, 0.4);
  EXPECT_EQ(pontos[1].InicioMs, 60 * kMin);
}

TEST(TextoCSV, QuotesFieldsWithSeparatorsAndWritesLocalTimeWithOffset) {
  auto r = R(kMeiaNoite + 9 * 60 * kMin + 15 * kMin, 0, "falha: \"x\", y");
  r.xMotivo = "";
  EXPECT_EQ(TextoCSV({r}),
            "momento,autorizador,uf,ambiente,modelo,cStat,xMotivo,tMed,consulta_ms,falha\r\n"
            "2026-12-10T09:15:00-03:00,PR,PR,1,NFe,0,,0,200.0,\"falha: \"\"x\"\", y\"\r\n");
}

}  // namespace

}  // namespace nivra
