// A PDF drawn page by page in millimetres from the top-left corner: lines, boxes, text shaped
// and wrapped inside boxes (Pango), CODE-128 bar codes and QR codes, written to memory.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "nivranfe/util/datahora.h"

namespace nivra {

class TImagemPDF;

// A font: family (the Liberation fonts are metric twins of the ones printed documents name),
// size in points and weight.
struct TFontePDF {
  std::string Familia = "Liberation Serif";
  double Tamanho = 8;
  bool Negrito = false;
};

// A rectangle in millimetres from the page's top-left corner.
struct TCaixaPDF {
  double X = 0;
  double Y = 0;
  double Largura = 0;
  double Altura = 0;
};

enum class TAlinhamentoPDF { Esquerda, Centro, Direita };

// One PDF under construction. Fonts are embedded (subsets), so it prints the same everywhere.
// Not copyable. Every drawing call throws ENivraDFeException when Cairo reports a failure.
class TDocumentoPDF {
 public:
  // What Cairo and Pango keep for the document (impressao/documento_pdf_impl.h).
  struct TImpl;

  // Opens the first page of Largura x Altura millimetres. Titulo goes to the PDF's metadata,
  // and so does Criacao as its creation date (local time with the host's offset); with 0, the
  // date is the host clock's.
  TDocumentoPDF(double Largura, double Altura, const std::string& Titulo = "",
                TDateTime Criacao = 0);
  TDocumentoPDF(const TDocumentoPDF&) = delete;
  TDocumentoPDF& operator=(const TDocumentoPDF&) = delete;
  ~TDocumentoPDF();

  double Largura() const { return FLargura; }
  double Altura() const { return FAltura; }
  // Pages so far, counting the open one.
  int Paginas() const { return FPaginas; }
  // Closes the open page and opens the next.
  void NovaPagina();

  // The outline of the box, lines Espessura millimetres wide.
  void Retangulo(const TCaixaPDF& Caixa, double Espessura = 0.2);
  // The box filled with a grey level (0 black, 1 white).
  void Preencher(const TCaixaPDF& Caixa, double Cinza);
  void Linha(double X1, double Y1, double X2, double Y2, double Espessura = 0.2);

  // The height in millimetres that Texto takes wrapped to Largura in Fonte (at least one line).
  [[nodiscard]] double AlturaTexto(std::string_view Texto, const TFontePDF& Fonte,
                                   double Largura) const;
  // Draws Texto from the top of Caixa, wrapped at words (inside a word when one is wider than
  // the box) and aligned as asked; line breaks of the text are kept. When it does not fit, the
  // size steps down to TamanhoMinimo (the font's own size when 0); when it still does not
  // fit, the last line that fits ends in "…". Nothing is ever drawn outside the box. Returns
  // whether the whole text was drawn. Bytes that are not valid UTF-8 are read as Windows-1252.
  bool Texto(const TCaixaPDF& Caixa, std::string_view Texto, const TFontePDF& Fonte,
             TAlinhamentoPDF Alinhamento = TAlinhamentoPDF::Esquerda, double TamanhoMinimo = 0);
  // Texto in large light-grey letters across the page's diagonal (marks such as "SEM VALOR
  // FISCAL"), behind nothing: draw it last so it shows over filled boxes.
  void MarcaDagua(std::string_view Texto, double Tamanho);

  // Dados as a CODE-128 bar code filling Caixa, with clear margins of ten modules on each side
  // inside it. The encoder picks the code sets: C alone for an even run of digits, A/B/C mixed
  // otherwise. Throws ENivraDFeException when Dados cannot be encoded.
  void CodigoBarras128(const TCaixaPDF& Caixa, std::string_view Dados);
  // The image fitted inside Caixa keeping its proportion, centred (impressao/imagem_pdf.h).
  void Imagem(const TCaixaPDF& Caixa, const TImagemPDF& Imagem);
  // Dados as a QR code (error correction M) in a square of Lado millimetres at X, Y, with the
  // four-module quiet zone inside it. Throws ENivraDFeException when Dados cannot be encoded.
  void QRCode(double X, double Y, double Lado, std::string_view Dados);

  // Closes the document and returns the PDF's bytes; the object accepts no drawing afterwards.
  // Throws ENivraDFeException when Cairo failed.
  [[nodiscard]] std::string Terminar();
  // Closes the document and writes the PDF to Arquivo, replacing it whole or not at all.
  // Throws as Terminar, and ENivraDFeException naming the file when it cannot be written.
  void Salvar(const std::string& Arquivo);

 private:
  std::unique_ptr<TImpl> F;
  double FLargura;
  double FAltura;
  int FPaginas = 1;
};

}  // namespace nivra
