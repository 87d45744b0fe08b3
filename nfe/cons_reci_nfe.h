// The lot-result request "consReciNFe".
#pragma once

#include <string>

#include "nivranfe/nfe/pedido_nfe.h"
#include "nivranfe/util/enumeracoes.h"

namespace nivra {

class TConsReciNFe : public TPedidoNFe {
 public:
  TkovTipoAmbiente tpAmb = TkovTipoAmbiente::taHomologacao;
  std::string nRec;

 protected:
  void Escrever() override;
};

}  // namespace nivra
