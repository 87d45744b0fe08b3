// The side-by-side benchmarks: the product's path and what a user could do by hand, over the
// same loopback, certificate and bytes.
#include "bench/figuras.h"

#include <benchmark/benchmark.h>
#include <curl/curl.h>

#include <stdexcept>
#include <vector>

#include "app/status_sefaz/consulta_todas.h"
#include "bench/processo.h"
#include "nivranfe/dfe/servicos_resolucao.h"
#include "nivranfe/resources/recursos.h"
#include "nivranfe/util/excecoes.h"
#include "nivranfe/util/texto_arquivo.h"
#include "nivranfe/util/uf.h"

namespace nivra {

namespace {

void Verificar(bool certo, const std::string& oque) {
  if (!certo) throw std::runtime_error("falha no benchmark: " + oque);
}

// A status query configured once; each iteration builds, wraps, handshakes, posts and parses.
void ConsultaEmProcesso(benchmark::State& estado, const TAmbienteBench* ambiente) {
  TNivraNFe nfe;
  ConfigurarComponente(nfe, ambiente->Opcoes(), TAmbienteBench::Senha());
  for (auto _ : estado) Verificar(ConsultarStatus(nfe).cStat == 107, "consulta em processo");
}

size_t Guardar(char* dados, size_t tamanho, size_t quantos, void* destino) {
  static_cast<std::string*>(destino)->append(dados, tamanho * quantos);
  return tamanho * quantos;
}

// The same bytes posted with libcurl as a user would: a new handle per query, the PKCS#12 file
// handed to libcurl.
void CurlBiblioteca(benchmark::State& estado, const TAmbienteBench* ambiente) {
  const std::string url = ambiente->URLStatus();
  const std::string pfx = TAmbienteBench::ArquivoPFX();
  const std::string senha = TAmbienteBench::Senha();
  curl_slist* cabecalhos = nullptr;
  for (const std::string& c : {"Content-Type: " + ambiente->ContentType(),
                               "SOAPAction: " + ambiente->SoapAction(), std::string("Expect:")})
    cabecalhos = curl_slist_append(cabecalhos, c.c_str());
  for (auto _ : estado) {
    CURL* curl = curl_easy_init();
    std::string resposta;
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_1);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 0L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 0L);
    curl_easy_setopt(curl, CURLOPT_SSLCERTTYPE, "P12");
    curl_easy_setopt(curl, CURLOPT_SSLCERT, pfx.c_str());
    curl_easy_setopt(curl, CURLOPT_KEYPASSWD, senha.c_str());
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, cabecalhos);
    curl_easy_setopt(curl, CURLOPT_POSTFIELDS, ambiente->Envelope().c_str());
    curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE, static_cast<long>(ambiente->Envelope().size()));
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, Guardar);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &resposta);
    const CURLcode codigo = curl_easy_perform(curl);
    curl_easy_cleanup(curl);
    Verificar(codigo == CURLE_OK && resposta.find("<cStat>107</cStat>") != std::string::npos,
              "POST com libcurl");
  }
  curl_slist_free_all(cabecalhos);
}

void StatusSefazProcesso(benchmark::State& estado, const TAmbienteBench* ambiente) {
  const std::vector<std::string> argumentos{
      NIVRA_STATUS_SEFAZ,        "--uf", "PR", "--pfx", ambiente->Opcoes().ArquivoPFX, "--servicos",
      ambiente->ServicosRapido()};
  const std::vector<std::string> variaveis{"NIVRA_SENHA=" + TAmbienteBench::Senha()};
  for (auto _ : estado)
    Verificar(ExecutarProcesso(argumentos, variaveis) == 0, "status-sefaz como processo");
}

void CurlComando(benchmark::State& estado, const TAmbienteBench* ambiente) {
  const std::vector<std::string> argumentos{
      "/usr/bin/curl",
      "--silent",
      "--fail",
      "--insecure",
      "--http1.1",
      "--cert-type",
      "P12",
      "--cert",
      TAmbienteBench::ArquivoPFX() + ":" + TAmbienteBench::Senha(),
      "--header",
      "Content-Type: " + ambiente->ContentType(),
      "--header",
      "SOAPAction: " + ambiente->SoapAction(),
      "--data-binary",
      "@" + ambiente->ArquivoEnvelope(),
      "--output",
      "/dev/null",
      ambiente->URLStatus()};
  for (auto _ : estado) Verificar(ExecutarProcesso(argumentos) == 0, "comando curl");
}

void TabelaAnalise(benchmark::State& estado) {
  for (auto _ : estado) {
    TServicosIni tabela(RecursoNivraNFeServicos());
    benchmark::DoNotOptimize(tabela);
  }
}

// Parsing the embedded table, then the status endpoint of every UF, environment and model.
void TabelaResolucao(benchmark::State& estado) {
  for (auto _ : estado) {
    const TServicosIni tabela(RecursoNivraNFeServicos());
    for (const char* modelo : {"NFe", "NFCe"})
      for (const auto ambiente : {TkovTipoAmbiente::taProducao, TkovTipoAmbiente::taHomologacao})
        for (const TUFInfo& uf : TabelaUF()) {
          try {
            benchmark::DoNotOptimize(ResolverEnderecoServico(
                tabela, "NivraNFeServicos", NomeSecaoServicos(modelo, uf.Sigla, ambiente),
                "NfeStatusServico", 4.00));
          } catch (const ENivraDFeException&) {
            // The few sections without a status endpoint (NFC-e of CE and MG in production).
          }
        }
  }
}

void TodasLento(benchmark::State& estado, const TAmbienteBench* ambiente) {
  TOpcoesStatus opcoes = ambiente->Opcoes(true);
  opcoes.Todas = true;
  for (auto _ : estado)
    Verificar(CodigoSaidaTodas(ConsultarTodas(opcoes, TAmbienteBench::Senha())) == 0, "--todas");
}

// One authoriser of the slow table asked alone, as --todas asks it (component, certificate,
// query).
void UnicaLenta(benchmark::State& estado, const TAmbienteBench* ambiente, TAutorizador alvo) {
  TOpcoesStatus opcoes = ambiente->Opcoes(true);
  opcoes.UF = alvo.UFs.front();
  opcoes.FormaEmissao = alvo.FormaEmissao;
  for (auto _ : estado) {
    TNivraNFe nfe;
    ConfigurarComponente(nfe, opcoes, TAmbienteBench::Senha());
    Verificar(ConsultarStatus(nfe).cStat == 107, "consulta única de " + alvo.Nome);
  }
}

// Collects the medians while printing as usual.
class TColetor : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.aggregate_name != "median") continue;
      FMedianas[run.run_name.function_name] =
          run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit) * 1000.0;
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> FMedianas;
};

benchmark::internal::Benchmark* Rede(benchmark::internal::Benchmark* b, int iteracoes,
                                     int repeticoes) {
  return b->Iterations(iteracoes)
      ->Repetitions(repeticoes)
      ->ReportAggregatesOnly(true)
      ->UseRealTime()
      ->Unit(benchmark::kMillisecond);
}

}  // namespace

std::string NomeUnicaLenta(std::size_t indice) { return "unica_lenta_" + std::to_string(indice); }

void RegistrarFiguras(const TAmbienteBench& ambiente) {
  Rede(benchmark::RegisterBenchmark("consulta_em_processo", ConsultaEmProcesso, &ambiente), 30, 9);
  Rede(benchmark::RegisterBenchmark("curl_biblioteca", CurlBiblioteca, &ambiente), 30, 9);
  Rede(benchmark::RegisterBenchmark("status_sefaz_processo", StatusSefazProcesso, &ambiente), 8, 9);
  Rede(benchmark::RegisterBenchmark("curl_comando", CurlComando, &ambiente), 8, 9);
  for (auto* b : {benchmark::RegisterBenchmark("tabela_analise", TabelaAnalise),
                  benchmark::RegisterBenchmark("tabela_resolucao", TabelaResolucao)})
    b->Repetitions(9)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);
  Rede(benchmark::RegisterBenchmark("todas_lento", TodasLento, &ambiente), 1, 7);

  TNivraNFe nfe;
  ConfigurarComponente(nfe, ambiente.Opcoes(true), TAmbienteBench::Senha());
  nfe.CarregarParametros(true);
  const TServicosIni tabela(JuntarLinhas(nfe.Configuracoes().WebServices().Params()));
  const auto lista =
      ListarAutorizadores(tabela, "NivraNFeServicos", "NFe", TkovTipoAmbiente::taProducao);
  for (std::size_t i = 0; i < lista.size(); ++i)
    Rede(benchmark::RegisterBenchmark(NomeUnicaLenta(i).c_str(), UnicaLenta, &ambiente, lista[i]),
         1, 3);
}

std::map<std::string, double> ExecutarFiguras() {
  TColetor coletor;
  benchmark::RunSpecifiedBenchmarks(&coletor);
  return coletor.FMedianas;
}

}  // namespace nivra
