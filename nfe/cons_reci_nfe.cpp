// Writes the lot-result request.
#include "nivranfe/nfe/cons_reci_nfe.h"

namespace nivra {

void TConsReciNFe::Escrever() {
  auto& g = Gerador();
  AbrirRaiz("consReciNFe");
  g.wCampo(TkovTipoCampo::tcStr, "BP03", "tpAmb", 1, 1, 1, TipoAmbienteParaTexto(tpAmb),
           "Identificação do Ambiente");
  g.wCampo(TkovTipoCampo::tcStr, "BP04", "nRec", 15, 15, 1, nRec, "Número do Recibo");
  g.wGrupo("/consReciNFe");
}

}  // namespace nivra
