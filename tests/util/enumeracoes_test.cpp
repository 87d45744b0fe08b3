// Tests of the enumeration code texts and the generic conversions.
#include "nivranfe/util/enumeracoes.h"

#include <gtest/gtest.h>

#include <array>

namespace nivra {

namespace {

enum class TCor { Vermelho, Verde, Azul };

TEST(Enumeracoes, GenericConversionsTakeTheLastMatch) {
  constexpr std::array<std::string_view, 4> codigos = {"R", "G", "B", "g"};
  constexpr std::array<TCor, 4> valores = {TCor::Vermelho, TCor::Verde, TCor::Azul, TCor::Azul};
  EXPECT_EQ(EnumParaTexto<TCor>(TCor::Azul, codigos, valores), "g");
  EXPECT_EQ(EnumParaTexto<TCor>(TCor::Verde, codigos, valores), "G");
  bool ok = false;
  EXPECT_EQ(TextoParaEnum<TCor>(ok, "G", codigos, valores), TCor::Azul);
  EXPECT_TRUE(ok);
  EXPECT_EQ(TextoParaEnum<TCor>(ok, "b", codigos, valores), TCor::Azul);
  EXPECT_TRUE(ok);
  EXPECT_EQ(TextoParaEnum<TCor>(ok, " R", codigos, valores), TCor::Vermelho);
  EXPECT_FALSE(ok);
  constexpr std::array<TCor, 1> so = {TCor::Verde};
  constexpr std::array<std::string_view, 1> codigoSo = {"V"};
  EXPECT_EQ(EnumParaTexto<TCor>(TCor::Azul, codigoSo, so), "");
  EXPECT_EQ(TextoParaEnum<TCor>(ok, "x", codigoSo, so), TCor::Verde);
  EXPECT_FALSE(ok);
}

TEST(Enumeracoes, TipoAmbienteCodesAreOneAndTwo) {
  EXPECT_EQ(TipoAmbienteParaTexto(TkovTipoAmbiente::taProducao), "1");
  EXPECT_EQ(TipoAmbienteParaTexto(TkovTipoAmbiente::taHomologacao), "2");
  bool ok = false;
  EXPECT_EQ(TextoParaTipoAmbiente(ok, "2"), TkovTipoAmbiente::taHomologacao);
  EXPECT_TRUE(ok);
  EXPECT_EQ(TextoParaTipoAmbiente(ok, "3"), TkovTipoAmbiente::taProducao);
  EXPECT_FALSE(ok);
  EXPECT_EQ(TextoParaTipoAmbiente(ok, " 2"), TkovTipoAmbiente::taProducao);
  EXPECT_FALSE(ok);
}

TEST(Enumeracoes, TipoEmissaoCodesFollowTheDeclaredOrder) {
  for (int i = 0; i <= static_cast<int>(TkovTipoEmissao::teOffLine); ++i) {
    const auto tipo = static_cast<TkovTipoEmissao>(i);
    EXPECT_EQ(TipoEmissaoParaTexto(tipo), std::to_string(i + 1));
    bool ok = false;
    EXPECT_EQ(TextoParaTipoEmissao(ok, std::to_string(i + 1)), tipo);
    EXPECT_TRUE(ok);
  }
  bool ok = true;
  EXPECT_EQ(TextoParaTipoEmissao(ok, "0"), TkovTipoEmissao::teNormal);
  EXPECT_FALSE(ok);
}

TEST(Enumeracoes, ModeloCodesAndPrefixes) {
  EXPECT_EQ(ModeloParaTexto(TkovModeloDF::moNFe), "55");
  EXPECT_EQ(ModeloParaTexto(TkovModeloDF::moNFCe), "65");
  EXPECT_EQ(ModeloParaPrefixo(TkovModeloDF::moNFe), "NFe");
  EXPECT_EQ(ModeloParaPrefixo(TkovModeloDF::moNFCe), "NFCe");
  bool ok = false;
  EXPECT_EQ(TextoParaModelo(ok, "65"), TkovModeloDF::moNFCe);
  EXPECT_TRUE(ok);
  EXPECT_EQ(TextoParaModelo(ok, "57"), TkovModeloDF::moNFe);
  EXPECT_FALSE(ok);
}

TEST(Enumeracoes, VersaoNumberRangesMapToTheLayoutVersions) {
  EXPECT_DOUBLE_EQ(VersaoParaNumero(TkovVersaoDF::ve200), 2.00);
  EXPECT_DOUBLE_EQ(VersaoParaNumero(TkovVersaoDF::ve300), 3.00);
  EXPECT_DOUBLE_EQ(VersaoParaNumero(TkovVersaoDF::ve310), 3.10);
  EXPECT_DOUBLE_EQ(VersaoParaNumero(TkovVersaoDF::ve400), 4.00);
  struct Caso {
    double numero;
    TkovVersaoDF esperado;
  };
  const Caso casos[] = {
      {1, TkovVersaoDF::ve200},    {2.99, TkovVersaoDF::ve200}, {3.0, TkovVersaoDF::ve300},
      {3.09, TkovVersaoDF::ve300}, {3.1, TkovVersaoDF::ve310},  {3.99, TkovVersaoDF::ve310},
      {4.0, TkovVersaoDF::ve400},  {5, TkovVersaoDF::ve400},    {-1, TkovVersaoDF::ve200}};
  for (const Caso& caso : casos) {
    bool ok = false;
    EXPECT_EQ(NumeroParaVersao(ok, caso.numero), caso.esperado) << caso.numero;
    EXPECT_TRUE(ok);
  }
}

}  // namespace

}  // namespace nivra
