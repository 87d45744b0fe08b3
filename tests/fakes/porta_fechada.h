// A loopback port nothing listens on, for tests of connection failures.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace nivra {

// A loopback port nothing listens on (bound, then released).
inline int PortaFechada() {
  const int s = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in endereco{};
  endereco.sin_family = AF_INET;
  endereco.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t tamanho = sizeof endereco;
  const bool ok = s >= 0 && ::bind(s, reinterpret_cast<sockaddr*>(&endereco), tamanho) == 0 &&
                  ::getsockname(s, reinterpret_cast<sockaddr*>(&endereco), &tamanho) == 0;
  if (s >= 0) ::close(s);
  return ok ? ntohs(endereco.sin_port) : 1;
}

}  // namespace nivra
