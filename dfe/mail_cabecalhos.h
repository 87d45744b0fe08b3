// The header texts of an outgoing e-mail: addresses, encoded words for text that is not plain
// ASCII, the date and the attachment's file name, in the forms mail transport requires.
#pragma once

#include <string>
#include <string_view>

#include "nivranfe/util/datahora.h"

namespace nivra {

// An address as written by the caller: "nome@dominio" or "Nome <nome@dominio>".
struct TEnderecoMail {
  std::string Nome;      // the display name, UTF-8; may be empty
  std::string Endereco;  // the bare address
};

// Splits and checks `texto`. The bare address must hold one "@" with text on both sides and no
// blank, control character, "<", ">", "(", ")", "," or ";". Throws ENivraDFeException
// "Endereço de e-mail inválido: " + texto otherwise.
[[nodiscard]] TEnderecoMail LerEnderecoMail(std::string_view texto);

// The address as a header value: the bare address alone, or the display name (an encoded
// word when it is not plain ASCII, a quoted string otherwise) followed by " <address>".
[[nodiscard]] std::string FormatarEnderecoMail(const TEnderecoMail& endereco);

// The text unchanged when it is printable ASCII; otherwise UTF-8 Base64 encoded words
// ("=?UTF-8?B?...?="), each at most 64 characters (a line with its header name stays within
// 78) and never splitting a character, joined by CR LF and a space so the header folds. Bytes that
// are not valid UTF-8 are read as Windows-1252 and line breaks become spaces. Never throws except
// on allocation.
[[nodiscard]] std::string CodificarTextoCabecalho(std::string_view texto);

// The date of a message header, "Thu, 10 Dec 2026 14:55:23 -0300", of the local time `quando`
// and its offset from UTC as "-03:00". Never throws except on allocation.
[[nodiscard]] std::string DataMail(TDateTime quando, std::string_view fuso);

// The Content-Disposition of an attachment named `nome`: `attachment; filename="nome"` for a
// printable-ASCII name (quotes and backslashes escaped), or the percent-encoded UTF-8 form
// `attachment; filename*=UTF-8''...` otherwise. Never throws except on allocation.
[[nodiscard]] std::string DisposicaoAnexo(std::string_view nome);

// The media type of an attachment by its file name's extension: application/xml,
// application/pdf, or application/octet-stream for anything else.
[[nodiscard]] std::string TipoAnexo(std::string_view nome);

}  // namespace nivra
