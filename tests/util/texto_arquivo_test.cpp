// Tests of the line helpers and of reading a text file whatever its Unicode form.
#include "nivranfe/util/texto_arquivo.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/fakes/mensagem_de.h"
#include "tests/fakes/pasta_temporaria.h"

namespace nivra {

namespace {

using Linhas = std::vector<std::string>;

TEST(TextoArquivo, EachKindOfBreakEndsOneLine) {
  struct Caso {
    std::string texto;
    Linhas esperado;
  };
  const Caso casos[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\n", {"a"}},  // a final break adds no line
      {"a\nb\rc\r\nd", {"a", "b", "c", "d"}},
      {"a\r\r\nb", {"a", "", "b"}},  // CR, then CR LF
      {"a\n\rb", {"a", "", "b"}},    // LF CR is two breaks
      {"\n\n", {"", ""}},
  };
  for (const Caso& caso : casos) {
    EXPECT_EQ(DividirLinhas(caso.texto), caso.esperado) << caso.texto;
  }
}

TEST(TextoArquivo, JuntarLinhasEndsEveryLineWithCrLf) {
  EXPECT_EQ(JuntarLinhas({}), "");
  EXPECT_EQ(JuntarLinhas({"a", "", "b"}), "a\r\n\r\nb\r\n");
  EXPECT_EQ(JuntarLinhas(DividirLinhas("a\nb\rc")), "a\r\nb\r\nc\r\n");
}

TEST(TextoArquivo, ByteOrderMarkChoosesTheDecoding) {
  struct Caso {
    std::string bytes;
    std::string esperado;
  };
  // "x" after the escapes, as it is not a hexadecimal digit that would join them.
  const Caso casos[] = {
      {"\xEF\xBB\xBFxç", "xç"},                              // UTF-8 mark dropped
      {"x\xE7", "xç"},                                       // stray byte read as Windows-1252
      {std::string("\xFF\xFEx\0\xE7\0", 6), "xç"},           // UTF-16 little-endian
      {std::string("\xFE\xFF\0x\0\xE7", 6), "xç"},           // UTF-16 big-endian
      {std::string("\xFF\xFE\x00\xDC", 4), "\xEF\xBF\xBD"},  // lone low surrogate
      {"\xFF\xFE", ""},
  };
  for (const Caso& caso : casos) {
    EXPECT_EQ(DecodificarTextoArquivo(caso.bytes), caso.esperado);
  }
}

TEST(TextoArquivo, LerArquivoTextoDecodesTheFileAndNamesAMissingOne) {
  const TPastaTemporaria pasta;
  const std::string caminho = pasta.Caminho() + "texto.txt";
  TPastaTemporaria::Escrever(caminho,
                             "\xEF\xBB\xBF"
                             "linha\r\n");
  EXPECT_EQ(LerArquivoTexto(caminho), "linha\r\n");
  const std::string ausente = pasta.Caminho() + "ausente.txt";
  EXPECT_EQ(MensagemDe([&] { (void)LerArquivoTexto(ausente); }),
            "Não foi possível abrir o arquivo \"" + ausente + "\"");
}

}  // namespace

}  // namespace nivra
