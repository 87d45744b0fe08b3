// Reading a password from the environment or from the terminal without echo.
#include "app/linha_comando/senha_terminal.h"

#include <termios.h>
#include <unistd.h>

#include <cstdlib>
#include <iostream>

namespace nivra {

std::optional<std::string> LerSenhaDe(const char* variavel, const std::string& pergunta) {
  if (const char* ambiente = std::getenv(variavel)) return ambiente;
  if (::isatty(STDIN_FILENO) == 0) return std::nullopt;

  std::cerr << pergunta << std::flush;
  termios original{};
  const bool semEco = ::tcgetattr(STDIN_FILENO, &original) == 0;
  if (semEco) {
    termios oculto = original;
    oculto.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &oculto);
  }
  std::string senha;
  std::getline(std::cin, senha);
  if (semEco) ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &original);
  std::cerr << "\n";
  return senha;
}

std::string LerSenha(const std::string& pergunta) {
  return LerSenhaDe("NIVRA_SENHA", pergunta).value_or("");
}

}  // namespace nivra
