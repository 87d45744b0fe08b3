// Runs a test under a locale whose decimal character is the comma, the way a Brazilian desktop
// is set up, to show that number texts do not depend on the process locale.
#pragma once

#include <clocale>
#include <cstdlib>
#include <locale>
#include <optional>
#include <stdexcept>
#include <string>

#include "tests/fakes/pasta_temporaria.h"

// Makes pt_BR the numeric locale of both the C library and the C++ streams, compiling it into
// a temporary folder when the host has none installed; restores the previous locales at the end.
// Ativo() tells whether the comma is really in force (no locale could be had otherwise).
class LocaleComVirgula {
 public:
  LocaleComVirgula() : FAnterior(std::locale()) {
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
    std::locale::global(FAnterior);
    std::setlocale(LC_NUMERIC, "C");
    if (FPasta) ::unsetenv("LOCPATH");
  }

  [[nodiscard]] static bool Ativo() { return *std::localeconv()->decimal_point == ','; }

 private:
  static bool Instalar() {
    try {
      std::locale::global(std::locale(std::locale::classic(), "pt_BR.UTF-8", std::locale::numeric));
    } catch (const std::runtime_error&) {
      return false;
    }
    return std::setlocale(LC_NUMERIC, "pt_BR.UTF-8") != nullptr;
  }

  std::locale FAnterior;
  std::optional<TPastaTemporaria> FPasta;
};
