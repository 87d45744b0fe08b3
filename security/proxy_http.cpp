// Proxy name and the environment's proxy variables.
#include "nivranfe/security/proxy_http.h"

#include <initializer_list>

#include "nivranfe/util/arquivos.h"

namespace nivra {

namespace {

// The first of the variables that is set and not empty.
std::string PrimeiraVariavel(std::initializer_list<const char*> nomes) {
  for (const char* nome : nomes) {
    if (std::string valor = VariavelAmbiente(nome); !valor.empty()) return valor;
  }
  return "";
}

}  // namespace

TProxyAmbiente ProxyDoAmbiente() {
  return {PrimeiraVariavel({"https_proxy", "HTTPS_PROXY", "all_proxy"}),
          PrimeiraVariavel({"no_proxy", "NO_PROXY"})};
}

std::string NomeProxy(const std::string& host, const std::string& porta) {
  if (porta.empty() || porta == "0") return host;
  return host + ":" + porta;
}

}  // namespace nivra
