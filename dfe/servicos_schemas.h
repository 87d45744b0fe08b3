// Schema files of a schema folder: listing them once and choosing the file, and so the
// version, that fits a request.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace nivra {

// Returns the names (without folder) of the ".xsd" files in `pasta`, names containing ".."
// skipped, sorted without regard to letter case. `pasta` ends with a path delimiter or is
// empty (the working folder). Throws ENivraDFeException "Nenhum arquivo de Schema encontrado
// na pasta: " CR LF + `pasta` when there is none (also when the folder does not exist).
[[nodiscard]] std::vector<std::string> ListarArquivosSchema(const std::string& pasta);

// Chooses among `nomes` (sorted as ListarArquivosSchema gives them) the file of schema
// `nomeSchema` for the wanted version `versao`: the exact name (letter case ignored)
// nomeSchema + ".xsd" when `versao` is 0, or nomeSchema + "_v" + version with two decimals +
// ".xsd"; failing that, for a version above 0, the highest version above 0 and not above the
// wanted one among the names starting with nomeSchema + "_v" (letter case respected). Returns
// the file name, empty when nothing fits; `versao` becomes the version of the file (0 when
// none). Never throws.
[[nodiscard]] std::string EscolherArquivoSchema(const std::vector<std::string>& nomes,
                                                std::string_view nomeSchema, double& versao);

}  // namespace nivra
