// The documents documento-nfe prints and mails, told apart by their XML's root element: an
// NF-e or NFC-e (NFe, nfeProc), an event (procEventoNFe, evento) or a voiding (procInutNFe,
// inutNFe), with the name their files take and their print.
#pragma once

#include <string>
#include <vector>

#include "app/documento_nfe/opcoes.h"
#include "nivranfe/dfe/nivra_nfe.h"

namespace nivra {

struct TDocumentoImpresso {
  enum TTipo { NFe, NFCe, Evento, Inutilizacao };
  TTipo Tipo = NFe;
  // What its print is called: "DANFE", "DANFCE", "evento", "inutilização".
  std::string Impresso;
  // Its files' name without the extension, as the printing component names its PDFs:
  // "<key>-nfe", "<Id>-procEventoNFe", "<Id>-procInutNFe".
  std::string Nome;
  // One line saying what it is ("NF-e nº 123 série 1 de COMÉRCIO ...").
  std::string Descricao;
  // The XML as read.
  std::string XML;
};

// Tells what the XML is and reads what names it. Throws ENivraDFeException "Documento não
// reconhecido: ..." for another root element, and what reading the document throws.
[[nodiscard]] TDocumentoImpresso LerDocumento(std::string XML);

// The PDF of the document, printed by a printing component linked to `nfe` (whose services
// table gives an NFC-e's consultation page) with the options; those that do not apply to the
// document's kind are added to `avisos` and left out. Throws what the printing throws (a logo
// that cannot be read among it).
[[nodiscard]] std::string ImprimirDocumento(TNivraNFe& nfe, const TDocumentoImpresso& documento,
                                            const TOpcoesImpressao& opcoes,
                                            std::vector<std::string>& avisos);

}  // namespace nivra
