// The proxy of an HTTP request: the explicit settings, or the one the environment names.
#pragma once

#include <string>

namespace nivra {

// The proxy named by the environment, the Linux convention for the user's system proxy.
struct TProxyAmbiente {
  std::string Proxy;     // `https_proxy`, else `HTTPS_PROXY`, else `all_proxy`; empty = none
  std::string SemProxy;  // `no_proxy`, else `NO_PROXY`: hosts reached without the proxy
};

// Reads the environment at the moment of the call. Never throws except on allocation.
[[nodiscard]] TProxyAmbiente ProxyDoAmbiente();

// The proxy name handed to the HTTP library: the host, ":" and the port when the port is
// neither empty nor "0", else the host alone.
[[nodiscard]] std::string NomeProxy(const std::string& host, const std::string& porta);

}  // namespace nivra
