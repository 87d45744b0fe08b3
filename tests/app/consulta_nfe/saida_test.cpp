// Output of consulta-nfe: the taxpayers of a registration answer, the lines of a cancelled
// document and of a distribution, and what a failure writes.
#include "app/consulta_nfe/saida.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

namespace {

TEST(SaidaConsulta, EveryTaxpayerOfTheRegistrationKeepsItsFieldsAndAddress) {
  const std::string xml =
      "<retConsCad versao=\"2.00\"><infCons><cStat>112</cStat><UF>SP</UF>"
      "<infCad><IE>111</IE><CNPJ>11222333000181</CNPJ><UF>SP</UF><cSit>1</cSit>"
      "<xNome>MATRIZ E CIA</xNome><ender><xLgr>RUA A</xLgr><nro>10</nro><xMun>SAO PAULO"
      "</xMun><CEP>01001000</CEP></ender></infCad>"
      "<infCad><IE>222</IE><CNPJ>11222333000262</CNPJ><UF>SP</UF><cSit>0</cSit>"
      "<dBaixa>2020-01-02</dBaixa></infCad></infCons></retConsCad>";
  const std::vector<TContribuinte> contribuintes = ContribuintesDoCadastro(xml);
  ASSERT_EQ(contribuintes.size(), 2U);
  EXPECT_EQ(contribuintes[0], (TContribuinte{{"IE", "111"},
                                             {"CNPJ", "11222333000181"},
                                             {"UF", "SP"},
                                             {"cSit", "1"},
                                             {"xNome", "MATRIZ E CIA"},
                                             {"xLgr", "RUA A"},
                                             {"nro", "10"},
                                             {"xMun", "SAO PAULO"},
                                             {"CEP", "01001000"}}));
  EXPECT_EQ(contribuintes[1], (TContribuinte{{"IE", "222"},
                                             {"CNPJ", "11222333000262"},
                                             {"UF", "SP"},
                                             {"cSit", "0"},
                                             {"dBaixa", "2020-01-02"}}));

  TResultadoConsulta resultado;
  resultado.Desfecho = TDesfecho::Sucesso;
  resultado.Retorno.cStat = 112;
  resultado.Retorno.xMotivo = "Consulta cadastro com mais de uma ocorrência";
  resultado.Retorno.XML = xml;
  const std::string texto = TextoConsulta(TAcaoConsulta::Cadastro, resultado);
  EXPECT_NE(texto.find("CEP: 01001000\n\nIE: 222\n"), std::string::npos) << texto;
}

TEST(SaidaConsulta, AnOlderCancellationIsShownWithItsProtocol) {
  TResultadoConsulta resultado;
  resultado.Desfecho = TDesfecho::Sucesso;
  resultado.Retorno.cStat = 101;
  resultado.Retorno.xMotivo = "Cancelamento de NF-e homologado";
  resultado.Retorno.retCancNFe =
      "<retCancNFe versao=\"2.00\"><infCanc><cStat>101</cStat><xMotivo>Cancelamento de NF-e "
      "homologado</xMotivo><nProt>141100000000077</nProt></infCanc></retCancNFe>";
  resultado.Protocolo = "141100000000001";
  EXPECT_EQ(TextoConsulta(TAcaoConsulta::Situacao, resultado),
            "101 - Cancelamento de NF-e homologado\n"
            "protocolo: 141100000000001\n"
            "cancelamento: 101 - Cancelamento de NF-e homologado; protocolo 141100000000077\n");
  const auto objeto = nlohmann::json::parse(JsonConsulta(TAcaoConsulta::Situacao, resultado));
  EXPECT_EQ(objeto["cancelamento"]["nProt"], "141100000000077");
}

TEST(SaidaConsulta, AFailureWritesNoLinesAndAJsonError) {
  TResultadoConsulta resultado;
  resultado.Desfecho = TDesfecho::Falha;
  resultado.Erro = "Arquivo: x.ini não encontrado";
  for (const TAcaoConsulta acao :
       {TAcaoConsulta::Situacao, TAcaoConsulta::Cadastro, TAcaoConsulta::Distribuicao}) {
    EXPECT_EQ(TextoConsulta(acao, resultado), "");
    const auto objeto = nlohmann::json::parse(JsonConsulta(acao, resultado));
    EXPECT_EQ(objeto["cStat"], 0);
    EXPECT_EQ(objeto["erro"], "Arquivo: x.ini não encontrado");
    EXPECT_TRUE(objeto["dhRecbto"].is_null());
  }
}

}  // namespace
