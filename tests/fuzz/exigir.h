// The fuzz targets' check: a condition that does not hold is a finding.
#pragma once

#include <cstdlib>

namespace nivra {

// Aborts (a finding for the fuzzer) when the condition does not hold.
inline void Exigir(bool condicao) {
  if (!condicao) std::abort();
}

}  // namespace nivra
