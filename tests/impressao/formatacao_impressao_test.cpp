// Printed forms of the key, XML date-times and the environment.
#include "nivranfe/impressao/formatacao_impressao.h"

#include <gtest/gtest.h>

namespace nivra {

namespace {

TEST(FormatacaoImpressao, KeyComesInGroupsOfFour) {
  EXPECT_EQ(FormatarChaveAcesso("41261212ABC34501DE35550010000001231000000175"),
            "4126 1212 ABC3 4501 DE35 5500 1000 0001 2310 0000 0175");
  EXPECT_EQ(FormatarChaveAcesso("4126 1212 ABC3"), "4126 1212 ABC3");
  EXPECT_EQ(FormatarChaveAcesso("123456"), "1234 56");
  EXPECT_EQ(FormatarChaveAcesso(""), "");
}

TEST(FormatacaoImpressao, XmlDatesShowAsDayMonthYear) {
  const struct {
    const char* xml;
    const char* impresso;
  } casos[] = {
      {"2026-12-10T14:30:05-03:00", "10/12/2026 14:30:05"},
      {"2026-12-10T14:30:05", "10/12/2026 14:30:05"},
      {"2026-12-10", "10/12/2026"},
      // Anything else is printed as it came.
      {"2026-12-10T14:30", "2026-12-10T14:30"},
      {"10/12/2026", "10/12/2026"},
      {"abcd-ef-gh", "abcd-ef-gh"},
      {"", ""},
  };
  for (const auto& c : casos) EXPECT_EQ(FormatarDataHoraXML(c.xml), c.impresso) << c.xml;
  EXPECT_EQ(DescricaoAmbiente("1"), "1 - PRODUÇÃO");
  EXPECT_EQ(DescricaoAmbiente("2"), "2 - HOMOLOGAÇÃO");
  EXPECT_EQ(DescricaoAmbiente("9"), "9");
}

}  // namespace

}  // namespace nivra
