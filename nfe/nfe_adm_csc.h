// Administering the CSC of NFC-e ("admCscNFCe").
#pragma once

#include <cstdint>
#include <string>

#include "nivranfe/nfe/nfe_servico_retorno.h"

namespace nivra {

// Executar returns true when the answer's cStat is 150 to 153.
class TAdministrarCSCNFCe : public TNFeServicoRetorno {
 public:
  explicit TAdministrarCSCNFCe(TNivraNFe& AOwner);

  void Clear() override;

  // The first 8 characters of the CNPJ (digits or upper-case letters), checked before the
  // request is sent (ENivraNFeException naming it).
  const std::string& RaizCNPJ() const { return FRaizCNPJ; }
  void SetRaizCNPJ(const std::string& Valor) { FRaizCNPJ = Valor; }
  int32_t indOp() const { return FindOp; }
  void SetindOp(int32_t Valor) { FindOp = Valor; }
  int32_t IdCSC() const { return FIdCSC; }
  void SetIdCSC(int32_t Valor) { FIdCSC = Valor; }
  const std::string& CodigoCSC() const { return FCodigoCSC; }
  void SetCodigoCSC(const std::string& Valor) { FCodigoCSC = Valor; }

 protected:
  void DefinirServicoEAction() override;
  void DefinirDadosMsg() override;
  bool TratarResposta() override;
  std::string MontarMsgErro(const std::exception& E) override;

 private:
  std::string FRaizCNPJ;
  int32_t FindOp = 1;
  int32_t FIdCSC = 0;
  std::string FCodigoCSC;
};

}  // namespace nivra
