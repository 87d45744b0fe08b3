// The host's clock as the history records it.
#include "app/historico/registro_status.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace nivra {

TInstante InstanteAtual() {
  const auto agora = std::chrono::system_clock::now();
  const int64_t ms =
      std::chrono::duration_cast<std::chrono::milliseconds>(agora.time_since_epoch()).count();
  const std::time_t segundos = static_cast<std::time_t>(ms / 1000);
  std::tm local{};
  ::localtime_r(&segundos, &local);
  return {ms, static_cast<int>(local.tm_gmtoff / 60)};
}

std::string InstanteISO(const TInstante& instante) {
  const int64_t milis = instante.UnixMs + int64_t{instante.FusoMinutos} * 60000;
  const std::time_t segundos =
      static_cast<std::time_t>(milis >= 0 ? milis / 1000 : (milis - 999) / 1000);
  std::tm campos{};
  ::gmtime_r(&segundos, &campos);
  const int fuso = instante.FusoMinutos < 0 ? -instante.FusoMinutos : instante.FusoMinutos;
  char texto[96];
  std::snprintf(texto, sizeof texto, "%04d-%02d-%02dT%02d:%02d:%02d%c%02d:%02d",
                campos.tm_year + 1900, campos.tm_mon + 1, campos.tm_mday, campos.tm_hour,
                campos.tm_min, campos.tm_sec, instante.FusoMinutos < 0 ? '-' : '+', fuso / 60,
                fuso % 60);
  return texto;
}

}  // namespace nivra
