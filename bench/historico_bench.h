// The history's figures: recording one answer, and opening the history window on a year of
// answers.
#pragma once

#include <string>

namespace nivra {

// Registers "historico_gravar" and "historico_janela" over histories in `pasta` (which must
// outlive the run). The window's benchmark needs a QApplication.
void RegistrarFigurasHistorico(const std::string& pasta);

}  // namespace nivra
