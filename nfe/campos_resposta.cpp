// Patterns of the answer's fields that name saved files.
#include "nivranfe/nfe/campos_resposta.h"

#include <algorithm>

#include "nivranfe/util/excecoes.h"

namespace nivra {

namespace {

bool Digitos(std::string_view texto) {
  return std::all_of(texto.begin(), texto.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

bool TipoEventoNoPadrao(std::string_view Tipo) { return Tipo.size() == 6 && Digitos(Tipo); }

bool SequenciaEventoNoPadrao(std::string_view Sequencia) {
  return !Sequencia.empty() && Sequencia.size() <= 2 && Sequencia[0] != '0' && Digitos(Sequencia);
}

bool ProtocoloNoPadrao(std::string_view Protocolo) {
  return Protocolo.size() == 15 && Digitos(Protocolo);
}

}  // namespace nivra
