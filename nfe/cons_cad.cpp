// Writes the registration request.
#include "nivranfe/nfe/cons_cad.h"

namespace nivra {

void TConsCad::Escrever() {
  auto& g = Gerador();
  AbrirRaiz("ConsCad");
  g.wGrupo("infCons");
  g.wCampo(TkovTipoCampo::tcStr, "GP04", "xServ", 8, 8, 1, std::string("CONS-CAD"),
           "Serviço Solicitado");
  g.wCampo(TkovTipoCampo::tcStr, "GP05", "UF", 2, 2, 1, UF, "Sigla da UF consultada");
  if (!IE.empty())
    g.wCampo(TkovTipoCampo::tcStr, "GP06", "IE", 2, 14, 1, IE, "Inscrição Estadual");
  else if (!CNPJ.empty())
    g.wCampo(TkovTipoCampo::tcStr, "GP07", "CNPJ", 14, 14, 1, CNPJ, "CNPJ");
  else
    g.wCampo(TkovTipoCampo::tcStr, "GP08", "CPF", 11, 11, 1, CPF, "CPF");
  g.wGrupo("/infCons");
  g.wGrupo("/ConsCad");
}

}  // namespace nivra
