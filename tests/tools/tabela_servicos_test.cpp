// The services-table checker: reading a list in the published format and finding the
// addresses where the table differs.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>

#include "tools/tabela_servicos/comparacao_tabela.h"
#include "tools/tabela_servicos/lista_referencia.h"

namespace nivra {

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

// A list in the published format: two authorisers and a UF with a page of its own.
constexpr const char* kLista = R"(<?xml version="1.0" encoding="utf-8"?>
<WS>
  <UF>
    <sigla>XA</sigla>
    <homologacao>
      <NfeStatusServico method="m" operation="o" version="4.00">https://h.xa/status4</NfeStatusServico>
      <NfeConsultaCadastro version="2.00"></NfeConsultaCadastro>
    </homologacao>
    <producao>
      <NfeStatusServico version="4.00"> https://p.xa/status4 </NfeStatusServico>
      <RecepcaoEvento version="1.00">https://p.xa/evento4</RecepcaoEvento>
    </producao>
  </UF>
  <UF>
    <sigla>SVCAN</sigla>
    <producao>
      <NfeStatusServico version="4.00">https://p.svc/status4</NfeStatusServico>
      <StatusDesconhecido version="4.00">https://p.svc/outro</StatusDesconhecido>
    </producao>
  </UF>
  <UF>
    <sigla>YY</sigla>
    <producao>
      <NfeConsultaQR version="200">http://p.yy/qrcode</NfeConsultaQR>
    </producao>
  </UF>
</WS>)";

constexpr const char* kAutorizadores = R"({
  "65": {"YY": "XA"},
  "55": {"XA": "XA", "ZZ": "XA", "SVCAN": "SVCAN"}
})";

TEST(LerListaEnderecos, ReadsEveryAddressWithItsAuthoriserAndEnvironment) {
  const std::vector<TEnderecoLista> lista = LerListaEnderecos(kLista, "lista.xml");
  ASSERT_EQ(lista.size(), 6u);
  EXPECT_EQ(lista[0].Sigla, "XA");
  EXPECT_EQ(lista[0].Ambiente, 'P');
  EXPECT_EQ(lista[0].Servico, "NfeStatusServico");
  EXPECT_EQ(lista[0].URL, "https://p.xa/status4");
  EXPECT_EQ(lista[2].Ambiente, 'H');
  EXPECT_EQ(lista[5].Servico, "NfeConsultaQR");
}

TEST(LerListaEnderecos, RejectsTextThatIsNotAList) {
  for (const char* texto : {"<WS><UF>", "<outra/>", ""}) {
    EXPECT_THROW((void)LerListaEnderecos(texto, "x.xml"), std::runtime_error) << texto;
  }
}

TEST(LerAutorizadores, ReadsThePairsOfTheModel) {
  const auto mapa = LerAutorizadores(kAutorizadores, "55");
  EXPECT_EQ(mapa.size(), 3u);
  EXPECT_EQ(mapa.at("ZZ"), "XA");
  EXPECT_EQ(LerAutorizadores(kAutorizadores, "65").size(), 1u);
}

TEST(LerAutorizadores, RejectsMissingModelAndMalformedText) {
  EXPECT_THROW((void)LerAutorizadores(kAutorizadores, "57"), std::runtime_error);
  for (const char* texto : {"{\"55\": {\"AC\" \"SVRS\"}}", "{\"55\": {\"AC\": \"SVRS\"}", "[]"}) {
    EXPECT_THROW((void)LerAutorizadores(texto, "55"), std::runtime_error) << texto;
  }
}

TResultadoComparacao Comparar(const char* tabela, const char* modelo) {
  return CompararTabela(TServicosIni(tabela), "Tabela", modelo,
                        LerListaEnderecos(kLista, "lista.xml"),
                        LerAutorizadores(kAutorizadores, modelo));
}

TEST(CompararTabela, AcceptsATableThatResolvesEveryListedAddress) {
  const TResultadoComparacao r = Comparar(
      "[NFe_XA_P]\nNfeStatusServico_3.10=https://p.xa/antigo\n"
      "NfeStatusServico_4.00=https://p.xa/status4\n"
      "RecepcaoEvento_1.00=https://p.xa/evento\nRecepcaoEvento_4.00=https://p.xa/evento4\n"
      "[NFe_XA_H]\nNfeStatusServico_4.00=https://h.xa/status4\n"
      "[NFe_ZZ_P]\nUsar=NFe_XA_P\n[NFe_ZZ_H]\nUsar=NFe_XA_H\n"
      "[NFe_SVC-AN_P]\nNfeStatusServico_4.00=https://p.svc/status4\n",
      "55");
  EXPECT_TRUE(r.Diferencas.empty());
  EXPECT_EQ(r.Conferidos, 7);
  EXPECT_THAT(r.Ignorados, ElementsAre("StatusDesconhecido em NFe_SVC-AN_P"));
}

TEST(CompararTabela, ReportsRetiredAddressesAndMissingSections) {
  const TResultadoComparacao r = Comparar(
      // Production still sends status to a 3.10 address; homologation is missing.
      "[NFe_XA_P]\nNfeStatusServico_3.10=https://p.xa/antigo\n"
      "RecepcaoEvento_4.00=https://p.xa/evento4\n"
      "[NFe_ZZ_P]\nUsar=NFe_XA_P\n"
      "[NFe_SVC-AN_P]\nNfeStatusServico_4.00=https://p.svc/status4\n",
      "55");
  ASSERT_EQ(r.Diferencas.size(), 4u);
  EXPECT_EQ(r.Diferencas[0].Secao, "NFe_XA_P");
  EXPECT_EQ(r.Diferencas[0].NaTabela, "https://p.xa/antigo");
  EXPECT_EQ(r.Diferencas[0].NaLista, "https://p.xa/status4");
  EXPECT_EQ(r.Diferencas[1].Secao, "NFe_XA_H");
  EXPECT_THAT(r.Diferencas[1].NaTabela, HasSubstr("erro: Sessão \"NFe_XA_H\", não encontrada"));
  EXPECT_EQ(r.Diferencas[2].Secao, "NFe_ZZ_P");
  EXPECT_EQ(r.Diferencas[3].Secao, "NFe_ZZ_H");
}

TEST(CompararTabela, UsesTheUfsOwnEntriesOverTheAuthorisers) {
  const TResultadoComparacao r = Comparar(
      "[NFCe_YY_P]\nUsar=NFCe_XA_P\nURL-QRCode=http://p.yy/qrcode\n"
      "[NFCe_XA_P]\nNfeStatusServico_4.00=https://p.xa/status4\n"
      "RecepcaoEvento_4.00=https://p.xa/outro\n"
      "[NFCe_YY_H]\nUsar=NFCe_XA_H\n[NFCe_XA_H]\nNfeStatusServico_4.00=https://h.xa/status4\n",
      "65");
  ASSERT_EQ(r.Diferencas.size(), 1u);
  EXPECT_EQ(r.Diferencas[0].Servico, "RecepcaoEvento");
  EXPECT_EQ(r.Conferidos, 4);
}

TEST(CompararTabela, RejectsAnUnknownModel) {
  EXPECT_THROW((void)CompararTabela(TServicosIni(""), "T", "57", {}, {}), std::invalid_argument);
}

}  // namespace

}  // namespace nivra
