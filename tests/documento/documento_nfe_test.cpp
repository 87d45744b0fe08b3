// Building, writing and reading NF-e documents of the model.
#include "nivranfe/documento/documento_nfe.h"

#include <gtest/gtest.h>

#include <functional>

#include "nivranfe/util/excecoes.h"
#include "tests/documento/nota_teste.h"

namespace nivra {

namespace {

// A draw that always gives the same number.
TSorteioNFe SorteioFixo(uint32_t numero) {
  return [numero] { return numero; };
}

std::string XMLSemAlertas(const nfe::TNFe& nota) {
  const TXMLGeradoNFe gerado = GerarXMLNFe(nota);
  EXPECT_TRUE(gerado.Alertas.empty()) << ::testing::PrintToString(gerado.Alertas);
  return gerado.XML;
}

bool AlgumAlertaCom(const std::vector<std::string>& alertas, const std::string& trecho) {
  for (const auto& alerta : alertas) {
    if (alerta.find(trecho) != std::string::npos) return true;
  }
  return false;
}

TEST(DocumentoNFe, ComposesTheKeyFromIdeAndAnAlphanumericIssuer) {
  nfe::TNFe nota = NotaDeTeste();
  const std::string chave = ComporChaveNFe(nota, SorteioFixo(12345678));
  EXPECT_EQ(chave.substr(0, 43),
            "4126121"
            "2ABC34501DE35"
            "55001000000123"
            "1"
            "12345678");
  EXPECT_EQ(nota.infNFe.Id, "NFe" + chave);
  EXPECT_EQ(nota.infNFe.ide.cNF, "12345678");
  EXPECT_EQ(nota.infNFe.ide.cDV, chave.substr(43));
}

TEST(DocumentoNFe, DrawsACodeDifferentFromTheInvoiceNumber) {
  nfe::TNFe nota = NotaDeTeste();
  std::vector<uint32_t> sorteios = {123, 123, 5};
  ComporChaveNFe(nota, [&] {
    const uint32_t numero = sorteios.front();
    sorteios.erase(sorteios.begin());
    return numero;
  });
  EXPECT_EQ(nota.infNFe.ide.cNF, "00000005");
}

TEST(DocumentoNFe, WritesExactAmountsAndEscapedText) {
  nfe::TNFe nota = NotaDeTeste();
  ComporChaveNFe(nota, SorteioFixo(1));
  const std::string xml = XMLSemAlertas(nota);
  EXPECT_EQ(xml.find("<NFe xmlns=\"http://www.portalfiscal.inf.br/nfe\"><infNFe versao=\"4.00\" "
                     "Id=\"NFe41261212ABC34501DE355500100000012310000000"),
            0u);
  EXPECT_NE(xml.find("<vProd>0.30</vProd>"), std::string::npos);
  EXPECT_NE(xml.find("<vUnCom>0.1</vUnCom>"), std::string::npos);
  EXPECT_NE(xml.find("<qCom>3</qCom>"), std::string::npos);
  EXPECT_NE(xml.find("<xNome>Comércio de Peças &amp; Cia Ltda</xNome>"), std::string::npos);
}

struct TCasoAlerta {
  const char* Nome;
  std::function<void(nfe::TNFe&)> Estragar;
  const char* Trecho;
};

class AlertasNFe : public ::testing::TestWithParam<TCasoAlerta> {};

TEST_P(AlertasNFe, NameTheFieldAndItsGroup) {
  nfe::TNFe nota = NotaDeTeste();
  ComporChaveNFe(nota, SorteioFixo(1));
  GetParam().Estragar(nota);
  const auto alertas = GerarXMLNFe(nota).Alertas;
  EXPECT_TRUE(AlgumAlertaCom(alertas, GetParam().Trecho)) << ::testing::PrintToString(alertas);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, AlertasNFe,
    ::testing::Values(
        TCasoAlerta{"ObrigatorioVazio", [](nfe::TNFe& n) { n.infNFe.emit.xNome.clear(); },
                    "<emit> ID:/xNome(xNome) - Nenhum valor informado"},
        // An attribute of blanks would be written empty, and read back as absent.
        TCasoAlerta{"AtributoEmBranco", [](nfe::TNFe& n) { n.infNFe.det[0].nItem = "\t "; },
                    "/nItem(nItem) - Nenhum valor informado"},
        TCasoAlerta{"DigitoDoCNPJ",
                    [](nfe::TNFe& n) { n.infNFe.emit.CNPJ_CPF = nfe::TCNPJ{"12ABC34501DE36"}; },
                    "<emit> ID:/CNPJ(CNPJ) - Conteúdo inválido [12ABC34501DE36]"},
        TCasoAlerta{"ForaDaLista", [](nfe::TNFe& n) { n.infNFe.ide.tpAmb = "3"; },
                    "/tpAmb(tpAmb) - Valor [3] fora dos aceitos: 1, 2"},
        TCasoAlerta{"MuitasCasas",
                    [](nfe::TNFe& n) { n.infNFe.det[0].prod.vUnCom = "0.12345678901"; },
                    "vUnCom(vUnCom) - Mais de 10 casas decimais"},
        TCasoAlerta{"MuitosInteiros",
                    [](nfe::TNFe& n) { n.infNFe.total.ICMSTot.vNF = "12345678901234"; },
                    "<ICMSTot> ID:/vNF(vNF) - Mais de 13 dígitos inteiros"},
        // Rounded to its two places, the amount is written with a fourteenth integer digit.
        TCasoAlerta{"InteirosAposArredondar",
                    [](nfe::TNFe& n) { n.infNFe.total.ICMSTot.vNF = "9999999999999.996"; },
                    "vNF(vNF) - Mais de 13 dígitos inteiros [10000000000000.00]"},
        TCasoAlerta{"Negativo", [](nfe::TNFe& n) { n.infNFe.total.ICMSTot.vDesc = "-1"; },
                    "vDesc(vDesc) - Valor negativo"},
        TCasoAlerta{"SemSituacaoICMS",
                    [](nfe::TNFe& n) {
                      std::get<nfe::TICMS_IPI>(n.infNFe.det[0].imposto.ICMS_IPI).ICMS.escolha = {};
                    },
                    "<ICMS> ID:/escolha(escolha) - Nenhuma das alternativas informada"},
        TCasoAlerta{"SemItens", [](nfe::TNFe& n) { n.infNFe.det.clear(); },
                    "det(det) - Mínimo de 1 ocorrência(s) não atingido"},
        TCasoAlerta{"DataSemFuso", [](nfe::TNFe& n) { n.infNFe.ide.dhEmi = "2026-12-10T09:30:00"; },
                    "dhEmi(dhEmi) - Conteúdo inválido"},
        TCasoAlerta{"TamanhoMaximo",
                    [](nfe::TNFe& n) { n.infNFe.ide.natOp = std::string(61, 'x'); },
                    "natOp(natOp) - Tamanho maior que o máximo permitido"}),
    [](const auto& info) { return std::string(info.param.Nome); });

TEST(DocumentoNFe, ReadingWhatWasWrittenGivesTheSameXML) {
  nfe::TNFe nota = NotaDeTeste();
  ComporChaveNFe(nota, SorteioFixo(1));
  const std::string xml = XMLSemAlertas(nota);
  const TNFeLida lida = LerXMLNFe(xml);
  EXPECT_TRUE(lida.Avisos.empty()) << ::testing::PrintToString(lida.Avisos);
  EXPECT_EQ(XMLSemAlertas(lida.NFe), xml);
  EXPECT_EQ(lida.XMLOriginal, xml);
}

TEST(DocumentoNFe, AMissingMandatoryAmountIsWrittenAndReadBackEmpty) {
  nfe::TNFe nota = NotaDeTeste();
  ComporChaveNFe(nota, SorteioFixo(1));
  nota.infNFe.total.ICMSTot.vBC = TDecimal();
  const TXMLGeradoNFe gerado = GerarXMLNFe(nota);
  ASSERT_NE(gerado.XML.find("<vBC/>"), std::string::npos) << gerado.XML;
  EXPECT_TRUE(AlgumAlertaCom(gerado.Alertas, "vBC"));
  const TNFeLida lida = LerXMLNFe(gerado.XML);
  EXPECT_TRUE(lida.NFe.infNFe.total.ICMSTot.vBC.Vazio());
  EXPECT_EQ(GerarXMLNFe(lida.NFe).XML, gerado.XML);
}

TEST(DocumentoNFe, ReadsIndentedPrefixedDocumentsWithProtocol) {
  const std::string xml =
      "<?xml version=\"1.0\"?>\n<n:nfeProc xmlns:n=\"http://www.portalfiscal.inf.br/nfe\" "
      "versao=\"4.00\">\n  <!-- autorizada -->\n  <n:NFe>\n    <n:infNFe versao=\"4.00\" "
      "Id=\"NFe1\">\n      <n:ide>\n        <n:cUF>41</n:cUF>\n        <n:nNF>7</n:nNF>\n"
      "      </n:ide>\n      <n:emit><n:CPF>12345678909</n:CPF><n:xNome>A &amp; B</n:xNome>"
      "</n:emit>\n      <n:total><n:ICMSTot><n:vNF>10.50</n:vNF></n:ICMSTot></n:total>\n"
      "    </n:infNFe>\n  </n:NFe>\n  <n:protNFe versao=\"4.00\"><n:infProt>"
      "<n:tpAmb>2</n:tpAmb><n:nProt>141260000000001</n:nProt><n:cStat>100</n:cStat>"
      "</n:infProt></n:protNFe>\n</n:nfeProc>";
  const TNFeLida lida = LerXMLNFe(xml);
  EXPECT_EQ(lida.NFe.infNFe.ide.cUF, "41");
  EXPECT_EQ(lida.NFe.infNFe.ide.nNF, "7");
  EXPECT_EQ(std::get<nfe::TCPF>(lida.NFe.infNFe.emit.CNPJ_CPF).CPF, "12345678909");
  EXPECT_EQ(lida.NFe.infNFe.emit.xNome, "A & B");
  EXPECT_EQ(lida.NFe.infNFe.total.ICMSTot.vNF.Texto(), "10.50");
  ASSERT_TRUE(lida.protNFe);
  EXPECT_EQ(lida.protNFe->infProt.nProt, "141260000000001");
  EXPECT_EQ(lida.protNFe->infProt.cStat, "100");
}

TEST(DocumentoNFe, SkipsAndReportsElementsTheLayoutDoesNotHave) {
  nfe::TNFe nota = NotaDeTeste();
  ComporChaveNFe(nota, SorteioFixo(1));
  std::string xml = XMLSemAlertas(nota);
  xml.insert(xml.find("<xNome>"), "<campoAntigo>1</campoAntigo>");
  const TNFeLida lida = LerXMLNFe(xml);
  ASSERT_EQ(lida.Avisos.size(), 1u);
  EXPECT_EQ(lida.Avisos[0], "Elemento desconhecido ignorado: NFe/infNFe/emit/campoAntigo");
  EXPECT_EQ(lida.NFe.infNFe.emit.xNome, "Comércio de Peças & Cia Ltda");
}

TEST(DocumentoNFe, ReadingErrorsNameThePath) {
  struct TCaso {
    std::string XML;
    std::string Mensagem;
  };
  const TCaso casos[] = {
      {"<NFe", "Documento NF-e não é um XML válido"},
      {"<nfeProc/>", "Documento não contém o elemento NFe"},
      {"<NFe><infNFe><total><ICMSTot><vNF>1,5</vNF></ICMSTot></total></infNFe></NFe>",
       "Valor decimal inválido em NFe/infNFe/total/ICMSTot/vNF: \"1,5\""},
  };
  for (const auto& caso : casos) {
    try {
      (void)LerXMLNFe(caso.XML);
      ADD_FAILURE() << caso.XML;
    } catch (const ENivraDFeException& e) {
      EXPECT_EQ(std::string(e.what()), caso.Mensagem);
    }
  }
}

}  // namespace

}  // namespace nivra
