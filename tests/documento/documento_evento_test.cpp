// Building, writing and reading the NF-e event documents of the model.
#include "nivranfe/documento/documento_evento.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "nivranfe/documento/json_nfe.h"
#include "nivranfe/util/excecoes.h"
#include "tests/documento/evento_teste.h"

namespace nivra {

namespace {

using nfe::evento::Tevento;

bool AlgumCom(const std::vector<std::string>& lista, const std::string& trecho) {
  for (const auto& item : lista) {
    if (item.find(trecho) != std::string::npos) return true;
  }
  return false;
}

nfe::evento::TretEvento RetornoDe(const Tevento& evento) {
  nfe::evento::TretEvento retorno;
  auto& inf = retorno.infEvento;
  inf.tpAmb = "2";
  inf.verAplic = "SVRS202612";
  inf.cOrgao = "41";
  inf.cStat = "135";
  inf.xMotivo = "Evento registrado e vinculado a NF-e";
  inf.chNFe = evento.infEvento.chNFe;
  inf.tpEvento = evento.infEvento.tpEvento;
  inf.nSeqEvento = evento.infEvento.nSeqEvento;
  inf.CNPJDest_CPFDest = nfe::evento::TCPFDest{"12345678909"};
  inf.dhRegEvento = "2026-12-10T10:15:05-03:00";
  inf.nProt = "141260000000123";
  return retorno;
}

class TiposDeEventos : public ::testing::TestWithParam<size_t> {};

TEST_P(TiposDeEventos, WriteWithoutAlertsAndComeBackFromXMLAndJSON) {
  const Tevento evento = EventoDeTeste(GetParam());
  const TXMLGeradoNFe gerado = GerarXMLEvento(evento);
  ASSERT_TRUE(gerado.Alertas.empty()) << ::testing::PrintToString(gerado.Alertas);
  EXPECT_NE(gerado.XML.find("<tpEvento>" + evento.infEvento.tpEvento + "</tpEvento>"),
            std::string::npos);

  const TEventoLido lido = LerXMLEvento(gerado.XML);
  EXPECT_TRUE(lido.Avisos.empty()) << ::testing::PrintToString(lido.Avisos);
  EXPECT_EQ(GerarXMLEvento(lido.evento).XML, gerado.XML);
  EXPECT_EQ(GerarXMLEvento(EventoDeJSON(EventoParaJSON(evento))).XML, gerado.XML);

  const nfe::evento::TprocEventoNFe processado{evento, RetornoDe(evento)};
  const TXMLGeradoNFe proc = GerarXMLProcEventoNFe(processado);
  ASSERT_TRUE(proc.Alertas.empty()) << ::testing::PrintToString(proc.Alertas);
  const TEventoLido doProc = LerXMLEvento(proc.XML);
  ASSERT_TRUE(doProc.retEvento.has_value());
  EXPECT_EQ(GerarXMLProcEventoNFe({doProc.evento, *doProc.retEvento}).XML, proc.XML);
  EXPECT_EQ(GerarXMLProcEventoNFe(ProcEventoDeJSON(ProcEventoParaJSON(processado))).XML, proc.XML);
}

INSTANTIATE_TEST_SUITE_P(CadaTipo, TiposDeEventos,
                         ::testing::Range<size_t>(0, EscolhaDetEvento().Quantidade));

TEST(DocumentoEvento, TheLayoutHasTheIssuerRecipientAndTaxReformEvents) {
  std::set<std::string> tipos;
  for (size_t i = 0; i < EscolhaDetEvento().Quantidade; ++i) tipos.insert(TipoDoEvento(i));
  for (const char* tipo : {"110110", "110111", "110112", "210200", "210210", "210220", "210240",
                           "110001", "112110", "211110", "212120", "412130"}) {
    EXPECT_EQ(tipos.count(tipo), 1u) << tipo;
  }
}

TEST(DocumentoEvento, ComposesTheIdWithATwoDigitSequence) {
  Tevento evento = EventoDeTeste(0);
  evento.infEvento.nSeqEvento = "3";
  EXPECT_EQ(ComporIdEvento(evento), "ID" + evento.infEvento.tpEvento + ChaveDoEvento() + "03");
  evento.infEvento.nSeqEvento = "12";
  EXPECT_EQ(ComporIdEvento(evento), "ID" + evento.infEvento.tpEvento + ChaveDoEvento() + "12");
  EXPECT_EQ(evento.infEvento.Id.size(), 54u);
}

TEST(DocumentoEvento, ACorrectionLetterNeedsOnlyTheCorrection) {
  Tevento evento = EventoDeTeste(0);
  evento.infEvento.detEvento = nfe::evento::TdetEventoCCe{};
  std::get<nfe::evento::TdetEventoCCe>(evento.infEvento.detEvento).xCorrecao =
      "Onde se lê volume 2, leia-se volume 3.";
  const TXMLGeradoNFe gerado = GerarXMLEvento(evento);
  EXPECT_TRUE(gerado.Alertas.empty()) << ::testing::PrintToString(gerado.Alertas);
  EXPECT_NE(gerado.XML.find("<descEvento>Carta de Correção</descEvento>"), std::string::npos);
  EXPECT_NE(gerado.XML.find("<xCondUso>A Carta de Correção é disciplinada"), std::string::npos);
}

struct TCasoId {
  const char* Nome;
  std::function<void(nfe::evento::TinfEvento&)> Estragar;
  const char* Mensagem;
};

class IdInvalido : public ::testing::TestWithParam<TCasoId> {};

TEST_P(IdInvalido, IsRefusedNamingTheField) {
  Tevento evento = EventoDeTeste(1);
  GetParam().Estragar(evento.infEvento);
  try {
    ComporIdEvento(evento);
    FAIL() << "nenhuma exceção";
  } catch (const ENivraDFeException& erro) {
    EXPECT_NE(std::string(erro.what()).find(GetParam().Mensagem), std::string::npos) << erro.what();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Casos, IdInvalido,
    ::testing::Values(
        TCasoId{"TipoCurto", [](auto& inf) { inf.tpEvento = "11011"; }, "Campo tpEvento inválido"},
        TCasoId{"DigitoDaChave",
                [](auto& inf) { inf.chNFe.back() = inf.chNFe.back() == '0' ? '1' : '0'; },
                "Campo chNFe inválido"},
        TCasoId{"ChaveVazia", [](auto& inf) { inf.chNFe.clear(); }, "Campo chNFe inválido"},
        TCasoId{"SequenciaZero", [](auto& inf) { inf.nSeqEvento = "0"; },
                "Campo nSeqEvento inválido"},
        TCasoId{"SequenciaLonga", [](auto& inf) { inf.nSeqEvento = "100"; },
                "Campo nSeqEvento inválido"},
        TCasoId{"SequenciaVazia", [](auto& inf) { inf.nSeqEvento.clear(); },
                "Campo nSeqEvento inválido"}),
    [](const auto& info) { return std::string(info.param.Nome); });

struct TCasoAlerta {
  const char* Nome;
  std::function<void(Tevento&)> Estragar;
  const char* Trecho;
};

class AlertasEvento : public ::testing::TestWithParam<TCasoAlerta> {};

TEST_P(AlertasEvento, NameTheFieldAndItsGroup) {
  Tevento evento = EventoDeTeste(0);  // a correction letter
  GetParam().Estragar(evento);
  const TXMLGeradoNFe gerado = GerarXMLEvento(evento);
  EXPECT_TRUE(AlgumCom(gerado.Alertas, GetParam().Trecho))
      << ::testing::PrintToString(gerado.Alertas);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, AlertasEvento,
    ::testing::Values(
        TCasoAlerta{"DetalheDeOutroTipo",
                    [](Tevento& e) { e.infEvento.detEvento = nfe::evento::TdetEventoCiencia{}; },
                    "Grupo não corresponde a tpEvento [110110]"},
        TCasoAlerta{"SemDetalhe", [](Tevento& e) { e.infEvento.detEvento = std::monostate{}; },
                    "detEvento"},
        TCasoAlerta{"IdDeOutraSequencia", [](Tevento& e) { e.infEvento.nSeqEvento = "2"; },
                    "não corresponde a tpEvento, chNFe e nSeqEvento"},
        TCasoAlerta{"CorrecaoCurta",
                    [](Tevento& e) {
                      std::get<nfe::evento::TdetEventoCCe>(e.infEvento.detEvento).xCorrecao =
                          "curta";
                    },
                    "xCorrecao"},
        TCasoAlerta{"CondicaoDeUsoAlterada",
                    [](Tevento& e) {
                      std::get<nfe::evento::TdetEventoCCe>(e.infEvento.detEvento).xCondUso +=
                          " Mais.";
                    },
                    "xCondUso"},
        TCasoAlerta{"TipoDesconhecido", [](Tevento& e) { e.infEvento.tpEvento = "999999"; },
                    "Valor [999999] fora dos aceitos"},
        TCasoAlerta{"CNPJErrado",
                    [](Tevento& e) { e.infEvento.CNPJ_CPF = nfe::evento::TCNPJ{"12ABC34501DE36"}; },
                    "Conteúdo inválido [12ABC34501DE36]"},
        TCasoAlerta{"SemData", [](Tevento& e) { e.infEvento.dhEvento.clear(); }, "dhEvento"}),
    [](const auto& info) { return std::string(info.param.Nome); });

TEST(LeituraEvento, AcceptsPrefixesCommentsAndIndentation) {
  const Tevento evento = EventoDeTeste(1);  // a cancellation
  const std::string xml =
      "<?xml version=\"1.0\"?>\n"
      "<nfe:procEventoNFe versao=\"1.00\" xmlns:nfe=\"http://www.portalfiscal.inf.br/nfe\">\n"
      "  <!-- cancelamento -->\n"
      "  <nfe:evento versao=\"1.00\">\n"
      "    <nfe:infEvento Id=\"" +
      evento.infEvento.Id +
      "\">\n"
      "      <nfe:cOrgao>41</nfe:cOrgao><nfe:tpAmb>2</nfe:tpAmb>\n"
      "      <nfe:CNPJ>12ABC34501DE35</nfe:CNPJ><nfe:chNFe>" +
      ChaveDoEvento() +
      "</nfe:chNFe>\n"
      "      <nfe:dhEvento>2026-12-10T10:15:00-03:00</nfe:dhEvento>\n"
      "      <nfe:tpEvento>110111</nfe:tpEvento><nfe:nSeqEvento>1</nfe:nSeqEvento>\n"
      "      <nfe:verEvento>1.00</nfe:verEvento>\n"
      "      <nfe:detEvento versao=\"1.00\">\n"
      "        <nfe:descEvento>Cancelamento</nfe:descEvento>\n"
      "        <nfe:nProt>141260000000001</nfe:nProt>\n"
      "        <nfe:xJust>Pedido cancelado pelo cliente</nfe:xJust>\n"
      "      </nfe:detEvento>\n"
      "    </nfe:infEvento>\n"
      "  </nfe:evento>\n"
      "</nfe:procEventoNFe>\n";
  const TEventoLido lido = LerXMLEvento(xml);
  EXPECT_TRUE(lido.Avisos.empty()) << ::testing::PrintToString(lido.Avisos);
  EXPECT_FALSE(lido.retEvento.has_value());
  const auto& cancelamento =
      std::get<nfe::evento::TdetEventoCancelamento>(lido.evento.infEvento.detEvento);
  EXPECT_EQ(cancelamento.xJust, "Pedido cancelado pelo cliente");
  EXPECT_EQ(cancelamento.nProt, "141260000000001");
  EXPECT_EQ(lido.XMLOriginal, xml);
  EXPECT_TRUE(GerarXMLEvento(lido.evento).Alertas.empty());
}

TEST(LeituraEvento, WhatTheDocumentLacksIsNotFilledFromTheModel) {
  std::string xml = GerarXMLEvento(EventoDeTeste(1)).XML;
  const std::string detalhe = "<detEvento versao=\"1.00\">";
  xml.replace(xml.find(detalhe), detalhe.size(), "<detEvento versao=\"\">");
  const std::string versao = "<verEvento>1.00</verEvento>";
  xml.erase(xml.find(versao), versao.size());
  const TEventoLido lido = LerXMLEvento(xml);
  EXPECT_EQ(lido.evento.infEvento.verEvento, "");
  EXPECT_EQ(std::get<nfe::evento::TdetEventoCancelamento>(lido.evento.infEvento.detEvento).versao,
            "");
  const TXMLGeradoNFe gerado = GerarXMLEvento(lido.evento);
  EXPECT_TRUE(AlgumCom(gerado.Alertas, "verEvento")) << ::testing::PrintToString(gerado.Alertas);
  EXPECT_EQ(GerarXMLEvento(LerXMLEvento(gerado.XML).evento).XML, gerado.XML);
  EXPECT_EQ(GerarXMLEvento(EventoDeJSON(EventoParaJSON(lido.evento))).XML, gerado.XML);
}

TEST(LeituraEvento, ReportsADetailOfATypeWithoutLayoutWithItsPath) {
  Tevento evento = EventoDeTeste(0);
  std::string xml = GerarXMLEvento(evento).XML;
  const std::string tipo = "<tpEvento>110110</tpEvento>";
  xml.replace(xml.find(tipo), tipo.size(), "<tpEvento>110130</tpEvento>");
  const TEventoLido lido = LerXMLEvento(xml);
  EXPECT_EQ(lido.Avisos, std::vector<std::string>{"Elemento sem leiaute para tpEvento [110130] "
                                                  "ignorado: evento/infEvento/detEvento"});
  EXPECT_EQ(lido.evento.infEvento.detEvento.index(), 0u);
}

TEST(LeituraEvento, ReportsUnknownElementsAndBadAmountsWithTheirPath) {
  const size_t consumo = [] {
    for (size_t i = 0;; ++i) {
      if (TipoDoEvento(i) == "211120") return i;
    }
  }();
  std::string xml = GerarXMLEvento(EventoDeTeste(consumo)).XML;
  xml.replace(xml.find("<verAplic>"), 0, "<extra>1</extra>");
  EXPECT_TRUE(AlgumCom(LerXMLEvento(xml).Avisos,
                       "Elemento desconhecido ignorado: evento/infEvento/detEvento/extra"));
  const size_t valor = xml.find("<vIBS>") + 6;
  xml.replace(valor, xml.find("</vIBS>") - valor, "1,5");
  try {
    (void)LerXMLEvento(xml);
    FAIL() << "nenhuma exceção";
  } catch (const ENivraDFeException& erro) {
    EXPECT_STREQ(erro.what(),
                 "Valor decimal inválido em evento/infEvento/detEvento/gConsumo/vIBS: \"1,5\"");
  }
}

TEST(LeituraEvento, RefusesTextThatIsNotAnEvent) {
  const std::pair<const char*, const char*> casos[] = {
      {"<evento", "Documento de evento não é um XML válido"},
      {"<NFe xmlns=\"http://www.portalfiscal.inf.br/nfe\"/>",
       "Documento não contém o elemento evento"},
  };
  for (const auto& [xml, mensagem] : casos) {
    try {
      (void)LerXMLEvento(xml);
      ADD_FAILURE() << xml;
    } catch (const ENivraDFeException& erro) {
      EXPECT_STREQ(erro.what(), mensagem);
    }
  }
}

TEST(JSONEvento, NamesAreTheElementNames) {
  const std::string json = EventoParaJSON(EventoDeTeste(1), -1);
  EXPECT_EQ(json.find("{\"infEvento\":{\"cOrgao\":\"41\",\"tpAmb\":\"2\",\"CNPJ\":"), 0u) << json;
  EXPECT_NE(json.find("\"tpEvento\":\"110111\""), std::string::npos);
  EXPECT_NE(json.find("\"detEvento\":{\"descEvento\":\"Cancelamento\""), std::string::npos);
  EXPECT_NE(json.find("\"versao\":\"1.00\"}"), std::string::npos);
}

TEST(JSONEvento, RefusesMembersOutOfTheLayoutWithTheirPath) {
  const std::pair<const char*, const char*> casos[] = {
      {R"({"infEvento": {"tpEvento": "999999", "detEvento": {"descEvento": "X"}}})",
       "JSON do evento: infEvento/detEvento sem leiaute para tpEvento [999999]"},
      {R"({"infEvento": {"detEvento": {"descEvento": "X"}}})",
       "JSON do evento: infEvento/detEvento sem leiaute para tpEvento []"},
      {R"({"infEvento": {"tpEvento": "110111", "detEvento": {"xCorrecao": "abc"}}})",
       "JSON do evento: infEvento/detEvento/xCorrecao não pertence ao leiaute aqui"},
      {R"({"infEvento": {"tpEvento": "112120", "detEvento": {"gConsumo": {}}}})",
       "JSON do evento: infEvento/detEvento/gConsumo deveria ser uma lista"},
      {"[", "JSON do evento inválido"},
  };
  for (const auto& [json, mensagem] : casos) {
    try {
      (void)EventoDeJSON(json);
      ADD_FAILURE() << json;
    } catch (const ENivraDFeException& erro) {
      EXPECT_STREQ(erro.what(), mensagem);
    }
  }
}

}  // namespace

}  // namespace nivra
