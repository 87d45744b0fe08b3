// Tests of the access-key check digit.
#include "nivranfe/util/chave_acesso.h"

#include <gtest/gtest.h>

#include <string>

namespace nivra {

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
      // An alphanumeric CNPJ: letters weigh their code minus 48, only in places 7 to 18.
      {"35260812ABC34501DE35550010000000011123456788", true},
      {"41260612ABC34501DE35550010000001231000001238", true},
      {"35260812ABC34501DE35550010000000011123456787", false},
      {"35260812ABD34501DE35550010000000011123456788", false},
      {"35260812abc34501de35550010000000011123456788", false},
      {"3A260812ABC34501DE35550010000000011123456788", false},
      {"35260812ABC34501DEA5550010000000011123456788", false},
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
  EXPECT_EQ(DigitoChaveAcesso("41260612ABC34501DE3555001000000123100000123"), 8);
  EXPECT_EQ(DigitoChaveAcesso("41260612ABC34501DE3555001000000123100000A23"), -1);
}

TEST(ChaveAcesso, NFeKeyNeedsAKnownUFAndModel55Or65) {
  struct Caso {
    const char* base;
    bool esperado;
  };
  const Caso casos[] = {
      {"4126061122233300018155001000000123100000123", true},
      {"4126061122233300018165001000000123100000123", true},
      {"35260812ABC34501DE3555001000000001112345678", true},
      {"4126061122233300018157001000000123100000123", false},
      {"9926061122233300018155001000000123100000123", false},
      {"9126061122233300018155001000000123100000123", false},
  };
  for (const Caso& caso : casos) {
    const std::string chave = caso.base + std::to_string(DigitoChaveAcesso(caso.base));
    EXPECT_EQ(ChaveNFeValida(chave), caso.esperado) << chave;
  }
  EXPECT_FALSE(ChaveNFeValida("41260611222333000181550010000001231000001236"));
}

TEST(ChaveAcesso, UFCodeIsReadOnlyFromTwoDigits) {
  EXPECT_EQ(CodigoUFDaChave("35260812ABC34501DE35550010000000011123456788"), 35);
  EXPECT_EQ(CodigoUFDaChave("4"), 0);
  EXPECT_EQ(CodigoUFDaChave("A1260611"), 0);
  EXPECT_EQ(CodigoUFDaChave("-1260611"), 0);
}

}  // namespace

}  // namespace nivra
