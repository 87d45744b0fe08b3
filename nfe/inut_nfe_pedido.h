// The number-range voiding request "inutNFe" with its infInut Id.
#pragma once

#include <cstdint>
#include <string>

#include "nivranfe/nfe/pedido_nfe.h"
#include "nivranfe/util/enumeracoes.h"

namespace nivra {

class TInutNFePedido : public TPedidoNFe {
 public:
  // "ID" + cUF (2) + the year's last two digits + CNPJ + model (2) + series (3) + first and
  // last number (9 each), zero-padded: 43 characters for a CNPJ.
  std::string ID() const;

  TkovTipoAmbiente tpAmb = TkovTipoAmbiente::taHomologacao;
  int32_t cUF = 0;
  int32_t ano = 0;  // a year above 2000 is written without the 2000
  std::string CNPJ;
  int32_t modelo = 55;
  int32_t serie = 0;
  int32_t nNFIni = 0;
  int32_t nNFFin = 0;
  std::string xJust;

 protected:
  // Alerts "ID de inutilização inválido" for an Id shorter than 43 characters and "O numero
  // final não pode ser menor que o inicial"; the document is written all the same.
  void Escrever() override;

 private:
  int32_t AnoCurto() const { return ano > 2000 ? ano - 2000 : ano; }
};

}  // namespace nivra
