// The NF-e document of the model: its access key, its XML through the generator, and reading
// an NFe or nfeProc back into the model.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "nivranfe/documento/leiaute_nfe_gerado.h"
#include "nivranfe/documento/xml_documento.h"

namespace nivra {

// Source of the random cNF: returns a number from 0 to 99999999.
using TSorteioNFe = std::function<uint32_t()>;

// Fills infNFe's Id, ide's cDV and, when empty, ide's cNF (drawn by `sorteio`, never equal to
// nNF), from ide (cUF, dhEmi, mod, serie, nNF, tpEmis) and emit's CNPJ or CPF. Returns the
// 44-character key. Throws ENivraDFeException when a part is missing or does not fit the key.
std::string ComporChaveNFe(nfe::TNFe& nota, const TSorteioNFe& sorteio = {});

// Writes the NFe element (with its namespace) through the XML generator. Never throws for
// content: every problem is an alert.
[[nodiscard]] TXMLGeradoNFe GerarXMLNFe(const nfe::TNFe& nota);
// Writes a protNFe element (namespace included).
[[nodiscard]] TXMLGeradoNFe GerarXMLProtNFe(const nfe::TprotNFe& protocolo);

// A document read back: the model, its protocol when it came in an nfeProc, the original
// bytes (the source of truth for signature checks, printing and sending) and what was skipped.
struct TNFeLida {
  nfe::TNFe NFe;
  std::optional<nfe::TprotNFe> protNFe;
  std::string XMLOriginal;
  std::vector<std::string> Avisos;
};

// Reads an NFe, an nfeProc or any document holding one NFe element (indentation, comments and
// prefixes allowed). Throws ENivraDFeException when the text is not XML, holds no NFe or a
// field cannot be read (the message names the element's path).
[[nodiscard]] TNFeLida LerXMLNFe(std::string_view xml);

}  // namespace nivra
