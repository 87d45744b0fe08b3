// The process-wide list of certificates whose token PIN has been given, shared by every crypto
// object of the process. Safe to call from several threads.
#pragma once

#include <string>

namespace nivra {

// Whether the PIN of the certificate with this serial number has been given.
[[nodiscard]] bool PINInformado(const std::string& numeroSerie);
// Records that the PIN of the certificate has been given.
void RegistrarPINInformado(const std::string& numeroSerie);
// Forgets that the PIN of the certificate has been given.
void RemoverPINInformado(const std::string& numeroSerie);

}  // namespace nivra
