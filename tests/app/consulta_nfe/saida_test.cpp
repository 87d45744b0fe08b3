// Output of consulta-nfe: the taxpayers of a registration answer, the lines of a cancelled
// document and of a distribution, and what a failure writes.
#include "app/consulta_nfe/saida.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <nlohmann/json.hpp>
#include <string>

namespace nivra {

namespace {

TEST(SaidaConsulta, EveryTaxpayerOfTheRegistrationIsShownWithABlankLineBetween) {
  TResultadoConsulta resultado;
  resultado.Desfecho = TDesfecho::Sucesso;
  ASSERT_TRUE(resultado.Retorno.LerXml(
      "<retConsCad versao=\"2.00\"><infCons><cStat>112</cStat><xMotivo>Consulta cadastro com "
      "mais de uma ocorrência</xMotivo><UF>SP</UF>"
      "<infCad><IE>111</IE><CNPJ>11222333000181</CNPJ><UF>SP</UF><cSit>1</cSit>"
      "<ender><CEP>01001000</CEP></ender></infCad>"
      "<infCad><IE>222</IE><CNPJ>11222333000262</CNPJ><UF>SP</UF><cSit>0</cSit></infCad>"
      "</infCons></retConsCad>",
      "retConsCad"));
  EXPECT_EQ(TextoConsulta(TAcaoConsulta::Cadastro, resultado),
            "112 - Consulta cadastro com mais de uma ocorrência\n"
            "IE: 111\nCNPJ: 11222333000181\nUF: SP\ncSit: 1\nCEP: 01001000\n\n"
            "IE: 222\nCNPJ: 11222333000262\nUF: SP\ncSit: 0\n");
  const auto objeto = nlohmann::json::parse(JsonConsulta(TAcaoConsulta::Cadastro, resultado));
  ASSERT_EQ(objeto["contribuintes"].size(), 2U);
  EXPECT_EQ(objeto["contribuintes"][1]["IE"], "222");
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

TEST(SaidaConsulta, TheReceiptIsWrittenWithTheAnswersOwnOffset) {
  ::setenv("TZ", "UTC", 1);
  ::tzset();
  TResultadoConsulta resultado;
  resultado.Desfecho = TDesfecho::Sucesso;
  ASSERT_TRUE(resultado.Retorno.LerXml(
      "<retConsSitNFe versao=\"4.00\"><cStat>100</cStat><xMotivo>Autorizado o uso da NF-e"
      "</xMotivo><dhRecbto>2026-06-09T10:20:31-03:00</dhRecbto></retConsSitNFe>",
      "retConsSitNFe"));
  const std::string texto = TextoConsulta(TAcaoConsulta::Situacao, resultado);
  const auto objeto = nlohmann::json::parse(JsonConsulta(TAcaoConsulta::Situacao, resultado));
  ::unsetenv("TZ");
  ::tzset();
  EXPECT_NE(texto.find("\ndhRecbto: 2026-06-09T10:20:31-03:00\n"), std::string::npos) << texto;
  EXPECT_EQ(objeto["dhRecbto"], "2026-06-09T10:20:31-03:00");
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

}  // namespace nivra
