// The CSC administration request "admCscNFCe".
#pragma once

#include <cstdint>
#include <string>

#include "nivranfe/nfe/pedido_nfe.h"
#include "nivranfe/util/enumeracoes.h"

namespace nivra {

class TAdmCSCNFCe : public TPedidoNFe {
 public:
  TkovTipoAmbiente tpAmb = TkovTipoAmbiente::taHomologacao;
  std::string raizCNPJ;
  // 1 query, 2 new CSC, 3 revoke.
  int32_t indOP = 1;
  // Only for revoking (indOP 3): the CSC's id and code.
  int32_t idCsc = 0;
  std::string codigoCsc;

 protected:
  void Escrever() override;
};

}  // namespace nivra
