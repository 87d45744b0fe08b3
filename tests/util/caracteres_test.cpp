// Tests of UTF-8 reading with the Windows-1252 fallback.
#include "nivranfe/util/caracteres.h"

#include <gtest/gtest.h>

namespace nivra {

namespace {

TEST(Caracteres, ValidUtf8DecodesToCodePoints) {
  EXPECT_EQ(DecodificarCaracteres("aç€𝄞"), std::u32string(U"aç€𝄞"));
}

TEST(Caracteres, InvalidBytesAreReadAsWindows1252) {
  struct Caso {
    std::string bytes;
    std::u32string esperado;
  };
  const Caso casos[] = {
      {"S\xE3o", U"São"},             // Latin-1 letter alone
      {"\x80", U"€"},                 // the euro sign of Windows-1252
      {"\xC3", U"Ã"},                 // truncated two-byte sequence
      {"\xC0\xAF", U"À¯"},            // overlong encoding of "/"
      {"\xED\xA0\x80", U"í\u00A0€"},  // encoded surrogate
      {"\xE7\xC3\xA7", U"çç"},        // stray byte before a valid sequence
  };
  for (const Caso& caso : casos) {
    EXPECT_EQ(DecodificarCaracteres(caso.bytes), caso.esperado) << caso.bytes;
  }
}

TEST(Caracteres, EncodingRoundTripsEveryLength) {
  const std::u32string texto = U"A\u00E9\u20AC\U0001F600";
  EXPECT_EQ(CodificarCaracteres(texto), "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
  EXPECT_EQ(DecodificarCaracteres(CodificarCaracteres(texto)), texto);
}

TEST(Caracteres, ValidUtf8KeepsValidSequencesAndConvertsTheOtherBytes) {
  const std::string casos[] = {
      "",
      "texto ASCII",
      "aç€𝄞 e ASCII depois",
      "S\xE3o Paulo",                  // Latin-1 letter alone
      "\x80\x81\x9F",                  // Windows-1252 bytes, two of them undefined there
      "fim truncado \xC3",             // truncated two-byte sequence at the end
      "\xE2\x82 no meio",              // truncated three-byte sequence before ASCII
      "\xC0\xAF",                      // overlong encoding of "/"
      "\xED\xA0\x80",                  // encoded surrogate
      "\xF4\x90\x80\x80",              // past U+10FFFF
      "\xE7\xC3\xA7\xF0\x9F\x98\x80",  // stray byte before valid sequences
  };
  for (const std::string& bytes : casos) {
    EXPECT_EQ(UTF8Valido(bytes), CodificarCaracteres(DecodificarCaracteres(bytes))) << bytes;
  }
  EXPECT_EQ(UTF8Valido("S\xE3o \x80"), "São €");
}

}  // namespace

}  // namespace nivra
