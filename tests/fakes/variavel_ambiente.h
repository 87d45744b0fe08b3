// Sets (or, with nullptr, removes) an environment variable for the life of the object, then
// restores what it was.
#pragma once

#include <stdlib.h>
#include <time.h>

#include <optional>
#include <string>

namespace nivra {

class TVariavelAmbiente {
 public:
  TVariavelAmbiente(const char* nome, const char* valor) : FNome(nome) {
    if (const char* antes = ::getenv(nome)) FAntes = antes;
    if (valor != nullptr)
      ::setenv(nome, valor, 1);
    else
      ::unsetenv(nome);
  }
  TVariavelAmbiente(const TVariavelAmbiente&) = delete;
  TVariavelAmbiente& operator=(const TVariavelAmbiente&) = delete;
  ~TVariavelAmbiente() {
    if (FAntes)
      ::setenv(FNome, FAntes->c_str(), 1);
    else
      ::unsetenv(FNome);
  }

 private:
  const char* FNome;
  std::optional<std::string> FAntes;
};

// Sets the host's time zone (TZ) for the life of the object; the C library reads it again when
// it is set and when it is restored.
class TFusoTemporario {
 public:
  explicit TFusoTemporario(const char* tz) {
    FTZ.emplace("TZ", tz);
    ::tzset();
  }
  TFusoTemporario(const TFusoTemporario&) = delete;
  TFusoTemporario& operator=(const TFusoTemporario&) = delete;
  ~TFusoTemporario() {
    FTZ.reset();
    ::tzset();
  }

 private:
  std::optional<TVariavelAmbiente> FTZ;
};

}  // namespace nivra
