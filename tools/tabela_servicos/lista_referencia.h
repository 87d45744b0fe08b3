// Reading of a published list of web-service addresses: the per-model XML list of addresses by
// authoriser and environment, and the JSON map of which authoriser serves each UF.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace nivra {

// One address of the list: authoriser (or UF) code, environment ('P' or 'H'), the service
// element's name and its text.
struct TEnderecoLista {
  std::string Sigla;
  char Ambiente = 'P';
  std::string Servico;
  std::string URL;
};

// Parses the XML list: a root holding <UF> elements, each with <sigla> and the environments
// <producao> and <homologacao>, whose child elements are the services with the address as
// text. Elements without an address are skipped. Throws std::runtime_error naming `origem`
// when the text is not well-formed XML or has no <UF> element.
[[nodiscard]] std::vector<TEnderecoLista> LerListaEnderecos(std::string_view xml,
                                                            std::string_view origem);

// Parses the JSON map of authorisers and returns the pairs of the object under `modelo` ("55"
// or "65"): UF or authoriser code -> code of the authoriser serving it. Throws
// std::runtime_error when the model is absent or the object is malformed.
[[nodiscard]] std::map<std::string, std::string> LerAutorizadores(std::string_view json,
                                                                  std::string_view modelo);

}  // namespace nivra
