// Command line of status-sefaz: values, defaults and the refusals a user meets.
#include "app/status_sefaz/opcoes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace nivra {

namespace {

TEST(OpcoesStatus, DefaultsAskParanaProductionNFe) {
  const TOpcoesStatus opcoes = LerOpcoes({"--pfx", "a.pfx"});
  EXPECT_EQ(opcoes.Acao, TAcaoStatus::Consultar);
  EXPECT_EQ(opcoes.UF, "PR");
  EXPECT_EQ(opcoes.Ambiente, TkovTipoAmbiente::taProducao);
  EXPECT_EQ(opcoes.FormaEmissao, TkovTipoEmissao::teNormal);
  EXPECT_EQ(opcoes.Modelo, TkovModeloDF::moNFe);
  EXPECT_EQ(opcoes.TimeOut, 10000);
  EXPECT_FALSE(opcoes.Json);
  EXPECT_FALSE(opcoes.Todas);
  EXPECT_FALSE(opcoes.VerificarServidor);
  EXPECT_EQ(opcoes.ArquivoPFX, "a.pfx");
}

TEST(OpcoesStatus, TodasAsksEveryAuthoriserOfTheEnvironmentAndModel) {
  const TOpcoesStatus opcoes =
      LerOpcoes({"--todas", "--ambiente", "homologacao", "--modelo=nfce", "--pfx", "a.pfx"});
  EXPECT_TRUE(opcoes.Todas);
  EXPECT_EQ(opcoes.Ambiente, TkovTipoAmbiente::taHomologacao);
  EXPECT_EQ(opcoes.Modelo, TkovModeloDF::moNFCe);
  EXPECT_NE(TextoAjuda().find("no máximo uma vez a cada 3 minutos"), std::string::npos);
}

TEST(OpcoesStatus, ReadsEveryOptionInBothForms) {
  const TOpcoesStatus opcoes = LerOpcoes(
      {"--uf=SP", "--ambiente", "homologacao", "--contingencia=svc-rs", "--modelo", "nfce",
       "--certificado", "1A2B", "--servicos=t.ini", "--schemas", "xsd/", "--salvar", "docs",
       "--timeout=2500", "--json", "--verificar-servidor", "--ca=ca.pem"});
  EXPECT_EQ(opcoes.UF, "SP");
  EXPECT_EQ(opcoes.Ambiente, TkovTipoAmbiente::taHomologacao);
  EXPECT_EQ(opcoes.FormaEmissao, TkovTipoEmissao::teSVCRS);
  EXPECT_EQ(opcoes.Modelo, TkovModeloDF::moNFCe);
  EXPECT_EQ(opcoes.NumeroSerie, "1A2B");
  EXPECT_EQ(opcoes.ArquivoServicos, "t.ini");
  EXPECT_EQ(opcoes.PastaSchemas, "xsd/");
  EXPECT_EQ(opcoes.PastaSalvar, "docs");
  EXPECT_EQ(opcoes.TimeOut, 2500);
  EXPECT_TRUE(opcoes.Json);
  EXPECT_TRUE(opcoes.VerificarServidor);
  EXPECT_EQ(opcoes.ArquivoCA, "ca.pem");
}

TEST(OpcoesStatus, ActionsNeedNoCertificate) {
  EXPECT_EQ(LerOpcoes({"--listar-certificados"}).Acao, TAcaoStatus::ListarCertificados);
  const TOpcoesStatus importar = LerOpcoes({"--importar-certificado", "x.pfx"});
  EXPECT_EQ(importar.Acao, TAcaoStatus::ImportarCertificado);
  EXPECT_EQ(importar.ArquivoImportar, "x.pfx");
  EXPECT_FALSE(importar.ExigirChaveiro);
  EXPECT_TRUE(LerOpcoes({"--exigir-chaveiro", "--importar-certificado", "x.pfx"}).ExigirChaveiro);
  EXPECT_EQ(LerOpcoes({"--proteger-certificados"}).Acao, TAcaoStatus::ProtegerCertificados);
  const TOpcoesStatus remover = LerOpcoes({"--remover-certificado=1A2B"});
  EXPECT_EQ(remover.Acao, TAcaoStatus::RemoverCertificado);
  EXPECT_EQ(remover.SerieRemover, "1A2B");
  EXPECT_EQ(LerOpcoes({"--uf", "XX", "--help"}).Acao, TAcaoStatus::Ajuda);
  EXPECT_EQ(LerOpcoes({"--version"}).Acao, TAcaoStatus::Versao);
}

TEST(OpcoesStatus, OutputFormatFileAndHistory) {
  struct TCaso {
    std::vector<std::string> Argumentos;
    TFormatoStatus Formato;
  } casos[] = {
      {{}, TFormatoStatus::Texto},
      {{"--json"}, TFormatoStatus::Json},
      {{"--formato", "json", "--json"}, TFormatoStatus::Json},
      {{"--formato=prometheus"}, TFormatoStatus::Prometheus},
      {{"--formato", "nagios"}, TFormatoStatus::Nagios},
  };
  for (const TCaso& caso : casos) {
    std::vector<std::string> argumentos = caso.Argumentos;
    argumentos.insert(argumentos.end(), {"--pfx", "a.pfx"});
    EXPECT_EQ(LerOpcoes(argumentos).Saida.Formato, caso.Formato) << argumentos.front();
  }
  const TOpcoesStatus opcoes =
      LerOpcoes({"--todas", "--pfx", "a", "--saida", "/x/nfe.prom", "--historico=/x/h.sqlite3"});
  EXPECT_EQ(opcoes.Saida.Arquivo, "/x/nfe.prom");
  EXPECT_EQ(opcoes.Saida.ArquivoHistorico, "/x/h.sqlite3");
}

struct CasoRecusado {
  std::vector<std::string> argumentos;
  std::string mensagem;
};

class OpcoesRecusadas : public ::testing::TestWithParam<CasoRecusado> {};

TEST_P(OpcoesRecusadas, SayWhy) {
  try {
    (void)LerOpcoes(GetParam().argumentos);
    FAIL() << "aceitou";
  } catch (const EOpcaoInvalida& erro) {
    EXPECT_EQ(std::string(erro.what()), GetParam().mensagem);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Casos, OpcoesRecusadas,
    ::testing::Values(
        CasoRecusado{{},
                     "informe o certificado: --certificado NUMERO_DE_SERIE (do repositório) "
                     "ou --pfx ARQUIVO"},
        CasoRecusado{{"--pfx", "a", "--certificado", "1"},
                     "use --certificado ou --pfx, não os dois"},
        CasoRecusado{{"--pfx", "a", "--uf", "pr"},
                     "UF inválida: \"pr\" (use a sigla em maiúsculas, ex.: PR)"},
        CasoRecusado{{"--pfx", "a", "--ambiente", "teste"},
                     "valor inválido para --ambiente: \"teste\" (use homologacao, producao)"},
        CasoRecusado{{"--pfx", "a", "--contingencia", "svc-sp"},
                     "valor inválido para --contingencia: \"svc-sp\" (use svc-an, svc-rs)"},
        CasoRecusado{{"--pfx", "a", "--timeout", "0"},
                     "valor inválido para --timeout: \"0\" (milissegundos, número inteiro "
                     "positivo)"},
        CasoRecusado{{"--pfx", "a", "--timeout", "10s"},
                     "valor inválido para --timeout: \"10s\" (milissegundos, número inteiro "
                     "positivo)"},
        CasoRecusado{{"--pfx"}, "a opção --pfx precisa de um valor"},
        CasoRecusado{{"--pfx", "a", "--ca", "ca.pem"},
                     "a opção --ca só vale com --verificar-servidor"},
        CasoRecusado{{"--pfx", "--json"}, "a opção --pfx precisa de um valor"},
        CasoRecusado{{"--pfx", "a", "--json=sim"}, "a opção --json não aceita valor"},
        CasoRecusado{{"--pfx", "a", "--porta", "1"}, "opção desconhecida: --porta (veja --help)"},
        CasoRecusado{{"PR"}, "argumento inesperado: PR"},
        CasoRecusado{{"--pfx", "a", "--uf", "SP", "--todas"},
                     "a opção --todas não combina com --uf"},
        CasoRecusado{{"--todas", "--pfx", "a", "--contingencia", "svc-an"},
                     "a opção --todas não combina com --contingencia"},
        CasoRecusado{{"--pfx", "a", "--todas=sim"}, "a opção --todas não aceita valor"},
        CasoRecusado{{"--pfx", "a", "--formato", "csv"},
                     "valor inválido para --formato: \"csv\" (use json, nagios, prometheus, "
                     "texto)"},
        CasoRecusado{{"--pfx", "a", "--json", "--formato", "nagios"},
                     "a opção --json não combina com --formato"},
        CasoRecusado{{"--pfx", "a", "--saida"}, "a opção --saida precisa de um valor"},
        CasoRecusado{{"--listar-certificados", "--importar-certificado", "x"},
                     "a opção --importar-certificado não combina com outra ação pedida"},
        CasoRecusado{{"--proteger-certificados", "--remover-certificado", "1A"},
                     "a opção --remover-certificado não combina com outra ação pedida"},
        CasoRecusado{{"--remover-certificado"},
                     "a opção --remover-certificado precisa de um valor"},
        CasoRecusado{{"--proteger-certificados=sim"},
                     "a opção --proteger-certificados não aceita valor"},
        CasoRecusado{{"--pfx", "a", "--exigir-chaveiro"},
                     "a opção --exigir-chaveiro só vale com --importar-certificado"}));

}  // namespace

}  // namespace nivra
