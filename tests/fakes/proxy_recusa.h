// A proxy on the loopback address that answers every request with one fixed HTTP answer (a 407
// asking for credentials unless told otherwise) and closes the connection, for the tests of how
// a proxy's refusal is reported. Serves from its own thread until destroyed.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace nivra {

class TProxyRecusa {
 public:
  explicit TProxyRecusa(std::string resposta =
                            "HTTP/1.1 407 Proxy Authentication Required\r\n"
                            "Proxy-Authenticate: Basic realm=\"nivra\"\r\n"
                            "Content-Length: 0\r\n\r\n")
      : FResposta(std::move(resposta)) {
    FSocket = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in endereco{};
    endereco.sin_family = AF_INET;
    endereco.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t tamanho = sizeof(endereco);
    if (FSocket < 0 || ::bind(FSocket, reinterpret_cast<sockaddr*>(&endereco), tamanho) != 0 ||
        ::listen(FSocket, 8) != 0 ||
        ::getsockname(FSocket, reinterpret_cast<sockaddr*>(&endereco), &tamanho) != 0)
      throw std::runtime_error("proxy de teste não abriu a porta");
    FPorta = ntohs(endereco.sin_port);
    FServidor = std::thread([this] { Servir(); });
  }
  ~TProxyRecusa() {
    FParar = true;
    FServidor.join();
    ::close(FSocket);
  }
  TProxyRecusa(const TProxyRecusa&) = delete;
  TProxyRecusa& operator=(const TProxyRecusa&) = delete;

  int Porta() const { return FPorta; }
  // The head of each request received (up to the blank line), in order.
  std::vector<std::string> Pedidos() const {
    const std::lock_guard<std::mutex> trava(FMutex);
    return FPedidos;
  }

 private:
  void Servir() {
    while (!FParar) {
      pollfd espera{FSocket, POLLIN, 0};
      if (::poll(&espera, 1, 50) <= 0) continue;
      const int conexao = ::accept(FSocket, nullptr, nullptr);
      if (conexao < 0) continue;
      std::string pedido;
      char bloco[1024];
      while (pedido.find("\r\n\r\n") == std::string::npos) {
        pollfd leitura{conexao, POLLIN, 0};
        if (::poll(&leitura, 1, 2000) <= 0) break;
        const ssize_t lidos = ::recv(conexao, bloco, sizeof(bloco), 0);
        if (lidos <= 0) break;
        pedido.append(bloco, static_cast<std::size_t>(lidos));
      }
      {
        const std::lock_guard<std::mutex> trava(FMutex);
        FPedidos.push_back(pedido.substr(0, pedido.find("\r\n\r\n")));
      }
      (void)::send(conexao, FResposta.data(), FResposta.size(), MSG_NOSIGNAL);
      ::shutdown(conexao, SHUT_WR);
      ::close(conexao);
    }
  }

  std::string FResposta;
  int FSocket = -1;
  int FPorta = 0;
  std::atomic<bool> FParar{false};
  mutable std::mutex FMutex;
  std::vector<std::string> FPedidos;
  std::thread FServidor;
};

}  // namespace nivra
