// Availability, outages, response times and CSV from the recorded answers.
#include "app/historico/analise_historico.h"

#include <algorithm>
#include <cstdio>

namespace nivra {

namespace {

constexpr int64_t kMsPorDia = 86400000;
constexpr int64_t kMsPorHora = 3600000;

int64_t PisoDiv(int64_t a, int64_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

std::string CampoCSV(const std::string& texto) {
  if (texto.find_first_of(",\"\r\n") == std::string::npos) return texto;
  std::string campo = "\"";
  for (const char c : texto) campo += c == '"' ? std::string("\"\"") : std::string(1, c);
  return campo + "\"";
}

}  // namespace

std::vector<TDisponibilidadeDia> DisponibilidadePorDia(
    const std::vector<TRegistroStatus>& registros, const TInstante& agora, int dias) {
  const int64_t fusoMs = int64_t{agora.FusoMinutos} * 60000;
  const int64_t hoje = PisoDiv(agora.UnixMs + fusoMs, kMsPorDia) * kMsPorDia - fusoMs;
  const int64_t primeiro = hoje - int64_t{dias - 1} * kMsPorDia;
  std::vector<int64_t> observado(static_cast<std::size_t>(dias), 0);
  std::vector<int64_t> operando(static_cast<std::size_t>(dias), 0);
  for (std::size_t i = 0; i < registros.size(); ++i) {
    const int64_t inicio = std::max(registros[i].Momento.UnixMs, primeiro);
    int64_t fim = registros[i].Momento.UnixMs + kValidadeRespostaMs;
    if (i + 1 < registros.size()) fim = std::min(fim, registros[i + 1].Momento.UnixMs);
    fim = std::min(fim, agora.UnixMs);
    const bool emOperacao = EmOperacao(registros[i]);
    // The stretch is split at the day boundaries it crosses.
    for (int64_t t = inicio; t < fim;) {
      const int64_t dia = PisoDiv(t - primeiro, kMsPorDia);
      if (dia >= dias) break;
      const int64_t corte = std::min(fim, primeiro + (dia + 1) * kMsPorDia);
      observado[static_cast<std::size_t>(dia)] += corte - t;
      if (emOperacao) operando[static_cast<std::size_t>(dia)] += corte - t;
      t = corte;
    }
  }
  std::vector<TDisponibilidadeDia> resultado;
  for (int d = 0; d < dias; ++d) {
    TDisponibilidadeDia dia{primeiro + d * kMsPorDia, std::nullopt};
    const auto i = static_cast<std::size_t>(d);
    if (observado[i] > 0) dia.Fracao = static_cast<double>(operando[i]) / observado[i];
    resultado.push_back(dia);
  }
  return resultado;
}

std::vector<TInterrupcao> Interrupcoes(const std::vector<TRegistroStatus>& registros,
                                       const TInstante& agora) {
  std::vector<TInterrupcao> lista;
  bool aberta = false;
  for (const TRegistroStatus& r : registros) {
    if (EmOperacao(r)) {
      if (aberta) {
        lista.back().Fim = r.Momento;
        lista.back().DuracaoMs = r.Momento.UnixMs - lista.back().Inicio.UnixMs;
        aberta = false;
      }
    } else if (!aberta) {
      lista.push_back({r.Momento, std::nullopt, 0, r.Falha.empty() ? r.cStat : 0,
                       r.Falha.empty() ? r.xMotivo : r.Falha});
      aberta = true;
    }
  }
  if (aberta)
    lista.back().DuracaoMs = std::max<int64_t>(0, agora.UnixMs - lista.back().Inicio.UnixMs);
  return lista;
}

std::vector<TPontoTempo> TemposPorHora(const std::vector<TRegistroStatus>& registros) {
  std::vector<TPontoTempo> pontos;
  int quantos = 0;
  for (const TRegistroStatus& r : registros) {
    if (!r.Falha.empty()) continue;
    const int64_t hora = PisoDiv(r.Momento.UnixMs, kMsPorHora) * kMsPorHora;
    if (pontos.empty() || pontos.back().InicioMs != hora) {
      pontos.push_back({hora, 0, 0});
      quantos = 0;
    }
    TPontoTempo& p = pontos.back();
    ++quantos;
    p.TMedSegundos += (r.tMed - p.TMedSegundos) / quantos;
    p.ConsultaSegundos += (r.ConsultaMs / 1000.0 - p.ConsultaSegundos) / quantos;
  }
  return pontos;
}

std::string TextoCSV(const std::vector<TRegistroStatus>& registros) {
  std::string texto =
      "momento,autorizador,uf,ambiente,modelo,cStat,xMotivo,tMed,consulta_ms,falha\r\n";
  for (const TRegistroStatus& r : registros) {
    char ms[32];
    std::snprintf(ms, sizeof ms, "%.1f", r.ConsultaMs);
    texto += InstanteISO(r.Momento) + "," + CampoCSV(r.Autorizador) + "," + CampoCSV(r.UF) + "," +
             std::to_string(r.Ambiente) + "," + CampoCSV(r.Modelo) + "," + std::to_string(r.cStat) +
             "," + CampoCSV(r.xMotivo) + "," + std::to_string(r.tMed) + "," + ms + "," +
             CampoCSV(r.Falha) + "\r\n";
  }
  return texto;
}

}  // namespace nivra
