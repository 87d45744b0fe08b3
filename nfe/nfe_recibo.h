// The lot-result services: Recibo asks once for the result of a receipt; Retorno (the
// TNFeRetRecepcao subclass) polls until the lot leaves processing and attaches the protocols.
#pragma once

#include <string>

#include "nivranfe/nfe/nfe_servico_retorno.h"

namespace nivra {

// Sends "consReciNFe" once. Executar returns true when the answer's cStat is 104 (lot
// processed); protocols are read but not attached.
class TNFeRecibo : public TNFeServicoRetorno {
 public:
  explicit TNFeRecibo(TNivraNFe& AOwner);

  void Clear() override;

  // The receipt to query; kept across requests.
  const std::string& Recibo() const { return FRecibo; }
  void SetRecibo(const std::string& Valor) { FRecibo = Valor; }
  const std::string& cMsg() const { return FRetorno.cMsg; }
  const std::string& xMsg() const { return FRetorno.xMsg; }

 protected:
  // Model, UF and start version of the first loaded document (else the configuration);
  // the authorisation layout when that model, version and UF use it. Throws
  // ENivraNFeException when the first document's tpAmb is not the configured one.
  void DefinirURL() override;
  void DefinirServicoEAction() override;
  void DefinirDadosMsg() override;
  bool TratarResposta() override;
  // The receipt.
  std::string ObterPrefixoArquivo() override;
  // True for the cStat the service counts as success.
  virtual bool Resultado() const { return FRetorno.cStat == 104; }

 private:
  std::string FRecibo;
};

// Polls the receipt: waits AguardarConsultaRet, then asks again every IntervaloTentativas (at
// least 1000 ms) while the lot is in processing (cStat 105), at most Tentativas more times.
// Executar returns true when the last answer is 104 and every loaded document got a
// processed protocol. The component's status is stNFeRetRecepcao for the whole polling.
class TNFeRetRecepcao : public TNFeRecibo {
 public:
  explicit TNFeRetRecepcao(TNivraNFe& AOwner);

  void Clear() override;
  // Throws as TDFeWebService::Executar, and ENivraNFeException for a digest that does not
  // match.
  bool Executar() override;

  // The key and protocol number of the last protocol of a processed lot; empty otherwise.
  const std::string& ChaveNFe() const { return FChaveNFe; }
  const std::string& Protocolo() const { return FProtocolo; }

 protected:
  bool Resultado() const override { return FRetorno.cStat == 105; }
  // Restores the settings but keeps the status, which Executar puts back to stIdle.
  void EncerrarServico() override { RestaurarConfiguracoes(); }

 private:
  std::string FChaveNFe;
  std::string FProtocolo;
};

}  // namespace nivra
