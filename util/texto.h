// Free functions on text: digit filters, padding, searches, accent folding, line breaks and the
// field-text filter of the XML generator. Texts are UTF-8; none of these functions keep state.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace nivra {

// True when the text has no characters (spaces count as content).
[[nodiscard]] bool TextoVazio(std::string_view texto);
// True when the text has at least one character (spaces count as content).
[[nodiscard]] bool TextoPreenchido(std::string_view texto);

// The text without spaces and control characters (codes up to 32) at both ends.
[[nodiscard]] std::string Aparar(std::string_view texto);
// The same, as a view into `texto`.
[[nodiscard]] std::string_view ApararVisao(std::string_view texto);
// The text with the letters a to z upper-cased; every other byte unchanged.
[[nodiscard]] std::string Maiusculas(std::string_view texto);

// True when the two texts are equal ignoring the letter case of a to z.
[[nodiscard]] bool IguaisSemCaixa(std::string_view a, std::string_view b);

// Replaces every occurrence of de in texto by para, scanning left to right; the replacement
// text is never searched again. An empty de changes nothing.
void SubstituirTodos(std::string& texto, std::string_view de, std::string_view para);

// The characters "0" to "9" of the text, in order.
[[nodiscard]] std::string SomenteDigitos(std::string_view texto);
// The characters A to Z, a to z and 0 to 9 of the text, in order.
[[nodiscard]] std::string SomenteLetrasEDigitos(std::string_view texto);
// True when the text is not empty and holds only the characters "0" to "9".
[[nodiscard]] bool TextoSoDeDigitos(std::string_view texto);

// When the text has fewer than n characters, the fill characters followed by the text up to n
// characters; otherwise its first n characters. Lengths count code points.
[[nodiscard]] std::string CompletarEsquerda(std::string_view texto, int n, char preenchimento);
// As CompletarEsquerda, with the fill characters after the text.
[[nodiscard]] std::string CompletarDireita(std::string_view texto, int n, char preenchimento);
// The trimmed text completed on the left with "0" to n characters (or cut to its first n).
[[nodiscard]] std::string ZerosAEsquerda(std::string_view texto, int n);
// The decimal text of the value completed on the left with "0" to n characters.
[[nodiscard]] std::string ZerosAEsquerda(int64_t valor, int n);
// The last n characters of n zeros followed by the decimal text of the value (1234, 2 -> "34").
[[nodiscard]] std::string InteiroComZeros(int32_t valor, int n);

// The part of the text between the first occurrence of inicio and the first occurrence of fim
// after it; empty when inicio does not occur or fim does not follow it.
[[nodiscard]] std::string ConteudoEntre(std::string_view texto, std::string_view inicio,
                                        std::string_view fim);
// True when one of the items of a "|item1|item2|" list begins the tag text. Empty items and text
// after the last "|" are not items; an empty list matches nothing.
[[nodiscard]] bool TagNaLista(std::string_view tag, std::string_view lista);
// The 1-based byte position of the last occurrence of sub in texto, 0 when there is none.
[[nodiscard]] int32_t UltimaPosicao(std::string_view sub, std::string_view texto);

// The text with the accented Latin letters folded to A C E I N O U (and lower-case forms), and
// every character other than backspace, LF, CR and codes 32 to 126 replaced by one space.
[[nodiscard]] std::string RemoverAcentos(std::string_view texto);
// The text with CR LF and lone CR turned into LF and then every LF into quebra (unless quebra is
// LF itself). An empty text or one of only spaces is returned unchanged.
[[nodiscard]] std::string TrocarQuebrasDeLinha(std::string_view texto,
                                               std::string_view quebra = ";");
// Whether PrepararTextoCampo gives the text back unchanged, whatever its other switches: printable
// ASCII without the characters XML encodes, without spaces at its ends and, when RetirarEspacos,
// without two in a row. Most fields are such text.
[[nodiscard]] bool TextoCampoPronto(std::string_view texto, bool RetirarEspacos);
// The text of a generated XML field: accents folded (RetirarAcentos), XML characters encoded as
// entities, runs of spaces collapsed (RetirarEspacos), line breaks replaced by QuebraLinha
// (SubstituirQuebras), and spaces and control characters removed at both ends.
[[nodiscard]] std::string PrepararTextoCampo(bool RetirarEspacos, std::string_view texto,
                                             bool RetirarAcentos, bool SubstituirQuebras = true,
                                             std::string_view QuebraLinha = ";");

// Every byte of the text as two upper-case hexadecimal digits.
[[nodiscard]] std::string BytesParaHex(std::string_view bytes);
// The text with each byte combined with the key byte of the same position (the key repeating):
// an equal pair keeps the text byte, any other pair gives their exclusive or. Applying it twice
// with the same key gives back a text without zero bytes. An empty key leaves the text unchanged.
[[nodiscard]] std::string EmbaralharComChave(std::string_view texto, std::string_view chave);

}  // namespace nivra
