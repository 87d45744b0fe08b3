// How printed documents show the values of an XML: the access key in groups, dates and times,
// the environment and quantities.
#pragma once

#include <string>
#include <string_view>

namespace nivra {

// The key in groups of four characters separated by a space ("4126 1211 ..."): 11 groups for a
// 44-character key. Blanks of the input are dropped first. Never throws except on allocation.
[[nodiscard]] std::string FormatarChaveAcesso(std::string_view chave);

// An XML date-time "2026-12-10T14:30:05-03:00" as "10/12/2026 14:30:05" (the local time of the
// document; the offset is left out), a date "2026-12-10" as "10/12/2026"; text of another form
// is returned as given. Never throws except on allocation.
[[nodiscard]] std::string FormatarDataHoraXML(std::string_view valor);

// tpAmb as printed: "1 - PRODUÇÃO", "2 - HOMOLOGAÇÃO", or the code as given.
[[nodiscard]] std::string DescricaoAmbiente(std::string_view tpAmb);

}  // namespace nivra
