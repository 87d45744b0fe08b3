// The registration request "ConsCad".
#pragma once

#include <string>

#include "nivranfe/nfe/pedido_nfe.h"

namespace nivra {

class TConsCad : public TPedidoNFe {
 public:
  std::string UF;
  // The first non-empty of IE, CNPJ, CPF is sent.
  std::string IE;
  std::string CNPJ;
  std::string CPF;

 protected:
  void Escrever() override;
};

}  // namespace nivra
