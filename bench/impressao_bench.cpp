// DANFE printing measured: wall time per document and resident memory over many documents.
#include "bench/impressao_bench.h"

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <fstream>
#include <stdexcept>
#include <string>

#include "nivranfe/impressao/impressao_danfe.h"
#include "tools/exemplos_impressao/nota_exemplo.h"

namespace nivra {

namespace {

// The sheets of a PDF: its page objects.
int Folhas(const std::string& pdf) {
  int folhas = 0;
  for (size_t p = pdf.find("/Type /Page"); p != std::string::npos;
       p = pdf.find("/Type /Page", p + 1)) {
    if (pdf.compare(p, 12, "/Type /Pages") != 0) ++folhas;
  }
  return folhas;
}

// The fewest items of the example invoice whose DANFE has `folhas` sheets.
int ItensPara(int folhas) {
  int baixo = 1;
  int alto = 8000;
  while (baixo < alto) {
    const int meio = (baixo + alto) / 2;
    if (Folhas(PDFDANFE(NotaExemplo(meio), {}, 1)) >= folhas)
      alto = meio;
    else
      baixo = meio + 1;
  }
  return baixo;
}

void DANFE(benchmark::State& estado, int folhas) {
  const TNFeLida nota = NotaExemplo(folhas == 1 ? 10 : ItensPara(folhas));
  if (Folhas(PDFDANFE(nota, {}, 1)) != folhas)
    throw std::runtime_error("falha no benchmark: o DANFE não tem " + std::to_string(folhas) +
                             " folhas");
  for (auto _ : estado) benchmark::DoNotOptimize(PDFDANFE(nota, {}, 1));
}

double ResidenteMiB() {
  std::ifstream statm("/proc/self/statm");
  long total = 0;
  long residentes = 0;
  statm >> total >> residentes;
  return static_cast<double>(residentes) * static_cast<double>(sysconf(_SC_PAGESIZE)) /
         (1024.0 * 1024.0);
}

}  // namespace

void RegistrarImpressao() {
  for (const int folhas : {1, 50}) {
    const std::string nome = folhas == 1 ? "danfe_1_folha" : "danfe_50_folhas";
    benchmark::RegisterBenchmark(nome.c_str(), DANFE, folhas)
        ->Repetitions(9)
        ->ReportAggregatesOnly(true)
        ->Unit(benchmark::kMillisecond);
  }
}

TMemoriaDANFE MedirMemoriaDANFE() {
  const TNFeLida nota = NotaExemplo(10);
  for (int i = 0; i < 50; ++i) benchmark::DoNotOptimize(PDFDANFE(nota, {}, 1));
  TMemoriaDANFE memoria;
  memoria.AntesMiB = ResidenteMiB();
  for (int i = 0; i < 1000; ++i) benchmark::DoNotOptimize(PDFDANFE(nota, {}, 1));
  memoria.DepoisMiB = ResidenteMiB();
  return memoria;
}

}  // namespace nivra
