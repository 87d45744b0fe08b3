// Tests of the CNPJ and CPF checks.
#include "util/documentos.h"

#include <gtest/gtest.h>

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
  };
  for (const Caso& caso : casos) {
    EXPECT_EQ(CNPJValido(caso.texto), caso.esperado) << caso.texto;
  }
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
