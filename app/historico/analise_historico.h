// What the history window shows, computed from the recorded answers: availability per day,
// the outages, the response time over time, and the CSV export.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/historico/registro_status.h"

namespace nivra {

// A recorded state holds until the next answer, for at most this long: past it the time counts
// as not observed (the monitor was off).
constexpr int64_t kValidadeRespostaMs = 3600000;

struct TDisponibilidadeDia {
  // Midnight of the day, local time of the offset given, in ms since 1970 UTC.
  int64_t InicioMs = 0;
  // Share of the observed time in operation, 0 to 1; nothing when the day was not observed.
  std::optional<double> Fracao;
};

// The availability of each of the `dias` local days up to the one of `agora` (its offset
// gives the day boundaries), oldest first. `registros` must be sorted by moment.
[[nodiscard]] std::vector<TDisponibilidadeDia> DisponibilidadePorDia(
    const std::vector<TRegistroStatus>& registros, const TInstante& agora, int dias);

struct TInterrupcao {
  TInstante Inicio;
  // Nothing while the outage goes on.
  std::optional<TInstante> Fim;
  int64_t DuracaoMs = 0;
  // The first answer of the outage: its code (0 for a failed query) and reason (the failure's
  // message for a failed query).
  int cStat = 0;
  std::string Motivo;
};

// The runs of answers other than 107 (failed queries included), oldest first. An outage ends
// at the next 107; one still going on lasts until `agora`.
[[nodiscard]] std::vector<TInterrupcao> Interrupcoes(const std::vector<TRegistroStatus>& registros,
                                                     const TInstante& agora);

struct TPontoTempo {
  int64_t InicioMs = 0;
  // Means over the answered queries of the hour.
  double TMedSegundos = 0;
  double ConsultaSegundos = 0;
};

// The answered queries averaged per hour (UTC hours), oldest first; hours without an answer
// are left out.
[[nodiscard]] std::vector<TPontoTempo> TemposPorHora(const std::vector<TRegistroStatus>& registros);

// A CSV file (RFC 4180, comma-separated, CRLF) with a header line and one line per answer:
// momento (ISO 8601 with offset), autorizador, uf, ambiente, modelo, cStat, xMotivo, tMed,
// consulta_ms and falha.
[[nodiscard]] std::string TextoCSV(const std::vector<TRegistroStatus>& registros);

}  // namespace nivra
