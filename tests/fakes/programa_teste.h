// Runs a built command-line program as a process, the way a shell script would, and keeps what
// it wrote and its exit status.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/fakes/pasta_temporaria.h"

namespace nivra {

struct TExecucao {
  int Saida = -1;     // the exit status; -1 when the program did not exit normally
  std::string Texto;  // standard output
  std::string Erros;  // standard error

  std::string PrimeiraLinha() const { return Texto.substr(0, Texto.find('\n')); }
};

// Runs `programa` with `argumentos`, NIVRA_SENHA=senha and standard input from /dev/null;
// standard error passes through the file `arquivoErros`. Arguments are quoted for the shell
// and must not hold a single quote.
inline TExecucao RodarPrograma(const std::string& programa,
                               const std::vector<std::string>& argumentos, const std::string& senha,
                               const std::string& arquivoErros) {
  const auto citar = [](const std::string& texto) { return "'" + texto + "'"; };
  std::string comando = "NIVRA_SENHA=" + citar(senha) + " " + citar(programa);
  for (const std::string& argumento : argumentos) comando += " " + citar(argumento);
  comando += " 2>" + citar(arquivoErros) + " </dev/null";
  TExecucao e;
  FILE* saida = ::popen(comando.c_str(), "r");
  if (saida == nullptr) return e;
  char bloco[4096];
  for (size_t lidos; (lidos = std::fread(bloco, 1, sizeof bloco, saida)) > 0;)
    e.Texto.append(bloco, lidos);
  const int estado = ::pclose(saida);
  e.Saida = WIFEXITED(estado) ? WEXITSTATUS(estado) : -1;
  e.Erros = TPastaTemporaria::Ler(arquivoErros);
  return e;
}

}  // namespace nivra
