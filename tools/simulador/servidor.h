// The HTTPS server of sefaz-simulador: answers every POST as the status service of an
// authoriser, following the command-line options.
#pragma once

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>

#include "tools/simulador/cenario.h"
#include "tools/simulador/opcoes.h"
#include "tools/simulador/registro.h"
#include "tools/simulador/servicos.h"

namespace httplib {
class SSLServer;
struct Request;
struct Response;
}  // namespace httplib

namespace nivra {

class TServidorSimulador {
 public:
  // Loads the certificates, the --resposta file and opens the --registro file. Throws
  // std::runtime_error with a Portuguese message when any of them fails.
  explicit TServidorSimulador(const TOpcoesSimulador& opcoes);
  TServidorSimulador(const TServidorSimulador&) = delete;
  TServidorSimulador& operator=(const TServidorSimulador&) = delete;
  ~TServidorSimulador();

  // Binds 127.0.0.1 at --porta (a free port for 0) and starts listening; connections queue
  // from here on. Returns the port. Throws std::runtime_error when the port cannot be bound.
  int Vincular();

  // Serves the connections until Parar is called; each connection is handled on a pool
  // thread. Returns false when the server stopped for another reason.
  bool Servir();

  // Makes Servir return; safe to call from another thread, also before Servir has begun (it
  // then waits for Servir to start). Servir must be running or about to run. Answers still
  // waiting (--atraso, --gotejar) or endless (--sem-fim) end at once.
  void Parar();
  // Whether Servir is accepting connections.
  [[nodiscard]] bool EmExecucao() const;

 private:
  void Atender(const httplib::Request& pedido, httplib::Response& resposta);
  void Registrar(const httplib::Request& pedido);
  // Waits `ms` milliseconds; false, at once, when the server is stopping.
  bool Aguardar(int ms);

  const TOpcoesSimulador FOpcoes;
  std::string FRespostaFixa;
  TCenario FCenario;
  TServicosSimulados FServicos;
  std::unique_ptr<TRegistro> FRegistro;
  std::unique_ptr<httplib::SSLServer> FServidor;
  std::atomic<bool> FServiu{false};  // Servir has returned
  std::mutex FTravaParada;
  std::condition_variable FParada;
  bool FParando = false;  // Parar was called; guarded by FTravaParada
};

}  // namespace nivra
