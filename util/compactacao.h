// gzip compression and Base64, the form of zipped documents in the NF-e services.
#pragma once

#include <string>
#include <string_view>

// The gzip stream (RFC 1952) of the bytes. Throws std::runtime_error when zlib fails.
[[nodiscard]] std::string CompactarGZip(std::string_view bytes);
// The bytes of a gzip (or zlib) stream. Throws std::runtime_error "Dados compactados
// inválidos" when the stream is damaged or cut short.
[[nodiscard]] std::string DescompactarGZip(std::string_view compactado);

// Base64 of the bytes on one line, with "=" padding. Never throws but std::bad_alloc.
[[nodiscard]] std::string CodificarBase64(std::string_view bytes);
// The bytes of Base64 text (blanks and line breaks ignored). Throws std::runtime_error
// "Base64 inválido" when the text is not Base64.
[[nodiscard]] std::string DecodificarBase64(std::string_view texto);

// CodificarBase64(CompactarGZip(bytes)), and the way back.
[[nodiscard]] std::string CompactarBase64(std::string_view bytes);
[[nodiscard]] std::string DescompactarBase64(std::string_view texto);
