// Tests of the XML reader: group extraction by level and item, field conversion by type,
// attributes, loading files and the last-occurrence search.
#include "nivranfe/xml/leitor.h"

#include <gtest/gtest.h>

#include <ostream>
#include <sstream>
#include <string>

#include "nivranfe/util/datahora.h"
#include "nivranfe/util/excecoes.h"
#include "tests/fakes/mensagem_de.h"
#include "tests/fakes/pasta_temporaria.h"

namespace nivra {

namespace {

using enum TkovTipoCampo;

TVariante Data(int ano, int mes, int dia, int hora = 0, int minuto = 0, int segundo = 0) {
  return TVarDataHora{CodificarDataHora(ano, mes, dia, hora, minuto, segundo)};
}

// One rCampo call on a group and the value it must give.
struct CasoCampo {
  const char* nome;
  std::string grupo;
  TkovTipoCampo tipo;
  std::string tag;
  std::string parada;
  TVariante esperado;

  // Names the case in failure messages.
  friend void PrintTo(const CasoCampo& caso, std::ostream* os) { *os << caso.nome; }
};

class LeituraCampoTest : public testing::TestWithParam<CasoCampo> {};

TEST_P(LeituraCampoTest, ReadsAndConvertsField) {
  const CasoCampo& caso = GetParam();
  TLeitor leitor;
  leitor.SetGrupo(caso.grupo);
  EXPECT_EQ(leitor.rCampo(caso.tipo, caso.tag, caso.parada), caso.esperado);
}

const std::string kStatus = "<a><cStat>107</cStat><xMotivo>Servico em Operacao</xMotivo></a>";

INSTANTIATE_TEST_SUITE_P(
    Campos, LeituraCampoTest,
    testing::Values(
        CasoCampo{"TagCaseIgnored", kStatus, tcInt, "cstat", "", int64_t{107}},
        CasoCampo{"Text", kStatus, tcStr, " xMotivo ", "", std::string("Servico em Operacao")},
        CasoCampo{"MissingIntIsZero", kStatus, tcInt, "tMed", "", int64_t{0}},
        CasoCampo{"MissingTextIsEmpty", kStatus, tcStr, "xObs", "", std::string()},
        CasoCampo{"ContentKeepsItsCase", "<A><X> MiXed </X></A>", tcStr, "x", "",
                  std::string("MiXed")},
        CasoCampo{"MissingClosingTagIsEmpty", "<a><x>1", tcStr, "x", "", std::string()},
        CasoCampo{"StartTagWithAttributesNotFound", "<r><infProt Id='1'>9</infProt></r>", tcStr,
                  "infProt", "", std::string()},
        CasoCampo{"StopTagAfterField", "<a><x>1</x><y><x>2</x></y></a>", tcStr, "x", "y",
                  std::string("1")},
        CasoCampo{"StopTagBeforeField", "<a><y><z/></y><x>1</x></a>", tcStr, "x", "y",
                  std::string()},
        CasoCampo{"EmptyElementStopTagStopsNothing", "<a><y/><x>1</x></a>", tcStr, "x", "y",
                  std::string("1")},
        CasoCampo{"StopTagCaseIgnored", "<a><Y><x>2</x></Y><x>1</x></a>", tcStr, "x", "y",
                  std::string()},
        CasoCampo{"ClosingTagCaseIgnored", "<a><x>1</X></a>", tcStr, "x", "", std::string("1")},
        CasoCampo{"EntitiesDecoded", "<a><x>A &amp; B</x></a>", tcStr, "x", "",
                  std::string("A & B")},
        CasoCampo{"HexReferenceDecoded", "<a><x>&#x41;</x></a>", tcStr, "x", "", std::string("A")},
        CasoCampo{"EspUnchanged", "<a><x> A &amp; B </x></a>", tcEsp, "x", "",
                  std::string("A &amp; B")},
        CasoCampo{"IntDropsSignAndPoint", "<a><x>-5</x><y>12.5</y></a>", tcInt, "y", "",
                  int64_t{125}},
        CasoCampo{"IntMinusSignDropped", "<a><x>-5</x></a>", tcInt, "x", "", int64_t{5}},
        CasoCampo{"IntBeyond32BitsIsZero", "<a><x>99999999999</x></a>", tcInt, "x", "", int64_t{0}},
        CasoCampo{"DecimalComma", "<a><x>1,50</x></a>", tcDe2, "x", "", 1.5},
        CasoCampo{"DecimalPoint", "<a><x>1.50</x></a>", tcDe4, "x", "", 1.5},
        CasoCampo{"DecimalNotANumber", "<a><x>abc</x></a>", tcDe2, "x", "", 0.0},
        CasoCampo{"DateTimeIgnoresZone", "<r><dhRecbto>2018-05-01T10:20:30-03:00</dhRecbto></r>",
                  tcDatHor, "dhRecbto", "", Data(2018, 5, 1, 10, 20, 30)},
        CasoCampo{"DateTimeIgnoresFraction", "<r><d>2018-05-01T10:20:30.123</d></r>", tcDatHor, "d",
                  "", Data(2018, 5, 1, 10, 20, 30)},
        CasoCampo{"EmptyDateIsNull", "<r><dhRecbto></dhRecbto></r>", tcDatHor, "dhRecbto", "",
                  TVarDataHora{0}},
        CasoCampo{"Date", "<r><d>2018-05-01</d></r>", tcDat, "d", "", Data(2018, 5, 1)},
        CasoCampo{"Time", "<r><h>10:20:30</h></r>", tcHor, "h", "",
                  TVarDataHora{CodificarDataHora(1899, 12, 30, 10, 20, 30)}},
        CasoCampo{"CFeDate", "<r><d>20180501</d></r>", tcDatCFe, "d", "", Data(2018, 5, 1)},
        CasoCampo{"CFeTime", "<r><h>102030</h></r>", tcHorCFe, "h", "",
                  TVarDataHora{CodificarDataHora(1899, 12, 30, 10, 20, 30)}},
        CasoCampo{"DueDate", "<r><d>01/05/2018</d></r>", tcDatVcto, "d", "", Data(2018, 5, 1)},
        CasoCampo{"CFeDateTime", "<r><d>20180501102030</d></r>", tcDatHorCFe, "d", "",
                  Data(2018, 5, 1, 10, 20, 30)}),
    [](const testing::TestParamInfo<CasoCampo>& info) { return info.param.nome; });

// Field reads that must fail, with the message they must carry.
TEST(Leitor, UnreadableContentRaisesWithTagInUpperCase) {
  const struct {
    std::string grupo;
    TkovTipoCampo tipo;
    std::string mensagem;
  } casos[] = {
      {"<a><X>sim</X></a>", tcBoolStr, "Tag <X> com conteúdo inválido. sim"},
      {"<a><x>1</x></a>", tcStrOrig, "Tag <X> com conteúdo inválido. 1"},
      {"<a></a>", tcNumStr, "Tag <X> com conteúdo inválido. "},
      {"<a><x>2018-5-1</x></a>", tcDat, "Tag <X> com data ou hora inválida: 2018-5-1"},
      {"<a><x>2018-02-30</x></a>", tcDat, "Tag <X> com data ou hora inválida: 2018-02-30"},
      {"<a><x>2018-05-01T24:00:00</x></a>", tcDatHor,
       "Tag <X> com data ou hora inválida: 2018-05-01T24:00:00"},
      {"<a><x>10:61</x></a>", tcHor, "Tag <X> com data ou hora inválida: 10:61"},
      {"<a><x>2018</x></a>", tcDat, "Tag <X> com data ou hora inválida: 2018"},
  };
  for (const auto& caso : casos) {
    TLeitor leitor;
    leitor.SetGrupo(caso.grupo);
    EXPECT_EQ(MensagemDe([&] { (void)leitor.rCampo(caso.tipo, "x"); }), caso.mensagem)
        << caso.grupo;
  }
}

TEST(Leitor, BadHexReferenceInTextRaises) {
  TLeitor leitor;
  leitor.SetGrupo("<a><x>&#xZZ;</x></a>");
  EXPECT_THROW((void)leitor.rCampo(tcStr, "x"), ENivraDFeException);
}

TEST(Leitor, StatusAnswerReadInOrder) {
  TLeitor leitor;
  leitor.SetArquivo(
      "<retConsStatServ versao=\"4.00\" xmlns=\"http://www.portalfiscal.inf.br/nfe\">"
      "<tpAmb>2</tpAmb><verAplic>PR-v4_7_3</verAplic><cStat>107</cStat>"
      "<xMotivo>Servico em Operacao</xMotivo><cUF>41</cUF>"
      "<dhRecbto>2018-05-01T10:20:30-03:00</dhRecbto><tMed>1</tMed></retConsStatServ>");
  leitor.SetGrupo(leitor.Arquivo());
  EXPECT_EQ(leitor.rExtrai(1, "retConsStatServ"), leitor.Arquivo());
  EXPECT_EQ(leitor.rAtributo("versao"), TVariante(std::string("4.00")));
  EXPECT_EQ(leitor.rCampo(tcStr, "verAplic"), TVariante(std::string("PR-v4_7_3")));
  EXPECT_EQ(leitor.rCampo(tcInt, "cUF"), TVariante(int64_t{41}));
  EXPECT_EQ(leitor.rCampo(tcDatHor, "dhRetorno"), TVariante(TVarDataHora{0}));
}

// One rExtrai call on a document (at level 1, or level 2 under a first extraction).
struct CasoExtrai {
  const char* nome;
  std::string arquivo;
  std::string nivel1;  // root extracted at level 1 first when not empty
  std::string inicio;
  std::string fim;
  int32_t item;
  std::string esperado;

  // Names the case in failure messages.
  friend void PrintTo(const CasoExtrai& caso, std::ostream* os) { *os << caso.nome; }
};

class ExtraiTest : public testing::TestWithParam<CasoExtrai> {};

TEST_P(ExtraiTest, ExtractsGroup) {
  const CasoExtrai& caso = GetParam();
  TLeitor leitor;
  leitor.SetArquivo(caso.arquivo);
  int32_t nivel = 1;
  if (!caso.nivel1.empty()) {
    ASSERT_NE(leitor.rExtrai(1, caso.nivel1), "");
    nivel = 2;
  }
  EXPECT_EQ(leitor.rExtrai(nivel, caso.inicio, caso.fim, caso.item), caso.esperado);
  EXPECT_EQ(leitor.Grupo(), caso.esperado);
  EXPECT_EQ(leitor.Nivel()[0], caso.arquivo);
  if (!caso.esperado.empty()) {
    EXPECT_EQ(leitor.Nivel()[static_cast<size_t>(nivel)], caso.esperado);
  }
}

const std::string kNFe = "<NFe><det nItem='1'>A</det><det nItem='2'>B</det></NFe>";

INSTANTIATE_TEST_SUITE_P(
    Grupos, ExtraiTest,
    testing::Values(
        CasoExtrai{"Root", "<?xml?><r><a>1</a></r>  \r\n", "", "r", "", 1, "<r><a>1</a></r>"},
        CasoExtrai{"StartWithAttributes", "<x><infProt Id='1'><c>1</c></infProt></x>", "",
                   " infProt ", "", 1, "<infProt Id='1'><c>1</c></infProt>"},
        CasoExtrai{"SecondItem", kNFe, "NFe", "det", "", 2, "<det nItem='2'>B</det>"},
        CasoExtrai{"FirstItem", kNFe, "NFe", "det", "", 1, "<det nItem='1'>A</det>"},
        CasoExtrai{"ItemBeyondLastIsEmpty", kNFe, "NFe", "det", "", 3, ""},
        CasoExtrai{"NotFound", kNFe, "NFe", "prod", "", 1, ""},
        CasoExtrai{"DifferentStopTag", "<r><a>1<b>2</b>3</a></r>", "", "a", "b", 1, "<a>1<b>2</b>"},
        CasoExtrai{"PrefixedClosingTag", "<env:Envelope><env:Body>1</env:Body></env:Envelope>", "",
                   "env", "", 1, "<env:Envelope><env:Body>1</env:Body>"},
        CasoExtrai{"StartAfterFirstClosingNotSeen", "<r><a>1</a></r><b>2</b>", "", "b", "r", 1, ""},
        CasoExtrai{"MissingClosingTagTruncates", "<a><b>xyz", "", "a", "", 1, "<a>"},
        CasoExtrai{"NestedSameNameTakesOuterStart", "<g><g>1</g></g>", "", "g", "", 1,
                   "<g><g>1</g>"},
        // Tag names are compared with their letter case.
        CasoExtrai{"StartTagCaseMatters", "<r><a>1</a><A>2</A></r>", "", "A", "", 1, "<A>2</A>"},
        CasoExtrai{"ClosingTagCaseMatters", "<A>1</a><A>2</A>", "", "A", "", 1,
                   "<A>1</a><A>2</A>"}),
    [](const testing::TestParamInfo<CasoExtrai>& info) { return info.param.nome; });

TEST(Leitor, FailedExtractionLeavesLevelAndClearsGroup) {
  TLeitor leitor;
  leitor.SetArquivo(kNFe);
  ASSERT_EQ(leitor.rExtrai(1, "NFe"), kNFe);
  ASSERT_EQ(leitor.rExtrai(2, "det"), "<det nItem='1'>A</det>");
  EXPECT_EQ(leitor.rExtrai(2, "total"), "");
  EXPECT_EQ(leitor.Grupo(), "");
  EXPECT_EQ(leitor.Nivel()[2], "<det nItem='1'>A</det>");
}

TEST(Leitor, LevelOutsideOneToNineRaises) {
  TLeitor leitor;
  leitor.SetArquivo("<a>1</a>");
  for (const int32_t nivel : {0, 10, -1}) {
    EXPECT_THROW((void)leitor.rExtrai(nivel, "a"), ENivraDFeException) << nivel;
  }
  EXPECT_EQ(leitor.rExtrai(9, "a"), "");  // level 8 is empty
}

// One rAtributo call and the text it must give.
struct CasoAtributo {
  const char* nome;
  std::string grupo;
  std::string atributo;
  std::string tag;
  std::string esperado;

  // Names the case in failure messages.
  friend void PrintTo(const CasoAtributo& caso, std::ostream* os) { *os << caso.nome; }
};

class AtributoTest : public testing::TestWithParam<CasoAtributo> {};

TEST_P(AtributoTest, ReadsQuotedValue) {
  TLeitor leitor;
  leitor.SetGrupo(GetParam().grupo);
  EXPECT_EQ(leitor.rAtributo(GetParam().atributo, GetParam().tag), TVariante(GetParam().esperado));
}

INSTANTIATE_TEST_SUITE_P(
    Atributos, AtributoTest,
    testing::Values(
        CasoAtributo{"SingleQuotes", "<retConsStatServ versao='4.00'>", "versao", "", "4.00"},
        CasoAtributo{"DoubleQuotes", "<retConsStatServ versao=\"4.00\">", " versao ", "", "4.00"},
        CasoAtributo{"EmptyValue", "<r versao=''>", "versao", "", ""},
        CasoAtributo{"MissingAttribute", "<r x='1'>", "versao", "", ""},
        CasoAtributo{"MissingClosingQuote", "<r versao='4.00>", "versao", "", ""},
        CasoAtributo{"NoQuotes", "<r versao=4>", "versao", "", ""},
        CasoAtributo{"SingleQuoteInsideDouble", "<r versao=\"a'b\">", "versao", "", "a'b"},
        CasoAtributo{"DoubleQuoteInsideSingle", "<r versao='a\"b'>", "versao", "", "a\"b"},
        CasoAtributo{"EntityDecoded", "<r v=\"a &amp; b\">", "v", "", "a & b"},
        CasoAtributo{"SearchedAfterTag", "<a Id='1'><b Id='2'/></a>", "Id", "<b", "2"},
        CasoAtributo{"TagNotFoundSearchesWhole", "<a Id='1'><b Id='2'/></a>", "Id", "<c", "1"},
        CasoAtributo{"NameInsideLongerNameFoundFirst", "<a xversao='1' versao='2'>", "versao", "",
                     "1"},
        CasoAtributo{"NameCaseMatters", "<r Versao='1' versao='2'>", "versao", "", "2"},
        CasoAtributo{"TagCaseMatters", "<a><B Id='1'/><b Id='2'/></a>", "Id", "<b", "2"}),
    [](const testing::TestParamInfo<CasoAtributo>& info) { return info.param.nome; });

TEST(Leitor, CNPJOrElseCPF) {
  TLeitor leitor;
  leitor.SetGrupo("<emit><CNPJ> 11222333000181 </CNPJ><CPF>1</CPF></emit>");
  EXPECT_EQ(leitor.rCampoCNPJCPF(), "11222333000181");
  leitor.SetGrupo("<emit><CNPJ></CNPJ><CPF>12345678909</CPF></emit>");
  EXPECT_EQ(leitor.rCampoCNPJCPF(), "12345678909");
  leitor.SetGrupo("<dest><x/><emit><CPF>1</CPF></emit></dest>");
  EXPECT_EQ(leitor.rCampoCNPJCPF("emit"), "");
}

class CarregarArquivoTest : public testing::Test {
 protected:
  std::string Gravar(const std::string& nome, const std::string& bytes) const {
    const std::string caminho = FPasta.Caminho() + nome;
    TPastaTemporaria::Escrever(caminho, bytes);
    return caminho;
  }

  TPastaTemporaria FPasta;
};

TEST_F(CarregarArquivoTest, JoinsLinesWithCrLfWhateverTheEncoding) {
  const struct {
    std::string nome;
    std::string bytes;
    std::string esperado;
  } casos[] = {
      {"lf.xml", "<a>\n<b>1</b>\r</a>", "<a>\r\n<b>1</b>\r\n</a>\r\n"},
      {"vazio.xml", "", ""},
      {"bom8.xml", "\xEF\xBB\xBF<a>ç</a>\r\n", "<a>ç</a>\r\n"},
      {"cp1252.xml", "<a>S\xE3o</a>", "<a>São</a>\r\n"},
      {"utf16le.xml", std::string("\xFF\xFE<\0a\0>\0\xE7\0\n\0", 12), "<a>ç\r\n"},
      {"utf16be.xml", std::string("\xFE\xFF\0<\xD8\x3D\xDE\x00", 8), "<\xF0\x9F\x98\x80\r\n"},
      {"utf16quebrado.xml", std::string("\xFF\xFE\x3D\xD8\x41\x00\x41", 7),
       "\xEF\xBF\xBD"
       "A"
       "\xEF\xBF\xBD\r\n"},
  };
  for (const auto& caso : casos) {
    TLeitor leitor;
    EXPECT_TRUE(leitor.CarregarArquivo(Gravar(caso.nome, caso.bytes)));
    EXPECT_EQ(leitor.Arquivo(), caso.esperado) << caso.nome;
  }
}

TEST_F(CarregarArquivoTest, MissingFileRaises) {
  TLeitor leitor;
  EXPECT_THROW(leitor.CarregarArquivo(std::string("/nao/existe/arquivo.xml")), ENivraDFeException);
}

TEST(Leitor, StreamTextStoredUnchanged) {
  std::istringstream fluxo("<a>\n1</a>");
  TLeitor leitor;
  EXPECT_TRUE(leitor.CarregarArquivo(fluxo));
  EXPECT_EQ(leitor.Arquivo(), "<a>\n1</a>");
}

TEST(Leitor, PosLastFindsLastOccurrence) {
  EXPECT_EQ(TLeitor::PosLast("ab", "abcab"), 4);
  EXPECT_EQ(TLeitor::PosLast("aa", "aaa"), 2);
  EXPECT_EQ(TLeitor::PosLast("x", "abc"), 0);
}

}  // namespace

}  // namespace nivra
