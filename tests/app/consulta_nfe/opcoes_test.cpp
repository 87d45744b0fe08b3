// Command line of consulta-nfe: each service with its arguments, and the refusals a user meets.
#include "app/consulta_nfe/opcoes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

struct CasoRecusado {
  std::vector<std::string> argumentos;
  std::string mensagem;
};

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
                     "opção desconhecida: --todas (veja --help)"}));

}  // namespace
