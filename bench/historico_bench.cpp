// Recording into the history and opening its window, each over a file of its own.
#include "bench/historico_bench.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <filesystem>
#include <iostream>
#include <stdexcept>

#include "app/historico/historico_status.h"
#include "app/qt/janela_historico.h"

namespace nivra {

namespace {

constexpr int64_t kPasso = 181000;
constexpr int64_t kAnoMs = 365LL * 86400000;

TRegistroStatus Resposta(int64_t ms) {
  TRegistroStatus r;
  r.Momento = {ms, -180};
  r.Autorizador = "PR";
  r.UF = "PR";
  r.cStat = (ms / kPasso) % 997 == 0 ? 109 : 107;
  r.xMotivo = r.cStat == 107 ? "Serviço em Operação" : "Serviço Paralisado sem Previsão";
  r.tMed = 1;
  r.ConsultaMs = 214;
  return r;
}

void Gravar(benchmark::State& estado, const std::string& pasta) {
  THistoricoStatus historico(pasta + "gravar.sqlite3", std::cerr);
  int64_t ms = InstanteAtual().UnixMs;
  for (auto _ : estado)
    if (!historico.Gravar(Resposta(ms += kPasso))) throw std::runtime_error("gravação falhou");
}

// A year of answers of one UF, one every 181 seconds (about 174,000), ending now.
void Janela(benchmark::State& estado, const std::string& pasta) {
  const std::string arquivo = pasta + "ano.sqlite3";
  const TInstante agora = InstanteAtual();
  if (!std::filesystem::exists(arquivo)) {
    THistoricoStatus historico(arquivo, std::cerr);
    for (int64_t ms = agora.UnixMs - kAnoMs; ms < agora.UnixMs; ms += kPasso)
      historico.Gravar(Resposta(ms));
  }
  THistoricoStatus historico(arquivo, std::cerr);
  for (auto _ : estado) {
    TJanelaHistorico janela(historico, "PR", [agora] { return agora; });
    janela.show();
    QApplication::processEvents();
    janela.grab();
  }
}

}  // namespace

void RegistrarFigurasHistorico(const std::string& pasta) {
  benchmark::RegisterBenchmark("historico_gravar", Gravar, pasta)
      ->Unit(benchmark::kMillisecond)
      ->Iterations(2000)
      ->Repetitions(5)
      ->ReportAggregatesOnly(true)
      ->UseRealTime();
  benchmark::RegisterBenchmark("historico_janela", Janela, pasta)
      ->Unit(benchmark::kMillisecond)
      ->Iterations(3)
      ->Repetitions(5)
      ->ReportAggregatesOnly(true)
      ->UseRealTime();
}

}  // namespace nivra
