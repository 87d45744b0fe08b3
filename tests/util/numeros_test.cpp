// Tests of decimal formatting and parsing.
#include "nivranfe/util/numeros.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "nivranfe/util/excecoes.h"
#include "tests/fakes/locale_virgula.h"
#include "tests/fakes/mensagem_de.h"

namespace nivra {

namespace {

TEST(Numeros, MascaraDecimalWritesOneZeroPerDecimal) {
  EXPECT_EQ(MascaraDecimal(0, false), "0");
  EXPECT_EQ(MascaraDecimal(-1, true), "0");
  EXPECT_EQ(MascaraDecimal(2, false), "0.00");
  EXPECT_EQ(MascaraDecimal(3, true), ",0.000");
}

TEST(Numeros, DecimalParaTextoRoundsTheExactBinaryValueHalfAwayFromZero) {
  struct Caso {
    char separador;
    const char* mascara;
    double valor;
    const char* esperado;
  };
  const Caso casos[] = {
      {',', "0.00", 2.005, "2,00"},  // the nearest double lies just below 2.005
      {'.', "0.00", 2.005, "2.00"},
      {'.', "0.00", 0.125, "0.13"},  // exact tie, away from zero
      {'.', "0.00", -0.125, "-0.13"},
      {'.', "0.00", 0.375, "0.38"},
      {'.', "0.0", 0.25, "0.3"},
      {'.', "0", 2.5, "3"},
      {'.', "0", -2.5, "-3"},
      {'.', "0", 0.5, "1"},
      {'.', "0.00", 1.005, "1.00"},  // just below
      {'.', "0.00", 1.015, "1.01"},  // just below
      {'.', "0.00", 1.025, "1.02"},  // just below
      {'.', "0.00", 1234.5, "1234.50"},
      {'.', "0.00", -1234.5, "-1234.50"},
      {'.', ",0.00", 1234567.891, "1234567.89"},
      {'.', "0.00", 9.995, "9.99"},  // just below
      {'.', "0.00", 9.996, "10.00"},
      {'.', "0.00", 99.999, "100.00"},
      {'.', "0.00", -0.001, "0.00"},  // no sign on a zero result
      {'.', "0.00", 0.005, "0.01"},   // just above
      {'.', "0.0000000000", 0.1, "0.1000000000"},
      {'.', "0.00", 0, "0.00"},
      {'.', "0.00", 1e20, "100000000000000000000.00"},
      {'.', "0.00", 4.0, "4.00"},
  };
  for (const Caso& caso : casos) {
    EXPECT_EQ(DecimalParaTexto(caso.separador, caso.mascara, caso.valor), caso.esperado)
        << caso.mascara << " " << caso.valor;
  }
}

TEST(Numeros, DecimalParaTextoEmptyMaskGivesTheShortestFifteenDigitForm) {
  struct Caso {
    double valor;
    const char* esperado;
  };
  const Caso casos[] = {
      {0, "0"},
      {0.1, "0.1"},
      {1234.5, "1234.5"},
      {-2.75, "-2.75"},
      {1.0 / 3.0, "0.333333333333333"},
      {2.0 / 3.0, "0.666666666666667"},
      {123456789012345.0, "123456789012345"},
      {1234567890123456.0, "1.23456789012346E15"},
      {0.00001, "0.00001"},
      {0.000001, "1E-6"},
      {0.1 + 0.2, "0.3"},
      {-1e20, "-1E20"},
  };
  for (const Caso& caso : casos) {
    EXPECT_EQ(DecimalParaTexto('.', "", caso.valor), caso.esperado) << caso.valor;
  }
  EXPECT_EQ(DecimalParaTexto(',', "", 1.5), "1,5");
}

TEST(Numeros, DecimalParaTextoRefusesValuesThatHaveNoDigits) {
  for (const double valor :
       {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
        -std::numeric_limits<double>::infinity()}) {
    for (const char* mascara : {"", "0", "0.00"}) {
      EXPECT_EQ(MensagemDe([&] { (void)DecimalParaTexto('.', mascara, valor); }),
                "Valor numérico inválido: não é finito")
          << valor << " " << mascara;
    }
  }
}

TEST(Numeros, DecimalParaTextoIgnoresTheProcessLocale) {
  const LocaleComVirgula locale;
  if (!LocaleComVirgula::Ativo()) GTEST_SKIP() << "no locale with a decimal comma is available";
  EXPECT_EQ(DecimalParaTexto('.', "0.00", 1234.5), "1234.50");
  EXPECT_EQ(DecimalParaTexto('.', "", 1234.5), "1234.5");
  EXPECT_EQ(DecimalParaTexto('.', "", 1e-7), "1E-7");
  EXPECT_DOUBLE_EQ(TextoParaDecimal("1234.5"), 1234.5);
  EXPECT_DOUBLE_EQ(TextoParaDecimal("1234,5"), 1234.5);
}

TEST(Numeros, TextoParaDecimalAcceptsPointOrComma) {
  EXPECT_DOUBLE_EQ(TextoParaDecimal("1,5"), 1.5);
  EXPECT_DOUBLE_EQ(TextoParaDecimal(" 1.5 "), 1.5);
  EXPECT_DOUBLE_EQ(TextoParaDecimal("-3"), -3);
  EXPECT_DOUBLE_EQ(TextoParaDecimal("+0,25"), 0.25);
  EXPECT_DOUBLE_EQ(TextoParaDecimal("1e3"), 1000);
  EXPECT_DOUBLE_EQ(TextoParaDecimal("4.00"), 4.0);
}

TEST(Numeros, TextoParaDecimalRejectsTextThatIsNotANumber) {
  for (const char* texto :
       {"", "abc", "1.234,5", "1,2,3", "1.5x", "-", ".", "1e", "nan", "inf", "0x10", "1 000"}) {
    EXPECT_THROW((void)TextoParaDecimal(texto), ENivraDFeException) << texto;
    EXPECT_DOUBLE_EQ(TextoParaDecimal(texto, 7.5), 7.5) << texto;
  }
  EXPECT_DOUBLE_EQ(TextoParaDecimal("1,5", 0), 1.5);
  EXPECT_DOUBLE_EQ(TextoParaDecimal("1.5", 0), 1.5);
  EXPECT_DOUBLE_EQ(TextoParaDecimal("1.234,5", 0), 0);
}

TEST(Numeros, TextoParaDecimalErrorNamesTheText) {
  const std::string mensagem = MensagemDe([] { (void)TextoParaDecimal("12a"); });
  EXPECT_NE(mensagem.find("\"12a\""), std::string::npos) << mensagem;
}

}  // namespace

}  // namespace nivra
