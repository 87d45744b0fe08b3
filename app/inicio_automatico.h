// The monitor's entry in the desktop's autostart folder, which the user turns on and off from
// the monitor's menu.
#pragma once

#include <string>

namespace nivra {

class TInicioAutomatico {
 public:
  // `arquivo`: the entry's path (see ArquivoInicioAutomatico in locais_monitor.h); `programa`:
  // the absolute path of the executable the session starts.
  TInicioAutomatico(std::string arquivo, std::string programa);

  const std::string& Arquivo() const { return FArquivo; }

  // Whether the session starts the monitor: the entry exists and is not marked "Hidden=true".
  // Never throws except on allocation.
  [[nodiscard]] bool Ativo() const;
  // Writes the entry (creating its folder), replacing one the user hid. Throws
  // ENivraDFeException naming the file and the reason when it cannot be written.
  void Ativar() const;
  // Removes the entry; nothing to do when there is none. Throws ENivraDFeException naming the
  // file and the reason when it cannot be removed.
  void Desativar() const;

 private:
  std::string FArquivo;
  std::string FPrograma;
};

}  // namespace nivra
