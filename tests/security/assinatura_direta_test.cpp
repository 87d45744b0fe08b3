// A plain document signed from its text must come out byte for byte as xmlsec signs it, and
// anything not plain must be left to xmlsec.
#include "nivranfe/security/assinatura_direta.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "nivranfe/documento/documento_nfe.h"
#include "nivranfe/security/dfe_ssl_xmlsign_msxml.h"
#include "nivranfe/security/xml_canonico_simples.h"
#include "tests/documento/nota_teste.h"
#include "tests/security/ambiente_assinatura.h"

namespace nivra {

namespace {

class AssinaturaDireta : public AmbienteAssinatura {
 protected:
  std::string AssinarComXmlSec(const std::string& xml) {
    auto& assinador = dynamic_cast<TDFeSSLXmlSignMsXml&>(FSSL.SSLXmlSignClass());
    return assinador.AssinarComXmlSec(xml, "NFe", "infNFe", "", "", "", "");
  }
};

// The writer's XML of the test invoice changed by `mudar`.
std::string NotaEscrita(const std::function<void(nfe::TNFe&)>& mudar) {
  nfe::TNFe nota = NotaDeTeste();
  mudar(nota);
  ComporChaveNFe(nota, [] { return 1u; });
  return GerarXMLNFe(nota).XML;
}

TEST_F(AssinaturaDireta, WritersDocumentsComeOutAsXmlSecSignsThem) {
  struct Caso {
    const char* nome;
    std::function<void(nfe::TNFe&)> mudar;
    TSSLDgst dgst = TSSLDgst::dgstSHA1;
  };
  const std::vector<Caso> casos = {
      // Accents, "&" and an alphanumeric CNPJ.
      {"nota de teste", [](nfe::TNFe&) {}},
      {"sinais de marcação",
       [](nfe::TNFe& n) { n.infNFe.det[0].prod.xProd = "Tubo 1/2\" <PVC> & 'luva' > 3"; }},
      {"texto fora do ASCII",
       [](nfe::TNFe& n) { n.infNFe.emit.xNome = "Ação Ótica Ñandú — €5 ✓ 𝄞 Ltda"; }},
      {"dez itens",
       [](nfe::TNFe& n) {
         const nfe::Tdet item = n.infNFe.det[0];
         for (int i = 2; i <= 10; ++i) n.infNFe.det.emplace_back(item).nItem = std::to_string(i);
       }},
      {"SHA-256", [](nfe::TNFe&) {}, TSSLDgst::dgstSHA256},
  };
  for (const auto& caso : casos) {
    FSSL.SetSSLDgst(caso.dgst);
    const std::string xml = NotaEscrita(caso.mudar);
    ASSERT_TRUE(LerXMLSimples(xml, "NFe")) << caso.nome << ": " << xml;
    const std::string direto = AssinarNFe(xml);
    EXPECT_EQ(direto, AssinarComXmlSec(xml)) << caso.nome;
    EXPECT_TRUE(FXmlSec1.Verifica(direto, "infNFe")) << caso.nome << ": " << direto;
  }
}

TEST_F(AssinaturaDireta, TextsOutsideThePlainFormGoToXmlSec) {
  const std::string nfe = "<NFe xmlns=\"http://www.portalfiscal.inf.br/nfe\">";
  const std::string inf = "<infNFe Id=\"NFe1\" versao=\"4.00\">";
  const std::vector<std::string> casos = {
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>" + nfe + inf + "<a>1</a></infNFe></NFe>",
      nfe + "<!-- x -->" + inf + "<a>1</a></infNFe></NFe>",
      nfe + "<infNFe Id='NFe1'><a>1</a></infNFe></NFe>",
      nfe + "<infNFe  Id=\"NFe1\"><a>1</a></infNFe></NFe>",
      nfe + inf + "<a></a></infNFe></NFe>",
      nfe + inf + "<a/></infNFe></NFe>",
      nfe + inf + "<p:a xmlns:p=\"urn:p\">1</p:a></infNFe></NFe>",
      nfe + inf + "<a xmlns=\"urn:x\">1</a></infNFe></NFe>",
      nfe + inf + "<a><![CDATA[1]]></a></infNFe></NFe>",
      nfe + inf + "<a>1&#9;2</a></infNFe></NFe>",
      nfe + inf + "<a>&eacute;</a></infNFe></NFe>",
      nfe + inf + "<a>\x01</a></infNFe></NFe>",
      nfe + inf + "<a>\xC3</a></infNFe></NFe>",
      nfe + inf + "<a>\xEF\xBF\xBE</a></infNFe></NFe>",
      nfe + inf + "<a Id=\"b\">1</a></infNFe></NFe>",
      nfe + "<infNFe nId=\"x\" Id=\"NFe1\"><a>1</a></infNFe></NFe>",
      nfe + inf + "<a x=\"1\" x=\"2\">1</a></infNFe></NFe>",
      nfe + inf + "<a>1</b></infNFe></NFe>",
      nfe + inf + "<a>1</a></infNFe></NFe> ",
      nfe + inf + "<a>1</a></infNFe>",
      nfe + inf + "<a>1</a></infNFe><Signature/></NFe>",
      nfe + inf + "<a>1</a></infNFe><signatureX>1</signatureX></NFe>",
      nfe + "<a>1</a></NFe>",
      "<NFe Id=\"NFe1\"><a>1</a></NFe>",
      nfe + inf + "<a>]]></a></infNFe></NFe>",
      "<NFe xmlns=\"nfe\"><infNFe Id=\"NFe1\"><a>1</a></infNFe></NFe>",
      "<NFe xmlns=\"urn:a\" xmlns=\"urn:a\"><infNFe Id=\"NFe1\"><a>1</a></infNFe></NFe>",
      // A namespace libxml2 cannot read as a URI (a port that is not a number).
      "<NFe xmlns=\"http://a:b/\"><infNFe Id=\"NFe1\"><a>1</a></infNFe></NFe>",
      nfe + "<infNFe Id=\"xpointer(/)\"><a>1</a></infNFe></NFe>",
      nfe + "<infNFe Id=\"\"><a>1</a></infNFe></NFe>",
      "<nfeProc>" + nfe + inf + "<a>1</a></infNFe></NFe></nfeProc>",
  };
  for (const auto& xml : casos) EXPECT_FALSE(LerXMLSimples(xml, "NFe")) << xml;
}

TEST_F(AssinaturaDireta, PlainFormsAreReadAsLibxml2AndCanonicalXmlWriteThem) {
  const auto simples = LerXMLSimples(
      "<NFe xmlns=\"urn:n\" b=\"2\"><infNFe versao=\"4.00\" Id=\"NFe1\"><a z=\"1\" c=\"2\">"
      "&quot;&apos;&#39;&#x41;&gt;&#62;</a><b>x\ty</b></infNFe></NFe>",
      "NFe");
  ASSERT_TRUE(simples);
  EXPECT_EQ(simples->Serializado,
            "<NFe xmlns=\"urn:n\" b=\"2\"><infNFe versao=\"4.00\" Id=\"NFe1\"><a z=\"1\" c=\"2\">"
            "\"''A&gt;&gt;</a><b>x\ty</b></infNFe></NFe>");
  EXPECT_EQ(simples->Id, "NFe1");
  EXPECT_EQ(simples->Canonico,
            "<infNFe xmlns=\"urn:n\" Id=\"NFe1\" versao=\"4.00\"><a c=\"2\" z=\"1\">"
            "\"''A&gt;&gt;</a><b>x\ty</b></infNFe>");
}

TEST_F(AssinaturaDireta, HandWrittenPlainDocumentsAlsoMatchXmlSec) {
  const std::vector<std::string> casos = {
      "<NFe xmlns=\"urn:n\" b=\"2\"><infNFe versao=\"4.00\" Id=\"NFe1\"><a z=\"1\" c=\"2\">"
      "&quot;&apos;&#39;&#x41;&gt;&#60;&amp;&lt;\xC2\x85\x7F</a><b>x\ty</b></infNFe></NFe>",
      "<NFe><x>0</x><infNFe Id=\"NFe2\"><a>1</a></infNFe>\n<y>2</y></NFe>\n",
  };
  for (const auto& xml : casos) {
    std::string semQuebras = xml;
    std::erase(semQuebras, '\n');
    ASSERT_TRUE(LerXMLSimples(semQuebras, "NFe")) << xml;
    const std::string direto = AssinarNFe(xml);
    EXPECT_EQ(direto, AssinarComXmlSec(xml)) << xml;
    EXPECT_TRUE(FXmlSec1.Verifica(direto, "infNFe")) << direto;
  }
}

}  // namespace

}  // namespace nivra
