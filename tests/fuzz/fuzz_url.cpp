// Fuzz target of the URL split and what the request builds from its parts: the connection
// port and the Host header.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "nivranfe/security/cabecalhos_http.h"
#include "nivranfe/security/url_partes.h"
#include "nivranfe/util/excecoes.h"
#include "tests/fuzz/exigir.h"

using namespace nivra;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view url(reinterpret_cast<const char*>(data), size);
  const TURLPartes partes = DividirURL(url);

  // The path always begins with "/" and carries neither the query nor a fragment.
  Exigir(partes.Caminho.starts_with('/'));
  Exigir(partes.Caminho.find_first_of("?#") == std::string::npos);
  Exigir(partes.Parametros.find('#') == std::string::npos);
  Exigir(!partes.Host.empty());
  // No part is longer than the URL ("localhost" and the default ports aside).
  Exigir(partes.Caminho.size() <= size + 1);
  Exigir(partes.Host.size() <= std::max<size_t>(size, 9));
  // Every part but the defaults comes from the URL itself.
  if (partes.Host != "localhost") Exigir(url.find(partes.Host) != std::string_view::npos);
  Exigir(url.find(partes.Caminho.substr(1)) != std::string_view::npos);

  try {
    const int porta = PortaDaURL(partes);
    Exigir(porta >= 1 && porta <= 65535);
  } catch (const ENivraWinReqResp&) {
    // A port that is no port number is refused, never wrapped around.
  }
  const std::string host = ValorHost(partes);
  Exigir(host.find(partes.Host) != std::string::npos);
  return 0;
}
