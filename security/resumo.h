// Message digests for the parts of the component that need one without a certificate.
#pragma once

#include <string>
#include <string_view>

namespace nivra {

// The SHA-1 digest of `dados`, as its 20 raw bytes. Throws ENivraDFeException "Erro ao calcular
// o hash SHA-1" when the digest cannot be computed.
[[nodiscard]] std::string ResumoSHA1(std::string_view dados);

}  // namespace nivra
