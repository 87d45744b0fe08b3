// Sending a batch of events ("envEvento", each event signed on its own).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "nivranfe/nfe/nfe_servico_retorno.h"

namespace nivra {

class TEventoNFe;

// Executar returns true when the batch was processed (cStat 128) and every event of it was
// registered (its own cStat 135, 136 or 155); otherwise Msg holds the batch's xMotivo, or one
// line per event not registered with its code and reason. Events with a detail that cannot be
// sent (ErroDoEvento) or with alerts of the generator are refused before signing, through
// GerarException. Every event answered with
// cStat 135, 136 or 155 gets a procEventoNFe document, saved with Arquivos.Salvar on as the
// Id's digits + "-procEventoNFe.xml" in GetPathEvento. The answer of each event is copied
// into the component's batch.
class TNFeEnvEvento : public TNFeServicoRetorno {
 public:
  // The batch is the component's EventoNFe, which must outlive this object.
  TNFeEnvEvento(TNivraNFe& AOwner, TEventoNFe& AEvento);

  void Clear() override;

  int64_t idLote() const { return FidLote; }
  void SetidLote(int64_t Valor) { FidLote = Valor; }
  TEventoNFe& Evento() { return FEvento; }
  // The issuer CNPJ of the first event; it names the folder of the saved files.
  const std::string& CNPJ() const { return FCNPJ; }
  // The procEventoNFe documents built from the last answer, in the order of the answer.
  const std::vector<std::string>& ProcEventos() const { return FProcEventos; }

 protected:
  // Model from the first event's key; "AN" with the national layout for national events,
  // else the contingency authoriser or the key's UF; the first event's environment.
  void DefinirURL() override;
  void DefinirServicoEAction() override;
  // Builds the batch, signs each event, validates the batch against the event schema (when
  // the schema folder has one; the message goes to Msg and fails the request) and copies the
  // events' Ids back into the component's batch.
  void DefinirDadosMsg() override;
  bool TratarResposta() override;
  // The lot number.
  std::string ObterPrefixoArquivo() override { return std::to_string(FidLote); }
  // GetPathEvento of the first event's type and CNPJ.
  std::string PastaArquivos() override;

 private:
  TEventoNFe& FEvento;
  int64_t FidLote = 0;
  std::string FCNPJ;
  std::vector<std::string> FEventosAssinados;
  std::vector<std::string> FProcEventos;
};

}  // namespace nivra
