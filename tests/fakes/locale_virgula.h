// Runs a test under a locale whose decimal character is the comma, the way a Brazilian desktop
// is set up, to show that number texts do not depend on the process locale.
#pragma once

#include <clocale>
#include <cstdlib>
#include <optional>
#include <string>

#include "tests/fakes/pasta_temporaria.h"

namespace nivra {

// Makes pt_BR the numeric locale of the C library (what a desktop's setlocale(LC_ALL, "") gives
// a Brazilian user), compiling it into a temporary folder when the host has none installed;
// restores the previous locale at the end. Ativo() tells whether the comma is really in force.
class LocaleComVirgula {
 public:
  LocaleComVirgula() {
    const char* anterior = std::setlocale(LC_NUMERIC, nullptr);
    FAnterior = anterior != nullptr ? anterior : "C";
    if (Instalar()) return;
    FPasta.emplace();
    const std::string comando =
        "localedef -i pt_BR -f UTF-8 '" + FPasta->Caminho() + "pt_BR.UTF-8' >/dev/null 2>&1";
    if (std::system(comando.c_str()) != 0) return;
    ::setenv("LOCPATH", FPasta->Caminho().c_str(), 1);
    Instalar();
  }
  LocaleComVirgula(const LocaleComVirgula&) = delete;
  LocaleComVirgula& operator=(const LocaleComVirgula&) = delete;
  ~LocaleComVirgula() {
    std::setlocale(LC_NUMERIC, FAnterior.c_str());
    if (FPasta) ::unsetenv("LOCPATH");
  }

  [[nodiscard]] static bool Ativo() { return *std::localeconv()->decimal_point == ','; }

 private:
  static bool Instalar() { return std::setlocale(LC_NUMERIC, "pt_BR.UTF-8") != nullptr; }

  std::string FAnterior;
  std::optional<TPastaTemporaria> FPasta;
};

}  // namespace nivra
