// Process-wide user notice of the service pipeline.
#include "nfe/aviso_usuario.h"

#include <iostream>
#include <utility>

namespace {

TExibirAviso& AvisoAtual() {
  static TExibirAviso aviso;
  return aviso;
}

}  // namespace

void DefinirExibirAviso(TExibirAviso Exibir) { AvisoAtual() = std::move(Exibir); }

void ExibirAviso(const std::string& Mensagem) {
  if (AvisoAtual()) {
    AvisoAtual()(Mensagem);
    return;
  }
  std::cerr << Mensagem << std::endl;
}
