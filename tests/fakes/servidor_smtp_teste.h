// A real SMTP server (aiosmtpd, tests/dfe/servidor_smtp.py) on a free loopback port for a test:
// TLS with the test PKI's server certificate, login required, every message it accepts saved
// in a temporary folder. Stopped and reaped when the object goes away.
#pragma once

#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/fakes/pasta_temporaria.h"
#include "tests/fakes/pki_teste.h"

#ifndef NIVRA_SOURCE_DIR
#error "NIVRA_SOURCE_DIR must name the source tree (the server script lives there)"
#endif

class TServidorSMTPTeste {
 public:
  static constexpr const char* Usuario = "loja@exemplo.com.br";
  static constexpr const char* Senha = "Qx7-senha-do-correio";

  // Starts the server; `ssl` chooses TLS from the start instead of STARTTLS. `recusados` are
  // recipients it refuses. Throws std::runtime_error when it does not say it listens in 10 s.
  explicit TServidorSMTPTeste(bool ssl = false, const std::vector<std::string>& recusados = {}) {
    const std::string pki = PastaPKITeste();
    std::vector<std::string> argumentos{
        "/usr/bin/python3", std::string(NIVRA_SOURCE_DIR) + "/tests/dfe/servidor_smtp.py",
        "--pasta",          FPasta.Caminho(),
        "--cert",           pki + "servidor.pem",
        "--chave",          pki + "servidor.key",
        "--modo",           ssl ? "ssl" : "starttls",
        "--usuario",        Usuario,
        "--senha",          Senha};
    for (const std::string& r : recusados) {
      argumentos.push_back("--recusar");
      argumentos.push_back(r);
    }
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
    std::string linha;
    pollfd espera{saida[0], POLLIN, 0};
    char c = 0;
    while (::poll(&espera, 1, 10000) == 1 && ::read(saida[0], &c, 1) == 1 && c != '\n') linha += c;
    ::close(saida[0]);
    if (!linha.starts_with("ouvindo em ")) {
      Parar();
      throw std::runtime_error("servidor SMTP não iniciou: \"" + linha + "\"");
    }
    FPorta = std::stoi(linha.substr(11));
  }
  TServidorSMTPTeste(const TServidorSMTPTeste&) = delete;
  TServidorSMTPTeste& operator=(const TServidorSMTPTeste&) = delete;
  ~TServidorSMTPTeste() { Parar(); }

  int Porta() const { return FPorta; }

  // The bytes of the n-th message accepted (from 1), as received after DATA.
  std::string Bruta(int n) const {
    return TPastaTemporaria::Ler(FPasta.Caminho() + std::to_string(n) + ".eml");
  }
  // What the server read from it (see the script); throws when there is no such message.
  nlohmann::json Recebida(int n) const {
    return nlohmann::json::parse(
        TPastaTemporaria::Ler(FPasta.Caminho() + std::to_string(n) + ".json"));
  }

 private:
  void Parar() {
    if (FPid <= 0) return;
    ::kill(FPid, SIGTERM);
    int estado = 0;
    for (int espera = 0; ::waitpid(FPid, &estado, WNOHANG) == 0; ++espera) {
      if (espera == 1000) ::kill(FPid, SIGKILL);
      ::usleep(10000);
    }
    FPid = -1;
  }

  TPastaTemporaria FPasta;
  pid_t FPid = -1;
  int FPorta = 0;
};
