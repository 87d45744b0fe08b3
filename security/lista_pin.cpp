// The process-wide list of certificates whose token PIN has been given: serial numbers, each
// followed by ",".
#include "nivranfe/security/lista_pin.h"

#include <mutex>

namespace nivra {

namespace {

// Guards the list: crypto objects of queries running at the same time read and change it.
std::mutex& Trava() {
  static std::mutex trava;
  return trava;
}

std::string& Lista() {
  static std::string lista;
  return lista;
}

// The position of the whole entry in the list, so a serial never matches inside another one.
std::size_t Posicao(const std::string& numeroSerie) {
  const std::string entrada = numeroSerie + ",";
  const std::string& lista = Lista();
  for (std::size_t pos = lista.find(entrada); pos != std::string::npos;
       pos = lista.find(entrada, pos + 1)) {
    if (pos == 0 || lista[pos - 1] == ',') return pos;
  }
  return std::string::npos;
}

}  // namespace

bool PINInformado(const std::string& numeroSerie) {
  const std::lock_guard<std::mutex> trava(Trava());
  return !numeroSerie.empty() && Posicao(numeroSerie) != std::string::npos;
}

void RegistrarPINInformado(const std::string& numeroSerie) {
  const std::lock_guard<std::mutex> trava(Trava());
  if (numeroSerie.empty() || Posicao(numeroSerie) == std::string::npos)
    Lista() += numeroSerie + ",";
}

void RemoverPINInformado(const std::string& numeroSerie) {
  const std::lock_guard<std::mutex> trava(Trava());
  const std::size_t pos = Posicao(numeroSerie);
  if (pos != std::string::npos) Lista().erase(pos, numeroSerie.size() + 1);
}

}  // namespace nivra
