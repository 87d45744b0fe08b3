// The access key composed from its parts, alphanumeric CNPJ included.
#include "nivranfe/documento/chave_nfe.h"

#include <gtest/gtest.h>

#include "nivranfe/util/chave_acesso.h"
#include "nivranfe/util/excecoes.h"

namespace nivra {

namespace {

TEST(ChaveNFe, KeyLayoutAndCheckDigit) {
  const std::string prefixo =
      PrefixoChaveNFe({"41", "2612", "12ABC34501DE35", "55", "1", "123", "1", "12345678"});
  ASSERT_EQ(prefixo,
            "41261212ABC34501DE35550010000001231"
            "12345678");
  const std::string chave = prefixo + std::to_string(DigitoChaveAcesso(prefixo));
  EXPECT_TRUE(ChaveAcessoValida(chave));
  std::string outroDigito = chave;
  outroDigito[43] = outroDigito[43] == '9' ? '0' : static_cast<char>(outroDigito[43] + 1);
  EXPECT_FALSE(ChaveAcessoValida(outroDigito));
  std::string letraForaDoLugar = chave;
  letraForaDoLugar[2] = 'A';
  EXPECT_FALSE(ChaveAcessoValida(letraForaDoLugar));
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

}  // namespace nivra
