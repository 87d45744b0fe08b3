// The document-situation request "consSitNFe".
#pragma once

#include <string>

#include "nivranfe/nfe/pedido_nfe.h"
#include "nivranfe/util/enumeracoes.h"

namespace nivra {

class TConsSitNFe : public TPedidoNFe {
 public:
  TkovTipoAmbiente tpAmb = TkovTipoAmbiente::taHomologacao;
  std::string chNFe;

 protected:
  void Escrever() override;
};

}  // namespace nivra
