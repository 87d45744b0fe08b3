// The example month of the history window's picture.
#include "tools/capturas_monitor/mes_exemplo.h"

#include <cmath>
#include <cstdint>

namespace nivra {

namespace {

constexpr int64_t kPasso = 181000;
constexpr int64_t kMinuto = 60000;
constexpr int64_t kHora = 60 * kMinuto;
constexpr int64_t kDia = 24 * kHora;

struct TParada {
  int64_t InicioMs;  // from the start of the month
  int64_t DuracaoMs;
  int cStat;  // 0 for queries that fail
  const char* Motivo;
};

const TParada kParadas[] = {
    {3 * kDia + 14 * kHora, 40 * kMinuto, 108, "Serviço Paralisado Momentaneamente (curto prazo)"},
    {11 * kDia + 2 * kHora, 3 * kHora + 20 * kMinuto, 109, "Serviço Paralisado sem Previsão"},
    {18 * kDia + 10 * kHora, 25 * kMinuto, 0,
     "Erro ao conectar: Tempo limite de 10000 ms esgotado"},
    {24 * kDia + 16 * kHora, 95 * kMinuto, 108, "Serviço Paralisado Momentaneamente (curto prazo)"},
};

}  // namespace

void GravarMesDeExemplo(THistoricoStatus& historico, const TInstante& fim, const std::string& uf) {
  const int64_t inicio = fim.UnixMs - 30 * kDia;
  for (int64_t t = inicio; t < fim.UnixMs; t += kPasso) {
    TRegistroStatus r;
    r.Momento = {t, fim.FusoMinutos};
    r.Autorizador = uf;
    r.UF = uf;
    const double horaLocal =
        std::fmod(static_cast<double>(t + fim.FusoMinutos * kMinuto) / kHora, 24.0);
    const bool expediente = horaLocal >= 8 && horaLocal < 18;
    r.cStat = 107;
    r.xMotivo = "Serviço em Operação";
    r.tMed = expediente ? 2 : 1;
    r.ConsultaMs = (expediente ? 320 : 190) + 60 * std::sin(static_cast<double>(t) / 5e6);
    for (const TParada& p : kParadas) {
      if (t - inicio < p.InicioMs || t - inicio >= p.InicioMs + p.DuracaoMs) continue;
      r.cStat = p.cStat;
      r.xMotivo = p.cStat ? p.Motivo : "";
      r.Falha = p.cStat ? "" : p.Motivo;
      r.tMed = 0;
      r.ConsultaMs = p.cStat ? 900 : 10000;
    }
    historico.Gravar(r);
  }
}

}  // namespace nivra
