// Starting and waiting for programs with posix_spawn.
#include "bench/processo.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <stdexcept>

extern char** environ;

namespace nivra {

namespace {

// Starts the program with standard output on /dev/null and standard error on `erro` (another
// descriptor, or -1 for /dev/null).
pid_t Iniciar(const std::vector<std::string>& argumentos, const std::vector<std::string>& ambiente,
              int erro) {
  std::vector<std::string> textos(argumentos);
  std::vector<char*> argv;
  argv.reserve(textos.size() + 1);
  for (std::string& a : textos) argv.push_back(a.data());
  argv.push_back(nullptr);
  std::vector<std::string> variaveis(ambiente);
  std::vector<char*> envp;
  envp.reserve(variaveis.size() + 1);
  for (std::string& v : variaveis) envp.push_back(v.data());
  for (char** e = environ; *e != nullptr; ++e) envp.push_back(*e);
  envp.push_back(nullptr);

  posix_spawn_file_actions_t acoes;
  if (posix_spawn_file_actions_init(&acoes) != 0) throw std::runtime_error("posix_spawn falhou");
  posix_spawn_file_actions_addopen(&acoes, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  if (erro >= 0)
    posix_spawn_file_actions_adddup2(&acoes, erro, STDERR_FILENO);
  else
    posix_spawn_file_actions_addopen(&acoes, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t pid = -1;
  const int falha = posix_spawn(&pid, argv[0], &acoes, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&acoes);
  if (falha != 0) throw std::runtime_error("não foi possível executar " + argumentos[0]);
  return pid;
}

int Esperar(pid_t pid) {
  int estado = 0;
  while (::waitpid(pid, &estado, 0) < 0 && errno == EINTR) {
  }
  return WIFEXITED(estado) ? WEXITSTATUS(estado) : 128 + WTERMSIG(estado);
}

}  // namespace

int ExecutarProcesso(const std::vector<std::string>& argumentos,
                     const std::vector<std::string>& ambiente) {
  return Esperar(Iniciar(argumentos, ambiente, -1));
}

TProcessoAberto::TProcessoAberto(const std::vector<std::string>& argumentos,
                                 const std::vector<std::string>& ambiente) {
  int tubo[2];
  if (::pipe2(tubo, O_CLOEXEC) != 0) throw std::runtime_error("pipe falhou");
  try {
    FPid = Iniciar(argumentos, ambiente, tubo[1]);
  } catch (...) {
    ::close(tubo[0]);
    ::close(tubo[1]);
    throw;
  }
  ::close(tubo[1]);
  FErro = tubo[0];
}

TProcessoAberto::~TProcessoAberto() {
  ::kill(FPid, SIGTERM);
  (void)Esperar(FPid);
  ::close(FErro);
}

bool TProcessoAberto::EsperarErro(const std::string& trecho, int milissegundos) {
  const auto limite = std::chrono::steady_clock::now() + std::chrono::milliseconds(milissegundos);
  std::string linha;
  while (true) {
    const auto resta = std::chrono::duration_cast<std::chrono::milliseconds>(
                           limite - std::chrono::steady_clock::now())
                           .count();
    pollfd espera{FErro, POLLIN, 0};
    char c = 0;
    if (resta <= 0 || ::poll(&espera, 1, static_cast<int>(resta)) != 1 || ::read(FErro, &c, 1) != 1)
      return false;
    if (c != '\n') {
      linha += c;
    } else if (linha.find(trecho) != std::string::npos) {
      return true;
    } else {
      linha.clear();
    }
  }
}

}  // namespace nivra
