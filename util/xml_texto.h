// XML text helpers: character entities, the result element of a SOAP answer, the UTF-8
// declaration and conversions between text and UTF-8 bytes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace nivra {

// Decoding (Decodificar): the text with the named and numeric entities of the system's table
// replaced by their characters, "&amp;" first. Encoding: "&", "<", ">", the double quote and the
// apostrophe replaced by "&amp;", "&lt;", "&gt;", "&quot;" and "&#39;". The text is read as
// UTF-8 when EhUTF8 is set and in the 8-bit code page otherwise; on this platform that code page
// is UTF-8 too, bytes that are not valid UTF-8 being read as Windows-1252 either way. The result
// is UTF-8. Never throws.
[[nodiscard]] std::string ConverterEntidadesXML(std::string_view texto, bool Decodificar = true,
                                                bool EhUTF8 = true);

// The text with each named entity of ConverterEntidadesXML's table that XML does not predefine
// ("&ccedil;", written by some authorisers) replaced by its character, so the text can be
// well-formed XML; "&amp;", "&lt;", "&gt;", "&quot;", "&apos;", "&#39;" and every other reference
// stay as they are ("&amp;ccedil;" too). Never throws except on allocation.
[[nodiscard]] std::string EntidadesXMLPredefinidas(std::string_view texto);
// The character data of an XML text content, one level of escaping undone: "&lt;", "&gt;",
// "&amp;", "&quot;", "&apos;" and decimal or hexadecimal character references become their
// characters; any other "&" is kept. Never throws except on allocation.
[[nodiscard]] std::string DesescaparXML(std::string_view texto);

// The text with "&amp;", "&lt;", "&gt;", "&quot;", "&#39;" and every "&#x..;" hexadecimal
// reference decoded (two digits per character), then trimmed. Throws ENivraDFeException when a
// hexadecimal reference holds a character that is not a hexadecimal digit.
[[nodiscard]] std::string DecodificarEntidadesLeitura(std::string_view texto);

// The content of the first element named tag (or "ns2:" + tag), compared ignoring letter case:
// the inner text, or the whole element when comTags is set. Empty when it is not found.
[[nodiscard]] std::string ConteudoDaTag(std::string_view xml, std::string_view tag, bool comTags);
// The first non-empty trimmed ConteudoDaTag of the names, in order; empty when none has one.
[[nodiscard]] std::string PrimeiroConteudoDeTags(const std::vector<std::string>& nomes,
                                                 std::string_view xml, bool comTags);

// The UTF-8 bytes of the text (bytes that are not valid UTF-8 read as Windows-1252).
[[nodiscard]] std::string TextoParaUTF8(std::string_view texto);
// The text of UTF-8 bytes; bytes that do not decode are read as Windows-1252.
[[nodiscard]] std::string UTF8ParaTexto(std::string_view bytes);

// True when the first 50 bytes after a leading byte-order mark and blanks declare
// encoding="utf-8" or encoding='utf-8' (any letter case, nothing between the name, the "=" and
// the quote).
[[nodiscard]] bool XMLDeclaraUTF8(std::string_view xml);
// The xml unchanged when it declares UTF-8; otherwise the declaration
// <?xml version="1.0" encoding="UTF-8"?> followed by the UTF-8 bytes of the xml, without a
// leading byte-order mark, and with a leading declaration of another encoding (also one after
// the mark and blanks) replaced.
[[nodiscard]] std::string GarantirXMLUTF8(std::string_view xml);
// The text from the first "<?" through the first "?>" after it; empty when either is missing.
[[nodiscard]] std::string DeclaracaoXML(std::string_view xml);
// The xml without the first occurrence of its declaration; unchanged when it has none.
[[nodiscard]] std::string SemDeclaracaoXML(std::string_view xml);

}  // namespace nivra
