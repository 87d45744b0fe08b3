// Tests of the time-zone rules, the host's offset and the time-zone configuration.
#include "nivranfe/util/fuso_horario.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ctime>
#include <filesystem>

#include "tests/fakes/mensagem_de.h"
#include "tests/fakes/variavel_ambiente.h"

namespace nivra {

namespace {

using enum TTimeZoneModoDeteccao;

// Keeps the shared configuration as it was before each test.
class FusoHorarioTest : public ::testing::Test {
 protected:
  void SetUp() override { FSalvo.Assign(ConfiguracaoFusoHorario()); }
  void TearDown() override { ConfiguracaoFusoHorario().Assign(FSalvo); }

  static void UsarModo(TTimeZoneModoDeteccao modo) {
    ConfiguracaoFusoHorario().SetModoDeteccao(modo);
  }

  TTimeZoneConf FSalvo;
};

TDateTime Data(int ano, int mes, int dia, int hora = 0) {
  return CodificarDataHora(ano, mes, dia, hora);
}

TEST(FusoHorarioSistema, ReadsTheHostOffset) {
  struct Caso {
    const char* tz;
    const char* esperado;
  };
  const Caso casos[] = {{"UTC0", "+00:00"},
                        {"BRT3", "-03:00"},
                        {"IST-5:30", "+05:30"},
                        {"<-0330>3:30", "-03:30"},
                        {"<+14>-14", "+14:00"}};
  for (const Caso& caso : casos) {
    const TFusoTemporario tz(caso.tz);
    EXPECT_EQ(FusoHorarioSistema(), caso.esperado) << caso.tz;
    EXPECT_EQ(FusoHorarioSistema(Data(2018, 1, 10, 12)), caso.esperado) << caso.tz;
  }
}

TEST(FusoHorarioSistema, IncludesDaylightSavingAtTheGivenMoment) {
  const TFusoTemporario tz("EST5EDT,M3.2.0,M11.1.0");
  EXPECT_EQ(FusoHorarioSistema(Data(2018, 1, 10, 12)), "-05:00");
  EXPECT_EQ(FusoHorarioSistema(Data(2018, 7, 10, 12)), "-04:00");
  // The current offset is one of the two, by the host's clock.
  const std::string agora = FusoHorarioSistema();
  EXPECT_TRUE(agora == "-05:00" || agora == "-04:00") << agora;
  EXPECT_EQ(agora, FusoHorarioSistema(Agora()));
}

TEST(FusoHorarioSistema, FollowsTheHostZoneDatabase) {
  if (!std::filesystem::exists("/usr/share/zoneinfo/America/Sao_Paulo")) {
    GTEST_SKIP() << "the host has no time-zone database";
  }
  const TFusoTemporario tz("America/Sao_Paulo");
  EXPECT_EQ(FusoHorarioSistema(Data(2018, 1, 10, 12)), "-02:00");
  EXPECT_EQ(FusoHorarioSistema(Data(2018, 7, 10, 12)), "-03:00");
  EXPECT_EQ(FusoHorarioSistema(Data(2024, 1, 10, 12)), "-03:00");
}

TEST(HorarioDeVerao, SeasonBoundaries) {
  struct Caso {
    const char* uf;
    TDateTime quando;
    bool esperado;
  };
  const Caso casos[] = {
      {"SP", Data(2017, 10, 15), true},  // third Sunday of October, 00:00
      {"SP", Data(2017, 10, 14, 23), false},
      {"SP", Data(2018, 1, 10), true},  // season that spans the year end
      {"SP", Data(2017, 12, 31, 23), true},
      {"SP", Data(2018, 2, 18), true},  // third Sunday of February 2018, 00:00
      {"SP", Data(2018, 2, 18, 12), false},
      {"SP", Data(2018, 3, 10), false},
      {"SP", Data(2018, 9, 30), false},
      // Carnival Sunday 2015 was the third Sunday of February: a week longer.
      {"SP", Data(2015, 2, 21, 12), true},
      {"SP", Data(2015, 2, 22), true},
      {"SP", Data(2015, 2, 22, 12), false},
      {"MT", Data(2018, 1, 10), true},
      {"DF", Data(2018, 1, 10), true},
      {"AC", Data(2018, 1, 10), false},
      {"BA", Data(2018, 1, 10), false},
      {"AM", Data(2018, 1, 10), false},
      {"", Data(2018, 1, 10), false},
      {"sp", Data(2018, 1, 10), false},
      // Only whole UF letters count, not pieces of the list of UFs.
      {"S", Data(2018, 1, 10), false},
      {"T.M", Data(2018, 1, 10), false},
      // A value without a calendar form is never in a season.
      {"SP", std::nan(""), false},
      {"SP", HUGE_VAL, false},
  };
  for (const Caso& caso : casos) {
    EXPECT_EQ(EmHorarioDeVerao(caso.uf, caso.quando), caso.esperado)
        << caso.uf << " " << FormatarDataHora("", caso.quando);
  }
}

TEST_F(FusoHorarioTest, TableModeUsesTheUFZoneAndSummerTime) {
  UsarModo(tzKOV);
  struct Caso {
    const char* uf;
    TDateTime quando;
    const char* esperado;
  };
  const Caso casos[] = {
      {"AM", Data(2018, 1, 10), "-04:00"},  {"AM", Data(2018, 7, 10), "-04:00"},
      {"MT", Data(2018, 1, 10), "-03:00"},  {"MT", Data(2018, 3, 10), "-04:00"},
      {"SP", Data(2017, 10, 15), "-02:00"}, {"SP", Data(2017, 10, 14), "-03:00"},
      {"AC", Data(2018, 1, 10), "-05:00"},  {"AC", Data(2018, 7, 10), "-05:00"},
      {"BA", Data(2018, 1, 10), "-03:00"},  {"BA", Data(2018, 7, 10), "-03:00"},
      {"90", Data(2018, 1, 10), "-02:00"},  {"91", Data(2018, 7, 10), "-03:00"},
      {"", Data(2018, 1, 10), "-02:00"},    {"EX", Data(2018, 1, 10), "-03:00"},
      {"XX", Data(2018, 1, 10), "-03:00"},  {"RO", Data(2018, 1, 10), "-04:00"},
  };
  for (const Caso& caso : casos) {
    EXPECT_EQ(FusoHorarioUF(caso.uf, caso.quando), caso.esperado)
        << caso.uf << " " << FormatarDataHora("", caso.quando);
  }
}

TEST_F(FusoHorarioTest, SystemAndManualModes) {
  const TFusoTemporario tz("EST5EDT,M3.2.0,M11.1.0");
  UsarModo(tzSistema);
  EXPECT_EQ(FusoHorarioUF("SP", Data(2018, 1, 10, 12)), "-05:00");
  EXPECT_EQ(FusoHorarioUF("SP", Data(2018, 7, 10, 12)), "-04:00");
  UsarModo(tzManual);
  ConfiguracaoFusoHorario().SetTimeZoneStr("+05:30");
  EXPECT_EQ(FusoHorarioUF("SP", Data(2018, 1, 10)), "+05:30");
  EXPECT_EQ(FusoHorarioUF("", 0), "+05:30");
}

TEST(TimeZoneConf, ModeChangesKeepTheTextInStep) {
  const TFusoTemporario tz("BRT3");
  TTimeZoneConf conf;
  EXPECT_EQ(conf.ModoDeteccao(), tzSistema);
  EXPECT_EQ(conf.TimeZoneStr(), "");
  conf.SetTimeZoneStr("-04:00");  // dropped outside the manual mode
  EXPECT_EQ(conf.TimeZoneStr(), "");
  conf.SetModoDeteccao(tzManual);
  EXPECT_EQ(conf.TimeZoneStr(), "-03:00");  // filled from the host
  conf.SetTimeZoneStr("-04:00");
  conf.SetModoDeteccao(tzManual);  // no change, the text stays
  EXPECT_EQ(conf.TimeZoneStr(), "-04:00");
  conf.SetTimeZoneStr("  ");
  EXPECT_EQ(conf.TimeZoneStr(), "-03:00");
  conf.SetModoDeteccao(tzKOV);
  EXPECT_EQ(conf.TimeZoneStr(), "");
}

TEST(TimeZoneConf, ManualTextIsCheckedInOrder) {
  struct Caso {
    const char* valor;
    const char* mensagem;
  };
  const Caso casos[] = {
      {"-3:00", "Tamanho de TimeZone deve ser 6. Ex: -03:00"},
      {"-03:000", "Tamanho de TimeZone deve ser 6. Ex: -03:00"},
      {"03:00X", "Primeiro caractere deve ser \"+,-\". Ex: -03:00"},
      {"−03:00", "Primeiro caractere deve ser \"+,-\". Ex: -03:00"},  // a Unicode minus sign
      {"-0300 ", "Quarto caractere deve ser \":\". Ex: -03:00"},
      {"+15:00", "Hora deve estar entre -11 a +14. Ex: -03:00"},
      {"-12:00", "Hora deve estar entre -11 a +14. Ex: -03:00"},
      {"- 3:00", "Hora deve estar entre -11 a +14. Ex: -03:00"},
      {"-03:60", "Minuto deve estar entre 0 a 59. Ex: -03:00"},
      {"-03:-1", "Minuto deve estar entre 0 a 59. Ex: -03:00"},
  };
  TTimeZoneConf conf;
  conf.SetModoDeteccao(tzManual);
  conf.SetTimeZoneStr("-02:00");
  for (const Caso& caso : casos) {
    EXPECT_EQ(MensagemDe([&] { conf.SetTimeZoneStr(caso.valor); }), caso.mensagem) << caso.valor;
    EXPECT_EQ(conf.TimeZoneStr(), "-02:00") << caso.valor;
  }
  for (const char* valido : {"+05:30", "-11:59", "+14:00", "-00:00", "+00:00"}) {
    conf.SetTimeZoneStr(valido);
    EXPECT_EQ(conf.TimeZoneStr(), valido);
  }
}

TEST(TimeZoneConf, AssignCopiesBothFieldsAsTheyAre) {
  TTimeZoneConf origem;
  origem.SetModoDeteccao(tzManual);
  origem.SetTimeZoneStr("+05:30");
  TTimeZoneConf destino;
  destino.Assign(origem);
  EXPECT_EQ(destino.ModoDeteccao(), tzManual);
  EXPECT_EQ(destino.TimeZoneStr(), "+05:30");
  destino.Assign(TTimeZoneConf());
  EXPECT_EQ(destino.ModoDeteccao(), tzSistema);
  EXPECT_EQ(destino.TimeZoneStr(), "");
}

TEST(TimeZoneConf, SharedInstanceIsOneObject) {
  EXPECT_EQ(&ConfiguracaoFusoHorario(), &ConfiguracaoFusoHorario());
}

}  // namespace

}  // namespace nivra
