// The status answer document read with the XML reader.
#include "nivranfe/nfe/ret_cons_stat_serv.h"

#include <gtest/gtest.h>

#include <string>

namespace nivra {

namespace {

bool Ler(TRetConsStatServ& retorno, const std::string& texto) {
  retorno.Leitor().SetArquivo(texto);
  return retorno.LerXml();
}

TEST(RetConsStatServ, ReadsEveryFieldInItsType) {
  TRetConsStatServ retorno;
  ASSERT_TRUE(Ler(retorno,
                  "<retConsStatServ versao='4.00' xmlns=\"http://www.portalfiscal.inf.br/nfe\">"
                  "<tpAmb>2</tpAmb><verAplic>SVRS202305</verAplic><cStat>108</cStat>"
                  "<xMotivo>Servico Paralisado</xMotivo><cUF>43</cUF>"
                  "<dhRecbto>2026-01-10T10:20:30-03:00</dhRecbto><tMed>4</tMed>"
                  "<dhRetorno>2026-01-10T12:00:00.123-02:00</dhRetorno><xObs>A &amp; B</xObs>"
                  "</retConsStatServ>"));
  EXPECT_EQ(retorno.versao(), "4.00");
  EXPECT_EQ(retorno.tpAmb(), TkovTipoAmbiente::taHomologacao);
  EXPECT_EQ(retorno.verAplic(), "SVRS202305");
  EXPECT_EQ(retorno.cStat(), 108);
  EXPECT_EQ(retorno.xMotivo(), "Servico Paralisado");
  EXPECT_EQ(retorno.cUF(), 43);
  EXPECT_DOUBLE_EQ(retorno.dhRecbto(), CodificarDataHora(2026, 1, 10, 10, 20, 30));
  EXPECT_EQ(retorno.tMed(), 4);
  EXPECT_DOUBLE_EQ(retorno.dhRetorno(), CodificarDataHora(2026, 1, 10, 12, 0, 0));
  EXPECT_EQ(retorno.xObs(), "A & B");
}

TEST(RetConsStatServ, TextWithoutTheElementIsNotRead) {
  TRetConsStatServ retorno;
  EXPECT_FALSE(Ler(retorno, "<retEnviNFe><cStat>103</cStat></retEnviNFe>"));
  EXPECT_EQ(retorno.cStat(), 0);
  EXPECT_FALSE(Ler(retorno, ""));
}

TEST(RetConsStatServ, MalformedIntegersReadTheirDigitsAlone) {
  TRetConsStatServ retorno;
  ASSERT_TRUE(
      Ler(retorno, "<retConsStatServ><cStat>1a0-7</cStat><tMed>x</tMed></retConsStatServ>"));
  EXPECT_EQ(retorno.cStat(), 107);
  EXPECT_EQ(retorno.tMed(), 0);
}

TEST(RetConsStatServ, MalformedDateStopsReadingAndKeepsWhatWasRead) {
  TRetConsStatServ retorno;
  EXPECT_FALSE(Ler(retorno,
                   "<retConsStatServ><cStat>107</cStat><cUF>41</cUF><dhRecbto>2026-1-10"
                   "</dhRecbto><tMed>1</tMed></retConsStatServ>"));
  EXPECT_EQ(retorno.cStat(), 107);
  EXPECT_EQ(retorno.cUF(), 41);
  EXPECT_EQ(retorno.dhRecbto(), 0);
  EXPECT_EQ(retorno.tMed(), 0);
}

}  // namespace

}  // namespace nivra
