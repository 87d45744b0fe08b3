// The print job: `lp` started without a shell, the PDF on its standard input, its complaint
// kept from its standard error.
#include "nivranfe/impressao/fila_impressao.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "nivranfe/util/excecoes.h"
#include "nivranfe/util/texto.h"

extern char** environ;

namespace nivra {

namespace {

// A descriptor closed when it goes out of scope.
class TDescritor {
 public:
  explicit TDescritor(int Fd = -1) : FFd(Fd) {}
  TDescritor(const TDescritor&) = delete;
  TDescritor& operator=(const TDescritor&) = delete;
  ~TDescritor() { Fechar(); }
  int Fd() const { return FFd; }
  void Fechar() {
    if (FFd >= 0) ::close(FFd);
    FFd = -1;
  }

 private:
  int FFd;
};

[[noreturn]] void Falhar(const std::string& motivo) {
  throw ENivraDFeException("Não foi possível imprimir: " + motivo);
}

}  // namespace

void EnviarParaImpressora(const std::string& Pdf, const std::string& Impressora,
                          const std::string& Titulo) {
  // The PDF goes through a socket pair rather than a pipe: send() with MSG_NOSIGNAL fails
  // instead of raising SIGPIPE when the queue stops reading.
  int entrada[2];
  int erros[2];
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, entrada) != 0)
    Falhar(std::strerror(errno));
  TDescritor entradaLeitura(entrada[0]), entradaEscrita(entrada[1]);
  if (::pipe2(erros, O_CLOEXEC) != 0) Falhar(std::strerror(errno));
  TDescritor errosLeitura(erros[0]), errosEscrita(erros[1]);

  std::vector<std::string> argumentos{"lp", "-s"};
  if (!Impressora.empty()) argumentos.insert(argumentos.end(), {"-d", Impressora});
  argumentos.insert(argumentos.end(), {"-t", Titulo, "-"});
  std::vector<char*> argv;
  argv.reserve(argumentos.size() + 1);
  for (std::string& a : argumentos) argv.push_back(a.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t acoes;
  posix_spawn_file_actions_init(&acoes);
  posix_spawn_file_actions_adddup2(&acoes, entradaLeitura.Fd(), STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&acoes, errosEscrita.Fd(), STDERR_FILENO);
  pid_t pid = -1;
  const int erro = ::posix_spawnp(&pid, "lp", &acoes, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&acoes);
  if (erro == ENOENT) Falhar("comando lp (CUPS) não encontrado");
  if (erro != 0) Falhar(std::strerror(erro));
  entradaLeitura.Fechar();
  errosEscrita.Fechar();

  for (size_t escrito = 0; escrito < Pdf.size();) {
    const ssize_t n =
        ::send(entradaEscrita.Fd(), Pdf.data() + escrito, Pdf.size() - escrito, MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    escrito += static_cast<size_t>(n);
  }
  entradaEscrita.Fechar();

  std::string mensagem;
  char bloco[512];
  for (ssize_t n; (n = ::read(errosLeitura.Fd(), bloco, sizeof bloco)) != 0;) {
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) break;
    if (mensagem.size() < 4096) mensagem.append(bloco, static_cast<size_t>(n));
  }
  int estado = 0;
  while (::waitpid(pid, &estado, 0) < 0 && errno == EINTR) {
  }
  if (WIFEXITED(estado) && WEXITSTATUS(estado) == 0) return;
  throw ENivraDFeException("Falha ao imprimir" + (Impressora.empty() ? "" : " em " + Impressora) +
                           ": " +
                           (Aparar(mensagem).empty() ? "lp terminou com erro" : Aparar(mensagem)));
}

}  // namespace nivra
