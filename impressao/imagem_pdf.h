// An image for a printed document, such as the issuer's logo: PNG read by Cairo, JPEG by
// libjpeg, held decoded and drawn by TDocumentoPDF::Imagem at any size.
#pragma once

#include <memory>
#include <string_view>

namespace nivra {

class TImagemPDF {
 public:
  // What Cairo keeps of the image (impressao/imagem_pdf.cpp).
  struct TImpl;

  // Decodes Bytes, a PNG or a JPEG told by its first bytes. Throws ENivraDFeException "Imagem
  // em formato não suportado (use PNG ou JPEG)." for anything else, "Imagem grande demais ..."
  // past 8000 pixels a side, and "Imagem PNG inválida: " or "Imagem JPEG inválida: " with the
  // decoder's reason for a damaged file.
  explicit TImagemPDF(std::string_view Bytes);
  TImagemPDF(const TImagemPDF&) = delete;
  TImagemPDF& operator=(const TImagemPDF&) = delete;
  ~TImagemPDF();

  // Its size in pixels.
  int Largura() const { return FLargura; }
  int Altura() const { return FAltura; }
  // Width over height: what fitting it to a box keeps.
  double Proporcao() const { return static_cast<double>(FLargura) / FAltura; }

  const TImpl& Impl() const { return *F; }

 private:
  std::unique_ptr<TImpl> F;
  int FLargura = 0;
  int FAltura = 0;
};

}  // namespace nivra
