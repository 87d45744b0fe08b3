// Reading and writing UTF-8 text by code points; bytes that are not valid UTF-8 are read as
// Windows-1252, the code page of the legacy files this system meets.
#pragma once

#include <string>
#include <string_view>

namespace nivra {

// The code points of the text: valid UTF-8 sequences decode to their code point, every other
// byte to its Windows-1252 character. Never throws except on allocation.
[[nodiscard]] std::u32string DecodificarCaracteres(std::string_view texto);

// The number of code points DecodificarCaracteres would give, without decoding.
[[nodiscard]] size_t ContarCaracteres(std::string_view texto);

// Appends the UTF-8 bytes of the code point to destino. Never throws except on allocation.
void AcrescentarUTF8(std::string& destino, char32_t codigo);

// The UTF-8 text of the code points. Never throws except on allocation.
[[nodiscard]] std::string CodificarCaracteres(std::u32string_view caracteres);

// The text as valid UTF-8, the same as CodificarCaracteres(DecodificarCaracteres(texto)) without
// the code points in between: valid sequences stay as they are, every other byte becomes the
// UTF-8 of its Windows-1252 character. Never throws except on allocation.
[[nodiscard]] std::string UTF8Valido(std::string_view texto);

// The character of one byte of the 8-bit code page (Windows-1252), as a code point.
[[nodiscard]] char32_t CaractereWindows1252(unsigned char byte);
// The Windows-1252 bytes of the code points, one per character; a character the code page
// lacks becomes "?". Never throws except on allocation.
[[nodiscard]] std::string CodificarWindows1252(std::u32string_view caracteres);

}  // namespace nivra
