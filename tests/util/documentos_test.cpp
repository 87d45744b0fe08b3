// Tests of the CNPJ and CPF checks.
#include "nivranfe/util/documentos.h"

#include <gtest/gtest.h>

namespace nivra {

namespace {

TEST(Documentos, CNPJNeedsFourteenDigitsAndBothCheckDigits) {
  struct Caso {
    const char* texto;
    bool esperado;
  };
  const Caso casos[] = {
      {"11.222.333/0001-81", true},
      {"11222333000181", true},
      {" 11222333000181 ", true},
      {"11222333000182", false},
      {"11222333000191", false},
      {"00000000000000", false},
      {"1122233300018", false},
      {"112223330001811", false},
      {"1122233300018A", false},
      {"", false},
      {"11.222.333/0001-8 1", false},
      // A check digit from a remainder below 2 is 0.
      {"11444777000161", true},
      {"00000000000191", true},
      // Letters A to Z in the first 12 places, each worth its code minus 48.
      {"12ABC34501DE35", true},
      {"12.ABC.345/01DE-35", true},
      {"ABCDEFGHIJKL80", true},
      {"11222333000A96", true},
      {"12ABC34501DE36", false},
      {"12ABC34501DE53", false},
      {"12ABD34501DE35", false},
      {"12abc34501de35", false},
      {"12ABC34501DEA5", false},
      {"12ABC34501D35", false},
      {"12ÁBC34501DE35", false},
  };
  for (const Caso& caso : casos) {
    EXPECT_EQ(CNPJValido(caso.texto), caso.esperado) << caso.texto;
  }
}

TEST(Documentos, CheckDigitsOfTwelveCharactersCompleteACNPJ) {
  struct Caso {
    const char* base;
    const char* digitos;
  };
  const Caso casos[] = {
      {"112223330001", "81"}, {"12ABC34501DE", "35"}, {"AB1234560001", "10"},
      {"12ABC34501D", ""},    {"12abc34501de", ""},   {"12ABC34501DE3", ""},
  };
  for (const Caso& caso : casos) {
    EXPECT_EQ(DigitosVerificadoresCNPJ(caso.base), caso.digitos) << caso.base;
  }
}

TEST(Documentos, CNPJIsShownWithDotsSlashAndDash) {
  EXPECT_EQ(FormatarCNPJ("12ABC34501DE35"), "12.ABC.345/01DE-35");
  EXPECT_EQ(FormatarCNPJ("11222333000181"), "11.222.333/0001-81");
  EXPECT_EQ(FormatarCNPJ("52998224725"), "52998224725");
  EXPECT_EQ(CNPJSemMascara(" 12.ABC.345/01DE-35 "), "12ABC34501DE35");
}

TEST(Documentos, CPFNeedsElevenDigitsNotAllAlikeAndBothCheckDigits) {
  struct Caso {
    const char* texto;
    bool esperado;
  };
  const Caso casos[] = {
      {"529.982.247-25", true},
      {"52998224725", true},
      {"52998224726", false},
      {"52998224735", false},
      {"111.111.111-11", false},
      {"00000000000", false},
      {"5299822472", false},
      {"", false},
      {"abc", false},
      {"123.456.789-09", true},
      {"100.000.001-08", true},
      {"100.000.001-18", false},  // first digit from a remainder of 1
  };
  for (const Caso& caso : casos) {
    EXPECT_EQ(CPFValido(caso.texto), caso.esperado) << caso.texto;
  }
}

TEST(Documentos, CNPJAndCPFAreFormattedAlphanumericToo) {
  const struct {
    const char* entrada;
    const char* esperado;
  } casos[] = {
      {"11222333000181", "11.222.333/0001-81"},
      {"12ABC34501DE35", "12.ABC.345/01DE-35"},
      {"12.abc.345/01de-35", "12.ABC.345/01DE-35"},
      {" 123.456.789-09 ", "123.456.789-09"},
      {"12345678909", "123.456.789-09"},
      // Letters only in the first twelve of a CNPJ; a CPF is digits only.
      {"12ABC34501DE3X", "12ABC34501DE3X"},
      {"1234567890A", "1234567890A"},
      {"123", "123"},
      {"", ""},
  };
  for (const auto& c : casos) EXPECT_EQ(FormatarCNPJCPF(c.entrada), c.esperado) << c.entrada;
}

}  // namespace

}  // namespace nivra
