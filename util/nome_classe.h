// Run-time class names, as the component puts them into its messages.
#pragma once

#include <string>
#include <typeinfo>

namespace nivra {

// Returns the name of the class described by `tipo` without its namespaces (a template's
// arguments keep theirs): "TDFeSSLHttpClass" for the HTTP base, the derived class's own name for
// a descendant. Never throws on a valid type.
[[nodiscard]] std::string NomeDaClasse(const std::type_info& tipo);

}  // namespace nivra
