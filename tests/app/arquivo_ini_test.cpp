#include "app/arquivo_ini.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace nivra {

namespace {

const char* const kTexto =
    "; monitor\r\n"
    "[Outra]\r\n"
    "UF=SP\r\n"
    " [ Config ] \r\n"
    "  Certificado  =  12 AB  \r\n"
    "uf=rs\r\n"
    "\r\n"
    "[fim]\r\n"
    "x=1\r\n";

TEST(ArquivoIni, ReadsKeysOfTheNamedSectionTrimmedAndWithoutCase) {
  struct Caso {
    const char* secao;
    const char* chave;
    std::optional<std::string> esperado;
  } casos[] = {
      {"config", "certificado", "12 AB"}, {"CONFIG", "UF", "rs"},          {"outra", "uf", "SP"},
      {"config", "x", std::nullopt},      {"nenhuma", "UF", std::nullopt},
  };
  for (const Caso& caso : casos)
    EXPECT_EQ(LerValorIni(kTexto, caso.secao, caso.chave), caso.esperado)
        << caso.secao << "/" << caso.chave;
  EXPECT_TRUE(SecaoIniExiste(kTexto, "CONFIG"));
  EXPECT_FALSE(SecaoIniExiste(kTexto, "conf"));
}

TEST(ArquivoIni, WritingToNewTextAddsSectionThenKeys) {
  std::string texto = GravarValorIni("", "config", "certificado", "ABC");
  texto = GravarValorIni(texto, "config", "UF", "PR");
  EXPECT_EQ(texto, "[config]\ncertificado=ABC\nUF=PR\n");
}

TEST(ArquivoIni, WritingReplacesTheKeyAndKeepsEveryOtherLineAndTheLineEnding) {
  const std::string texto = GravarValorIni(kTexto, "config", "UF", "SC");
  EXPECT_EQ(texto,
            "; monitor\r\n[Outra]\r\nUF=SP\r\n [ Config ] \r\n  Certificado  =  12 AB  \r\n"
            "UF=SC\r\n\r\n[fim]\r\nx=1\r\n");
}

TEST(ArquivoIni, NewKeyGoesAfterTheSectionsLastEntry) {
  const std::string texto =
      GravarValorIni("[config]\nUF=PR\n\n[fim]\n", "config", "certificado", "9");
  EXPECT_EQ(texto, "[config]\nUF=PR\ncertificado=9\n\n[fim]\n");
}

TEST(ArquivoIni, LineBreaksInAValueCannotAddLines) {
  const std::string texto = GravarValorIni("", "config", "certificado", "AB\r\n[x]\ny=1");
  EXPECT_EQ(texto, "[config]\ncertificado=AB  [x] y=1\n");
  EXPECT_FALSE(SecaoIniExiste(texto, "x"));
}

}  // namespace

}  // namespace nivra
