// Running another program for a benchmark: started with its own arguments and environment
// additions, waited for, its exit status returned.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace nivra {

// Runs argumentos[0] with the arguments that follow and the environment plus `ambiente`
// ("NOME=valor"), standard output and error thrown away; returns its exit status (128 + the
// signal when one ended it). Throws std::runtime_error when it cannot be started.
int ExecutarProcesso(const std::vector<std::string>& argumentos,
                     const std::vector<std::string>& ambiente = {});

// A program left running: started like ExecutarProcesso but with its standard error readable
// through LinhaDeErro; stopped with SIGTERM and waited for when the object goes away.
class TProcessoAberto {
 public:
  TProcessoAberto(const std::vector<std::string>& argumentos,
                  const std::vector<std::string>& ambiente);
  TProcessoAberto(const TProcessoAberto&) = delete;
  TProcessoAberto& operator=(const TProcessoAberto&) = delete;
  ~TProcessoAberto();

  pid_t Pid() const { return FPid; }
  // Waits up to `milissegundos` for a line of standard error that contains `trecho`; returns
  // whether one came.
  bool EsperarErro(const std::string& trecho, int milissegundos);

 private:
  pid_t FPid = -1;
  int FErro = -1;
};

}  // namespace nivra
