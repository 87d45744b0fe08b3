// The lot-result request "consReciNFe".
#pragma once

#include <string>

#include "nfe/pedido_nfe.h"
#include "util/enumeracoes.h"

class TConsReciNFe : public TPedidoNFe {
 public:
  TkovTipoAmbiente tpAmb = TkovTipoAmbiente::taHomologacao;
  std::string nRec;

 protected:
  void Escrever() override;
};
