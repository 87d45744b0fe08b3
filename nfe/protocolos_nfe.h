// Attaching the authoriser's protocols to the loaded documents.
#pragma once

#include <vector>

#include "nivranfe/nfe/retorno_nfe.h"

namespace nivra {

class TNivraNFe;

// Gives each loaded document the protocol of the answer with its key. With
// Geral.ValidarDigest on, a protocol whose digVal differs from the document's DigestValue
// throws ENivraNFeException "DigestValue do documento " + key + " não confere.". With
// Arquivos.Salvar on, the processed document (nfeProc) is saved as key + "-nfe.xml" in
// GetPathNFe, only for processed documents when SalvarApenasNFeProcessadas is on. Returns
// true when every loaded document got a protocol whose cStat is in the processed set. Throws
// what saving throws.
bool AnexarProtocolos(TNivraNFe& NFe, const std::vector<TProtNFeRetorno>& Protocolos);

}  // namespace nivra
