// The notice shown to the user when a service log text is to be displayed and no log handler
// took it. The application installs its own dialog; without one the text goes to stderr.
#pragma once

#include <functional>
#include <string>

using TExibirAviso = std::function<void(const std::string& Mensagem)>;

// Installs the process-wide notice; an empty function restores the stderr default.
void DefinirExibirAviso(TExibirAviso Exibir);

// Shows Mensagem through the installed notice. Throws only what the notice throws.
void ExibirAviso(const std::string& Mensagem);
