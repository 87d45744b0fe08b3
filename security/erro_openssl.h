// Error codes of the crypto libraries as the component's messages show them.
#pragma once

#include <cstdint>
#include <string>

namespace nivra {

// The code as 8 upper-case hexadecimal digits ("000000A0").
[[nodiscard]] std::string CodigoErro(std::uint64_t codigo);
// The code of the earliest error in this thread's OpenSSL error queue (0 when it is empty), as
// CodigoErro writes it; the queue is emptied.
[[nodiscard]] std::string UltimoErroOpenSSL();

}  // namespace nivra
