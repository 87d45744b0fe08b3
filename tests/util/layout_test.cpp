// Tests of the layout, service and schema tables.
#include "nivranfe/util/layout.h"

#include <gtest/gtest.h>

#include "nivranfe/util/enumeracoes.h"
#include "nivranfe/util/numeros.h"

namespace nivra {

namespace {

TEST(LayOut, ServiceNamesAreTheKeysOfTheServicesTable) {
  EXPECT_EQ(LayOutParaServico(TLayOut::LayNfeStatusServico), "NfeStatusServico");
  EXPECT_EQ(LayOutParaServico(TLayOut::LayNfeConsulta), "NfeConsultaProtocolo");
  EXPECT_EQ(LayOutParaServico(TLayOut::LayNFeEvento), "RecepcaoEvento");
  EXPECT_EQ(LayOutParaServico(TLayOut::LayNFCeEPEC), "EventoEPEC");
  EXPECT_EQ(LayOutParaServico(static_cast<TLayOut>(99)), "");
}

TEST(LayOut, ServicoParaLayOutIgnoresCaseAndTakesTheLastMatch) {
  bool ok = false;
  EXPECT_EQ(ServicoParaLayOut(ok, "RecepcaoEvento"), TLayOut::LayNFeEventoAN);
  EXPECT_TRUE(ok);
  EXPECT_EQ(ServicoParaLayOut(ok, "nfestatusservico"), TLayOut::LayNfeStatusServico);
  EXPECT_TRUE(ok);
  EXPECT_EQ(ServicoParaLayOut(ok, "NfeStatusServico4"), TLayOut::LayNfeRecepcao);
  EXPECT_FALSE(ok);
}

TEST(LayOut, EveryLayOutRoundTripsThroughItsServiceName) {
  for (int i = 0; i <= static_cast<int>(TLayOut::LayNFCeEPEC); ++i) {
    const auto layout = static_cast<TLayOut>(i);
    const std::string servico = LayOutParaServico(layout);
    ASSERT_FALSE(servico.empty()) << i;
    bool ok = false;
    const TLayOut volta = ServicoParaLayOut(ok, servico);
    EXPECT_TRUE(ok);
    EXPECT_EQ(LayOutParaServico(volta), servico);
    EXPECT_NE(LayOutParaSchema(layout), TSchemaNFe::schErro) << i;
  }
}

TEST(LayOut, SchemaNamesDropTheirSchPrefix) {
  EXPECT_EQ(LayOutParaSchema(TLayOut::LayNfeStatusServico), TSchemaNFe::schconsStatServ);
  EXPECT_EQ(SchemaParaTexto(LayOutParaSchema(TLayOut::LayNfeStatusServico)), "consStatServ");
  EXPECT_EQ(LayOutParaSchema(TLayOut::LayNfeRetAutorizacao), TSchemaNFe::schretEnviNFe);
  EXPECT_EQ(LayOutParaSchema(static_cast<TLayOut>(99)), TSchemaNFe::schErro);
  EXPECT_EQ(SchemaParaTexto(TSchemaNFe::schNfe), "Nfe");
  EXPECT_EQ(SchemaParaTexto(TSchemaNFe::schErro), "Erro");
  EXPECT_EQ(SchemaParaTexto(TSchemaNFe::scheventoEPEC), "eventoEPEC");
}

TEST(LayOut, TextoParaSchemaReadsTheNameBeforeTheFirstUnderscore) {
  struct Caso {
    const char* texto;
    int esperado;
  };
  const Caso casos[] = {
      {"consStatServ_v4.00", static_cast<int>(TSchemaNFe::schconsStatServ)},
      {"CONSSTATSERV", static_cast<int>(TSchemaNFe::schconsStatServ)},
      {"schNfe", static_cast<int>(TSchemaNFe::schNfe)},
      {"nfe_v4.00.xsd", static_cast<int>(TSchemaNFe::schNfe)},
      {"Erro", 0},
      {"eventoEPEC_v1.00", static_cast<int>(TSchemaNFe::scheventoEPEC)},
      {"SCHNfe", -1},  // "SCH" is not the prefix, so "sch" is added
      {"leiauteNFe_v4.00", -1},
      {"", -1},
      {"_consStatServ", -1},
  };
  for (const Caso& caso : casos) {
    EXPECT_EQ(TextoParaSchema(caso.texto), caso.esperado) << caso.texto;
  }
}

TEST(LayOut, VersionTextHasTwoDecimalsAndAPoint) {
  EXPECT_EQ(DecimalParaTexto('.', "0.00", VersaoParaNumero(TkovVersaoDF::ve400)), "4.00");
  EXPECT_EQ(DecimalParaTexto('.', "0.00", VersaoParaNumero(TkovVersaoDF::ve310)), "3.10");
}

}  // namespace

}  // namespace nivra
