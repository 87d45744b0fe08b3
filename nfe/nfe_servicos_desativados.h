// The two national services the authorities retired on 02/05/2017: the recipient's document
// query ("consNFeDest") and the download ("downloadNFe"). The component's operations never
// run them (they report the retirement); the objects still build their requests.
#pragma once

#include <string>

#include "nivranfe/nfe/nfe_servico_retorno.h"

namespace nivra {

class TDownload;

// Executar returns true when the answer's cStat is 137 or 138.
class TNFeConsNFeDest : public TNFeServicoRetorno {
 public:
  explicit TNFeConsNFeDest(TNivraNFe& AOwner);

  void Clear() override;

  const std::string& CNPJ() const { return FCNPJ; }
  void SetCNPJ(const std::string& Valor) { FCNPJ = Valor; }
  // indNFe: 0 all, 1 without the recipient's acknowledgement, 2 not yet acknowledged.
  int indNFe() const { return FindNFe; }
  void SetindNFe(int Valor) { FindNFe = Valor; }
  // indEmi: 0 every issuer, 1 other companies only.
  int indEmi() const { return FindEmi; }
  void SetindEmi(int Valor) { FindEmi = Valor; }
  const std::string& ultNSU() const { return FultNSU; }
  void SetultNSU(const std::string& Valor) { FultNSU = Valor; }

 protected:
  void DefinirURL() override;
  void DefinirServicoEAction() override;
  void DefinirDadosMsg() override;
  bool TratarResposta() override;
  std::string MontarMsgErro(const std::exception& E) override;

 private:
  std::string FCNPJ;
  int FindNFe = 0;
  int FindEmi = 0;
  std::string FultNSU;
};

// Executar returns true when the answer's cStat is 139; documents answered with 140 are saved
// as key + "-nfe.xml" when Arquivos.Salvar is on.
class TNFeDownloadNFe : public TNFeServicoRetorno {
 public:
  // The request is the component's DownloadNFe, which must outlive this object.
  TNFeDownloadNFe(TNivraNFe& AOwner, TDownload& ADownload);

  void Clear() override;

  const std::string& CNPJ() const { return FCNPJ; }
  void SetCNPJ(const std::string& Valor) { FCNPJ = Valor; }

 protected:
  void DefinirURL() override;
  void DefinirServicoEAction() override;
  void DefinirDadosMsg() override;
  bool TratarResposta() override;
  std::string MontarMsgErro(const std::exception& E) override;

 private:
  TDownload& FDownload;
  std::string FCNPJ;
};

}  // namespace nivra
