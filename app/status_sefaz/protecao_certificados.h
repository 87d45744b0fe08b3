// The keyring actions of status-sefaz: protecting the store's entries and removing one.
#pragma once

#include <ostream>
#include <string>

namespace nivra {

// Moves the current user's store entries that open without a password under the session's
// keyring and writes one line per entry ("protegido: ARQ", "falhou: ARQ: motivo") and a summary.
// Returns the exit status: 0 when every entry is protected, 3 when any failed. Throws
// ENivraDFeException when no keyring answers or the store cannot be read.
[[nodiscard]] int ProtegerCertificados(std::ostream& saida);

// Removes the certificate of serial `numeroSerie` from the current user's store and its password
// from the session's keyring, and writes what went. Throws ENivraDFeException when neither holds
// it, or a removal fails.
void RemoverCertificado(const std::string& numeroSerie, std::ostream& saida);

}  // namespace nivra
