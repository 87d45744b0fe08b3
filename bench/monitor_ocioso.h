// The monitor at rest: its memory and CPU between two timer ticks after start-up.
#pragma once

#include "bench/ambiente_bench.h"

struct TMonitorOcioso {
  // Resident memory after start-up, in MiB.
  double RSSMiB = 0;
  // CPU time (user + system) and context switches of all its threads over the idle window.
  double CPUMs = 0;
  long Despertares = 0;
  double JanelaS = 0;
};

// Starts monitor-sefaz offscreen with the PKI's certificate for PR and the prompt authoriser's
// table, waits for its first answer and a settling second, then watches it for `janelaS`
// seconds (well inside the 181-second polling period). Throws std::runtime_error when the
// monitor does not answer within 20 s.
[[nodiscard]] TMonitorOcioso MedirMonitorOcioso(const TAmbienteBench& ambiente, double janelaS);
