// Tests of the access-key check digit.
#include "util/chave_acesso.h"

#include <gtest/gtest.h>

namespace {

TEST(ChaveAcesso, NeedsFortyFourDigitsEndingInTheModulusElevenDigit) {
  struct Caso {
    const char* chave;
    bool esperado;
  };
  const Caso casos[] = {
      {"41260611222333000181550010000001231000001237", true},
      {"41260611222333000181550010000001231000001236", false},
      {"41260611222333000181550010000001231000001238", false},
      // A remainder of 0 and one of 1 both give the digit 0.
      {"41260611222333000181550010000001231000000400", true},
      {"41260611222333000181550010000001231000000800", true},
      {"41260611222333000181550010000001231000000401", false},
      // 43 and 45 digits, letters, separators and blanks are refused: callers pass digits.
      {"4126061122233300018155001000000123100000123", false},
      {"412606112223330001815500100000012310000012370", false},
      {"4126061122233300018155001000000123100000123A", false},
      {"4126 0611 2223 3300 0181 5500 1000 0001 2310 0000 1237", false},
      {" 41260611222333000181550010000001231000001237", false},
      {"", false},
  };
  for (const Caso& caso : casos) {
    EXPECT_EQ(ChaveAcessoValida(caso.chave), caso.esperado) << caso.chave;
  }
}

TEST(ChaveAcesso, DigitIsMinusOneUnlessGivenFortyThreeDigits) {
  EXPECT_EQ(DigitoChaveAcesso("4126061122233300018155001000000123100000123"), 7);
  EXPECT_EQ(DigitoChaveAcesso("3526061144477700016155001000000001100000001"), 0);
  EXPECT_EQ(DigitoChaveAcesso("412606112223330001815500100000012310000012"), -1);
  EXPECT_EQ(DigitoChaveAcesso("41260611222333000181550010000001231000001237"), -1);
  EXPECT_EQ(DigitoChaveAcesso("412606112223330001815500100000012310000012x"), -1);
}

}  // namespace
