// Command line of consulta-nfe: each service with its arguments, and the refusals a user meets.
#include "app/consulta_nfe/opcoes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace nivra {

namespace {

TEST(OpcoesConsulta, ReadsEachServiceWithItsArguments) {
  const TOpcoesConsulta situacao = LerOpcoesConsulta({"situacao", "4126", "--pfx", "a.pfx"});
  EXPECT_EQ(situacao.Acao, TAcaoConsulta::Situacao);
  EXPECT_EQ(situacao.Chave, "4126");
  EXPECT_EQ(situacao.ArquivoPFX, "a.pfx");
  EXPECT_EQ(situacao.UF, "PR");

  const TOpcoesConsulta cadastro =
      LerOpcoesConsulta({"cadastro", "--ie=123", "--uf", "SP", "--certificado", "1A", "--json"});
  EXPECT_EQ(cadastro.Acao, TAcaoConsulta::Cadastro);
  EXPECT_EQ(cadastro.TipoDocumento, TTipoDocumento::IE);
  EXPECT_EQ(cadastro.Documento, "123");
  EXPECT_EQ(cadastro.UF, "SP");
  EXPECT_TRUE(cadastro.Json);

  const TOpcoesConsulta distribuicao = LerOpcoesConsulta(
      {"distribuicao", "--cpf", "12345678909", "--nsu", "7", "--pfx", "a", "--salvar", "d"});
  EXPECT_EQ(distribuicao.Acao, TAcaoConsulta::Distribuicao);
  EXPECT_EQ(distribuicao.TipoDocumento, TTipoDocumento::CPF);
  EXPECT_EQ(distribuicao.Documento, "12345678909");
  EXPECT_EQ(distribuicao.Ponto, TPontoDistribuicao::NSU);
  EXPECT_EQ(distribuicao.Valor, "7");
  EXPECT_EQ(distribuicao.PastaSalvar, "d");

  EXPECT_EQ(LerOpcoesConsulta({"--help"}).Acao, TAcaoConsulta::Ajuda);
  EXPECT_EQ(LerOpcoesConsulta({"cadastro", "--cnpj", "--version"}).Acao, TAcaoConsulta::Versao);
}

TEST(OpcoesConsulta, NumbersAreSentUpperCasedAndWithoutTheirPunctuation) {
  struct Caso {
    std::vector<std::string> argumentos;
    std::string documento;
    std::string valor;
  };
  const std::vector<Caso> casos = {
      {{"cadastro", "--cnpj", "12.abc.345/01de-35"}, "12ABC34501DE35", ""},
      {{"cadastro", "--cnpj", "11.222.333/0001-81"}, "11222333000181", ""},
      {{"cadastro", "--cpf", "123.456.789-09"}, "12345678909", ""},
      {{"cadastro", "--ie", "isento"}, "ISENTO", ""},
      {{"distribuicao", "--cnpj", "12ABC34501DE35", "--ultimo-nsu", "0"}, "12ABC34501DE35", "0"},
      {{"distribuicao", "--cpf", "12345678909", "--nsu", "123456789012345"},
       "12345678909",
       "123456789012345"},
      {{"distribuicao", "--cnpj", "11222333000181", "--chave",
        "35260812abc34501de35550010000000011123456788"},
       "11222333000181",
       "35260812ABC34501DE35550010000000011123456788"},
  };
  for (const Caso& caso : casos) {
    std::vector<std::string> argumentos = caso.argumentos;
    argumentos.insert(argumentos.end(), {"--pfx", "a"});
    const TOpcoesConsulta opcoes = LerOpcoesConsulta(argumentos);
    EXPECT_EQ(opcoes.Documento, caso.documento) << caso.argumentos[2];
    EXPECT_EQ(opcoes.Valor, caso.valor) << caso.argumentos[2];
  }
}

struct CasoRecusado {
  std::vector<std::string> argumentos;
  std::string mensagem;
};

const std::string kFormaCNPJ =
    "CNPJ de 14 caracteres, letras só nas 12 primeiras, com os dígitos verificadores certos";

class OpcoesConsultaRecusadas : public ::testing::TestWithParam<CasoRecusado> {};

TEST_P(OpcoesConsultaRecusadas, SayWhy) {
  try {
    (void)LerOpcoesConsulta(GetParam().argumentos);
    FAIL() << "aceitou";
  } catch (const EOpcaoInvalida& erro) {
    EXPECT_EQ(std::string(erro.what()), GetParam().mensagem);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Casos, OpcoesConsultaRecusadas,
    ::testing::Values(
        CasoRecusado{{}, "informe o serviço: situacao, cadastro ou distribuicao (veja --help)"},
        CasoRecusado{{"--pfx", "a"},
                     "informe o serviço: situacao, cadastro ou distribuicao (veja --help)"},
        CasoRecusado{{"status"},
                     "valor inválido para o serviço: \"status\" (use cadastro, distribuicao, "
                     "situacao)"},
        CasoRecusado{{"situacao", "--pfx", "a"},
                     "informe a chave de acesso: consulta-nfe situacao CHAVE"},
        CasoRecusado{{"situacao", "4126", "outra", "--pfx", "a"}, "argumento inesperado: outra"},
        CasoRecusado{{"situacao", "4126"},
                     "informe o certificado: --certificado NUMERO_DE_SERIE (do repositório) "
                     "ou --pfx ARQUIVO"},
        CasoRecusado{{"situacao", "4126", "--pfx", "a", "--cnpj", "1"},
                     "a opção --cnpj não vale para situacao"},
        CasoRecusado{{"cadastro", "--pfx", "a"}, "informe o contribuinte: --cnpj, --cpf ou --ie"},
        CasoRecusado{{"cadastro", "--pfx", "a", "--cnpj", "1", "--ie", "2"},
                     "use --cnpj ou --ie, não os dois"},
        CasoRecusado{{"cadastro", "--pfx", "a", "--cnpj", "1", "--nsu", "2"},
                     "a opção --nsu não vale para cadastro"},
        CasoRecusado{{"cadastro", "--pfx", "a", "--cnpj"}, "a opção --cnpj precisa de um valor"},
        CasoRecusado{{"distribuicao", "--pfx", "a", "--ie", "1"},
                     "a opção --ie não vale para distribuicao"},
        CasoRecusado{{"distribuicao", "--pfx", "a", "--nsu", "1"},
                     "informe o interessado: --cnpj ou --cpf"},
        CasoRecusado{{"distribuicao", "--pfx", "a", "--cnpj", "1"},
                     "informe de onde começar: --ultimo-nsu, --nsu ou --chave"},
        CasoRecusado{{"distribuicao", "--pfx", "a", "--cnpj", "1", "--nsu", "1", "--chave", "2"},
                     "use --nsu ou --chave, não os dois"},
        CasoRecusado{{"cadastro", "--pfx", "a", "--cnpj", "1", "--uf", "XX"},
                     "UF inválida: \"XX\" (use a sigla em maiúsculas, ex.: PR)"},
        CasoRecusado{{"cadastro", "--pfx", "a", "--cnpj", "1", "--todas"},
                     "opção desconhecida: --todas (veja --help)"},
        // A number that is not valid is refused as typed, never trimmed or padded to fit.
        CasoRecusado{{"cadastro", "--pfx", "a", "--cnpj", "abc"},
                     "valor inválido para --cnpj: \"abc\" (" + kFormaCNPJ + ")"},
        CasoRecusado{{"distribuicao", "--pfx", "a", "--cnpj", "1122233300018", "--nsu", "1"},
                     "valor inválido para --cnpj: \"1122233300018\" (" + kFormaCNPJ + ")"},
        CasoRecusado{{"cadastro", "--pfx", "a", "--cnpj", "11222333000182"},
                     "valor inválido para --cnpj: \"11222333000182\" (" + kFormaCNPJ + ")"},
        CasoRecusado{{"cadastro", "--pfx", "a", "--cnpj", "12ABC34501DE53"},
                     "valor inválido para --cnpj: \"12ABC34501DE53\" (" + kFormaCNPJ + ")"},
        CasoRecusado{{"cadastro", "--pfx", "a", "--cnpj", "12ABC34501DEA5"},
                     "valor inválido para --cnpj: \"12ABC34501DEA5\" (" + kFormaCNPJ + ")"},
        CasoRecusado{{"cadastro", "--pfx", "a", "--cpf", "12345678900"},
                     "valor inválido para --cpf: \"12345678900\" (CPF de 11 dígitos com os "
                     "dígitos verificadores certos)"},
        CasoRecusado{{"cadastro", "--pfx", "a", "--ie", "12A"},
                     "valor inválido para --ie: \"12A\" (de 2 a 14 dígitos, ou ISENTO)"},
        CasoRecusado{{"distribuicao", "--pfx", "a", "--cpf", "12345678909", "--nsu", "abc"},
                     "valor inválido para --nsu: \"abc\" (número de 1 a 15 dígitos)"},
        CasoRecusado{{"distribuicao", "--pfx", "a", "--cpf", "12345678909", "--ultimo-nsu",
                      "1234567890123456"},
                     "valor inválido para --ultimo-nsu: \"1234567890123456\" (número de 1 a 15 "
                     "dígitos)"},
        CasoRecusado{{"distribuicao", "--pfx", "a", "--cpf", "12345678909", "--ultimo-nsu", "-1"},
                     "valor inválido para --ultimo-nsu: \"-1\" (número de 1 a 15 dígitos)"},
        CasoRecusado{
            {"distribuicao", "--pfx", "a", "--cpf", "12345678909", "--chave",
             "35260812ABC34501DE35550010000000011123456787"},
            "valor inválido para --chave: \"35260812ABC34501DE35550010000000011123456787\" "
            "(chave de acesso de 44 caracteres de NF-e ou NFC-e, com o dígito verificador "
            "certo)"}));

}  // namespace

}  // namespace nivra
