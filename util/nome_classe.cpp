// Run-time class names from the C++ type information.
#include "nivranfe/util/nome_classe.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>

namespace nivra {

std::string NomeDaClasse(const std::type_info& tipo) {
  int status = 0;
  std::unique_ptr<char, decltype(&std::free)> nome(
      abi::__cxa_demangle(tipo.name(), nullptr, nullptr, &status), &std::free);
  std::string texto = (status == 0 && nome) ? std::string(nome.get()) : std::string(tipo.name());
  // Namespaces (anonymous ones included) are not part of the class name the messages show.
  const auto fimDoNome = texto.find('<');
  const auto separador = texto.rfind("::", fimDoNome);
  if (separador != std::string::npos) texto.erase(0, separador + 2);
  return texto;
}

}  // namespace nivra
