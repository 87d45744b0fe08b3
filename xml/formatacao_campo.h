// Formatting of one generated field by its field type: the text written, whether it counts as
// empty and the size limits it is checked against.
#pragma once

#include <string>
#include <string_view>

#include "nivranfe/util/variante.h"
#include "nivranfe/xml/gerador_opcoes.h"
#include "nivranfe/xml/tipo_campo.h"

namespace nivra {

// One formatted field value.
struct TCampoFormatado {
  // The formatted text, before the XML text filter.
  std::string Texto;
  // The field counts as empty (a mandatory one is written as an empty element, an optional
  // one not at all).
  bool Vazio = false;
  // A tcEsp value that is not a run of the digits 0 to 9.
  bool ConteudoInvalido = false;
  // The size limits to check: the caller's, raised by one for the decimal types unless
  // decimals are suppressed.
  int Minimo = 0;
  int Maximo = 0;
};

// Formats valor as a field of type Tipo with the caller's limits min and max and presence
// ocorrencias (1 mandatory, 0 optional). Numbers that cannot be read give "0" (tcInt) or
// "0.00" (decimal types). Throws ENivraDFeException when a date or time type gets a value that
// is not a date-time, or tcBoolStr one that is not a truth value.
[[nodiscard]] TCampoFormatado FormatarCampo(TkovTipoCampo Tipo, const TVariante& valor, int min,
                                            int max, int ocorrencias, const TGeradorOpcoes& opcoes);

// The number of characters (code points) of the text.
[[nodiscard]] int NumeroDeCaracteres(std::string_view texto);

}  // namespace nivra
