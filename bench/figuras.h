// The benchmarks of every figure, registered with Google Benchmark, and their medians.
#pragma once

#include <map>
#include <string>

#include "bench/ambiente_bench.h"

namespace nivra {

// Registers every benchmark over `ambiente` (which must outlive the run). The names are those
// MedianasMs gives back.
void RegistrarFiguras(const TAmbienteBench& ambiente);

// Runs the registered benchmarks, printing them as Google Benchmark does, and returns the
// median wall time of each, in milliseconds, by benchmark name.
[[nodiscard]] std::map<std::string, double> ExecutarFiguras();

// The name of the single query of authoriser `indice` of the slow table; the slowest of them
// is the reference of --todas.
[[nodiscard]] std::string NomeUnicaLenta(std::size_t indice);

}  // namespace nivra
