// The text routines of the XML-signature base: the empty signature template and the tidying of
// a signed document.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "nivranfe/security/dfe_ssl.h"
#include "nivranfe/security/dfe_ssl_xmlsign_msxml.h"
#include "tests/fakes/mensagem_de.h"

namespace nivra {

namespace {

std::string Modelo(const std::string& uri, const std::string& metodo, const std::string& digest,
                   const std::string& idAssinatura = "", const std::string& keyInfo = "") {
  return "<Signature xmlns=\"http://www.w3.org/2000/09/xmldsig#\"" + idAssinatura +
         "><SignedInfo><CanonicalizationMethod "
         "Algorithm=\"http://www.w3.org/TR/2001/REC-xml-c14n-20010315\" />"
         "<SignatureMethod Algorithm=\"" +
         metodo + "\" /><Reference URI=\"" + uri +
         "\"><Transforms><Transform "
         "Algorithm=\"http://www.w3.org/2000/09/xmldsig#enveloped-signature\" /><Transform "
         "Algorithm=\"http://www.w3.org/TR/2001/REC-xml-c14n-20010315\" /></Transforms>"
         "<DigestMethod Algorithm=\"" +
         digest +
         "\" /><DigestValue></DigestValue></Reference></SignedInfo><SignatureValue>"
         "</SignatureValue><KeyInfo>" +
         keyInfo + "</KeyInfo></Signature>";
}

const std::string kRsaSha1 = "http://www.w3.org/2000/09/xmldsig#rsa-sha1";
const std::string kSha1 = "http://www.w3.org/2000/09/xmldsig#sha1";

TEST(ModeloAssinatura, IsInsertedBeforeTheLastClosingTagOfTheDocumentElement) {
  TDFeSSL ssl;
  const std::string xml = "<lote><NFe><infNFe Id=\"NFe9\">1</infNFe></NFe><x/></lote>";
  EXPECT_EQ(ssl.SSLXmlSignClass().InserirModeloAssinatura(xml, false, "NFe"),
            "<lote><NFe><infNFe Id=\"NFe9\">1</infNFe>" + Modelo("#NFe9", kRsaSha1, kSha1) +
                "</NFe><x/></lote>");
}

TEST(ModeloAssinatura, DigestChoiceIdSignatureAndX509DataShapeTheTemplate) {
  struct Caso {
    const char* nome;
    TSSLDgst dgst;
    bool x509;
    std::string idAssinatura;
    std::string esperado;
  };
  const std::vector<Caso> casos = {
      {"sha256", TSSLDgst::dgstSHA256, false, "",
       Modelo("#A1", "http://www.w3.org/2001/04/xmldsig-more#rsa-sha256",
              "http://www.w3.org/2001/04/xmlenc#sha256")},
      {"md5 falls back to sha1", TSSLDgst::dgstMD5, false, "", Modelo("#A1", kRsaSha1, kSha1)},
      {"sha512 falls back to sha1", TSSLDgst::dgstSHA512, false, "",
       Modelo("#A1", kRsaSha1, kSha1)},
      {"signature id and certificate", TSSLDgst::dgstSHA1, true, " Id=\"S1\"",
       Modelo("#A1", kRsaSha1, kSha1, " Id=\"S1\"",
              "<X509Data><X509Certificate></X509Certificate></X509Data>")},
  };
  for (const auto& caso : casos) {
    TDFeSSL ssl;
    ssl.SetSSLDgst(caso.dgst);
    EXPECT_EQ(ssl.SSLXmlSignClass().InserirModeloAssinatura("<a Id=\"A1\"></a>", caso.x509, "a",
                                                            caso.idAssinatura),
              "<a Id=\"A1\">" + caso.esperado + "</a>")
        << caso.nome;
  }
}

TEST(ModeloAssinatura, ReferenceURIFollowsTheFirstIdAttribute) {
  struct Caso {
    std::string xml;
    std::string idAttr;
    std::string uri;
  };
  const std::vector<Caso> casos = {
      {"<a><b Id=\"primeiro\"/><c Id=\"segundo\"/></a>", "", "#primeiro"},
      {"<a><b id=\"minusculo\"/></a>", "", ""},
      {"<a><b Id = \"espaco\"/></a>", "", ""},
      {"<a><b Ref=\"r1\" Id=\"i1\"/></a>", "Ref", "#r1"},
      {"<a><b/></a>", "", ""},
  };
  TDFeSSL ssl;
  for (const auto& caso : casos) {
    const std::string resultado =
        ssl.SSLXmlSignClass().InserirModeloAssinatura(caso.xml, false, "a", "", caso.idAttr);
    EXPECT_NE(resultado.find("<Reference URI=\"" + caso.uri + "\">"), std::string::npos)
        << caso.xml;
  }
}

TEST(ModeloAssinatura, MissingPiecesAreReported) {
  TDFeSSL ssl;
  auto& xs = ssl.SSLXmlSignClass();
  EXPECT_EQ(MensagemDe([&] { (void)xs.InserirModeloAssinatura("<a></a>", false, "b"); }),
            "Não encontrei final do elemento: </b>");
  EXPECT_EQ(MensagemDe([&] { (void)xs.InserirModeloAssinatura("<a Id=1></a>", false, "a"); }),
            "Não encontrei inicio do URI: aspas inicial");
  EXPECT_EQ(MensagemDe([&] { (void)xs.InserirModeloAssinatura("<a Id=\"1></a>", false, "a"); }),
            "Não encontrei inicio do URI: aspas final");
}

TEST(SelecaoAssinatura, DefaultsPutTheDsDeclarationFirst) {
  const std::string ds = "xmlns:ds=\"http://www.w3.org/2000/09/xmldsig#\"";
  const std::string nfe = "xmlns:nfe=\"http://www.portalfiscal.inf.br/nfe\"";
  EXPECT_EQ(TDFeSSLXmlSignMsXml::NoAssinatura(""), ".//ds:Signature");
  EXPECT_EQ(TDFeSSLXmlSignMsXml::NoAssinatura("//ds:Signature[2]"), "//ds:Signature[2]");
  EXPECT_EQ(TDFeSSLXmlSignMsXml::NamespacesSelecao(""), ds);
  EXPECT_EQ(TDFeSSLXmlSignMsXml::NamespacesSelecao(nfe), ds + " " + nfe);
  EXPECT_EQ(TDFeSSLXmlSignMsXml::NamespacesSelecao(ds + " " + nfe), ds + " " + nfe);
}

TEST(LimparXMLAssinado, TidiesDeclarationLineBreaksCertificatesAndBlanks) {
  struct Caso {
    const char* nome;
    std::string xml;
    std::string certificado;
    std::string esperado;
  };
  const std::string sv = "<SignatureValue>ab cd\r\nef</SignatureValue>";
  const std::vector<Caso> casos = {
      {"declaration without encoding goes", "<?xml version=\"1.0\"?>\n<a>x y</a>", "",
       "<a>x y</a>"},
      {"declaration of another encoding goes",
       "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a/>", "", "<a/>"},
      {"UTF-8 declaration stays", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<a/>", "",
       "<?xml version=\"1.0\" encoding=\"UTF-8\"?><a/>"},
      {"no signature: only line breaks go", "<a>\r\n <b> c </b>\n</a>", "MIIC",
       "<a> <b> c </b></a>"},
      {"certificate replaces the X509Data content",
       "<S>" + sv +
           "<KeyInfo><X509Data><X509Certificate>AA\nBB</X509Certificate>"
           "<X509Certificate>CC</X509Certificate></X509Data></KeyInfo></S>",
       "MIIC",
       "<S><SignatureValue>abcdef</SignatureValue><KeyInfo><X509Data><X509Certificate>MIIC"
       "</X509Certificate></X509Data></KeyInfo></S>"},
      {"certificate fills an empty KeyInfo", "<S>" + sv + "<KeyInfo></KeyInfo></S>", "MIIC",
       "<S><SignatureValue>abcdef</SignatureValue><KeyInfo><X509Data><X509Certificate>MIIC"
       "</X509Certificate></X509Data></KeyInfo></S>"},
      {"without certificate the last certificate element stays",
       "<S>" + sv +
           "<KeyInfo><X509Data><X509Certificate>AA</X509Certificate>"
           "<X509Certificate>B B</X509Certificate></X509Data></KeyInfo></S>",
       "",
       "<S><SignatureValue>abcdef</SignatureValue><KeyInfo><X509Data><X509Certificate>BB"
       "</X509Certificate></X509Data></KeyInfo></S>"},
      {"blanks stay outside the last signature",
       "<S a=\"1 2\">" + sv + "<KeyInfo></KeyInfo></S><c>d e</c>", "",
       "<S a=\"1 2\"><SignatureValue>abcdef</SignatureValue><KeyInfo></KeyInfo></S><c>d e</c>"},
      {"no KeyInfo end: blanks stay", "<S>" + sv + "</S>", "",
       "<S><SignatureValue>ab cdef</SignatureValue></S>"},
  };
  for (const auto& caso : casos)
    EXPECT_EQ(TDFeSSLXmlSignClass::LimparXMLAssinado(caso.xml, caso.certificado), caso.esperado)
        << caso.nome;
}

}  // namespace

}  // namespace nivra
