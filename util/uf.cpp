// The UF table and the conversions between UF letters and IBGE codes.
#include "nivranfe/util/uf.h"

#include <array>

namespace nivra {

namespace {

constexpr std::array<TUFInfo, 27> kUFs = {{
    {"AC", 12, "-05:00", false}, {"AL", 27, "-03:00", false}, {"AP", 16, "-03:00", false},
    {"AM", 13, "-04:00", false}, {"BA", 29, "-03:00", false}, {"CE", 23, "-03:00", false},
    {"DF", 53, "-03:00", true},  {"ES", 32, "-03:00", true},  {"GO", 52, "-03:00", true},
    {"MA", 21, "-03:00", false}, {"MT", 51, "-04:00", true},  {"MS", 50, "-04:00", true},
    {"MG", 31, "-03:00", true},  {"PA", 15, "-03:00", false}, {"PB", 25, "-03:00", false},
    {"PR", 41, "-03:00", true},  {"PE", 26, "-03:00", false}, {"PI", 22, "-03:00", false},
    {"RJ", 33, "-03:00", true},  {"RN", 24, "-03:00", false}, {"RS", 43, "-03:00", true},
    {"RO", 11, "-04:00", false}, {"RR", 14, "-04:00", false}, {"SC", 42, "-03:00", true},
    {"SP", 35, "-03:00", true},  {"SE", 28, "-03:00", false}, {"TO", 17, "-03:00", false},
}};

// Codes outside the table that stand for the federal district.
bool CodigoDoDF(int32_t codigo) { return codigo == 90 || codigo == 91; }

}  // namespace

std::span<const TUFInfo> TabelaUF() { return kUFs; }

const TUFInfo* BuscarUF(std::string_view sigla) {
  for (const TUFInfo& uf : kUFs) {
    if (uf.Sigla == sigla) return &uf;
  }
  return nullptr;
}

std::string CodigoUFParaSigla(int32_t codigo) {
  if (CodigoDoDF(codigo)) return "DF";
  return CUFParaSigla(codigo);
}

int32_t SiglaUFParaCodigo(std::string_view sigla) {
  const TUFInfo* uf = BuscarUF(sigla);
  return uf == nullptr ? 0 : uf->Codigo;
}

bool CodigoUFValido(int32_t codigo) { return !CodigoUFParaSigla(codigo).empty(); }

bool SiglaUFValida(std::string_view sigla) { return sigla == "EX" || BuscarUF(sigla) != nullptr; }

std::string CUFParaSigla(int32_t codigo) {
  for (const TUFInfo& uf : kUFs) {
    if (uf.Codigo == codigo) return std::string(uf.Sigla);
  }
  return {};
}

}  // namespace nivra
