// A password kept in memory only in scrambled form.
#include "nivranfe/security/senha_embaralhada.h"

#include "nivranfe/util/datahora.h"
#include "nivranfe/util/texto.h"

namespace nivra {

std::string TSenhaEmbaralhada::Texto() const { return EmbaralharComChave(FSenha, FK); }

bool TSenhaEmbaralhada::Definir(const std::string& valor) {
  if (!FK.empty() && EmbaralharComChave(valor, FK) == FSenha) return false;
  // The local time of day down to the millisecond: a key that differs from one change to the
  // next.
  FK = FormatarDataHora("hhnnsszzz", Agora());
  FSenha = EmbaralharComChave(valor, FK);
  return true;
}

}  // namespace nivra
