// gzip compression and Base64, the form of zipped documents in the NF-e services.
#pragma once

#include <cstddef>
#include <limits>
#include <stdexcept>
#include <string>
#include <string_view>

namespace nivra {

// The gzip stream (RFC 1952) of the bytes. Throws std::runtime_error when zlib fails.
[[nodiscard]] std::string CompactarGZip(std::string_view bytes);
// The bytes of a gzip (or zlib) stream, at most `limite` of them. Throws std::runtime_error
// "Dados compactados inválidos" when the stream is damaged or cut short, and
// TDescompactadoExcedeLimite when it inflates past `limite` (memory stays bounded: inflating
// stops there).
[[nodiscard]] std::string DescompactarGZip(
    std::string_view compactado, std::size_t limite = std::numeric_limits<std::size_t>::max());

// Raised when a compressed stream inflates past the limit given.
class TDescompactadoExcedeLimite : public std::runtime_error {
 public:
  explicit TDescompactadoExcedeLimite(std::size_t limite);
};

// Base64 of the bytes on one line, with "=" padding. Never throws but std::bad_alloc.
[[nodiscard]] std::string CodificarBase64(std::string_view bytes);
// The bytes of Base64 text (blanks and line breaks ignored). Throws std::runtime_error
// "Base64 inválido" when the text is not Base64.
[[nodiscard]] std::string DecodificarBase64(std::string_view texto);

// CodificarBase64(CompactarGZip(bytes)), and the way back.
[[nodiscard]] std::string CompactarBase64(std::string_view bytes);
[[nodiscard]] std::string DescompactarBase64(
    std::string_view texto, std::size_t limite = std::numeric_limits<std::size_t>::max());

}  // namespace nivra
