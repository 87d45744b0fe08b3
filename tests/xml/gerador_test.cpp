// Tests of the XML generator: field formatting and checks, group tags, alerts, identity
// numbers, indentation and the TXT layout.
#include "nivranfe/xml/gerador.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "nivranfe/util/datahora.h"
#include "nivranfe/util/excecoes.h"
#include "tests/fakes/pasta_temporaria.h"

namespace nivra {

namespace {

using Alertas = std::vector<std::string>;
using enum TkovTipoCampo;

TVariante Data(int ano, int mes, int dia, int hora = 0, int minuto = 0, int segundo = 0) {
  return TVarDataHora{CodificarDataHora(ano, mes, dia, hora, minuto, segundo)};
}

// One call of wCampo with the options that matter for it, and what it must produce.
struct CasoCampo {
  const char* nome;
  TkovTipoCampo tipo;
  int16_t min;
  int16_t max;
  int16_t ocorrencias;
  TVariante valor;
  std::string xml;
  Alertas alertas;
  char decimal = '.';
  bool suprimirDecimais = false;
  bool parseTexto = true;
  std::string atributo = "";
  bool tagVaziaResumida = true;

  // Names the case in failure messages.
  friend void PrintTo(const CasoCampo& caso, std::ostream* os) { *os << caso.nome; }
};

class CampoTest : public testing::TestWithParam<CasoCampo> {};

TEST_P(CampoTest, WritesFormattedElementAndRecordsAlerts) {
  const CasoCampo& caso = GetParam();
  TGerador gerador;
  gerador.Opcoes().SetFormatoAlerta("%MSG%");
  gerador.Opcoes().SetDecimalChar(caso.decimal);
  gerador.Opcoes().SetSuprimirDecimais(caso.suprimirDecimais);
  gerador.Opcoes().SetTagVaziaNoFormatoResumido(caso.tagVaziaResumida);
  gerador.wCampo(caso.tipo, "ID1", "x", caso.min, caso.max, caso.ocorrencias, caso.valor, "",
                 caso.parseTexto, caso.atributo);
  EXPECT_EQ(gerador.ArquivoFormatoXML(), caso.xml);
  EXPECT_EQ(gerador.ListaDeAlertas(), caso.alertas);
}

const std::string kMaior = "Tamanho maior que o máximo permitido";
const std::string kMenor = "Tamanho menor que o mínimo permitido";

INSTANTIATE_TEST_SUITE_P(
    TiposDeCampo, CampoTest,
    testing::Values(
        CasoCampo{"IntPaddedToMin", tcInt, 2, 2, 1, int64_t{7}, "<x>07</x>", {}},
        CasoCampo{"IntTooLongWrittenWithValue",
                  tcInt,
                  2,
                  2,
                  1,
                  int64_t{123},
                  "<x>123</x>",
                  {kMaior + " [123]"}},
        CasoCampo{"IntZeroOptionalOmitted", tcInt, 1, 5, 0, int64_t{0}, "", {}},
        CasoCampo{"IntZeroMandatoryWritten", tcInt, 1, 5, 1, int64_t{0}, "<x>0</x>", {}},
        CasoCampo{"IntFromText", tcInt, 1, 5, 1, std::string(" 42 "), "<x>42</x>", {}},
        CasoCampo{"IntUnreadableIsZero", tcInt, 1, 5, 1, std::string("abc"), "<x>0</x>", {}},
        CasoCampo{"IntBeyond32BitsIsZero", tcInt, 1, 5, 1, int64_t{5000000000}, "<x>0</x>", {}},
        CasoCampo{"NegativeIntPaddedAfterSign", tcInt, 3, 3, 1, int64_t{-5}, "<x>-05</x>", {}},
        CasoCampo{"StrEmptyMandatoryWithMin",
                  tcStr,
                  1,
                  5,
                  1,
                  std::string(""),
                  "<x/>",
                  {"Nenhum valor informado"}},
        CasoCampo{"StrEmptyMandatoryWithoutMin", tcStr, 0, 5, 1, std::string("  "), "<x/>", {}},
        CasoCampo{"StrEmptyOptionalOmitted", tcStr, 1, 5, 0, std::monostate{}, "", {}},
        CasoCampo{"StrEmptyLongForm",
                  tcStr,
                  0,
                  5,
                  1,
                  std::string(),
                  "<x></x>",
                  {},
                  '.',
                  false,
                  true,
                  "",
                  false},
        CasoCampo{"StrTrimmed", tcStr, 1, 5, 1, std::string("  abc  "), "<x>abc</x>", {}},
        CasoCampo{
            "StrTooShort", tcStr, 5, 10, 1, std::string("abc"), "<x>abc</x>", {kMenor + " [abc]"}},
        CasoCampo{
            "SingleCharacterNeverTooShort", tcStr, 5, 10, 1, std::string("a"), "<x>a</x>", {}},
        CasoCampo{
            "LengthCountsCharactersNotBytes", tcStr, 1, 3, 1, std::string("çãé"), "<x>cae</x>", {}},
        CasoCampo{"OverTheLimitInCharacters",
                  tcStr,
                  1,
                  3,
                  1,
                  std::string("ação"),
                  "<x>acao</x>",
                  {kMaior + " [ação]"}},
        CasoCampo{"StrOrigKeepsSpaces",
                  tcStrOrig,
                  1,
                  5,
                  1,
                  std::string(" a "),
                  "<x> a </x>",
                  {},
                  '.',
                  false,
                  false},
        CasoCampo{"NumStrPadded", tcNumStr, 5, 5, 1, std::string(" 12 "), "<x>00012</x>", {}},
        CasoCampo{"NumStrEmptyOptionalOmitted", tcNumStr, 5, 5, 0, std::string(""), "", {}},
        CasoCampo{"EspNotDigits",
                  tcEsp,
                  1,
                  5,
                  1,
                  std::string("12a"),
                  "<x>12a</x>",
                  {"Conteúdo inválido"}},
        CasoCampo{"EspDigits", tcEsp, 1, 5, 1, std::string("0123"), "<x>0123</x>", {}},
        CasoCampo{"EspEmptyIsInvalid", tcEsp, 0, 5, 0, std::string(""), "", {"Conteúdo inválido"}},
        CasoCampo{"De2TwoDecimals", tcDe2, 1, 15, 1, 1234.5, "<x>1234.50</x>", {}},
        CasoCampo{"De2DecimalComma", tcDe2, 1, 15, 1, 1234.5, "<x>1234,50</x>", {}, ','},
        CasoCampo{"De2RoundsHalfAway", tcDe2, 1, 15, 1, 0.125, "<x>0.13</x>", {}},
        CasoCampo{"De2NegativeRounded", tcDe2, 1, 15, 1, -1234.5, "<x>-1234.50</x>", {}},
        CasoCampo{"De2WholeSuppressed", tcDe2, 1, 15, 1, 10.0, "<x>10</x>", {}, '.', true},
        CasoCampo{
            "De2FractionNotSuppressed", tcDe2, 1, 15, 1, 10.25, "<x>10.25</x>", {}, '.', true},
        CasoCampo{"De2MaxRaisedByOne", tcDe2, 1, 4, 1, 12.5, "<x>12.50</x>", {}},
        CasoCampo{"De2MaxNotRaisedWhenSuppressing",
                  tcDe2,
                  1,
                  4,
                  1,
                  12.5,
                  "<x>12.50</x>",
                  {kMaior + " [12.5]"},
                  '.',
                  true},
        CasoCampo{"De2MinRaisedByOne", tcDe2, 5, 15, 1, 1.5, "<x>001.50</x>", {}},
        CasoCampo{"De2ZeroOptionalOmitted", tcDe2, 1, 15, 0, 0.0, "", {}},
        CasoCampo{"De2FromTextWithComma", tcDe2, 1, 15, 1, std::string("2,5"), "<x>2.50</x>", {}},
        CasoCampo{
            "De2UnreadableWithPoint", tcDe2, 1, 15, 1, std::string("abc"), "<x>0.00</x>", {}, ','},
        CasoCampo{"De3", tcDe3, 1, 15, 1, 2.5, "<x>2.500</x>", {}},
        CasoCampo{"De4", tcDe4, 1, 15, 1, int64_t{1}, "<x>1.0000</x>", {}},
        CasoCampo{"De6", tcDe6, 1, 15, 1, 0.5, "<x>0.500000</x>", {}},
        CasoCampo{"De10", tcDe10, 1, 15, 1, 0.25, "<x>0.2500000000</x>", {}},
        CasoCampo{"Dat", tcDat, 10, 10, 1, Data(2018, 5, 1, 10, 20, 30), "<x>2018-05-01</x>", {}},
        CasoCampo{
            "DatFromText", tcDat, 10, 10, 1, std::string("2018-05-01"), "<x>2018-05-01</x>", {}},
        CasoCampo{"DatFirstDay", tcDat, 10, 10, 1, Data(1, 1, 1), "<x>0001-01-01</x>", {}},
        CasoCampo{"DatLastDay", tcDat, 10, 10, 1, Data(9999, 12, 31), "<x>9999-12-31</x>", {}},
        CasoCampo{"DatNullOptionalOmitted", tcDat, 10, 10, 0, TVarDataHora{0}, "", {}},
        CasoCampo{"DatNullMandatory",
                  tcDat,
                  10,
                  10,
                  1,
                  TVarDataHora{0},
                  "<x/>",
                  {"Nenhum valor informado"}},
        CasoCampo{"DatHorWithoutFractionOrZone",
                  tcDatHor,
                  19,
                  19,
                  1,
                  TVarDataHora{CodificarDataHora(2018, 5, 1, 10, 20, 30, 700)},
                  "<x>2018-05-01T10:20:30</x>",
                  {}},
        CasoCampo{"DatHorAtMidnight",
                  tcDatHor,
                  19,
                  19,
                  1,
                  Data(2018, 5, 1),
                  "<x>2018-05-01T00:00:00</x>",
                  {}},
        CasoCampo{"DatHorNullDateIgnoresTime",
                  tcDatHor,
                  19,
                  19,
                  0,
                  TVarDataHora{CodificarDataHora(1899, 12, 30, 10)},
                  "",
                  {}},
        CasoCampo{"Hor", tcHor, 8, 8, 1, Data(2018, 5, 1, 10, 20, 30), "<x>10:20:30</x>", {}},
        CasoCampo{"HorMidnightOptionalOmitted", tcHor, 8, 8, 0, Data(2018, 5, 1), "", {}},
        CasoCampo{"DatCFe", tcDatCFe, 8, 8, 1, Data(2018, 5, 1), "<x>20180501</x>", {}},
        CasoCampo{"HorCFe", tcHorCFe, 6, 6, 1, Data(2018, 5, 1, 9, 8, 7), "<x>090807</x>", {}},
        CasoCampo{"DatVcto", tcDatVcto, 10, 10, 1, Data(2018, 5, 1), "<x>01/05/2018</x>", {}},
        CasoCampo{"DatHorCFe",
                  tcDatHorCFe,
                  14,
                  14,
                  1,
                  Data(2018, 5, 1, 10, 20, 30),
                  "<x>20180501102030</x>",
                  {}},
        CasoCampo{"BoolTrue", tcBoolStr, 4, 5, 1, true, "<x>true</x>", {}},
        CasoCampo{
            "BoolFalseNeverEmpty", tcBoolStr, 4, 5, 0, std::string("false"), "<x>false</x>", {}},
        CasoCampo{"TextEscapedAndFolded",
                  tcStr,
                  1,
                  60,
                  1,
                  std::string("Ação A & B <c>"),
                  "<x>Acao A &amp; B &lt;c&gt;</x>",
                  {}},
        CasoCampo{"SpacesCollapsedAndBreaksReplaced",
                  tcStr,
                  1,
                  60,
                  1,
                  std::string("a  b\r\nc"),
                  "<x>a b;c</x>",
                  {}},
        CasoCampo{"UnparsedTextUnchanged",
                  tcStr,
                  1,
                  60,
                  1,
                  std::string("A & B"),
                  "<x>A & B</x>",
                  {},
                  '.',
                  false,
                  false},
        CasoCampo{"Attribute",
                  tcStr,
                  1,
                  5,
                  1,
                  std::string("1"),
                  "<x a=\"1\">1</x>",
                  {},
                  '.',
                  false,
                  true,
                  " a=\"1\" "},
        CasoCampo{"EmptyWithAttribute",
                  tcStr,
                  0,
                  5,
                  1,
                  std::string(""),
                  "<x a=\"1\"/>",
                  {},
                  '.',
                  false,
                  true,
                  "a=\"1\""},
        CasoCampo{"EmptyWithAttributeLongForm",
                  tcStr,
                  0,
                  5,
                  1,
                  std::string(""),
                  "<x a=\"1\"></x>",
                  {},
                  '.',
                  false,
                  true,
                  "a=\"1\"",
                  false}),
    [](const testing::TestParamInfo<CasoCampo>& info) { return info.param.nome; });

// Values of a date, time or truth type that are not one are reported, and nothing is written.
TEST(Gerador, UnconvertibleValueThrowsAndWritesNothing) {
  const struct {
    TkovTipoCampo tipo;
    TVariante valor;
  } casos[] = {{tcDat, std::string("2018-02-30")},
               {tcDatHor, std::string("amanhã")},
               {tcHor, true},
               {tcDat, 1e300},
               {tcDat, Data(0, 12, 31)},
               {tcDat, Data(10000, 1, 1)},
               {tcBoolStr, std::string("talvez")}};
  for (const auto& caso : casos) {
    TGerador gerador;
    EXPECT_THROW(gerador.wCampo(caso.tipo, "", "x", 0, 30, 1, caso.valor), ENivraDFeException);
    EXPECT_EQ(gerador.ArquivoFormatoXML(), "");
  }
}

TEST(Gerador, AlertLineFollowsFormatWithLevelPath) {
  TGerador gerador;
  gerador.wGrupo("a");
  gerador.wGrupo("b");
  gerador.wCampo(tcStr, " FP04 ", "cUF", 2, 2, 1, std::monostate{},
                 "Código do UF (Unidade da Federação)");
  gerador.wCampo(tcStr, "FP05", "xNome", 2, 3, 1, std::string("abcd"), " Nome ");
  EXPECT_EQ(gerador.ListaDeAlertas(),
            (Alertas{"TAG:<a><b> ID:FP04/cUF(Código do UF (Unidade da Federação)) - Nenhum valor "
                     "informado.",
                     "TAG:<a><b> ID:FP05/xNome(Nome) - Tamanho maior que o máximo permitido "
                     "[abcd]."}));
}

TEST(Gerador, AlertReplacesEveryPlaceholderAndSkipsBlankMessages) {
  TGerador gerador;
  gerador.Opcoes().SetFormatoAlerta("%TAG%-%TAG% %ID%: %MSG%");
  gerador.wAlerta("B01", "cNF", "", "Conteúdo inválido");
  gerador.wAlerta("B01", "cNF", "", "   ");
  EXPECT_EQ(gerador.ListaDeAlertas(), Alertas{"cNF-cNF B01: Conteúdo inválido"});
}

TEST(Gerador, SomenteValidarRecordsSameAlertsButWritesOnlyGroups) {
  auto montar = [](TGerador& gerador) {
    gerador.wGrupo("a");
    gerador.wCampo(tcStr, "A1", "x", 1, 2, 1, std::string());
    gerador.wCampo(tcInt, "A2", "y", 2, 2, 1, int64_t{123});
    gerador.wCampo(tcStr, "A3", "z", 1, 2, 1, std::string("ok"));
    gerador.wGrupo("/a");
  };
  TGerador normal;
  montar(normal);
  TGerador validador;
  validador.Opcoes().SetSomenteValidar(true);
  montar(validador);
  EXPECT_EQ(validador.ListaDeAlertas(), normal.ListaDeAlertas());
  EXPECT_EQ(validador.ListaDeAlertas().size(), 2U);
  EXPECT_EQ(validador.ArquivoFormatoXML(), "<a></a>");
  EXPECT_EQ(normal.ArquivoFormatoXML(), "<a><x/><y>123</y><z>ok</z></a>");
}

TEST(Gerador, IndentedDocumentPutsEachTagOnItsOwnLine) {
  TGerador gerador;
  gerador.Opcoes().SetIdentarXML(true);
  gerador.Opcoes().SetTamanhoIdentacao(2);
  gerador.wGrupo("consStatServ xmlns=\"http://www.portalfiscal.inf.br/nfe\" versao=\"4.00\"");
  gerador.wCampo(tcStr, "FP03", "tpAmb", 1, 1, 1, std::string("2"));
  gerador.wGrupo("g");
  gerador.wCampo(tcStr, "", "vazio", 0, 5, 1, std::string(), "", true, "a=\"1\"");
  gerador.wGrupo("auto x=\"1\"/", "", false);
  gerador.wGrupo("/g");
  gerador.wGrupo("/consStatServ");
  EXPECT_EQ(gerador.ArquivoFormatoXML(),
            "<consStatServ xmlns=\"http://www.portalfiscal.inf.br/nfe\" versao=\"4.00\">\r\n"
            "  <tpAmb>2</tpAmb>\r\n"
            "  <g>\r\n"
            "    <vazio/>\r\n"
            "    <auto x=\"1\"/>\r\n"
            "  </g>\r\n"
            "</consStatServ>\r\n");
  EXPECT_EQ(gerador.Opcoes().NivelIdentacao(), 0);
}

TEST(Gerador, IgnoredIndentationTagIsWrittenOneLevelLower) {
  TGerador gerador;
  gerador.Opcoes().SetIdentarXML(true);
  gerador.SetIgnorarTagIdentacao("|Signature|");
  gerador.wGrupo("a");
  gerador.wGrupo("b");
  gerador.wGrupo("Signature xmlns=\"s\"");
  gerador.wGrupo("/b");
  gerador.wGrupo("/a");
  EXPECT_EQ(gerador.ArquivoFormatoXML(),
            "<a>\r\n   <b>\r\n   <Signature xmlns=\"s\">\r\n   </b>\r\n</a>\r\n");
}

// A sequence of group tags and the level path it must leave.
struct CasoNivel {
  const char* nome;
  std::vector<std::string> tags;
  std::string ignorar;
  std::string esperado;

  // Names the case in failure messages.
  friend void PrintTo(const CasoNivel& caso, std::ostream* os) { *os << caso.nome; }
};

class TagNivelTest : public testing::TestWithParam<CasoNivel> {};

TEST_P(TagNivelTest, KeepsOpenGroupsInPath) {
  TGerador gerador;
  gerador.SetIgnorarTagNivel(GetParam().ignorar);
  for (const std::string& tag : GetParam().tags) gerador.wGrupo(tag);
  EXPECT_EQ(gerador.TagNivel(), GetParam().esperado);
}

INSTANTIATE_TEST_SUITE_P(
    Caminhos, TagNivelTest,
    testing::Values(CasoNivel{"OpenAndClose", {"a", "b", "/b", "c"}, "", "<a><c>"},
                    CasoNivel{"ClosingMatchesExactly", {"a", "B", "/b"}, "", "<a><B>"},
                    CasoNivel{
                        "GroupWithAttributesStays", {"a", "c x=\"1\"", "/c"}, "", "<a><c x=\"1\">"},
                    CasoNivel{"AnyDetClosingCutsAtFirstDet",
                              {"NFe", "det nItem=\"1\"", "prod", "detPag", "/detPag"},
                              "",
                              "<NFe>"},
                    CasoNivel{"DetClosingWithoutDetEmptiesPath", {"a", "/det"}, "", ""},
                    CasoNivel{"IgnoredTagsStayOut",
                              {"NFe xmlns=\"x\"", "infNFe versao=\"4.00\"", "ide", "/ide", "emit"},
                              "|NFe xmlns|infNFe versao|",
                              "<emit>"}),
    [](const testing::TestParamInfo<CasoNivel>& info) { return info.param.nome; });

// One call of wCampoCNPJCPF and what it must write and report.
struct CasoDocumento {
  const char* nome;
  std::string numero;
  bool obrigatorio;
  bool preencheZeros;
  std::string xml;
  Alertas alertas;

  // Names the case in failure messages.
  friend void PrintTo(const CasoDocumento& caso, std::ostream* os) { *os << caso.nome; }
};

class CNPJCPFTest : public testing::TestWithParam<CasoDocumento> {};

TEST_P(CNPJCPFTest, ChoosesElementByDigitCount) {
  const CasoDocumento& caso = GetParam();
  TGerador gerador;
  gerador.Opcoes().SetFormatoAlerta("%ID%/%TAG%(%DESCRICAO%) %MSG%");
  gerador.wCampoCNPJCPF("C02", "C02a", caso.numero, caso.obrigatorio, caso.preencheZeros);
  EXPECT_EQ(gerador.ArquivoFormatoXML(), caso.xml);
  EXPECT_EQ(gerador.ListaDeAlertas(), caso.alertas);
}

INSTANTIATE_TEST_SUITE_P(
    Documentos, CNPJCPFTest,
    testing::Values(
        CasoDocumento{"FormattedCPF", " 123.456.789-09 ", true, true, "<CPF>12345678909</CPF>", {}},
        CasoDocumento{
            "FormattedCNPJ", "11.222.333/0001-81", true, true, "<CNPJ>11222333000181</CNPJ>", {}},
        CasoDocumento{"AlphanumericCNPJKeepsItsLetters",
                      "12.ABC.345/01DE-35",
                      true,
                      true,
                      "<CNPJ>12ABC34501DE35</CNPJ>",
                      {}},
        CasoDocumento{"AlphanumericCNPJWithWrongCheckDigit",
                      "12ABC34501DE53",
                      true,
                      true,
                      "<CNPJ>12ABC34501DE53</CNPJ>",
                      {"C02/CNPJ(CNPJ) Conteúdo inválido"}},
        CasoDocumento{"EmptyMandatoryPaddedCNPJ",
                      "",
                      true,
                      true,
                      "<CNPJ>00000000000000</CNPJ>",
                      {"C02/CNPJ(CNPJ) Conteúdo inválido"}},
        CasoDocumento{"EmptyOptionalWritesNothing", "", false, true, "", {}},
        CasoDocumento{
            "ThirteenDigitsUnpadded",
            "1234567890123",
            true,
            false,
            "<CNPJ>1234567890123</CNPJ>",
            {"C02/CNPJ(CNPJ) Conteúdo inválido", "C02a-C02/CNPJ-CPF(CNPJ/CPF) Conteúdo inválido"}},
        CasoDocumento{"ShortCPFPadded",
                      "123",
                      true,
                      true,
                      "<CPF>00000000123</CPF>",
                      {"C02a/CPF(CPF) Conteúdo inválido"}},
        CasoDocumento{"RepeatedDigitCPF",
                      "111.111.111-11",
                      true,
                      true,
                      "<CPF>11111111111</CPF>",
                      {"C02a/CPF(CPF) Conteúdo inválido"}}),
    [](const testing::TestParamInfo<CasoDocumento>& info) { return info.param.nome; });

TEST(Gerador, BrazilianCNPJAndCPFAreCheckedOthersWrittenEmpty) {
  TGerador gerador;
  gerador.Opcoes().SetFormatoAlerta("%ID%/%TAG%(%DESCRICAO%) %MSG%");
  gerador.wCampoCNPJ("E02", "11.222.333/0001-81", 1058, true);
  gerador.wCampoCNPJ("E03", "11222333000182", 1058, true);
  gerador.wCampoCPF("E04", "123.456.789-09", 1058, true);
  gerador.wCampoCPF("E05", "12345678900", 1058, true);
  gerador.wCampoCNPJ("E06", "11222333000181", 249, true);
  gerador.wCampoCPF("E07", "12345678909", 249, false);
  gerador.wCampoCNPJ("E08", "12.ABC.345/01DE-35", 1058, true);
  gerador.wCampoCNPJ("E09", "12abc34501de35", 1058, true);
  EXPECT_EQ(gerador.ArquivoFormatoXML(),
            "<CNPJ>11222333000181</CNPJ><CNPJ>11222333000182</CNPJ><CPF>12345678909</CPF>"
            "<CPF>12345678900</CPF><CNPJ/><CPF/><CNPJ>12ABC34501DE35</CNPJ>"
            "<CNPJ>12abc34501de35</CNPJ>");
  // Letters are kept, and only a CNPJ in upper case is valid.
  EXPECT_EQ(gerador.ListaDeAlertas(),
            (Alertas{"E03/CNPJ(CNPJ(MF)) Conteúdo inválido", "E05/CPF(CPF) Conteúdo inválido",
                     "E09/CNPJ(CNPJ(MF)) Conteúdo inválido"}));
}

TEST(Gerador, PrefixedVariantsPutPrefixBeforeTagName) {
  TGerador gerador;
  gerador.SetPrefixo("ns2:");
  gerador.wGrupoNFSe("Rps");
  gerador.wCampoNFSe(tcInt, "", "Numero", 1, 5, 1, int64_t{12});
  gerador.wGrupoNFSe("/Rps");
  gerador.wTexto("<pronto a=\"&\"/>");
  EXPECT_EQ(gerador.ArquivoFormatoXML(),
            "<ns2:Rps><ns2:Numero>12</ns2:Numero></ns2:Rps><pronto a=\"&\"/>");
}

TEST(Gerador, TxtLayoutIsFilledFromGroupsAndFields) {
  TGerador gerador;
  gerador.LayoutArquivoTXT() = {"<A>|VERSAO\xC2\xA8|CUF\xC2\xA8|", "<B>^ID^|XNOME\xC2\xA8|",
                                "<C>|OBS\xC2\xA8|"};
  gerador.wGrupo("consStatServ versao=\"4.00\"", "A");
  gerador.wCampo(tcInt, "", "cUF", 2, 2, 1, int64_t{41});
  gerador.wGrupo("emit", "b");
  gerador.wCampo(tcStr, "", "xNome", 1, 60, 0, std::string());
  gerador.wGrupo("/emit");
  gerador.wGrupo("obs", "C");
  gerador.wGrupo("/obs");
  gerador.wGrupo("/consStatServ");
  EXPECT_EQ(gerador.IDNivel(), "");
  gerador.gtAjustarRegistros("NF1");
  EXPECT_EQ(gerador.ArquivoFormatoTXT(), "|4.00|41|\r\nNF1||\r\n");
  EXPECT_EQ(gerador.ArquivoFormatoXML(),
            "<consStatServ versao=\"4.00\"><cUF>41</cUF><emit></emit><obs></obs></consStatServ>");
}

TEST(Gerador, TxtSideIsInertWithoutLayout) {
  TGerador gerador;
  gerador.wGrupo("a versao=\"1\"", "A");
  gerador.wCampo(tcStr, "", "x", 1, 5, 1, std::string("v"));
  gerador.gtAjustarRegistros("1");
  EXPECT_EQ(gerador.IDNivel(), "A");
  EXPECT_EQ(gerador.ArquivoFormatoTXT(), "");
}

TEST(Gerador, SalvarArquivoWritesChosenOutputWithFinalLineBreak) {
  const TPastaTemporaria pasta;
  const std::string caminho = pasta.Caminho() + "saida.xml";
  TGerador gerador;
  gerador.wGrupo("a");
  gerador.wCampo(tcStr, "", "b", 1, 5, 1, std::string("é"), "", false);
  gerador.wGrupo("/a");
  gerador.SetArquivoFormatoTXT("linha");
  EXPECT_TRUE(gerador.SalvarArquivo(caminho, TkovFormatoGravacao::fgXML));
  EXPECT_EQ(TPastaTemporaria::Ler(caminho), "<a><b>é</b></a>\r\n");
  EXPECT_TRUE(gerador.SalvarArquivo(caminho, TkovFormatoGravacao::fgTXT));
  EXPECT_EQ(TPastaTemporaria::Ler(caminho), "linha\r\n");
  EXPECT_THROW((void)gerador.SalvarArquivo(pasta.Caminho() + "nao/existe.xml"), ENivraDFeException);
}

}  // namespace

}  // namespace nivra
