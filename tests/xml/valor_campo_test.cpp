// Tests of the field-value conversions: text, integer, decimal, date-time and truth value out of
// a TVariante, and the checked date-time of calendar fields.
#include "nivranfe/xml/valor_campo.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

#include "nivranfe/util/excecoes.h"
#include "tests/fakes/mensagem_de.h"

namespace nivra {

namespace {

TVariante Data(int ano, int mes, int dia, int hora = 0, int minuto = 0, int segundo = 0) {
  return TVarDataHora{CodificarDataHora(ano, mes, dia, hora, minuto, segundo)};
}

TEST(ValorCampo, TextOfEachKind) {
  EXPECT_EQ(VarianteParaTexto(std::monostate{}), "");
  EXPECT_EQ(VarianteParaTexto(std::string(" a ")), " a ");
  EXPECT_EQ(VarianteParaTexto(int64_t{-12}), "-12");
  EXPECT_EQ(VarianteParaTexto(0.1), "0.1");
  EXPECT_EQ(VarianteParaTexto(true), "True");
  EXPECT_EQ(VarianteParaTexto(false), "False");
  EXPECT_EQ(VarianteParaTexto(Data(2018, 5, 1)), "01/05/2018");
  EXPECT_EQ(VarianteParaTexto(Data(2018, 5, 1, 10, 20, 30)), "01/05/2018 10:20:30");
  // A date-time outside the years 1 to 9999 is written as its number.
  EXPECT_EQ(VarianteParaTexto(TVarDataHora{1e9}), "1000000000");
}

TEST(ValorCampo, IntegerReadsOneOptionalSignAndRoundsNumbers) {
  struct Caso {
    TVariante valor;
    std::optional<int32_t> esperado;
  };
  const Caso casos[] = {
      {std::monostate{}, 0},
      {true, 1},
      {std::string(" 42 "), 42},
      {std::string("+7"), 7},
      {std::string("-7"), -7},
      {std::string("-2147483648"), INT32_MIN},
      {std::string("2147483648"), std::nullopt},
      {std::string("+-7"), std::nullopt},
      {std::string("-+7"), std::nullopt},
      {std::string("--7"), std::nullopt},
      {std::string("-"), std::nullopt},
      {std::string(""), std::nullopt},
      {std::string("1.5"), std::nullopt},
      {std::string("1 000"), std::nullopt},
      {int64_t{INT32_MAX}, INT32_MAX},
      {int64_t{INT32_MAX} + 1, std::nullopt},
      {2.5, 3},
      {-2.5, -3},
      {1e10, std::nullopt},
      {std::nan(""), std::nullopt},
      {TVarDataHora{1.75}, 2},
  };
  for (const Caso& caso : casos) {
    EXPECT_EQ(VarianteParaInteiro(caso.valor), caso.esperado) << VarianteParaTexto(caso.valor);
  }
}

TEST(ValorCampo, DecimalReadsPointOrCommaAndRejectsWhatIsNotAFiniteNumber) {
  EXPECT_EQ(VarianteParaDecimal(std::monostate{}), 0.0);
  EXPECT_EQ(VarianteParaDecimal(std::string(" 2,5 ")), 2.5);
  EXPECT_EQ(VarianteParaDecimal(std::string("2.5")), 2.5);
  EXPECT_EQ(VarianteParaDecimal(int64_t{3}), 3.0);
  EXPECT_EQ(VarianteParaDecimal(false), 0.0);
  EXPECT_EQ(VarianteParaDecimal(std::string("")), std::nullopt);
  EXPECT_EQ(VarianteParaDecimal(std::string("abc")), std::nullopt);
  EXPECT_EQ(VarianteParaDecimal(HUGE_VAL), std::nullopt);
  EXPECT_EQ(VarianteParaDecimal(std::nan("")), std::nullopt);
}

TEST(ValorCampo, DateTimeReadsEachTextForm) {
  struct Caso {
    const char* texto;
    TDateTime esperado;
  };
  const Caso casos[] = {
      {"2018-05-01", CodificarDataHora(2018, 5, 1)},
      {" 2018-05-01T10:20:30 ", CodificarDataHora(2018, 5, 1, 10, 20, 30)},
      {"01/05/2018", CodificarDataHora(2018, 5, 1)},
      {"01/05/2018 10:20:30", CodificarDataHora(2018, 5, 1, 10, 20, 30)},
      {"10:20:30", CodificarDataHora(1899, 12, 30, 10, 20, 30)},
      {"2024-02-29", CodificarDataHora(2024, 2, 29)},
      {"  ", 0},
  };
  for (const Caso& caso : casos) {
    EXPECT_DOUBLE_EQ(VarianteParaDataHora(std::string(caso.texto)), caso.esperado) << caso.texto;
  }
  EXPECT_DOUBLE_EQ(VarianteParaDataHora(std::monostate{}), 0);
  EXPECT_DOUBLE_EQ(VarianteParaDataHora(43221.5), 43221.5);
  EXPECT_DOUBLE_EQ(VarianteParaDataHora(int64_t{2}), 2);
}

TEST(ValorCampo, DateTimeRejectsOtherValues) {
  const TVariante casos[] = {std::string("2023-02-29"),
                             std::string("2018-5-1"),
                             std::string("01/05/2018T10:20:30"),
                             std::string("24:00:00"),
                             std::string("0000-01-01"),
                             true,
                             1e300,
                             TVarDataHora{std::nan("")}};
  for (const TVariante& valor : casos) {
    EXPECT_THROW((void)VarianteParaDataHora(valor), ENivraDFeException) << VarianteParaTexto(valor);
  }
  EXPECT_EQ(MensagemDe([] { (void)VarianteParaDataHora(std::string("amanhã")); }),
            "Valor \"amanhã\" não é uma data e hora válido");
}

TEST(ValorCampo, TruthValueOfEachKind) {
  struct Caso {
    TVariante valor;
    bool esperado;
  };
  const Caso casos[] = {
      {std::monostate{}, false},     {true, true},
      {std::string(" TRUE "), true}, {std::string("False"), false},
      {std::string("1"), true},      {std::string("0,0"), false},
      {int64_t{-1}, true},           {0.0, false},
  };
  for (const Caso& caso : casos) {
    EXPECT_EQ(VarianteParaLogico(caso.valor), caso.esperado) << VarianteParaTexto(caso.valor);
  }
  for (const char* texto : {"", " ", "sim", "verdadeiro"}) {
    EXPECT_THROW((void)VarianteParaLogico(std::string(texto)), ENivraDFeException) << texto;
  }
}

TEST(ValorCampo, DataHoraValidaAcceptsOnlyRealDatesAndTimes) {
  EXPECT_EQ(DataHoraValida(2024, 2, 29), CodificarDataHora(2024, 2, 29));
  EXPECT_EQ(DataHoraValida(2000, 2, 29), CodificarDataHora(2000, 2, 29));
  EXPECT_EQ(DataHoraValida(9999, 12, 31, 23, 59, 59), CodificarDataHora(9999, 12, 31, 23, 59, 59));
  EXPECT_EQ(DataHoraValida(1, 1, 1), CodificarDataHora(1, 1, 1));
  struct Caso {
    int ano, mes, dia, hora, minuto, segundo;
  };
  const Caso invalidas[] = {
      {1900, 2, 29, 0, 0, 0}, {2023, 2, 29, 0, 0, 0}, {2018, 4, 31, 0, 0, 0},
      {2018, 13, 1, 0, 0, 0}, {2018, 0, 1, 0, 0, 0},  {2018, 1, 0, 0, 0, 0},
      {0, 1, 1, 0, 0, 0},     {10000, 1, 1, 0, 0, 0}, {2018, 1, 1, 24, 0, 0},
      {2018, 1, 1, 0, 60, 0}, {2018, 1, 1, 0, 0, 60}, {2018, 1, 1, -1, 0, 0},
  };
  for (const Caso& c : invalidas) {
    EXPECT_EQ(DataHoraValida(c.ano, c.mes, c.dia, c.hora, c.minuto, c.segundo), std::nullopt)
        << c.ano << "-" << c.mes << "-" << c.dia << " " << c.hora << ":" << c.minuto << ":"
        << c.segundo;
  }
}

}  // namespace

}  // namespace nivra
