// The monitor at rest: its memory and CPU between two timer ticks after start-up.
#pragma once

#include "bench/ambiente_bench.h"

namespace nivra {

struct TMonitorOcioso {
  // Resident memory after start-up, in MiB.
  double RSSMiB = 0;
  // CPU time (user + system, in clock ticks of 10 ms: /proc gives no finer count here) and
  // context switches of all its threads over the idle window.
  double CPUMs = 0;
  long Despertares = 0;
  double JanelaS = 0;
};

// Starts monitor-sefaz offscreen, its panel open, with the PKI's certificate for PR and the
// prompt authoriser's table, waits for its first answer and a settling second, then watches it for
// `janelaS` seconds: after the first tick of its reminder timer (1 s) and before the next (15.1 s)
// and the button's (20 s), well inside the 181-second polling period. Throws std::runtime_error
// when the monitor does not answer within 20 s.
[[nodiscard]] TMonitorOcioso MedirMonitorOcioso(const TAmbienteBench& ambiente, double janelaS);

}  // namespace nivra
