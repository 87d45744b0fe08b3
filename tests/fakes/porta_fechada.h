// A loopback port where nothing listens, for the failures of a server that cannot be reached.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

// A port the system just gave and took back: nothing listens there.
inline int PortaFechada() {
  const int s = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in endereco{};
  endereco.sin_family = AF_INET;
  endereco.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t tamanho = sizeof endereco;
  ::bind(s, reinterpret_cast<sockaddr*>(&endereco), sizeof endereco);
  ::getsockname(s, reinterpret_cast<sockaddr*>(&endereco), &tamanho);
  ::close(s);
  return ntohs(endereco.sin_port);
}
