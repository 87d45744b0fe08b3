// Check digits of the alphanumeric CNPJ and of the access key.
#include "documento/chave_nfe.h"

#include <gtest/gtest.h>

#include "util/excecoes.h"

namespace {

TEST(ChaveNFe, CNPJCheckDigitsTakeLettersAsAsciiMinus48) {
  struct TCaso {
    const char* CNPJ;
    bool Valido;
  };
  const TCaso casos[] = {
      {"12ABC34501DE35", true},  {"11222333000181", true},
      {"12ABC34501DE36", false}, {"12abc34501DE35", false},
      {"12ABC34501DEA5", false}, {"00000000000000", false},
      {"12ABC34501DE3", false},  {"", false},
  };
  for (const auto& caso : casos) {
    EXPECT_EQ(CNPJAlfanumericoValido(caso.CNPJ), caso.Valido) << caso.CNPJ;
  }
}

TEST(ChaveNFe, KeyLayoutAndCheckDigit) {
  const std::string prefixo =
      PrefixoChaveNFe({"41", "2612", "12ABC34501DE35", "55", "1", "123", "1", "12345678"});
  ASSERT_EQ(prefixo,
            "41261212ABC34501DE35550010000001231"
            "12345678");
  const std::string chave = prefixo + std::to_string(DigitoModulo11Alfanumerico(prefixo));
  EXPECT_TRUE(ChaveNFeValida(chave));
  std::string outroDigito = chave;
  outroDigito[43] = outroDigito[43] == '9' ? '0' : static_cast<char>(outroDigito[43] + 1);
  EXPECT_FALSE(ChaveNFeValida(outroDigito));
  std::string letraForaDoLugar = chave;
  letraForaDoLugar[2] = 'A';
  EXPECT_FALSE(ChaveNFeValida(letraForaDoLugar));
}

TEST(ChaveNFe, ACpfIssuerIsWrittenWithLeadingZeros) {
  EXPECT_EQ(PrefixoChaveNFe({"35", "2601", "12345678909", "55", "2", "9", "1", "1"}),
            "352601"
            "00012345678909"
            "55002000000009"
            "1"
            "00000001");
}

TEST(ChaveNFe, PartsThatDoNotFitAreRefused) {
  EXPECT_THROW(
      (void)PrefixoChaveNFe({"41", "2612", "12ABC34501DE35", "55", "1", "1234567890", "1", "1"}),
      ENivraDFeException);
  EXPECT_THROW((void)PrefixoChaveNFe({"41", "2612", "12abc34501DE35", "55", "1", "1", "1", "1"}),
               ENivraDFeException);
}

}  // namespace
