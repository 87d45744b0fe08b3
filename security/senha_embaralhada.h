// A password kept in memory only in scrambled form.
#pragma once

#include <string>

namespace nivra {

// A password scrambled with a key drawn from the clock at each change, so its clear text is
// never held. Copyable; a copy keeps the same key.
class TSenhaEmbaralhada {
 public:
  // The password in clear; empty before the first change. Never throws except on allocation.
  [[nodiscard]] std::string Texto() const;
  // Stores `valor` with a new key unless it is the current password. Returns whether it
  // changed. Throws Agora's ENivraDFeException when the host clock has no local time, leaving
  // the password as it was.
  bool Definir(const std::string& valor);

 private:
  std::string FSenha;  // scrambled with FK
  std::string FK;
};

}  // namespace nivra
