// Where an installed package keeps the component's data (the schemas and the services table,
// share/nivra/), found from the file that holds the component.
#pragma once

#include <string>

namespace nivra {

// The installed data folder with a trailing "/": beside the shared library that holds this code
// (lib/<triplet>/ -> share/nivra/), else beside the program's folder (bin/ -> share/nivra/).
// Empty when neither exists (a program run from its build tree). Never throws.
[[nodiscard]] std::string PastaDadosInstalados();

// The folder `nome` below the executable's folder when it exists, else below the installed
// data folder when it exists there, else below the executable's folder: where the component
// looks for a default folder or file ("Schemas", "NivraNFeServicos.ini"). `nomeInstalado` is
// its name in the data folder. Throws what PastaDoExecutavel throws.
[[nodiscard]] std::string LocalPadrao(const std::string& nome, const std::string& nomeInstalado);

}  // namespace nivra
