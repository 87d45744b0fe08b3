// Sending a lot of documents ("enviNFe"), answered at once (synchronous) or with a receipt.
#pragma once

#include <string>

#include "nivranfe/nfe/nfe_servico_retorno.h"

namespace nivra {

// Executar returns, for an asynchronous lot, whether the lot was received (cStat 103, Recibo
// holds the receipt); for a synchronous one, whether the lot was processed (104) with a
// processed protocol, which is then attached to its document, or only received (103 with a
// receipt, which the container then polls).
class TNFeRecepcao : public TNFeServicoRetorno {
 public:
  explicit TNFeRecepcao(TNivraNFe& AOwner);

  void Clear() override;

  // The lot number; kept across requests.
  const std::string& Lote() const { return FLote; }
  void SetLote(const std::string& Valor) { FLote = Valor; }
  // The receipt of the last answer; cleared when a request is built.
  const std::string& Recibo() const { return FRecibo; }
  bool Sincrono() const { return FSincrono; }
  void SetSincrono(bool Valor) { FSincrono = Valor; }
  bool Zipado() const { return FZipado; }
  void SetZipado(bool Valor) { FZipado = Valor; }
  // Average processing time of the answer, in seconds.
  int32_t TMed() const { return FRetorno.tMed; }

 protected:
  void DefinirURL() override;
  // Adds the suffix "ZIP" (layout 4.00) or "LoteZip" to the action and sends in
  // "nfeDadosMsgZip" when Zipado.
  void DefinirServicoEAction() override;
  // The lot with the documents' signed NFe elements, gzip + Base64 when Zipado. Fails with
  // "Tamanho do XML de Dados superior a 500 Kbytes. Tamanho atual: N Kbytes" above 512000
  // characters.
  void DefinirDadosMsg() override;
  bool TratarResposta() override;
  // The lot; after a synchronous answer, its receipt when it has one.
  std::string ObterPrefixoArquivo() override;

 private:
  std::string FLote;
  std::string FRecibo;
  bool FSincrono = false;
  bool FZipado = false;
  bool FRespondido = false;
};

}  // namespace nivra
