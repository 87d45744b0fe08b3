// sefaz-simulador: a local NF-e authoriser over HTTPS with client certificates, for tests,
// benchmarks and the demo. See docs/sefaz-simulador.md.
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <exception>
#include <iostream>
#include <thread>

#include "tools/simulador/opcoes.h"
#include "tools/simulador/servidor.h"

using namespace nivra;

namespace {

// The signals that end the server, and the one its thread raises when it stops by itself.
sigset_t SinaisDeParada() {
  sigset_t sinais;
  sigemptyset(&sinais);
  sigaddset(&sinais, SIGTERM);
  sigaddset(&sinais, SIGINT);
  sigaddset(&sinais, SIGUSR1);
  return sinais;
}

}  // namespace

int main(int argc, char** argv) {
  TOpcoesSimulador opcoes;
  try {
    opcoes = LerOpcoes(argc, argv);
  } catch (const EOpcaoInvalida& e) {
    std::cerr << "sefaz-simulador: " << e.what() << "\nUse --help para ver as opções.\n";
    return 2;
  }
  if (opcoes.Ajuda) {
    std::cout << TextoAjuda();
    return 0;
  }
  if (opcoes.Versao) {
    std::cout << TextoVersao() << "\n";
    return 0;
  }

  // Writing to a connection the client closed must fail the write, not end the process.
  signal(SIGPIPE, SIG_IGN);
  // Every thread blocks the stop signals; only the main thread takes them, with sigwait.
  const sigset_t sinais = SinaisDeParada();
  if (pthread_sigmask(SIG_BLOCK, &sinais, nullptr) != 0) {
    std::cerr << "sefaz-simulador: não foi possível bloquear os sinais\n";
    return 2;
  }
  try {
    TServidorSimulador servidor(opcoes);
    const int porta = servidor.Vincular();
    bool parouSozinho = false;
    std::atomic<bool> terminou{false};
    std::thread trabalho([&servidor, &parouSozinho, &terminou] {
      parouSozinho = !servidor.Servir();
      terminou = true;
      kill(getpid(), SIGUSR1);
    });
    // A stop asked before the server runs would be lost, and it would serve on: the line that
    // tells clients to come waits for it.
    while (!servidor.EmExecucao() && !terminou) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    std::cout << "ouvindo em https://127.0.0.1:" << porta << std::endl;
    int sinal = 0;
    while (sigwait(&sinais, &sinal) != 0) {
    }
    servidor.Parar();
    trabalho.join();
    if (sinal == SIGUSR1 && parouSozinho) {
      std::cerr << "sefaz-simulador: o servidor parou inesperadamente\n";
      return 2;
    }
    return 0;
  } catch (const std::exception& e) {
    std::cerr << "sefaz-simulador: " << e.what() << "\n";
    return 2;
  }
}
