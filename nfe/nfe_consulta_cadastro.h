// Querying a taxpayer's registration ("ConsCad").
#pragma once

#include <string>

#include "nivranfe/nfe/nfe_servico_retorno.h"

namespace nivra {

// Executar returns true when the answer's cStat is 111 (one registration found) or 112
// (several).
class TNFeConsultaCadastro : public TNFeServicoRetorno {
 public:
  explicit TNFeConsultaCadastro(TNivraNFe& AOwner);

  void Clear() override;

  // The UF queried; empty takes (and stores) the configured UF.
  const std::string& UF() const { return FUF; }
  void SetUF(const std::string& Valor) { FUF = Valor; }
  // The first non-empty of IE, CNPJ and CPF is sent, without the "." "/" "-" of its writing; a
  // CNPJ or CPF that is not valid, or none of the three, raises ENivraNFeException before
  // anything is sent.
  const std::string& IE() const { return FIE; }
  void SetIE(const std::string& Valor) { FIE = Valor; }
  const std::string& CNPJ() const { return FCNPJ; }
  void SetCNPJ(const std::string& Valor) { FCNPJ = Valor; }
  const std::string& CPF() const { return FCPF; }
  void SetCPF(const std::string& Valor) { FCPF = Valor; }

 protected:
  void DefinirURL() override;
  void DefinirServicoEAction() override;
  void DefinirDadosMsg() override;
  // The UF code of the request.
  std::string MontarUFSoap() override;
  bool TratarResposta() override;

 private:
  std::string FUF;
  std::string FIE;
  std::string FCNPJ;
  std::string FCPF;
};

}  // namespace nivra
