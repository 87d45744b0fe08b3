// The printed forms (A4 portrait PDF) of an NF-e event (correction letter, cancellation and
// others) and of a number-range voiding.
#pragma once

#include <string>

#include "nivranfe/impressao/leitura_eventos.h"
#include "nivranfe/util/datahora.h"

namespace nivra {

// The PDF of the event: title by type, the invoice (key as a CODE-128 bar code and in groups,
// model, series, number, issuer's CNPJ), the event, its registration (or a note that it has
// none) and its detail (correction and conditions of use, or the cancelled protocol and the
// justification). A homologation event carries "SEM VALOR FISCAL" across the page. Throws
// ENivraDFeException when drawing fails or the key cannot be encoded.
// Criacao dates the PDF (TDocumentoPDF).
[[nodiscard]] std::string PDFEvento(const TEventoImpresso& Evento, TDateTime Criacao = 0);

// The PDF of the voiding: the issuer, the numbers voided, the justification and the
// authority's protocol. Throws as PDFEvento.
[[nodiscard]] std::string PDFInutilizacao(const TInutilizacaoImpressa& Inutilizacao,
                                          TDateTime Criacao = 0);

}  // namespace nivra
