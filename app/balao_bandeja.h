// The notification balloon of the tray icon as the monitor relies on it: a title of at most 63
// characters and a text of at most 255, an icon kind, and re-display of the balloon whenever
// the title or text changes after a balloon has been shown once. A balloon is never shown with
// an empty text: that closes the one on screen instead.
#pragma once

#include <functional>
#include <string>

#include "app/interface_monitor.h"

namespace nivra {

class TBalaoBandeja {
 public:
  // Longest title and text kept, in characters.
  static constexpr std::size_t kMaxTitulo = 63;
  static constexpr std::size_t kMaxTexto = 255;

  using TExibir =
      std::function<void(const std::string& titulo, const std::string& texto, TTipoBalao tipo)>;

  // `exibir` displays a balloon; it is called with the stored (cut) title and a text that is not
  // empty. `fechar` closes the balloon on screen.
  TBalaoBandeja(TExibir exibir, std::function<void()> fechar);

  // Store the value cut to its limit; a different value re-displays the balloon with the
  // stored title, text and the icon kind of the last display, once a balloon was shown.
  void SetTitulo(const std::string& titulo);
  void SetTexto(const std::string& texto);
  // Stored only; the next Mostrar uses it.
  void SetTipo(TTipoBalao tipo) { FTipo = tipo; }
  // Displays the balloon with the stored title, text and icon kind.
  void Mostrar();
  // Title, text and icon kind, then one display.
  void Exibir(const std::string& titulo, const std::string& texto, TTipoBalao tipo);

  const std::string& Titulo() const { return FTitulo; }
  const std::string& Texto() const { return FTexto; }

 private:
  // Stores `valor` cut to `maximo` characters in `campo`; true when it changed.
  static bool Armazenar(std::string& campo, const std::string& valor, std::size_t maximo);
  void Reenviar();
  // Displays the stored title and text with `tipo`, or closes the balloon when the text is empty.
  void Enviar(TTipoBalao tipo);

  TExibir FExibir;
  std::function<void()> FFechar;
  std::string FTitulo;
  std::string FTexto;
  TTipoBalao FTipo = TTipoBalao::Info;
  TTipoBalao FTipoExibido = TTipoBalao::Info;
  bool FJaMostrado = false;
};

}  // namespace nivra
