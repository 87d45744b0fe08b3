// A small INI text reader and writer: "[section]" lines followed by "key=value" lines, section
// and key names matched without regard to letter case, other lines kept as they are.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace nivra {

// Whether the text has a line "[secao]". Never throws except on allocation.
[[nodiscard]] bool SecaoIniExiste(std::string_view texto, std::string_view secao);

// The trimmed value of the first "chave=" line of the first section named `secao`; nothing
// when the section or the key is absent. Never throws except on allocation.
[[nodiscard]] std::optional<std::string> LerValorIni(std::string_view texto, std::string_view secao,
                                                     std::string_view chave);

// The text with "chave=valor" in section `secao`: it replaces the key's first line in the
// first such section, or goes after the section's last entry, or, when there is no such
// section, a new section with the key is added at the end. Line breaks inside `valor` become
// spaces, so a value can never add lines. The text's line ending (CR LF or LF) is kept; a new
// text uses LF. Never throws except on allocation.
[[nodiscard]] std::string GravarValorIni(std::string_view texto, std::string_view secao,
                                         std::string_view chave, std::string_view valor);

}  // namespace nivra
