// Tests of the date-time conversions and formatting.
#include "nivranfe/util/datahora.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ctime>

namespace nivra {

namespace {

TEST(DataHora, KnownDayNumbers) {
  EXPECT_DOUBLE_EQ(CodificarDataHora(1899, 12, 30), 0);
  EXPECT_DOUBLE_EQ(CodificarDataHora(1900, 1, 1), 2);
  EXPECT_DOUBLE_EQ(CodificarDataHora(2000, 1, 1), 36526);
  EXPECT_DOUBLE_EQ(CodificarDataHora(2018, 5, 1, 12), 43221.5);
  EXPECT_DOUBLE_EQ(CodificarDataHora(1899, 12, 29, 6), -1.25);
}

TEST(DataHora, DecodingRoundTripsAndCarriesRoundedMilliseconds) {
  const TCamposDataHora c = DecodificarDataHora(CodificarDataHora(2024, 2, 29, 23, 59, 58, 999));
  EXPECT_EQ(c.Ano, 2024);
  EXPECT_EQ(c.Mes, 2);
  EXPECT_EQ(c.Dia, 29);
  EXPECT_EQ(c.Hora, 23);
  EXPECT_EQ(c.Minuto, 59);
  EXPECT_EQ(c.Segundo, 58);
  EXPECT_EQ(c.Milissegundo, 999);
  // Half a millisecond before midnight rounds into the next day, never to 24:00:00.
  const TCamposDataHora d = DecodificarDataHora(CodificarDataHora(2024, 12, 31) + 1 - 1e-10);
  EXPECT_EQ(d.Ano, 2025);
  EXPECT_EQ(d.Mes, 1);
  EXPECT_EQ(d.Dia, 1);
  EXPECT_EQ(d.Hora, 0);
  const TCamposDataHora n = DecodificarDataHora(-1.25);
  EXPECT_EQ(n.Dia, 29);
  EXPECT_EQ(n.Hora, 6);
}

TEST(DataHora, ValuesWithoutACalendarFormReadAsDayZero) {
  for (const double valor : {std::nan(""), HUGE_VAL, -HUGE_VAL, 1e300, -1e19, 1e10}) {
    const TCamposDataHora c = DecodificarDataHora(valor);
    EXPECT_EQ(c.Ano, 1899) << valor;
    EXPECT_EQ(c.Mes, 12) << valor;
    EXPECT_EQ(c.Dia, 30) << valor;
    EXPECT_EQ(c.Hora, 0) << valor;
    EXPECT_EQ(FormatarDataHora("", valor), "30/12/1899 00:00:00") << valor;
  }
  // Far but representable dates still decode.
  EXPECT_EQ(DecodificarDataHora(CodificarDataHora(9999, 12, 31)).Ano, 9999);
  EXPECT_EQ(DecodificarDataHora(CodificarDataHora(-4000, 1, 1)).Ano, -4000);
}

TEST(DataHora, FormatsWithTheDefaultMasks) {
  const TDateTime valor = CodificarDataHora(2018, 5, 1, 10, 20, 30);
  EXPECT_EQ(FormatarDataHora("", valor), "01/05/2018 10:20:30");
  EXPECT_EQ(FormatarData("", valor), "01/05/2018");
  EXPECT_EQ(FormatarData("", 0), "30/12/1899");
}

TEST(DataHora, FormatsWithAMask) {
  const TDateTime valor = CodificarDataHora(2018, 5, 1, 10, 20, 30, 7);
  EXPECT_EQ(FormatarDataHora("yyyymmddhhnnss", valor), "20180501102030");
  EXPECT_EQ(FormatarDataHora("YYYY-MM-DD hh:nn:ss.zzz", valor), "2018-05-01 10:20:30.007");
  EXPECT_EQ(FormatarData("dd/mm/yy", valor), "01/05/18");
}

TEST(DataHora, AgoraIsTheHostLocalTime) {
  const std::time_t antes = std::time(nullptr);
  const TDateTime agora = Agora();
  std::tm local{};
  localtime_r(&antes, &local);
  const TDateTime esperado =
      CodificarDataHora(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                        local.tm_min, local.tm_sec);
  EXPECT_NEAR(agora, esperado, 5.0 / 86400);
}

}  // namespace

}  // namespace nivra
