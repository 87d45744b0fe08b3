// Tests of the XML text helpers.
#include "nivranfe/util/xml_texto.h"

#include <gtest/gtest.h>

#include "nivranfe/util/excecoes.h"
#include "tests/fakes/mensagem_de.h"

namespace nivra {

namespace {

TEST(XmlTexto, DecodingReplacesTheTableInOrder) {
  EXPECT_EQ(ConverterEntidadesXML("x &lt; y &amp;&amp; z"), "x < y && z");
  // "&amp;" goes first, so an escaped entity is decoded twice.
  EXPECT_EQ(ConverterEntidadesXML("&amp;lt;"), "<");
  EXPECT_EQ(ConverterEntidadesXML("&Aacute;&ccedil;&atilde;o &quot;&#39;&apos;&gt;"), "Áção \"''>");
  EXPECT_EQ(ConverterEntidadesXML("&AMP; &eacute;&Eacute;&uuml;&Uuml;&otilde;&ocirc;"),
            "&AMP; éÉüÜõô");
  // Bytes that are not valid UTF-8 are read as Windows-1252.
  EXPECT_EQ(ConverterEntidadesXML("S\xE3o &amp; \x80"), "São & €");
}

TEST(XmlTexto, WithoutEhUTF8TheTextIsReadInTheEightBitCodePage) {
  // The code page here is UTF-8, with bytes that are not UTF-8 read as Windows-1252: valid UTF-8
  // stays as it is, and the result is UTF-8 as with EhUTF8.
  struct Caso {
    std::string texto;
    bool decodificar;
    std::string esperado;
  };
  const Caso casos[] = {
      {"\xC3\xA7", true, "\xC3\xA7"},
      {"S\xE3o", true, "S\xC3\xA3o"},
      {"&ccedil;&atilde; € “x”", true, "çã € “x”"},
      {"\xE2\x82\xBD &lt;", true, "\xE2\x82\xBD <"},
      {"a<ção>", false, "a&lt;ção&gt;"},
  };
  for (const Caso& caso : casos) {
    EXPECT_EQ(ConverterEntidadesXML(caso.texto, caso.decodificar, false), caso.esperado)
        << caso.texto;
    EXPECT_EQ(ConverterEntidadesXML(caso.texto, caso.decodificar, true), caso.esperado)
        << caso.texto;
  }
}

TEST(XmlTexto, AnswersBecomeWellFormedWithoutLosingTheirEscaping) {
  struct Caso {
    std::string texto;
    std::string predefinidas;  // EntidadesXMLPredefinidas
    std::string desescapado;   // DesescaparXML
  };
  const Caso casos[] = {
      {"Servi&ccedil;o &amp; &lt;x&gt;", "Serviço &amp; &lt;x&gt;", "Servi&ccedil;o & <x>"},
      // An escaped entity stays escaped, whichever entity follows the "&amp;".
      {"&amp;ccedil; &amp;amp;", "&amp;ccedil; &amp;amp;", "&ccedil; &amp;"},
      {"&quot;&apos;&#39;&#231;&#xE7;", "&quot;&apos;&#39;&#231;&#xE7;", "\"''çç"},
      {"a & b &; &#xZZ; &#0; &", "a & b &; &#xZZ; &#0; &", "a & b &; &#xZZ; &#0; &"},
      {"&lt;retConsStatServ&gt;&lt;xMotivo&gt;A &amp;amp; B&lt;/xMotivo&gt;",
       "&lt;retConsStatServ&gt;&lt;xMotivo&gt;A &amp;amp; B&lt;/xMotivo&gt;",
       "<retConsStatServ><xMotivo>A &amp; B</xMotivo>"},
  };
  for (const Caso& caso : casos) {
    EXPECT_EQ(EntidadesXMLPredefinidas(caso.texto), caso.predefinidas) << caso.texto;
    EXPECT_EQ(DesescaparXML(caso.texto), caso.desescapado) << caso.texto;
  }
}

TEST(XmlTexto, EncodingEscapesTheFiveCharacters) {
  EXPECT_EQ(ConverterEntidadesXML("a<b & 'c'", false), "a&lt;b &amp; &#39;c&#39;");
  EXPECT_EQ(ConverterEntidadesXML("\"x\">&lt;", false), "&quot;x&quot;&gt;&amp;lt;");
  EXPECT_EQ(ConverterEntidadesXML("ação", false), "ação");
}

TEST(XmlTexto, DecodificarEntidadesLeituraReadsHexReferencesTwoDigitsPerCharacter) {
  struct Caso {
    std::string texto;
    std::string esperado;
  };
  const Caso casos[] = {
      {"a &amp; b &lt;c&gt; &quot;d&quot; &#39;e&#39;", "a & b <c> \"d\" 'e'"},
      {"&#x41;", "A"},
      {"&#x41;&#x42;", "AB"},
      {"&#x4142;", "AB"},
      {"a&#x00E9;", std::string("a\0é", 4)},
      {"x&#x41", "xA"},                          // a reference without ";" runs to the end
      {"&#x414;b", std::string("A\x04") + "b"},  // a last lone digit is read alone
      {"&#x;", ""},
      {"  &#x20;a&#x20;  ", "a"},  // trimmed after decoding
      {"&#x26;#x41;", "A"},        // a decoded "&" may start a new reference
      {"&amp;#x41;", "A"},
      {"caf&#xE9;", "café"},  // the 8-bit code page gives é
      {"&#x80;", "€"},
  };
  for (const Caso& caso : casos) {
    EXPECT_EQ(DecodificarEntidadesLeitura(caso.texto), caso.esperado) << caso.texto;
  }
}

TEST(XmlTexto, DecodificarEntidadesLeituraRejectsNonHexadecimalReferences) {
  for (const char* texto : {"&#xZZ;", "a&#x4G;b", "&#x41 e mais texto;", "&#x-1;"}) {
    EXPECT_THROW((void)DecodificarEntidadesLeitura(texto), ENivraDFeException) << texto;
  }
  const std::string mensagem = MensagemDe([] { (void)DecodificarEntidadesLeitura("a&#x4G;b"); });
  EXPECT_NE(mensagem.find("&#x4G;"), std::string::npos) << mensagem;
}

TEST(XmlTexto, ConteudoDaTagFindsPlainAndNs2Elements) {
  const std::string xml = "<soap:Body><nfeResultMsg xmlns='x'><a>1</a></nfeResultMsg></soap:Body>";
  EXPECT_EQ(ConteudoDaTag(xml, "nfeResultMsg", false), "<a>1</a>");
  EXPECT_EQ(ConteudoDaTag(xml, "nfeResultMsg", true),
            "<nfeResultMsg xmlns='x'><a>1</a></nfeResultMsg>");
  EXPECT_EQ(ConteudoDaTag(xml, "NFERESULTMSG", false), "<a>1</a>");
  const std::string ns2 =
      "<soap:Body><ns2:nfeResultMsg xmlns:ns2='x'><a>1</a></ns2:nfeResultMsg></soap:Body>";
  EXPECT_EQ(ConteudoDaTag(ns2, "nfeResultMsg", false), "<a>1</a>");
  EXPECT_EQ(ConteudoDaTag(ns2, "nfeResultMsg", true),
            "<ns2:nfeResultMsg xmlns:ns2='x'><a>1</a></ns2:nfeResultMsg>");
  // The result keeps the document's own letter case.
  EXPECT_EQ(ConteudoDaTag("<R><xMotivo>Servico Em Operacao</xMotivo></R>", "xmotivo", false),
            "Servico Em Operacao");
}

TEST(XmlTexto, ConteudoDaTagIsEmptyWhenTheElementIsMissingOrBroken) {
  EXPECT_EQ(ConteudoDaTag("<a>1</a>", "b", false), "");
  EXPECT_EQ(ConteudoDaTag("<b>1", "b", false), "");
  EXPECT_EQ(ConteudoDaTag("</b><b>1", "b", false), "");
  EXPECT_EQ(ConteudoDaTag("</b><b>1", "b", true), "");
  EXPECT_EQ(ConteudoDaTag("", "b", true), "");
}

TEST(XmlTexto, PrimeiroConteudoDeTagsTakesTheFirstNonEmptyTrimmedContent) {
  const std::vector<std::string> nomes = {"nfeStatusServicoNF2Result", "NfeStatusServicoNFResult",
                                          "nfeResultMsg"};
  const std::string resposta =
      "<env:Envelope><env:Body><nfeResultMsg xmlns=\"http://www.portalfiscal.inf.br/nfe/wsdl/"
      "NFeStatusServico4\">\r\n <retConsStatServ><cStat>107</cStat></retConsStatServ> "
      "</nfeResultMsg></env:Body></env:Envelope>";
  EXPECT_EQ(PrimeiroConteudoDeTags(nomes, resposta, false),
            "<retConsStatServ><cStat>107</cStat></retConsStatServ>");
  EXPECT_EQ(PrimeiroConteudoDeTags(nomes, "<a><nfeResultMsg> </nfeResultMsg></a>", false), "");
  EXPECT_EQ(PrimeiroConteudoDeTags({"x", "y"}, "<y>2</y><x> </x>", false), "2");
  EXPECT_EQ(PrimeiroConteudoDeTags({}, resposta, false), "");
}

TEST(XmlTexto, Utf8ConversionsReadStrayBytesAsWindows1252) {
  EXPECT_EQ(TextoParaUTF8("ação"), "ação");
  EXPECT_EQ(TextoParaUTF8("a\xE7\xE3o"), "ação");
  EXPECT_EQ(UTF8ParaTexto("a\xC3\xA7\xC3\xA3o"), "ação");
  EXPECT_EQ(UTF8ParaTexto("\x93x\x94"), "“x”");
}

TEST(XmlTexto, XMLDeclaraUTF8LooksAtTheFirstFiftyCharacters) {
  EXPECT_TRUE(XMLDeclaraUTF8("<?xml version=\"1.0\" encoding=\"UTF-8\"?><a/>"));
  EXPECT_TRUE(XMLDeclaraUTF8("<?xml version=\"1.0\" ENCODING=\"utf-8\"?><a/>"));
  EXPECT_TRUE(XMLDeclaraUTF8("<?xml version='1.0' encoding='utf-8'?><a/>"));
  EXPECT_FALSE(XMLDeclaraUTF8("<?xml version=\"1.0\" encoding = \"UTF-8\"?><a/>"));
  EXPECT_FALSE(XMLDeclaraUTF8("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a/>"));
  EXPECT_FALSE(XMLDeclaraUTF8("<a/>"));
  EXPECT_FALSE(XMLDeclaraUTF8("<a/>" + std::string(40, ' ') + "encoding=\"UTF-8\""));
}

TEST(XmlTexto, ByteOrderMarkAndBlanksDoNotHideTheDeclaration) {
  const std::string bom = "\xEF\xBB\xBF";
  const std::string iso = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>";
  const std::string utf8 = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
  EXPECT_TRUE(XMLDeclaraUTF8(std::string(40, ' ') + utf8 + "<a/>"));
  EXPECT_TRUE(XMLDeclaraUTF8(bom + "\r\n" + utf8 + "<a/>"));
  for (const std::string& inicio : {bom, std::string(" \r\n\t"), bom + "  "}) {
    EXPECT_EQ(GarantirXMLUTF8(inicio + iso + "<a>\xE7</a>"), utf8 + "<a>\xC3\xA7</a>");
  }
  // A mark before undeclared text would land after the new declaration, which is malformed.
  EXPECT_EQ(GarantirXMLUTF8(bom + "<a/>"), utf8 + "<a/>");
}

TEST(XmlTexto, GarantirXMLUTF8DeclaresUTF8Once) {
  const std::string comDeclaracao = "<?xml version=\"1.0\" encoding=\"utf-8\"?><a>\xE7</a>";
  EXPECT_EQ(GarantirXMLUTF8(comDeclaracao), comDeclaracao);
  EXPECT_EQ(GarantirXMLUTF8("<a>ç</a>"),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?><a>\xC3\xA7</a>");
  EXPECT_EQ(GarantirXMLUTF8("<a>\xE7</a>"),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?><a>\xC3\xA7</a>");
  // A leading declaration of another encoding is replaced, never doubled.
  EXPECT_EQ(GarantirXMLUTF8("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a/>"),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?><a/>");
}

TEST(XmlTexto, DeclaracaoXMLIsTheFirstProcessingInstruction) {
  const std::string xml = "<?xml version=\"1.0\"?><a><?pi x?></a>";
  EXPECT_EQ(DeclaracaoXML(xml), "<?xml version=\"1.0\"?>");
  EXPECT_EQ(SemDeclaracaoXML(xml), "<a><?pi x?></a>");
  EXPECT_EQ(DeclaracaoXML("<a/>"), "");
  EXPECT_EQ(DeclaracaoXML("<?xml version=\"1.0\""), "");
  EXPECT_EQ(SemDeclaracaoXML("<a/>"), "<a/>");
  EXPECT_EQ(SemDeclaracaoXML(" <?xml?> <a/>"), "  <a/>");
}

}  // namespace

}  // namespace nivra
