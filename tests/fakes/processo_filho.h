// A helper process of a test (the local authoriser, the SMTP server): started with its standard
// output on a pipe, its first line read as its word that it is ready, stopped and reaped when
// the object goes away; it also dies with the test process, even when that one crashes.
#pragma once

#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace nivra {

class TProcessoFilho {
 public:
  // Runs argumentos[0] (a path) with the others as its arguments and reads its first line, for
  // up to 10 s. Throws std::runtime_error when the pipe or the fork fails.
  explicit TProcessoFilho(std::vector<std::string> argumentos) {
    int saida[2];
    if (::pipe(saida) != 0) throw std::runtime_error("pipe falhou");
    FPid = ::fork();
    if (FPid < 0) throw std::runtime_error("fork falhou");
    if (FPid == 0) {
      ::prctl(PR_SET_PDEATHSIG, SIGTERM);
      ::dup2(saida[1], STDOUT_FILENO);
      ::close(saida[0]);
      ::close(saida[1]);
      std::vector<char*> argv;
      for (std::string& a : argumentos) argv.push_back(a.data());
      argv.push_back(nullptr);
      ::execv(argv[0], argv.data());
      ::_exit(127);
    }
    ::close(saida[1]);
    pollfd espera{saida[0], POLLIN, 0};
    char c = 0;
    while (::poll(&espera, 1, 10000) == 1 && ::read(saida[0], &c, 1) == 1 && c != '\n')
      FPrimeiraLinha += c;
    ::close(saida[0]);
  }
  TProcessoFilho(const TProcessoFilho&) = delete;
  TProcessoFilho& operator=(const TProcessoFilho&) = delete;
  ~TProcessoFilho() { Parar(); }

  // The first line the process wrote, without its "\n": what came before it closed its output
  // or 10 s passed.
  const std::string& PrimeiraLinha() const { return FPrimeiraLinha; }

  // Sends sinal, waits for the process and returns its exit status (128 + signal when a signal
  // ended it). A process still running 10 s later is killed (status 128 + SIGKILL), so one
  // that does not stop fails the test instead of hanging it. Later calls return the same
  // status.
  int Parar(int sinal = SIGTERM) {
    if (FPid > 0) {
      ::kill(FPid, sinal);
      int estado = 0;
      for (int espera = 0; ::waitpid(FPid, &estado, WNOHANG) == 0; ++espera) {
        if (espera == 1000) ::kill(FPid, SIGKILL);
        ::usleep(10000);
      }
      FSaida = WIFEXITED(estado) ? WEXITSTATUS(estado) : 128 + WTERMSIG(estado);
      FPid = -1;
    }
    return FSaida;
  }

 private:
  pid_t FPid = -1;
  int FSaida = -1;
  std::string FPrimeiraLinha;
};

}  // namespace nivra
