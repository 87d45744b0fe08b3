// Reading the answer documents of the NF-e services into their holder.
#include "nivranfe/nfe/retorno_nfe.h"

#include <gtest/gtest.h>

#include <string>

namespace nivra {

namespace {

TEST(RetornoNFe, EveryTaxpayerOfARegistrationKeepsItsFieldsAndAddressInOrder) {
  TRetornoNFe retorno;
  ASSERT_TRUE(retorno.LerXml(
      "<retConsCad versao=\"2.00\"><infCons><verAplic>SP-1</verAplic><cStat>112</cStat>"
      "<UF>SP</UF><dhCons>2026-06-09T10:20:30-03:00</dhCons><cUF>35</cUF>"
      "<infCad><IE>111</IE><CNPJ>11222333000181</CNPJ><UF>SP</UF><cSit>1</cSit>"
      "<xNome>MATRIZ &amp; CIA</xNome><ender><xLgr>RUA A</xLgr><nro>10</nro><xMun>SAO PAULO"
      "</xMun><CEP>01001000</CEP></ender></infCad>"
      "<infCad><IE>222</IE><CNPJ>11222333000262</CNPJ><UF>SP</UF><cSit>0</cSit>"
      "<dBaixa>2020-01-02</dBaixa></infCad></infCons></retConsCad>",
      "retConsCad"));
  EXPECT_EQ(retorno.cStat, 112);
  EXPECT_NE(retorno.dhRecbto, 0);  // dhCons stands for the receipt time
  ASSERT_EQ(retorno.infCad.size(), 2U);
  EXPECT_EQ(retorno.infCad[0], (TInfCadRetorno{{"IE", "111"},
                                               {"CNPJ", "11222333000181"},
                                               {"UF", "SP"},
                                               {"cSit", "1"},
                                               {"xNome", "MATRIZ & CIA"},
                                               {"xLgr", "RUA A"},
                                               {"nro", "10"},
                                               {"xMun", "SAO PAULO"},
                                               {"CEP", "01001000"}}));
  EXPECT_EQ(retorno.infCad[1], (TInfCadRetorno{{"IE", "222"},
                                               {"CNPJ", "11222333000262"},
                                               {"UF", "SP"},
                                               {"cSit", "0"},
                                               {"dBaixa", "2020-01-02"}}));

  // A later answer without taxpayers leaves none of the earlier ones.
  ASSERT_TRUE(
      retorno.LerXml("<retConsCad versao=\"2.00\"><infCons><cStat>259</cStat>"
                     "</infCons></retConsCad>",
                     "retConsCad"));
  EXPECT_TRUE(retorno.infCad.empty());
}

}  // namespace

}  // namespace nivra
