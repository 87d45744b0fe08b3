// Splitting an endpoint URL into the parts an HTTP request is made of.
#pragma once

#include <string>
#include <string_view>

namespace nivra {

// The parts of a URL. Only `Protocolo`, `Host`, `Porta` and `Caminho` reach the wire.
struct TURLPartes {
  std::string Protocolo;   // "http" when the URL names none
  std::string Usuario;     // before the "@" of the authority, up to the first ":"
  std::string Senha;       // after that ":"
  std::string Host;        // without the brackets of an IPv6 literal; "localhost" when empty
  std::string Porta;       // as written; the protocol's default (80, 443, 21) when absent
  std::string Caminho;     // "/" followed by the path, without the query
  std::string Parametros;  // the query, without the "?"
};

// Splits `url`. Never fails: text that is not a URL still gives parts (a request for them
// fails later, on the host or the port). The authority ends at the first "/" or "?", and a
// fragment ("#...") is not part of the path or the query.
[[nodiscard]] TURLPartes DividirURL(std::string_view url);

}  // namespace nivra
