// The distribution request "distDFeInt": by last NSU, by one NSU or by access key.
#pragma once

#include <cstdint>
#include <string>

#include "nivranfe/nfe/pedido_nfe.h"
#include "nivranfe/util/enumeracoes.h"

namespace nivra {

class TDistDFeInt : public TPedidoNFe {
 public:
  TkovTipoAmbiente tpAmb = TkovTipoAmbiente::taHomologacao;
  int32_t cUFAutor = 0;
  // 14 digits make a CNPJ, else a CPF.
  std::string CNPJCPF;
  // Exactly one is used: NSU, else chNFe, else ultNSU (empty means "0").
  std::string ultNSU;
  std::string NSU;
  std::string chNFe;

 protected:
  void Escrever() override;
};

}  // namespace nivra
