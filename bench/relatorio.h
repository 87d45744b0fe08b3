// The table of figures: printed, and written with the machine's description to a Markdown page.
#pragma once

#include <string>
#include <vector>

namespace nivra {

// One figure: what was measured, against what, and the goal it is held to.
struct TFigura {
  std::string Nome;
  std::string Medido;      // "4.1 ms"
  std::string Referencia;  // "3.9 ms (libcurl ...)", or "—"
  std::string Razao;       // "1.05×", or "—"
  std::string Meta;        // "≤ 1.15×"
  bool Atingida = false;
};

// The figures as a Markdown table.
[[nodiscard]] std::string TabelaFiguras(const std::vector<TFigura>& figuras);

// Processor, cores, memory, kernel, compiler and library versions of this machine, as Markdown
// list lines.
[[nodiscard]] std::string DescricaoMaquina();

// Writes the page `arquivo`: a title, the machine, the table, then whatever followed the line
// "<!-- notas -->" in the page it replaces (the hand-written analysis), that line included.
// Throws std::runtime_error when the file cannot be written.
void EscreverRelatorio(const std::string& arquivo, const std::vector<TFigura>& figuras);

}  // namespace nivra
