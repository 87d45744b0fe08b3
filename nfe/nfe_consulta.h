// Querying the situation of one document by its access key ("consSitNFe").
#pragma once

#include <string>

#include "nivranfe/nfe/nfe_servico_retorno.h"

namespace nivra {

// Executar returns true when the answer's cStat is in the processed or the cancelled set. The
// protocol is attached to the loaded document with the key; the events of the answer are
// kept in RetNFeDFe. With Geral.AtualizarXMLCancelado on, a cancelled document takes the
// cancellation into its protocol and its file is rewritten.
class TNFeConsulta : public TNFeServicoRetorno {
 public:
  explicit TNFeConsulta(TNivraNFe& AOwner);

  void Clear() override;

  const std::string& NFeChave() const { return FNFeChave; }
  // Stores the letters and digits of the value (without the "NFe" of an infNFe Id) when they are
  // the access key of an NF-e or NFC-e (ChaveNFeValida: right check digit, a known UF, model 55
  // or 65); throws ENivraNFeException "Chave \"<value>\" inválida." otherwise. The same value
  // does nothing.
  void SetNFeChave(const std::string& Valor);
  // The protocol number of the answer (authorisation, else cancellation).
  const std::string& Protocolo() const { return FProtocolo; }
  // The events of the answer (procEventoNFe elements), one after the other; empty when none.
  const std::string& RetNFeDFe() const { return FRetNFeDFe; }

 protected:
  // Model and UF from the key, contingency authoriser by FormaEmissao, environment of the
  // first loaded document (else the configured one). Throws ENivraNFeException "Chave \"\"
  // inválida." when no key was set.
  void DefinirURL() override;
  void DefinirServicoEAction() override;
  void DefinirDadosMsg() override;
  // The key's UF code instead of the configured one.
  std::string MontarUFSoap() override;
  bool TratarResposta() override;
  // The key.
  std::string ObterPrefixoArquivo() override { return FNFeChave; }

 private:
  // Gives the loaded document with the key the situation of the answer (cStat, xMotivo) and
  // the number and time of its cancellation, inside its protocol, and writes it again: to its
  // own file when it has one, else as key + "-nfe.xml" in GetPathNFe. Nothing happens when the
  // document is not loaded or the answer names no registered cancellation.
  void AtualizarCancelada();

  std::string FNFeChave;
  std::string FProtocolo;
  std::string FRetNFeDFe;
};

}  // namespace nivra
