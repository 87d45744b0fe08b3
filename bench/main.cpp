// nivra-bench: measures every performance figure side by side and writes docs/performance.md.
// Usage: nivra-bench PAGE.md [Google Benchmark options]
#include <benchmark/benchmark.h>
#include <curl/curl.h>

#include <QApplication>
#include <algorithm>
#include <cstdio>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/documento_bench.h"
#include "bench/figuras.h"
#include "bench/historico_bench.h"
#include "bench/impressao_bench.h"
#include "bench/monitor_ocioso.h"
#include "bench/relatorio.h"

using namespace nivra;

namespace {

constexpr int kAtrasoMs = 300;
constexpr double kJanelaOciosaS = 10;

std::string Numero(double valor, const char* unidade) {
  char texto[64];
  std::snprintf(texto, sizeof texto, valor < 10 ? "%.2f %s" : "%.1f %s", valor, unidade);
  return texto;
}

// A figure held to a ratio goal against a reference (the measured time over the reference's).
TFigura Razao(const std::string& nome, double medido, double referencia,
              const std::string& comparado, double meta) {
  const double razao = medido / referencia;
  char texto[32];
  std::snprintf(texto, sizeof texto, "%.2f×", razao);
  char objetivo[32];
  std::snprintf(objetivo, sizeof objetivo, "≤ %.2f×", meta);
  return {nome,     Numero(medido, "ms"), Numero(referencia, "ms") + " (" + comparado + ")", texto,
          objetivo, razao <= meta};
}

// The median of a benchmark; throws when it did not run (a --benchmark_filter left it out).
double Mediana(const std::map<std::string, double>& medianas, const std::string& nome) {
  const auto item = medianas.find(nome);
  if (item == medianas.end())
    throw std::runtime_error("o benchmark " + nome + " não rodou; a tabela precisa de todos");
  return item->second;
}

std::vector<TFigura> Figuras(const std::map<std::string, double>& m, const TMonitorOcioso& ocioso,
                             const TMemoriaDANFE& memoria) {
  double maisLenta = 0;
  for (std::size_t i = 0; m.contains(NomeUnicaLenta(i)); ++i)
    if (Mediana(m, NomeUnicaLenta(i)) > maisLenta) maisLenta = Mediana(m, NomeUnicaLenta(i));
  const double analiseMs = Mediana(m, "tabela_analise");
  return {
      Razao("in-process status query (configured once)", Mediana(m, "consulta_em_processo"),
            Mediana(m, "curl_biblioteca"), "libcurl POST, new handle, PKCS#12", 1.15),
      Razao("`status-sefaz` as a whole process", Mediana(m, "status_sefaz_processo"),
            Mediana(m, "curl_comando"), "`curl` command, PKCS#12", 1.5),
      {"services table: parse the embedded table", Numero(analiseMs * 1000, "µs"), "—", "—",
       "< 1 ms", analiseMs < 1},
      {"services table: parse + status endpoint of every UF, environment and model",
       Numero(Mediana(m, "tabela_resolucao") * 1000, "µs"), "—", "—", "(no goal)", true},
      {"history: record one answer", Numero(Mediana(m, "historico_gravar"), "ms"), "—", "—",
       "≤ 1 ms", Mediana(m, "historico_gravar") <= 1},
      {"history window: open on a year of answers (174,000 rows)",
       Numero(Mediana(m, "historico_janela"), "ms"), "—", "—", "≤ 200 ms",
       Mediana(m, "historico_janela") <= 200},
      {"monitor idle after start-up with history and panel (offscreen): resident memory",
       Numero(ocioso.RSSMiB, "MiB"), "—", "—", "≤ 60 MB", ocioso.RSSMiB * 1.048576 <= 60},
      {"monitor idle: CPU time between timer ticks",
       Numero(ocioso.CPUMs, "ms") + " and " + std::to_string(ocioso.Despertares) + " wake-ups in " +
           Numero(ocioso.JanelaS, "s"),
       "—", "—", "none: no CPU tick, fewer wake-ups than seconds",
       ocioso.CPUMs == 0 && static_cast<double>(ocioso.Despertares) < ocioso.JanelaS},
      Razao("`status-sefaz --todas`, each answer delayed 300 ms", Mediana(m, "todas_lento"),
            maisLenta, "slowest single query", 1.5),
      // At least 0.8 times the rate of OpenSSL signing alone: at most 1.25 times its time.
      Razao("build, write and sign a 10-item NF-e", Mediana(m, "documento_assinado"),
            Mediana(m, "openssl_assinatura"), "OpenSSL RSA signature, same key", 1.25),
      {"… of which writing the XML", Numero(Mediana(m, "documento_escrita") * 1000, "µs"), "—", "—",
       "(no goal)", true},
      {"… of which signing the written XML (the RSA signature included)",
       Numero(Mediana(m, "documento_assinatura") * 1000, "µs"), "—", "—", "(no goal)", true},
      Razao("read a 500-item nfeProc into the model", Mediana(m, "documento_leitura"),
            Mediana(m, "libxml2_leitura"), "libxml2 parse of the same bytes", 2),
      {"DANFE of one sheet (10 items), in memory", Numero(Mediana(m, "danfe_1_folha"), "ms"), "—",
       "—", "≤ 25 ms", Mediana(m, "danfe_1_folha") <= 25},
      {"DANFE of 50 sheets, in memory", Numero(Mediana(m, "danfe_50_folhas"), "ms"), "—", "—",
       "≤ 500 ms", Mediana(m, "danfe_50_folhas") <= 500},
      {"resident memory across 1000 one-sheet DANFEs in one process",
       Numero(memoria.AntesMiB, "MiB") + " → " + Numero(memoria.DepoisMiB, "MiB"), "—", "—",
       "flat (≤ 1 MiB more)", memoria.DepoisMiB - memoria.AntesMiB <= 1},
  };
}

}  // namespace

int main(int argc, char** argv) {
  // Repetitions of the different benchmarks run interleaved in random order, so a change of
  // load on the machine during the run falls on both sides of each comparison alike.
  std::vector<char*> argumentos(argv, argv + argc);
  std::string intercalar = "--benchmark_enable_random_interleaving=true";
  argumentos.insert(argumentos.begin() + 1, intercalar.data());
  argc = static_cast<int>(argumentos.size());
  argv = argumentos.data();
  benchmark::Initialize(&argc, argv);
  if (argc != 2) {
    std::cerr << "uso: nivra-bench PAGINA.md [opções do Google Benchmark]\n";
    return 2;
  }
  // The history window is drawn off any screen.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication aplicacao(argc, argv);
  try {
    curl_global_init(CURL_GLOBAL_DEFAULT);
    const TAmbienteBench ambiente(kAtrasoMs);
    RegistrarFiguras(ambiente);
    RegistrarFigurasHistorico(ambiente.Pasta());
    RegistrarFigurasDocumento(ambiente);
    RegistrarImpressao();
    const std::map<std::string, double> medianas = ExecutarFiguras();
    const TMonitorOcioso ocioso = MedirMonitorOcioso(ambiente, kJanelaOciosaS);
    const TMemoriaDANFE memoria = MedirMemoriaDANFE();
    const std::vector<TFigura> figuras = Figuras(medianas, ocioso, memoria);
    std::cout << "\n" << TabelaFiguras(figuras);
    EscreverRelatorio(argv[1], figuras);
    std::cout << "\nescrito em " << argv[1] << "\n";
    return 0;
  } catch (const std::exception& erro) {
    std::cerr << "nivra-bench: " << erro.what() << "\n";
    return 1;
  }
}
