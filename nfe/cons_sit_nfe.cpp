// Writes the document-situation request.
#include "nivranfe/nfe/cons_sit_nfe.h"

namespace nivra {

void TConsSitNFe::Escrever() {
  auto& g = Gerador();
  AbrirRaiz("consSitNFe");
  g.wCampo(TkovTipoCampo::tcStr, "EP03", "tpAmb", 1, 1, 1, TipoAmbienteParaTexto(tpAmb),
           "Identificação do Ambiente");
  g.wCampo(TkovTipoCampo::tcStr, "EP04", "xServ", 9, 9, 1, std::string("CONSULTAR"),
           "Descrição do serviço");
  g.wCampo(TkovTipoCampo::tcStr, "EP05", "chNFe", 44, 44, 1, chNFe, "Chave de Acesso");
  g.wGrupo("/consSitNFe");
}

}  // namespace nivra
