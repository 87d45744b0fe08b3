// The NF-e event documents of the model (cancellation, correction letter, the recipient's
// manifestations and the IBS and CBS events): the event's Id, its XML, and reading an evento
// or a procEventoNFe back.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "nivranfe/documento/leiaute_evento_gerado.h"
#include "nivranfe/documento/xml_documento.h"

namespace nivra {

// The Id of an event: "ID" + tpEvento + chNFe + nSeqEvento on two digits. Throws
// ENivraDFeException when tpEvento is not six digits, chNFe is not a valid NF-e or NFC-e access
// key (its check digit included; the issuer's CNPJ may be alphanumeric) or nSeqEvento is not a
// number from 1 to 99.
[[nodiscard]] std::string IdEvento(const nfe::evento::TinfEvento& infEvento);

// Fills infEvento's Id (IdEvento) and returns it; throws as IdEvento does.
std::string ComporIdEvento(nfe::evento::Tevento& evento);

// Writes the evento element (with its namespace) through the XML generator. Never throws for
// content: every problem is an alert, a detEvento that is not the one of tpEvento and an Id that
// is not the one of its fields included.
[[nodiscard]] TXMLGeradoNFe GerarXMLEvento(const nfe::evento::Tevento& evento);
// Writes a retEvento element, or a procEventoNFe (the event with its answer), the same way.
[[nodiscard]] TXMLGeradoNFe GerarXMLRetEvento(const nfe::evento::TretEvento& retorno);
[[nodiscard]] TXMLGeradoNFe GerarXMLProcEventoNFe(const nfe::evento::TprocEventoNFe& processado);

// An event read back: the model, its answer when it came in a procEventoNFe, the original bytes
// (the source of truth for signature checks and sending) and what was skipped.
struct TEventoLido {
  nfe::evento::Tevento evento;
  std::optional<nfe::evento::TretEvento> retEvento;
  std::string XMLOriginal;
  std::vector<std::string> Avisos;
};

// True when the text is XML holding an evento element and no NFe element (an event file rather
// than an invoice). Never throws.
[[nodiscard]] bool DocumentoDeEvento(std::string_view xml);

// Reads an evento, a procEventoNFe or any document holding an evento element (the first, in an
// envEvento), indentation, comments and prefixes allowed; a detEvento of a tpEvento the layout
// does not have is skipped and reported in Avisos. Throws ENivraDFeException when the text is
// not XML, holds no evento or a field cannot be read (the message names the element's path).
[[nodiscard]] TEventoLido LerXMLEvento(std::string_view xml);

}  // namespace nivra
