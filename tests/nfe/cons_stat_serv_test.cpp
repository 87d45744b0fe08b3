// The status request document: its exact text and its validity under the shipped schema.
#include "nivranfe/nfe/cons_stat_serv.h"

#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/xmlschemas.h>

#include <memory>
#include <regex>
#include <string>

namespace nivra {

namespace {

struct TCasoPedido {
  TkovTipoAmbiente tpAmb;
  int32_t cUF;
  std::string versao;
  std::string esperado;
};

class ConsStatServTexto : public ::testing::TestWithParam<TCasoPedido> {};

TEST_P(ConsStatServTexto, WritesOneLineWithNamespaceVersionAndThreeFields) {
  const TCasoPedido& caso = GetParam();
  TConsStatServ pedido;
  pedido.SettpAmb(caso.tpAmb);
  pedido.SetcUF(caso.cUF);
  pedido.SetVersao(caso.versao);
  EXPECT_TRUE(pedido.GerarXML());
  EXPECT_EQ(pedido.Gerador().ArquivoFormatoXML(), caso.esperado);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, ConsStatServTexto,
    ::testing::Values(
        TCasoPedido{TkovTipoAmbiente::taProducao, 41, "4.00",
                    "<consStatServ xmlns=\"http://www.portalfiscal.inf.br/nfe\" versao=\"4.00\">"
                    "<tpAmb>1</tpAmb><cUF>41</cUF><xServ>STATUS</xServ></consStatServ>"},
        TCasoPedido{TkovTipoAmbiente::taHomologacao, 35, "3.10",
                    "<consStatServ xmlns=\"http://www.portalfiscal.inf.br/nfe\" versao=\"3.10\">"
                    "<tpAmb>2</tpAmb><cUF>35</cUF><xServ>STATUS</xServ></consStatServ>"},
        // No real UF has a one-digit code; the field still keeps its two digits.
        TCasoPedido{TkovTipoAmbiente::taProducao, 7, "4.00",
                    "<consStatServ xmlns=\"http://www.portalfiscal.inf.br/nfe\" versao=\"4.00\">"
                    "<tpAmb>1</tpAmb><cUF>07</cUF><xServ>STATUS</xServ></consStatServ>"}));

TEST(ConsStatServ, ReportsFailureWhenTheGeneratorRecordsAnAlert) {
  TConsStatServ pedido;
  pedido.SetcUF(123);  // three digits exceed the field
  pedido.SetVersao("4.00");
  EXPECT_FALSE(pedido.GerarXML());
  ASSERT_EQ(pedido.Gerador().ListaDeAlertas().size(), 1u);
  EXPECT_NE(pedido.Gerador().ListaDeAlertas()[0].find("Tamanho maior que o máximo permitido [123]"),
            std::string::npos);
}

TEST(ConsStatServ, RebuildingStartsFromAnEmptyText) {
  TConsStatServ pedido;
  pedido.SetcUF(41);
  pedido.SetVersao("4.00");
  ASSERT_TRUE(pedido.GerarXML());
  const std::string primeiro = pedido.Gerador().ArquivoFormatoXML();
  ASSERT_TRUE(pedido.GerarXML());
  EXPECT_EQ(pedido.Gerador().ArquivoFormatoXML(), primeiro);
}

TEST(ConsStatServ, FileNameIsATimeStampFollowedByTheRequestSuffix) {
  TConsStatServ pedido;
  EXPECT_TRUE(std::regex_match(pedido.ObterNomeArquivo(), std::regex(R"(\d{14}-ped-sta\.xml)")));
}

// libxml2 owners, so that a failing assertion frees what was built.
struct TLiberaDoc {
  void operator()(xmlDoc* d) const { xmlFreeDoc(d); }
};
struct TLiberaSchemaParser {
  void operator()(xmlSchemaParserCtxt* c) const { xmlSchemaFreeParserCtxt(c); }
};
struct TLiberaSchema {
  void operator()(xmlSchema* s) const { xmlSchemaFree(s); }
};
struct TLiberaValidador {
  void operator()(xmlSchemaValidCtxt* c) const { xmlSchemaFreeValidCtxt(c); }
};

// 0 when the document is valid under the schema file; -1 when the schema cannot be loaded.
int ValidarContraSchema(const std::string& xml, const std::string& arquivoSchema) {
  std::unique_ptr<xmlSchemaParserCtxt, TLiberaSchemaParser> parser(
      xmlSchemaNewParserCtxt(arquivoSchema.c_str()));
  if (!parser) return -1;
  std::unique_ptr<xmlSchema, TLiberaSchema> schema(xmlSchemaParse(parser.get()));
  if (!schema) return -1;
  std::unique_ptr<xmlSchemaValidCtxt, TLiberaValidador> validador(
      xmlSchemaNewValidCtxt(schema.get()));
  std::unique_ptr<xmlDoc, TLiberaDoc> doc(xmlReadMemory(xml.data(), static_cast<int>(xml.size()),
                                                        "pedido.xml", nullptr, XML_PARSE_NONET));
  if (!validador || !doc) return -1;
  return xmlSchemaValidateDoc(validador.get(), doc.get());
}

const std::string kSchemaStatus =
    std::string(NIVRA_SOURCE_DIR) + "/resources/schemas/consStatServ_v4.00.xsd";

TEST(ConsStatServ, ProductionRequestForParanaIsValidUnderTheShippedSchema) {
  TConsStatServ pedido;
  pedido.SettpAmb(TkovTipoAmbiente::taProducao);
  pedido.SetcUF(41);
  pedido.SetVersao("4.00");
  ASSERT_TRUE(pedido.GerarXML());
  EXPECT_EQ(ValidarContraSchema(pedido.Gerador().ArquivoFormatoXML(), kSchemaStatus), 0);
}

TEST(ConsStatServ, ShippedSchemaRejectsARequestWithAWrongVersion) {
  // Guards the check above: the schema really is applied.
  TConsStatServ pedido;
  pedido.SetcUF(41);
  pedido.SetVersao("3.10");
  ASSERT_TRUE(pedido.GerarXML());
  EXPECT_GT(ValidarContraSchema(pedido.Gerador().ArquivoFormatoXML(), kSchemaStatus), 0);
}

}  // namespace

}  // namespace nivra
