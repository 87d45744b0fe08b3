// The printing benchmarks: DANFEs of the example invoice of one and of fifty sheets, and the
// memory of a process that prints a thousand of them.
#pragma once

namespace nivra {

// Registers "danfe_1_folha" and "danfe_50_folhas" with Google Benchmark.
void RegistrarImpressao();

// Resident memory of this process, in MiB, after printing 50 one-sheet DANFEs (warm-up) and
// after printing 1000 more.
struct TMemoriaDANFE {
  double AntesMiB = 0;
  double DepoisMiB = 0;
};
[[nodiscard]] TMemoriaDANFE MedirMemoriaDANFE();

}  // namespace nivra
