// Tests of the text helpers.
#include "nivranfe/util/texto.h"

#include <gtest/gtest.h>

namespace nivra {

namespace {

TEST(Texto, EmptinessCountsSpacesAsContent) {
  EXPECT_TRUE(TextoVazio(""));
  EXPECT_FALSE(TextoVazio(" "));
  EXPECT_TRUE(TextoPreenchido(" "));
  EXPECT_FALSE(TextoPreenchido(""));
}

TEST(Texto, DigitAndLetterFilters) {
  EXPECT_EQ(SomenteDigitos("-12.345,6 abç7"), "1234567");
  EXPECT_EQ(SomenteLetrasEDigitos("Razão Social 1!"), "RazoSocial1");
  EXPECT_TRUE(TextoSoDeDigitos("0123"));
  EXPECT_FALSE(TextoSoDeDigitos(""));
  EXPECT_FALSE(TextoSoDeDigitos("12 3"));
  EXPECT_FALSE(TextoSoDeDigitos("-1"));
}

TEST(Texto, TrimAndUpperCaseKeepMultibyteCharacters) {
  EXPECT_EQ(Aparar(" \t\r\n ação \n"), "ação");
  EXPECT_EQ(Maiusculas("ação xml"), "AçãO XML");
  EXPECT_TRUE(IguaisSemCaixa("NfeStatusServico", "nfestatusservico"));
  EXPECT_FALSE(IguaisSemCaixa("ab", "abc"));
}

TEST(Texto, PaddingAndCutting) {
  EXPECT_EQ(CompletarEsquerda("12345", 3, '0'), "123");
  EXPECT_EQ(CompletarEsquerda("7", 3, '0'), "007");
  EXPECT_EQ(CompletarDireita("ab", 4, '*'), "ab**");
  EXPECT_EQ(CompletarDireita("abcdef", 2, ' '), "ab");
  // Lengths count characters, so a cut never splits a UTF-8 sequence.
  EXPECT_EQ(CompletarDireita("ção", 2, ' '), "çã");
  EXPECT_EQ(CompletarEsquerda("ção", 5, ' '), "  ção");
  EXPECT_EQ(CompletarEsquerda("abc", 0, ' '), "");
  EXPECT_EQ(ZerosAEsquerda(" 123 ", 2), "12");
  EXPECT_EQ(ZerosAEsquerda(" 123 ", 6), "000123");
  EXPECT_EQ(ZerosAEsquerda(int64_t{42}, 5), "00042");
  EXPECT_EQ(ZerosAEsquerda(int64_t{12345678901234}, 15), "012345678901234");
  EXPECT_EQ(InteiroComZeros(5, 2), "05");
  EXPECT_EQ(InteiroComZeros(1234, 2), "34");
  EXPECT_EQ(InteiroComZeros(7, 2), "07");
}

TEST(Texto, SubstituirTodosNeverRescansTheReplacement) {
  struct Caso {
    const char* texto;
    const char* de;
    const char* para;
    const char* esperado;
  };
  const Caso casos[] = {
      {"a&b&", "&", "&amp;", "a&amp;b&amp;"},
      {"aaaa", "aa", "a", "aa"},
      {"xyz", "q", "w", "xyz"},
      {"abc", "", "-", "abc"},
      {"", "a", "b", ""},
      {"ab", "ab", "", ""},
  };
  for (const Caso& caso : casos) {
    std::string texto = caso.texto;
    SubstituirTodos(texto, caso.de, caso.para);
    EXPECT_EQ(texto, caso.esperado) << caso.texto << " " << caso.de;
  }
}

TEST(Texto, ConteudoEntreTakesTheFirstEndAfterTheStart) {
  EXPECT_EQ(ConteudoEntre("a[b]c[d]", "[", "]"), "b");
  EXPECT_EQ(ConteudoEntre("]a[b", "[", "]"), "");
  EXPECT_EQ(ConteudoEntre("abc", "[", "]"), "");
  EXPECT_EQ(ConteudoEntre("x<v>1</v>", "<v>", "</v>"), "1");
}

TEST(Texto, TagNaListaMatchesItemsThatBeginTheTag) {
  struct Caso {
    const char* tag;
    const char* lista;
    bool esperado;
  };
  const Caso casos[] = {
      {"NFe xmlns=\"http://www.portalfiscal.inf.br/nfe\"", "|?xml version|NFe xmlns|", true},
      {"?xml version=\"1.0\"", "|?xml version|NFe xmlns|", true},
      {"det", "|detPag|", false},
      {"b", "|a|b", false},
      {"a", "|a|b", true},
      {"x", "", false},
      {"x", "||", false},
      {"x", "x|", false},
      {"infNFe", "||infNFe|", true},
  };
  for (const Caso& caso : casos) {
    EXPECT_EQ(TagNaLista(caso.tag, caso.lista), caso.esperado) << caso.tag << " in " << caso.lista;
  }
}

TEST(Texto, UltimaPosicaoIsOneBased) {
  EXPECT_EQ(UltimaPosicao("ab", "abcab"), 4);
  EXPECT_EQ(UltimaPosicao("ab", "ab"), 1);
  EXPECT_EQ(UltimaPosicao("x", "abc"), 0);
  EXPECT_EQ(UltimaPosicao("", "abc"), 0);
}

TEST(Texto, RemoverAcentosFoldsLettersAndBlanksOtherCharacters) {
  EXPECT_EQ(RemoverAcentos("São Paulo\tnº 5"), "Sao Paulo n  5");
  EXPECT_EQ(RemoverAcentos("ÀÁÂÃÄ Ç ÈÉÊË ÌÍÎÏ Ñ ÒÓÔÕÖ ÙÚÛÜ"), "AAAAA C EEEE IIII N OOOOO UUUU");
  EXPECT_EQ(RemoverAcentos("àáâãä ç èéêë ìíîï ñ òóôõö ùúûü"), "aaaaa c eeee iiii n ooooo uuuu");
  // Letters outside the folding table, symbols and control characters become one space each.
  EXPECT_EQ(RemoverAcentos("ÝÅ€ª\x01"), "     ");
  EXPECT_EQ(RemoverAcentos("a\bb\r\nc~"), "a\bb\r\nc~");
  // A stray Windows-1252 byte is one character.
  EXPECT_EQ(RemoverAcentos("Jo\xE3o"), "Joao");
}

TEST(Texto, TrocarQuebrasDeLinhaReplacesEveryKindOfBreak) {
  EXPECT_EQ(TrocarQuebrasDeLinha("a\rb\nc\r\nd"), "a;b;c;d");
  EXPECT_EQ(TrocarQuebrasDeLinha("a\rb\nc\r\nd", "\n"), "a\nb\nc\nd");
  EXPECT_EQ(TrocarQuebrasDeLinha("a\r\n\r\nb", " | "), "a |  | b");
  EXPECT_EQ(TrocarQuebrasDeLinha("   ", "x"), "   ");
  EXPECT_EQ(TrocarQuebrasDeLinha(""), "");
}

TEST(Texto, PrepararTextoCampoAppliesEveryStepInOrder) {
  EXPECT_EQ(PrepararTextoCampo(true, "  Ação  &  Cia\r\nLtda ", true, true, ";"),
            "Acao &amp; Cia;Ltda");
  // Without the flags accents, runs of spaces and line breaks stay; the ends are still trimmed.
  EXPECT_EQ(PrepararTextoCampo(false, " Ação  <b>\r\n", false, false), "Ação  &lt;b&gt;");
  // Runs of any length collapse to one space.
  EXPECT_EQ(PrepararTextoCampo(true, "a     b", false), "a b");
  EXPECT_EQ(PrepararTextoCampo(false, "\"x\" 'y'", false), "&quot;x&quot; &#39;y&#39;");
}

TEST(Texto, TextoCampoProntoOnlyForTextTheFilterKeepsAsItIs) {
  struct TCaso {
    std::string_view Texto;
    bool ProntoSemRetirarEspacos;
    bool ProntoRetirandoEspacos;
  };
  static constexpr TCaso kCasos[] = {
      {"NF-e 123/4 (a.b) ~x", true, true},
      {"", true, true},
      {"a  b", true, false},
      {" a", false, false},
      {"a ", false, false},
      {"a&b", false, false},
      {"a<b", false, false},
      {"a>b", false, false},
      {"a\"b", false, false},
      {"a'b", false, false},
      {"a\tb", false, false},
      {"a\r\nb", false, false},
      {"a\x7F", false, false},
      {"A\xC3\xA7\xC3\xA3o", false, false},
  };
  for (const TCaso& caso : kCasos) {
    EXPECT_EQ(TextoCampoPronto(caso.Texto, false), caso.ProntoSemRetirarEspacos) << caso.Texto;
    EXPECT_EQ(TextoCampoPronto(caso.Texto, true), caso.ProntoRetirandoEspacos) << caso.Texto;
    // What is ready comes out of the filter unchanged whatever the other switches.
    for (const bool acentos : {false, true}) {
      for (const bool quebras : {false, true}) {
        if (caso.ProntoSemRetirarEspacos) {
          EXPECT_EQ(PrepararTextoCampo(false, caso.Texto, acentos, quebras), caso.Texto);
        }
        if (caso.ProntoRetirandoEspacos) {
          EXPECT_EQ(PrepararTextoCampo(true, caso.Texto, acentos, quebras), caso.Texto);
        }
      }
    }
  }
}

TEST(Texto, BytesParaHexWritesUpperCasePairs) {
  EXPECT_EQ(BytesParaHex(std::string("\x00\x1f\xab\xff", 4)), "001FABFF");
  EXPECT_EQ(BytesParaHex(""), "");
}

TEST(Texto, EmbaralharComChaveKeepsEqualBytesAndXorsTheOthers) {
  EXPECT_EQ(EmbaralharComChave("ab", "ab"), "ab");
  EXPECT_EQ(EmbaralharComChave("abc", "a\x01"), std::string("a") + char('b' ^ 1) + char('c' ^ 'a'));
  const std::string senha = "S3nh@ dificil";
  const std::string chave = "20261209222621";
  const std::string embaralhada = EmbaralharComChave(senha, chave);
  EXPECT_NE(embaralhada, senha);
  EXPECT_EQ(EmbaralharComChave(embaralhada, chave), senha);
  EXPECT_EQ(EmbaralharComChave("abc", ""), "abc");
}

}  // namespace

}  // namespace nivra
