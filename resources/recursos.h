// Texts compiled into the component library at build time.
#pragma once

#include <string_view>

namespace nivra {

// Returns the embedded services table (INI text, UTF-8) of the NF-e web services. The view
// points at static storage that lives as long as the program; it never throws.
std::string_view RecursoNivraNFeServicos();

}  // namespace nivra
