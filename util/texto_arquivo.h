// Line-oriented text: splitting and joining lines, and reading a text file whatever its
// Unicode form.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace nivra {

// The lines of the text; CR LF, CR and LF each end a line, and a final break adds no line.
[[nodiscard]] std::vector<std::string> DividirLinhas(std::string_view texto);
// The same lines as views into `texto`, valid while it is.
[[nodiscard]] std::vector<std::string_view> DividirLinhasVisao(std::string_view texto);

// Every line followed by CR LF; empty for no lines.
[[nodiscard]] std::string JuntarLinhas(const std::vector<std::string>& linhas);

// The UTF-8 text of a file's bytes: after a UTF-8 byte-order mark the rest as UTF-8, after a
// UTF-16 mark (either byte order) the decoded text (a broken surrogate or a final odd byte
// becomes U+FFFD), otherwise UTF-8 with bytes that are not valid UTF-8 read as Windows-1252.
// Never throws except on allocation.
[[nodiscard]] std::string DecodificarTextoArquivo(std::string_view bytes);

// The text of the file, decoded by DecodificarTextoArquivo. Throws ENivraDFeException when
// the file cannot be opened or read.
[[nodiscard]] std::string LerArquivoTexto(const std::string& caminho);

}  // namespace nivra
