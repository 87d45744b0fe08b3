// The forms of the fields that name saved files or choose where a request goes: a name built
// from an answer reaches the file system only when each of its parts has its field's form.
#pragma once

#include <string>
#include <string_view>

namespace nivra {

// True for an event type: 6 digits.
[[nodiscard]] bool TipoEventoNoPadrao(std::string_view Tipo);
// True for an event's sequence number: 1 to 99 written without leading zeros.
[[nodiscard]] bool SequenciaEventoNoPadrao(std::string_view Sequencia);
// True for a protocol number: 15 digits.
[[nodiscard]] bool ProtocoloNoPadrao(std::string_view Protocolo);

}  // namespace nivra
