// The DANFCE: the printed auxiliary document of an NFC-e (model 65) on roll paper of 80 or
// 58 mm, one page as long as its content, with the QR code of the consultation.
#pragma once

#include <string>

#include "nivranfe/documento/documento_nfe.h"
#include "nivranfe/impressao/imagem_pdf.h"
#include "nivranfe/util/datahora.h"

namespace nivra {

struct TOpcoesDANFCE {
  // The paper's width in millimetres (80 or 58).
  double LarguraPapel = 80;
  // The authoriser's consultation page printed after "Consulte pela Chave de Acesso em";
  // empty: the document's infNFeSupl/urlChave.
  std::string URLConsulta;
  // The issuer's logo, centred above its name; none when null. Not owned; it must outlive the
  // printing.
  const TImagemPDF* Logo = nullptr;
};

// The PDF of the DANFCE of Nota, dated Criacao. Throws ENivraDFeException for a document that
// is not model 65, has no key or no QR code (infNFeSupl/qrCode), for a paper width other than
// 58 or 80, and what drawing throws.
[[nodiscard]] std::string PDFDANFCE(const TNFeLida& Nota, const TOpcoesDANFCE& Opcoes,
                                    TDateTime Criacao);

}  // namespace nivra
