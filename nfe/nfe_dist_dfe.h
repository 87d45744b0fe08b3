// The national distribution of documents ("distDFeInt").
#pragma once

#include <cstdint>
#include <string>

#include "nivranfe/nfe/nfe_servico_retorno.h"

namespace nivra {

// Executar returns true when the answer's cStat is 137 (nothing found) or 138 (documents
// found). With Arquivos.Salvar on, each document received is saved: summaries
// ("-resNFe.xml") and full documents ("-nfe.xml") in GetPathDownload, event summaries
// ("-resEventoNFe.xml") and processed events ("-procEventoNFe.xml") in GetPathEvento, the
// events only when SalvarEvento is on too. Before anything is sent, the CNPJ or CPF, the NSU and
// the key are checked (ENivraNFeException naming the value); the distribution's layout (1.01)
// takes only a numeric CNPJ and key. A document whose key, event type or sequence number
// is not of its field's form is not saved (a log line says why). Documents that could not be
// unzipped (damaged, or past the size limits of TRetornoNFe) are logged and make Executar return
// false, Msg being "Documentos recusados:" with one line each (the others are saved).
class TDistribuicaoDFe : public TNFeServicoRetorno {
 public:
  explicit TDistribuicaoDFe(TNivraNFe& AOwner);

  void Clear() override;

  int32_t cUFAutor() const { return FcUFAutor; }
  void SetcUFAutor(int32_t Valor) { FcUFAutor = Valor; }
  const std::string& CNPJCPF() const { return FCNPJCPF; }
  void SetCNPJCPF(const std::string& Valor) { FCNPJCPF = Valor; }
  const std::string& ultNSU() const { return FultNSU; }
  void SetultNSU(const std::string& Valor) { FultNSU = Valor; }
  const std::string& NSU() const { return FNSU; }
  void SetNSU(const std::string& Valor) { FNSU = Valor; }
  const std::string& chNFe() const { return FchNFe; }
  void SetchNFe(const std::string& Valor) { FchNFe = Valor; }

 protected:
  void DefinirURL() override;
  void DefinirServicoEAction() override;
  void DefinirDadosMsg() override;
  bool TratarResposta() override;
  std::string MontarMsgErro(const std::exception& E) override;

 private:
  void SalvarDocumento(const TDocZipRetorno& Documento);
  void ValidarPedido() const;
  // Returns NoPadrao; when false, logs that the document is not saved for the field's value.
  bool NomeNoPadrao(const TDocZipRetorno& Documento, const std::string& Campo,
                    const std::string& Valor, bool NoPadrao);

  int32_t FcUFAutor = 0;
  std::string FCNPJCPF;
  std::string FultNSU;
  std::string FNSU;
  std::string FchNFe;
};

}  // namespace nivra
