// The event batch "envEvento": up to 20 events about documents, each with its infEvento Id.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "nivranfe/dfe/documentos_nfe.h"
#include "nivranfe/nfe/pedido_nfe.h"

namespace nivra {

// The six-digit code of the event type ("110111" for a cancellation) and its description as
// written in descEvento. Throws ENivraNFeException "Tipo de evento não suportado" for a type
// that is no NF-e event.
[[nodiscard]] std::string CodigoTipoEvento(TkovTpEvento Tipo);
[[nodiscard]] std::string DescricaoTipoEvento(TkovTpEvento Tipo);
// The event type of a six-digit code; nullopt for a code that is no NF-e event.
[[nodiscard]] std::optional<TkovTpEvento> TipoEventoDoCodigo(const std::string& Codigo);
// True for the events the national environment receives (every type but the correction
// letter, the cancellation and the four extension requests).
[[nodiscard]] bool EventoNacional(TkovTpEvento Tipo);
// Why the event cannot be sent as it is, checked before it is signed: a key that is not of key
// form; for a cancellation a protocol that is not 15 digits; a justification (cancellation,
// operation not performed) or correction text whose trimmed length, in characters, lies outside
// 15 to 255 (1000 for a correction). Empty when it can be sent. Never throws.
[[nodiscard]] std::string ErroDoEvento(const TInfEventoNFe& Evento);
// "ID" + the type's code + the key + the sequence number (2 digits).
[[nodiscard]] std::string IdEvento(const TInfEventoNFe& Evento);

class TEnvEventoPedido : public TPedidoNFe {
 public:
  int64_t idLote = 0;
  std::vector<TInfEventoNFe> Evento;

 protected:
  // Writes the batch; each event's Id is stored in its item.
  void Escrever() override;

 private:
  void EscreverEvento(TInfEventoNFe& Evento);
};

}  // namespace nivra
