// The issuer's box at the top of a DANFE: its name, its address and, when given, its logo.
#pragma once

#include "nivranfe/documento/documento_nfe.h"
#include "nivranfe/impressao/documento_pdf.h"
#include "nivranfe/impressao/imagem_pdf.h"

namespace nivra {

// Draws the box's outline and its content. Without Logo, the name and the address share the
// box's width; a wide logo (at least two and a half times as wide as high) goes across the top
// with the name and the address below it, any other to the left of them. The logo is fitted
// to its place keeping its proportion. Logo is not kept. Throws what drawing throws.
void QuadroEmitente(TDocumentoPDF& Documento, const TCaixaPDF& Caixa, const nfe::Temit& Emitente,
                    const TImagemPDF* Logo);

}  // namespace nivra
