// Parsing rules of the services table's INI text.
#include "nivranfe/dfe/servicos_ini.h"

#include <gtest/gtest.h>

namespace nivra {

namespace {

TEST(TServicosIni, ReadsTrimmedKeysAndValuesIgnoringCaseOfSectionAndKey) {
  const TServicosIni ini(
      "  [ NFe_PR_P ]  \r\n"
      "  NfeStatusServico_4.00 =  https://pr/status  \r\n"
      "Chave=a=b\n");
  EXPECT_EQ(ini.Ler("nfe_pr_p", "NFESTATUSSERVICO_4.00"), "https://pr/status");
  EXPECT_EQ(ini.Ler("NFe_PR_P", "Chave"), "a=b");
}

TEST(TServicosIni, IgnoresCommentsBlankLinesAndLinesBeforeTheFirstSection) {
  const TServicosIni ini(
      "Solta=1\n"
      "; [Comentario]\n"
      "\n"
      "[A]\n"
      "; X=comentado\n"
      "   ;Y=comentado\n"
      "X=1\n");
  EXPECT_EQ(ini.Secoes(), std::vector<std::string>{"A"});
  EXPECT_EQ(ini.Ler("A", "X"), "1");
  EXPECT_EQ(ini.Ler("A", "Y"), "");
  EXPECT_EQ(ini.Entradas("A").size(), 1u);
}

TEST(TServicosIni, FirstSectionAndFirstEntryWinOverRepeatedNames) {
  const TServicosIni ini(
      "[A]\n"
      "K=primeiro\n"
      "k=segundo\n"
      "[a]\n"
      "K=outra secao\n"
      "Z=so na repetida\n");
  EXPECT_EQ(ini.Ler("A", "K"), "primeiro");
  EXPECT_EQ(ini.Ler("A", "Z"), "");
  EXPECT_EQ(ini.Secoes(), std::vector<std::string>{"A"});
}

TEST(TServicosIni, SectionWithoutLinesCountsAsMissing) {
  const TServicosIni ini(
      "[Vazia]\n"
      "; so comentario\n"
      "\n"
      "[SemIgual]\n"
      "linha sem sinal de igual\n");
  EXPECT_FALSE(ini.SecaoExiste("Vazia"));
  EXPECT_FALSE(ini.SecaoExiste("Inexistente"));
  EXPECT_TRUE(ini.SecaoExiste("SemIgual"));
  EXPECT_EQ(ini.Ler("SemIgual", "linha sem sinal de igual"), "");
  EXPECT_TRUE(ini.Entradas("Inexistente").empty());
}

TEST(TServicosIni, KeepsEntriesInTableOrderAndHandlesEveryLineEnding) {
  const TServicosIni ini("[S]\rB=2\r\nA=1\nC=3");
  const auto& entradas = ini.Entradas("S");
  ASSERT_EQ(entradas.size(), 3u);
  EXPECT_EQ(entradas[0].Chave, "B");
  EXPECT_EQ(entradas[1].Chave, "A");
  EXPECT_EQ(entradas[2].Valor, "3");
}

TEST(TServicosIni, SkipsAByteOrderMarkBeforeTheFirstSection) {
  const TServicosIni ini("\xEF\xBB\xBF[NFe_PR_P]\nK=1\n");
  EXPECT_EQ(ini.Ler("NFe_PR_P", "K"), "1");
}

TEST(TServicosIni, CarregarReplacesThePreviousContent) {
  TServicosIni ini("[Antiga]\nK=1\n");
  ini.Carregar("[Nova]\nK=2\n");
  EXPECT_FALSE(ini.SecaoExiste("Antiga"));
  EXPECT_EQ(ini.Ler("Nova", "K"), "2");
}

TEST(TServicosIni, KeepsUtf8ValuesIntact) {
  const TServicosIni ini("[Seção]\nDescrição=Produção\n");
  EXPECT_EQ(ini.Ler("SEçãO", "descrição"), "Produção");
}

}  // namespace

}  // namespace nivra
