// The common frame of the command-line programs.
#include "app/linha_comando/programa.h"

#include <exception>
#include <iostream>

#include "app/linha_comando/argumentos.h"
#include "nivranfe/util/processo_seguro.h"

namespace nivra {

int ExecutarPrograma(const std::string& nome, int argc, char** argv,
                     const std::function<int(const std::vector<std::string>&)>& programa) {
  if (!ProtegerMemoriaDoProcesso())
    std::cerr << nome << ": não foi possível desligar o core dump\n";
  try {
    return programa(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const EOpcaoInvalida& erro) {
    std::cerr << nome << ": " << erro.what() << "\n";
    return kSaidaFalha;
  } catch (const std::exception& erro) {
    std::cerr << erro.what() << "\n";
    return kSaidaFalha;
  }
}

}  // namespace nivra
