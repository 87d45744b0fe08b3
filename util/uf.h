// The Brazilian states (UF) with their IBGE codes, time zones and daylight-saving flag.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace nivra {

// One row of the UF table.
struct TUFInfo {
  std::string_view Sigla;
  int32_t Codigo;
  std::string_view FusoHorario;  // "-03:00"
  bool HorarioDeVerao;
};

// The 27 UFs in table order.
[[nodiscard]] std::span<const TUFInfo> TabelaUF();
// The row of the UF letters (exact, case-sensitive); nullptr when they are not one of the 27.
[[nodiscard]] const TUFInfo* BuscarUF(std::string_view sigla);

// The UF of the IBGE code, "DF" for 90 and 91; empty for any other code.
[[nodiscard]] std::string CodigoUFParaSigla(int32_t codigo);
// The IBGE code of the UF letters (exact, case-sensitive); 0 for "EX" and any other text.
[[nodiscard]] int32_t SiglaUFParaCodigo(std::string_view sigla);
// True for the 27 table codes, 90 and 91.
[[nodiscard]] bool CodigoUFValido(int32_t codigo);
// True for the 27 UFs and "EX" (exact, case-sensitive).
[[nodiscard]] bool SiglaUFValida(std::string_view sigla);
// The UF of one of the 27 table codes; empty for any other code (90 and 91 included).
[[nodiscard]] std::string CUFParaSigla(int32_t codigo);

}  // namespace nivra
