// The modules of the printed codes: CODE-128 bars (libzint) and QR code squares (libqrencode),
// independent of how they are drawn.
#pragma once

#include <string_view>
#include <vector>

namespace nivra {

// One bar: its first module and its width in modules.
struct TBarra128 {
  int Inicio = 0;
  int Largura = 0;
};

// A CODE-128 symbol without quiet zones: its width in modules and its bars from the left.
struct TCodigo128 {
  int Modulos = 0;
  std::vector<TBarra128> Barras;
};

// Encodes Dados (bytes; a fiscal key holds only digits and capital letters) choosing the code
// sets that make the shortest symbol: a 44-digit key is code set C throughout, a key with
// letters mixes the sets. Throws ENivraDFeException "Código de barras não gerado: " + the
// encoder's reason, for empty or over-long data.
[[nodiscard]] TCodigo128 Codificar128(std::string_view Dados);

// A QR code: Lado modules per side, Escuro[y * Lado + x] true for a dark module.
struct TMatrizQR {
  int Lado = 0;
  std::vector<bool> Escuro;
};

// Encodes Dados in byte mode with error correction M, the smallest version that holds it.
// Throws ENivraDFeException "QR Code não gerado: " + the reason, for empty or over-long data.
[[nodiscard]] TMatrizQR CodificarQR(std::string_view Dados);

}  // namespace nivra
