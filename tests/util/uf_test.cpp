// Tests of the UF table conversions.
#include "nivranfe/util/uf.h"

#include <gtest/gtest.h>

#include <set>

namespace nivra {

namespace {

TEST(UF, TableHoldsTheTwentySevenStatesWithDistinctCodes) {
  const auto tabela = TabelaUF();
  ASSERT_EQ(tabela.size(), 27u);
  std::set<int32_t> codigos;
  std::set<std::string_view> siglas;
  for (const TUFInfo& uf : tabela) {
    codigos.insert(uf.Codigo);
    siglas.insert(uf.Sigla);
    EXPECT_EQ(CodigoUFParaSigla(uf.Codigo), uf.Sigla);
    EXPECT_EQ(CUFParaSigla(uf.Codigo), uf.Sigla);
    EXPECT_EQ(SiglaUFParaCodigo(uf.Sigla), uf.Codigo);
    EXPECT_TRUE(SiglaUFValida(uf.Sigla));
    EXPECT_TRUE(CodigoUFValido(uf.Codigo));
  }
  EXPECT_EQ(codigos.size(), 27u);
  EXPECT_EQ(siglas.size(), 27u);
}

TEST(UF, CodeToLetters) {
  EXPECT_EQ(CodigoUFParaSigla(41), "PR");
  EXPECT_EQ(CodigoUFParaSigla(35), "SP");
  EXPECT_EQ(CodigoUFParaSigla(90), "DF");
  EXPECT_EQ(CodigoUFParaSigla(91), "DF");
  for (int32_t codigo : {0, 1, 99, -41, 92}) {
    EXPECT_EQ(CodigoUFParaSigla(codigo), "") << codigo;
    EXPECT_FALSE(CodigoUFValido(codigo)) << codigo;
    EXPECT_EQ(CUFParaSigla(codigo), "") << codigo;
  }
  EXPECT_TRUE(CodigoUFValido(90));
  EXPECT_TRUE(CodigoUFValido(91));
  EXPECT_EQ(CUFParaSigla(91), "");
  EXPECT_EQ(CUFParaSigla(90), "");
}

TEST(UF, LettersToCode) {
  EXPECT_EQ(SiglaUFParaCodigo("PR"), 41);
  EXPECT_EQ(SiglaUFParaCodigo("AC"), 12);
  EXPECT_EQ(SiglaUFParaCodigo("TO"), 17);
  for (const char* sigla : {"pr", "EX", "XX", "", "PR ", "AN"}) {
    EXPECT_EQ(SiglaUFParaCodigo(sigla), 0) << sigla;
  }
  EXPECT_TRUE(SiglaUFValida("EX"));
  EXPECT_FALSE(SiglaUFValida("pr"));
  EXPECT_FALSE(SiglaUFValida(""));
  EXPECT_FALSE(SiglaUFValida("AN"));
}

}  // namespace

}  // namespace nivra
