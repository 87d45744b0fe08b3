// Tests of gzip and Base64.
#include "nivranfe/util/compactacao.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace nivra {

namespace {

TEST(Compactacao, GZipAndBase64GoBackToTheSameBytes) {
  std::string grande;
  for (int i = 0; i < 50000; ++i) grande += "<NFe>" + std::to_string(i) + "</NFe>";
  for (const std::string& bytes :
       {std::string(), std::string("a"), std::string("ab\0c", 4), std::string("Ação"), grande}) {
    const std::string zip = CompactarGZip(bytes);
    ASSERT_GE(zip.size(), 2u);
    EXPECT_EQ(static_cast<unsigned char>(zip[0]), 0x1f);  // gzip magic
    EXPECT_EQ(static_cast<unsigned char>(zip[1]), 0x8b);
    EXPECT_EQ(DescompactarGZip(zip), bytes);
    EXPECT_EQ(DescompactarBase64(CompactarBase64(bytes)), bytes);
  }
  EXPECT_LT(CompactarGZip(grande).size(), grande.size() / 4);
}

TEST(Compactacao, Base64KnownValuesAndPadding) {
  EXPECT_EQ(CodificarBase64(""), "");
  EXPECT_EQ(CodificarBase64("f"), "Zg==");
  EXPECT_EQ(CodificarBase64("fo"), "Zm8=");
  EXPECT_EQ(CodificarBase64("foo"), "Zm9v");
  EXPECT_EQ(DecodificarBase64("Zg=="), "f");
  EXPECT_EQ(DecodificarBase64("Zm8=\r\n"), "fo");
  EXPECT_EQ(DecodificarBase64("Zm9v"), "foo");
}

TEST(Compactacao, DamagedInputIsAnError) {
  EXPECT_THROW((void)DecodificarBase64("Zm9"), std::runtime_error);
  EXPECT_THROW((void)DecodificarBase64("Z*9v"), std::runtime_error);
  const std::string zip = CompactarGZip("conteudo que sera cortado pela metade");
  EXPECT_THROW((void)DescompactarGZip(zip.substr(0, zip.size() / 2)), std::runtime_error);
  EXPECT_THROW((void)DescompactarGZip("nao e gzip"), std::runtime_error);
}

TEST(Compactacao, InflatingStopsAtTheLimit) {
  // A small stream that inflates a thousand times: 64 MiB of zeros from about 64 KiB.
  const std::string bomba = CompactarGZip(std::string(64u << 20, '\0'));
  ASSERT_LT(bomba.size(), 1u << 20);
  constexpr std::size_t kLimite = 16u << 20;
  EXPECT_THROW((void)DescompactarGZip(bomba, kLimite), TDescompactadoExcedeLimite);
  EXPECT_THROW((void)DescompactarBase64(CodificarBase64(bomba), kLimite),
               TDescompactadoExcedeLimite);
  // A stream of exactly the limit, and one of a byte less, still inflate.
  const std::string justo(1000, 'x');
  EXPECT_EQ(DescompactarGZip(CompactarGZip(justo), 1000), justo);
  EXPECT_EQ(DescompactarGZip(CompactarGZip(justo.substr(1)), 1000), justo.substr(1));
  EXPECT_THROW((void)DescompactarGZip(CompactarGZip(justo), 999), TDescompactadoExcedeLimite);
}

}  // namespace

}  // namespace nivra
