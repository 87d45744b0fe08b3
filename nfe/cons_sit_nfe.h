// The document-situation request "consSitNFe".
#pragma once

#include <string>

#include "nfe/pedido_nfe.h"
#include "util/enumeracoes.h"

class TConsSitNFe : public TPedidoNFe {
 public:
  TkovTipoAmbiente tpAmb = TkovTipoAmbiente::taHomologacao;
  std::string chNFe;

 protected:
  void Escrever() override;
};
