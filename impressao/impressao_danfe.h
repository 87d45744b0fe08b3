// The DANFE: the printed auxiliary document of an NF-e (model 55), on A4 in portrait or
// landscape, continued on further sheets when its products or additional data do not fit.
#pragma once

#include <string>

#include "nivranfe/documento/documento_nfe.h"
#include "nivranfe/impressao/imagem_pdf.h"
#include "nivranfe/util/datahora.h"

namespace nivra {

// How a DANFE is printed.
struct TOpcoesDANFE {
  bool Paisagem = false;
  // The document was cancelled: every sheet says so.
  bool Cancelada = false;
  // The issuer's logo in its box; none when null. Not owned; it must outlive the printing.
  const TImagemPDF* Logo = nullptr;
};

// The PDF of the DANFE of Nota, dated Criacao (the PDF's metadata). Homologation documents say
// "SEM VALOR FISCAL"; a document without an authorisation protocol says so unless it was issued
// in contingency, which the protocol box and the additional data tell. A document issued on a
// security form (tpEmis 2 or 5) carries its "dados da NF-e" (DadosNFeContingencia) as a second
// bar code below the key and in groups of four. Throws ENivraDFeException for a document that
// is not model 55 or has no items, what DadosNFeContingencia throws, and what drawing throws.
[[nodiscard]] std::string PDFDANFE(const TNFeLida& Nota, const TOpcoesDANFE& Opcoes,
                                   TDateTime Criacao);

}  // namespace nivra
