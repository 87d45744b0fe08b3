// The Prometheus text, checked by promtool, and the monitoring-plugin line.
#include "app/status_sefaz/saida_monitoramento.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/fakes/pasta_temporaria.h"

namespace nivra {

namespace {

TResultadoAutorizador Respondido(const std::string& nome, std::vector<std::string> ufs, int cStat,
                                 const std::string& xMotivo, double ms) {
  TResultadoAutorizador r;
  r.Autorizador.Nome = nome;
  r.Autorizador.UFs = std::move(ufs);
  r.Resultado.cStat = cStat;
  r.Resultado.xMotivo = xMotivo;
  r.Resultado.tMed = cStat == 107 ? 1 : 0;
  r.Milissegundos = ms;
  return r;
}

TResultadoAutorizador Falhou(const std::string& nome, const std::string& erro) {
  TResultadoAutorizador r = Respondido(nome, {nome}, 0, "", 10000);
  r.Resultado.Erro = erro;
  return r;
}

std::vector<TResultadoAutorizador> Varios() {
  return {Respondido("PR", {"PR"}, 107, "Serviço em Operação", 214),
          Respondido("SVRS", {"AC", "SC"}, 109, "Serviço Paralisado sem Previsão", 1500.6),
          Falhou("SVC-AN", "Tempo \"esgotado\"\r\nna conexão")};
}

// promtool's verdict on the text and its output.
std::pair<int, std::string> Promtool(const std::string& texto) {
  TPastaTemporaria pasta;
  const std::string arquivo = pasta.Caminho() + "/metricas.prom";
  TPastaTemporaria::Escrever(arquivo, texto);
  FILE* processo = ::popen(("promtool check metrics < " + arquivo + " 2>&1").c_str(), "r");
  std::string saida;
  char bloco[512];
  while (const std::size_t lidos = std::fread(bloco, 1, sizeof bloco, processo))
    saida.append(bloco, lidos);
  const int situacao = ::pclose(processo);
  return {WIFEXITED(situacao) ? WEXITSTATUS(situacao) : -1, saida};
}

TEST(Prometheus, OneSeriesPerAuthoriserWithEscapedLabels) {
  const std::string texto =
      TextoPrometheus(Varios(), TkovTipoAmbiente::taHomologacao, TkovModeloDF::moNFCe);
  const std::string rotulosPR =
      R"({autorizador="PR",uf="PR",ambiente="homologacao",modelo="nfce"})";
  const std::string rotulosSVRS =
      R"({autorizador="SVRS",uf="AC,SC",ambiente="homologacao",modelo="nfce"})";
  const std::string rotulosSVC =
      R"({autorizador="SVC-AN",uf="SVC-AN",ambiente="homologacao",modelo="nfce"})";
  for (const std::string& linha : {
           "nfe_status_codigo" + rotulosPR + " 107\n",
           "nfe_status_codigo" + rotulosSVRS + " 109\n",
           "nfe_status_codigo" + rotulosSVC + " 0\n",
           "nfe_status_em_operacao" + rotulosPR + " 1\n",
           "nfe_status_em_operacao" + rotulosSVRS + " 0\n",
           "nfe_status_em_operacao" + rotulosSVC + " 0\n",
           "nfe_tmed_segundos" + rotulosPR + " 1\n",
           "nfe_consulta_segundos" + rotulosPR + " 0.214\n",
           "nfe_consulta_segundos" + rotulosSVRS + " 1.501\n",
           "nfe_consulta_segundos" + rotulosSVC + " 10\n",
           std::string("# TYPE nfe_status_codigo gauge\n"),
       })
    EXPECT_NE(texto.find(linha), std::string::npos) << linha << "\nem:\n" << texto;
  // A failed query has no tMed.
  EXPECT_EQ(texto.find("nfe_tmed_segundos" + rotulosSVC), std::string::npos);
  EXPECT_EQ(texto.substr(texto.size() - 6), "# EOF\n");
}

TEST(Prometheus, PromtoolAcceptsTheTextAndRejectsABrokenOne) {
  for (const auto& resultados :
       {Varios(), std::vector{Falhou("PR", "x")}, std::vector<TResultadoAutorizador>{}}) {
    const auto [codigo, saida] =
        Promtool(TextoPrometheus(resultados, TkovTipoAmbiente::taProducao, TkovModeloDF::moNFe));
    EXPECT_EQ(codigo, 0) << saida;
    EXPECT_EQ(saida, "");
  }
  // The check itself catches a broken label.
  std::string quebrado =
      TextoPrometheus(Varios(), TkovTipoAmbiente::taProducao, TkovModeloDF::moNFe);
  quebrado.replace(quebrado.find("autorizador=\"PR\""), 16, "autorizador=\"P\"R\"");
  EXPECT_NE(Promtool(quebrado).first, 0);
}

TEST(Nagios, StateTextAndDataAsTheExitCodeSays) {
  struct TCaso {
    std::vector<TResultadoAutorizador> Resultados;
    std::string Linha;
  } casos[] = {
      {{Respondido("PR", {"PR"}, 107, "Serviço em Operação", 214)},
       "OK - 107 Serviço em Operação | tmed=1s consulta=0.214s\n"},
      {{Respondido("SP", {"SP"}, 108, "Serviço Paralisado | Momentaneamente", 1000)},
       "WARNING - 108 Serviço Paralisado / Momentaneamente | tmed=0s consulta=1s\n"},
      {{Respondido("SP", {"SP"}, 109, "Serviço Paralisado sem Previsão", 90)},
       "CRITICAL - 109 Serviço Paralisado sem Previsão | tmed=0s consulta=0.09s\n"},
      {{Respondido("SP", {"SP"}, 656, "Consumo Indevido", 90)},
       "UNKNOWN - 656 Consumo Indevido | tmed=0s consulta=0.09s\n"},
      {{Falhou("PR", "Tempo esgotado\r\nna conexão")},
       "UNKNOWN - Tempo esgotado na conexão | consulta=10s\n"},
      {Varios(),
       "UNKNOWN - 1 de 3 autorizadores em operação; SVRS: 109 Serviço Paralisado sem Previsão; "
       "SVC-AN: Tempo \"esgotado\" na conexão | 'PR tmed'=1s 'PR consulta'=0.214s 'SVRS tmed'=0s "
       "'SVRS consulta'=1.501s 'SVC-AN consulta'=10s\n"},
  };
  for (const TCaso& caso : casos) EXPECT_EQ(LinhaNagios(caso.Resultados), caso.Linha);
}

}  // namespace

}  // namespace nivra
