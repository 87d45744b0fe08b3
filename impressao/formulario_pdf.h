// Printed forms on a TDocumentoPDF: block titles and rows of titled boxes laid out from the
// top of the page down, the way fiscal documents are printed.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "nivranfe/impressao/documento_pdf.h"

namespace nivra {

// One box of a row: its title (printed in upper case), its value, its share of the row width.
struct TCampoPDF {
  std::string Titulo;
  std::string Valor;
  double Peso = 1;
  TAlinhamentoPDF Alinhamento = TAlinhamentoPDF::Esquerda;
};

// Sizes of a form's text, in points.
struct TEstiloFormulario {
  TFontePDF TituloBloco{"Liberation Serif", 7, true};
  TFontePDF TituloCampo{"Liberation Serif", 6, false};
  TFontePDF Valor{"Liberation Serif", 9, false};
  // Values shrink down to this size before they are cut.
  double ValorMinimo = 6;
};

// Lays rows out on the document from Y() downwards between the left and right margins. The
// document must outlive it.
class TFormularioPDF {
 public:
  TFormularioPDF(TDocumentoPDF& Documento, double Margem, TEstiloFormulario Estilo = {});

  TDocumentoPDF& Documento() { return FDocumento; }
  const TEstiloFormulario& Estilo() const { return FEstilo; }
  double Margem() const { return FMargem; }
  double LarguraUtil() const { return FDocumento.Largura() - 2 * FMargem; }
  // The top of the next row, in millimetres from the top of the page.
  double Y() const { return FY; }
  void SetY(double Valor) { FY = Valor; }
  // The height left down to the bottom margin.
  double AlturaRestante() const { return FDocumento.Altura() - FMargem - FY; }

  // The height a block title takes.
  double AlturaTituloBloco() const { return FAlturaTituloBloco + kDepoisTituloBloco; }
  // A block title (bold, upper case) above the next row.
  void TituloBloco(std::string_view Titulo);
  // One row of boxes Altura high sharing the width by their weights; each shows its title at
  // the top and its value below, wrapped and shrunk to fit its box.
  void LinhaCampos(const std::vector<TCampoPDF>& Campos, double Altura);
  // A full-width box with a title and a long text: as high as the text needs (at least
  // AlturaMinima), but never past the bottom margin, where the text shrinks or is cut.
  void CampoTexto(std::string_view Titulo, std::string_view Texto, double AlturaMinima);
  // Moves Y down.
  void Espaco(double Altura) { FY += Altura; }

 private:
  // Draws one titled box; the value starts below the title.
  void Campo(const TCaixaPDF& Caixa, const TCampoPDF& Campo);

  static constexpr double kDepoisTituloBloco = 1.0;

  TDocumentoPDF& FDocumento;
  double FMargem;
  TEstiloFormulario FEstilo;
  double FY;
  // Heights of one line of block title and of field title, measured once.
  double FAlturaTituloBloco;
  double FAlturaTituloCampo;
};

// The text with the letters upper-cased, accented ones too (titles are printed in capitals).
[[nodiscard]] std::string MaiusculasImpressao(std::string_view Texto);

}  // namespace nivra
