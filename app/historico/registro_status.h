// One answer of an authoriser's status service as the history keeps it, and the moment it
// was taken.
#pragma once

#include <cstdint>
#include <string>

namespace nivra {

// A moment: milliseconds since 1970-01-01 UTC and the host's offset from UTC at that moment.
struct TInstante {
  int64_t UnixMs = 0;
  int FusoMinutos = 0;
  friend bool operator==(const TInstante&, const TInstante&) = default;
};

// The host's clock now. Never throws.
[[nodiscard]] TInstante InstanteAtual();

// The local date-time of the moment in ISO 8601 with its offset ("2026-12-10T09:15:00-03:00").
[[nodiscard]] std::string InstanteISO(const TInstante& instante);

struct TRegistroStatus {
  TInstante Momento;
  // The authoriser asked: a UF ("PR"), a shared one ("SVRS") or a contingency one ("SVC-AN").
  std::string Autorizador;
  // The UF the query was made for (the first UF a shared authoriser serves).
  std::string UF;
  // tpAmb: 1 production, 2 homologation.
  int Ambiente = 1;
  // "NFe" or "NFCe".
  std::string Modelo = "NFe";
  // 0 when the query failed.
  int cStat = 0;
  std::string xMotivo;
  int tMed = 0;
  // The query's own round-trip time, in milliseconds.
  double ConsultaMs = 0;
  // The failure's message; empty when the authoriser answered.
  std::string Falha;
  friend bool operator==(const TRegistroStatus&, const TRegistroStatus&) = default;
};

// Whether the authoriser was in operation (107) at the time of the record.
[[nodiscard]] inline bool EmOperacao(const TRegistroStatus& registro) {
  return registro.Falha.empty() && registro.cStat == 107;
}

}  // namespace nivra
