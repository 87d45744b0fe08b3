// The exact decimal amount.
#include "nivranfe/documento/decimal.h"

#include <gtest/gtest.h>

#include "nivranfe/util/excecoes.h"

namespace nivra {

namespace {

TEST(Decimal, SumsWithoutBinaryError) {
  EXPECT_EQ((TDecimal(0.1) + TDecimal(0.2)).Texto(2), "0.30");
  EXPECT_EQ((TDecimal("0.1") + TDecimal("0.2")), TDecimal("0.3"));
  EXPECT_EQ((TDecimal("1.10") - TDecimal("2")).Texto(), "-0.90");
  EXPECT_EQ((TDecimal("3") * TDecimal("0.3333")).Texto(), "0.9999");
}

TEST(Decimal, TextRoundsHalfAwayFromZero) {
  struct TCaso {
    const char* Valor;
    int Casas;
    const char* Texto;
  };
  const TCaso casos[] = {
      {"2.345", 2, "2.35"},
      {"-2.345", 2, "-2.35"},
      {"2.344", 2, "2.34"},
      {"0.004", 2, "0.00"},
      {"7", 4, "7.0000"},
      {"0.5", 0, "1"},
      {"123.45", 1, "123.5"},
      {"12345678901234567890.1234567890", 10, "12345678901234567890.1234567890"},
  };
  for (const auto& caso : casos) {
    EXPECT_EQ(TDecimal(caso.Valor).Texto(caso.Casas), caso.Texto) << caso.Valor;
  }
}

TEST(Decimal, KeepsThePlacesItWasReadWith) {
  EXPECT_EQ(TDecimal("1.5000").Casas(), 4);
  EXPECT_EQ(TDecimal("1.5000"), TDecimal("1.5"));
  EXPECT_EQ(TDecimal("123.4").DigitosInteiros(), 3);
  EXPECT_EQ(TDecimal("0.4").DigitosInteiros(), 0);
  EXPECT_TRUE(TDecimal().Vazio());
  EXPECT_FALSE(TDecimal() == TDecimal(0));
}

TEST(Decimal, RefusesTextThatIsNotADecimal) {
  for (const char* texto : {"", "-", "1,5", "1.", ".", "1.2.3", "1e5", " 1", "abc",
                            "1234567890123456789012345678901"}) {
    EXPECT_FALSE(TDecimal::Ler(texto)) << texto;
    EXPECT_THROW(TDecimal{texto}, ENivraDFeException) << texto;
  }
  EXPECT_EQ(TDecimal::Ler(".5")->Texto(), "0.5");
}

TEST(Decimal, RefusesProductsPastThirtyDigits) {
  const TDecimal grande("123456789012345678901234567890");
  EXPECT_THROW((void)(grande * grande), ENivraDFeException);
  EXPECT_THROW((void)(grande * TDecimal(10)), ENivraDFeException);
  EXPECT_EQ((TDecimal("12345678901234.5") * TDecimal(2)).Texto(), "24691357802469.0");
}

}  // namespace

}  // namespace nivra
