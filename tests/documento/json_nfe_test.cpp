// The JSON form of the document model, both ways.
#include "nivranfe/documento/json_nfe.h"

#include <gtest/gtest.h>

#include "nivranfe/documento/documento_nfe.h"
#include "nivranfe/util/excecoes.h"
#include "tests/documento/nota_teste.h"
#include "tests/documento/preenchedor.h"

namespace nivra {

namespace {

TEST(JSONNFe, NamesAreTheElementNamesAndAmountsStayExact) {
  nfe::TNFe nota = NotaDeTeste();
  ComporChaveNFe(nota, [] { return 1u; });
  const std::string json = NFeParaJSON(nota, -1);
  EXPECT_EQ(json.find("{\"infNFe\":{\"ide\":{\"cUF\":\"41\""), 0u) << json;
  EXPECT_NE(json.find("\"emit\":{\"CNPJ\":\"12ABC34501DE35\",\"xNome\""), std::string::npos);
  EXPECT_NE(json.find("\"det\":[{\"prod\":{\"cProd\":\"001\""), std::string::npos);
  EXPECT_NE(json.find("\"vProd\":\"0.3\""), std::string::npos);
  EXPECT_NE(json.find("\"ICMS\":{\"ICMS00\":{\"orig\":\"0\""), std::string::npos);
  EXPECT_NE(json.find("\"nItem\":\"1\""), std::string::npos);
}

TEST(JSONNFe, EveryGroupAndAlternativeComesBackToTheSameXML) {
  for (size_t alternativa = 0; alternativa < 42; ++alternativa) {
    nfe::TNFe nota;
    TPreenchedorNFe preenchedor(alternativa);
    nfe::Visitar(preenchedor, nota);
    ComporChaveNFe(nota, [] { return 3u; });
    const nfe::TNFe volta = NFeDeJSON(NFeParaJSON(nota));
    EXPECT_EQ(GerarXMLNFe(volta).XML, GerarXMLNFe(nota).XML) << alternativa;
  }
}

TEST(JSONNFe, NumbersAreAcceptedForAmounts) {
  const nfe::TNFe nota =
      NFeDeJSON(R"({"infNFe": {"total": {"ICMSTot": {"vProd": 0.1, "vNF": "10.50"}}}})");
  EXPECT_EQ(nota.infNFe.total.ICMSTot.vProd.Texto(2), "0.10");
  EXPECT_EQ(nota.infNFe.total.ICMSTot.vNF.Texto(), "10.50");
}

TEST(JSONNFe, ErrorsNameTheMember) {
  struct TCaso {
    const char* JSON;
    const char* Mensagem;
  };
  const TCaso casos[] = {
      {"{", "JSON da NF-e inválido"},
      {R"({"infNFe": {"emit": {"nomeErrado": "x"}}})",
       "JSON da NF-e: infNFe/emit/nomeErrado não pertence ao leiaute aqui"},
      {R"({"infNFe": {"emit": {"CNPJ": "1", "CPF": "2"}}})",
       "JSON da NF-e: infNFe/emit/CPF não pertence ao leiaute aqui"},
      {R"({"infNFe": {"det": {"prod": {}}}})", "JSON da NF-e: infNFe/det deveria ser uma lista"},
      {R"({"infNFe": {"det": [{"prod": {"vProd": "1,5"}}]}})",
       "JSON da NF-e: infNFe/det[0]/prod/vProd não é um valor decimal: \"1,5\""},
      {R"({"infNFe": {"ide": {"cUF": {}}}})", "JSON da NF-e: infNFe/ide/cUF deveria ser um texto"},
      {R"({"infNFe": []})", "JSON da NF-e: infNFe deveria ser um objeto"},
  };
  for (const auto& caso : casos) {
    try {
      (void)NFeDeJSON(caso.JSON);
      ADD_FAILURE() << caso.JSON;
    } catch (const ENivraDFeException& e) {
      EXPECT_EQ(std::string(e.what()), caso.Mensagem);
    }
  }
}

}  // namespace

}  // namespace nivra
