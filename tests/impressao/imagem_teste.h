// Image files for the printing tests: a page drawn with a dark box and a light band, rendered
// by pdftoppm as PNG or JPEG at one pixel per millimetre, exactly.
#pragma once

#include <cstdlib>
#include <string>

#include "nivranfe/impressao/documento_pdf.h"
#include "tests/fakes/pasta_temporaria.h"

namespace nivra {

// The bytes of a `formato` ("png" or "jpeg") file of largura x altura pixels.
inline std::string ImagemDeTeste(const std::string& formato, int largura, int altura) {
  TDocumentoPDF doc(largura, altura);
  doc.Preencher({0, 0, static_cast<double>(largura), static_cast<double>(altura)}, 0.2);
  doc.Preencher({0, altura / 3.0, static_cast<double>(largura), altura / 3.0}, 0.9);
  TPastaTemporaria pasta;
  const std::string pdf = pasta.Caminho() + "imagem.pdf";
  TPastaTemporaria::Escrever(pdf, doc.Terminar());
  const std::string base = pasta.Caminho() + "imagem";
  const std::string comando = "pdftoppm -scale-to-x " + std::to_string(largura) + " -scale-to-y " +
                              std::to_string(altura) + " -singlefile -" + formato + " '" + pdf +
                              "' '" + base + "' 2>/dev/null";
  if (std::system(comando.c_str()) != 0) return {};
  return TPastaTemporaria::Ler(base + (formato == "png" ? ".png" : ".jpg"));
}

}  // namespace nivra
