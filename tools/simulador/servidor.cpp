// The HTTPS server of sefaz-simulador.
#include "tools/simulador/servidor.h"

#include <httplib.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <exception>
#include <fstream>
#include <functional>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <thread>
#include <utility>
#include <vector>

#include "nivranfe/util/datahora.h"
#include "tools/simulador/respostas.h"
#include "tools/simulador/tls.h"

namespace nivra {

namespace {

constexpr const char* kTipoSoap = "application/soap+xml; charset=utf-8";
// Connections served at the same time (each holds a thread while it is open).
constexpr std::size_t kConexoesSimultaneas = 64;
// Connections the kernel may hold waiting for accept.
constexpr int kFilaDeConexoes = 128;

// The library listens with a queue of 5 connections; more clients arriving at once had their
// connection attempts dropped and retried a second later. Finds the socket listening on `porta`
// among the process's descriptors and lengthens its queue (listen may be called again).
void AlongarFila(int porta) {
  for (int fd = 0; fd < 1024; ++fd) {
    struct stat estado {};
    int ouvindo = 0;
    socklen_t tamanho = sizeof ouvindo;
    if (::fstat(fd, &estado) != 0 || !S_ISSOCK(estado.st_mode) ||
        ::getsockopt(fd, SOL_SOCKET, SO_ACCEPTCONN, &ouvindo, &tamanho) != 0 || ouvindo == 0)
      continue;
    sockaddr_in endereco{};
    socklen_t tamanhoEndereco = sizeof endereco;
    if (::getsockname(fd, reinterpret_cast<sockaddr*>(&endereco), &tamanhoEndereco) == 0 &&
        endereco.sin_family == AF_INET && ntohs(endereco.sin_port) == porta) {
      if (::listen(fd, kFilaDeConexoes) != 0)
        throw std::runtime_error("Não foi possível alongar a fila de conexões");
      return;
    }
  }
}

// The reason phrase of the status line.
std::string FraseDoStatus(int status) {
  switch (status) {
    case 200:
      return "OK";
    case 400:
      return "Bad Request";
    case 403:
      return "Forbidden";
    case 404:
      return "Not Found";
    case 500:
      return "Internal Server Error";
    case 503:
      return "Service Unavailable";
    default:
      return "Status " + std::to_string(status);
  }
}

// The body in two chunks of the chunked transfer coding, so a reader must join them.
std::vector<std::string> Pedacos(const std::string& corpo) {
  const size_t meio = corpo.size() / 2;
  std::vector<std::string> pedacos{corpo.substr(0, meio), corpo.substr(meio)};
  std::erase_if(pedacos, [](const std::string& p) { return p.empty(); });
  return pedacos;
}

// The whole final answer as bytes on the wire, written by hand for --continue-100 (the server
// library sends only one status line per request).
std::string RespostaBruta(const TResposta& r, bool chunked, bool fechar) {
  std::string texto =
      "HTTP/1.1 " + std::to_string(r.Status) + " " + FraseDoStatus(r.Status) + "\r\n";
  if (!r.Tipo.empty()) {
    texto += "Content-Type: " + r.Tipo + "\r\n";
  }
  if (fechar) {
    texto += "Connection: close\r\n";
  }
  if (!chunked) {
    return texto + "Content-Length: " + std::to_string(r.Corpo.size()) + "\r\n\r\n" + r.Corpo;
  }
  texto += "Transfer-Encoding: chunked\r\n\r\n";
  for (const std::string& pedaco : Pedacos(r.Corpo)) {
    char tamanho[20];
    std::snprintf(tamanho, sizeof tamanho, "%zx", pedaco.size());
    texto += std::string(tamanho) + "\r\n" + pedaco + "\r\n";
  }
  return texto + "0\r\n\r\n";
}

// Puts the answer into the library's response: with a length, chunked, or after an interim
// "100 Continue".
void Entregar(const TResposta& r, bool chunked, bool continue100, bool fechar,
              httplib::Response& resposta) {
  if (continue100) {
    // The library writes this as "HTTP/1.1 100 Continue" with its headers; a client skips an
    // interim answer's headers and reads the final answer, which is the body here.
    resposta.status = 100;
    resposta.body = RespostaBruta(r, chunked, fechar);
    return;
  }
  resposta.status = r.Status;
  if (!chunked) {
    if (!r.Tipo.empty()) {
      resposta.set_content(r.Corpo, r.Tipo.c_str());
    }
    return;
  }
  resposta.set_chunked_content_provider(
      r.Tipo, [pedacos = Pedacos(r.Corpo)](size_t, httplib::DataSink& destino) {
        for (const std::string& pedaco : pedacos) {
          if (!destino.write(pedaco.data(), pedaco.size())) {
            return false;
          }
        }
        destino.done();
        return true;
      });
}

// A hostile answer in chunks: the body a byte at a time `gotejarMs` apart (when > 0), then,
// `semFim`, blanks in 64 KiB pieces until the client goes away. `aguardar` waits between bytes
// and, given 0, tells whether the server goes on; the answer is cut when it stops.
void EntregarHostil(const TResposta& r, int gotejarMs, bool semFim,
                    const std::function<bool(int)>& aguardar, httplib::Response& resposta) {
  resposta.status = r.Status;
  resposta.set_chunked_content_provider(
      r.Tipo, [corpo = r.Corpo, gotejarMs, semFim, aguardar](size_t, httplib::DataSink& destino) {
        const size_t passo = gotejarMs > 0 ? 1 : corpo.size();
        for (size_t i = 0; i < corpo.size(); i += passo) {
          if (gotejarMs > 0 && !aguardar(gotejarMs)) return false;
          if (!destino.write(corpo.data() + i, std::min(passo, corpo.size() - i))) return false;
        }
        const std::string brancos(size_t{64} << 10, ' ');
        while (semFim) {
          if (!aguardar(0) || !destino.write(brancos.data(), brancos.size())) return false;
        }
        destino.done();
        return true;
      });
}

// The bytes of the file; throws std::runtime_error when it cannot be read.
std::string LerBytes(const std::string& arquivo) {
  std::ifstream entrada(arquivo, std::ios::binary);
  std::ostringstream bytes;
  if (!entrada || !(bytes << entrada.rdbuf())) {
    throw std::runtime_error("Não foi possível ler o arquivo de resposta \"" + arquivo + "\"");
  }
  return bytes.str();
}

// The names the server library adds to a request's headers by itself.
bool CabecalhoDaBiblioteca(const std::string& nome) {
  return nome == "REMOTE_ADDR" || nome == "REMOTE_PORT" || nome == "LOCAL_ADDR" ||
         nome == "LOCAL_PORT";
}

}  // namespace

TServidorSimulador::TServidorSimulador(const TOpcoesSimulador& opcoes)
    : FOpcoes(opcoes), FCenario(opcoes.Cenario), FServicos(FOpcoes) {
  if (!FOpcoes.Resposta.empty()) {
    FRespostaFixa = LerBytes(FOpcoes.Resposta);
  }
  if (!FOpcoes.Registro.empty()) {
    FRegistro = std::make_unique<TRegistro>(FOpcoes.Registro);
  }
  std::string erro;
  FServidor = std::make_unique<httplib::SSLServer>(
      [this, &erro](SSL_CTX& contexto) { return ConfigurarTLS(contexto, FOpcoes, erro); });
  if (!FServidor->is_valid()) {
    throw std::runtime_error(erro.empty() ? "Não foi possível criar o servidor TLS" : erro);
  }
  // Like an authoriser, it serves many clients at once: a slow answer (--atraso) for one does
  // not make the others queue behind the library's default of a few threads.
  FServidor->new_task_queue = [] { return new httplib::ThreadPool(kConexoesSimultaneas); };
  // The answer leaves at once, as a server's should: with Nagle's algorithm its last segment
  // would wait for the client's delayed acknowledgement (about 40 ms on Linux).
  FServidor->set_tcp_nodelay(true);
  if (FOpcoes.FecharConexao) {
    FServidor->set_keep_alive_max_count(1);
  }
  FServidor->Post(".*", [this](const httplib::Request& pedido, httplib::Response& resposta) {
    Atender(pedido, resposta);
  });
  FServidor->set_exception_handler(
      [](const httplib::Request&, httplib::Response& resposta, std::exception_ptr falha) {
        std::string motivo = "Erro interno do simulador";
        try {
          std::rethrow_exception(std::move(falha));
        } catch (const std::exception& e) {
          motivo = e.what();
        } catch (...) {
        }
        std::cerr << motivo << std::endl;
        const TResposta r = FalhaSoap("soap:Receiver", motivo);
        resposta.status = r.Status;
        resposta.set_content(r.Corpo, r.Tipo.c_str());
      });
}

TServidorSimulador::~TServidorSimulador() = default;

int TServidorSimulador::Vincular() {
  if (FOpcoes.Porta == 0) {
    const int porta = FServidor->bind_to_any_port("127.0.0.1");
    if (porta > 0) {
      AlongarFila(porta);
      return porta;
    }
  } else if (FServidor->bind_to_port("127.0.0.1", FOpcoes.Porta)) {
    AlongarFila(FOpcoes.Porta);
    return FOpcoes.Porta;
  }
  throw std::runtime_error("Não foi possível abrir a porta " + std::to_string(FOpcoes.Porta) +
                           " em 127.0.0.1");
}

bool TServidorSimulador::Servir() {
  const bool parado = FServidor->listen_after_bind();
  FServiu = true;
  return parado;
}

void TServidorSimulador::Parar() {
  // The library's stop() does nothing until the serving loop has begun: a stop that comes
  // earlier waits for the loop (or for Servir to have returned) instead of being lost.
  while (!FServidor->is_running() && !FServiu) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  {
    const std::lock_guard<std::mutex> trava(FTravaParada);
    FParando = true;
  }
  // The pool's threads are joined when the server stops: none may go on waiting.
  FParada.notify_all();
  FServidor->stop();
}

bool TServidorSimulador::Aguardar(int ms) {
  std::unique_lock<std::mutex> trava(FTravaParada);
  return !FParada.wait_for(trava, std::chrono::milliseconds(ms), [this] { return FParando; });
}

bool TServidorSimulador::EmExecucao() const { return FServidor->is_running(); }

void TServidorSimulador::Registrar(const httplib::Request& pedido) {
  TPedidoRegistrado registrado{pedido.method, pedido.target, pedido.version, {}, pedido.body};
  for (const auto& [nome, valor] : pedido.headers) {
    if (!CabecalhoDaBiblioteca(nome)) {
      registrado.Cabecalhos.emplace_back(nome, valor);
    }
  }
  FRegistro->Acrescentar(registrado);
}

void TServidorSimulador::Atender(const httplib::Request& pedido, httplib::Response& resposta) {
  if (FRegistro) {
    Registrar(pedido);
  }
  // The library hands the connection out as const; renegotiating changes its state.
  if (FOpcoes.Renegociar && !RenegociarPedindoCertificado(*const_cast<SSL*>(pedido.ssl))) {
    throw std::runtime_error("O cliente não apresentou certificado na renegociação");
  }
  if (FOpcoes.AtrasoMs > 0 && !Aguardar(FOpcoes.AtrasoMs)) {
    throw std::runtime_error("O simulador está parando");
  }
  TResposta r;
  if (!FOpcoes.Resposta.empty()) {
    r = {200, kTipoSoap, FRespostaFixa};
  } else if (FOpcoes.Falha != TFalhaSimulada::nenhuma) {
    r = RespostaDeFalha(FOpcoes.Falha);
  } else if (const TPedidoStatus status = LerPedidoStatus(pedido.body); status.Encontrado) {
    r = RespostaStatus(status, FCenario.Proximo(), FOpcoes.TMed, Agora(), FOpcoes.Envelope,
                       FOpcoes.Latin1);
  } else if (auto resposta = FServicos.Responder(pedido.body, Agora())) {
    r = std::move(*resposta);
  } else {
    r = FalhaSoap("soap:Sender", "O pedido não contém consStatServ");
  }
  if (FOpcoes.HttpStatus != 0) {
    r.Status = FOpcoes.HttpStatus;
  }
  if (FOpcoes.GotejarMs > 0 || FOpcoes.SemFim) {
    EntregarHostil(
        r, FOpcoes.GotejarMs, FOpcoes.SemFim, [this](int ms) { return Aguardar(ms); }, resposta);
    return;
  }
  const bool chunked = FOpcoes.Chunked || FOpcoes.Falha == TFalhaSimulada::soap500;
  Entregar(r, chunked, FOpcoes.Continue100, FOpcoes.FecharConexao, resposta);
}

}  // namespace nivra
