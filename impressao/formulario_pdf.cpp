// Block titles and rows of titled boxes.
#include "nivranfe/impressao/formulario_pdf.h"

#include <algorithm>
#include <utility>

#include "nivranfe/util/caracteres.h"

namespace nivra {

namespace {

constexpr double kRespiro = 0.6;  // between a box's border and its text, in millimetres

}  // namespace

std::string MaiusculasImpressao(std::string_view Texto) {
  std::u32string caracteres = DecodificarCaracteres(Texto);
  for (char32_t& c : caracteres) {
    // a-z and the Latin-1 letters à-þ (except ÷) have their capital 32 code points lower.
    if ((c >= U'a' && c <= U'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) c -= 32;
  }
  return CodificarCaracteres(caracteres);
}

TFormularioPDF::TFormularioPDF(TDocumentoPDF& Documento, double Margem, TEstiloFormulario Estilo)
    : FDocumento(Documento),
      FMargem(Margem),
      FEstilo(std::move(Estilo)),
      FY(Margem),
      FAlturaTituloBloco(FDocumento.AlturaTexto("X", FEstilo.TituloBloco, LarguraUtil())),
      FAlturaTituloCampo(FDocumento.AlturaTexto("X", FEstilo.TituloCampo, LarguraUtil())) {}

void TFormularioPDF::TituloBloco(std::string_view Titulo) {
  FDocumento.Texto({FMargem, FY + 0.8, LarguraUtil(), FAlturaTituloBloco},
                   MaiusculasImpressao(Titulo), FEstilo.TituloBloco);
  FY += AlturaTituloBloco();
}

void TFormularioPDF::Campo(const TCaixaPDF& Caixa, const TCampoPDF& Campo) {
  FDocumento.Retangulo(Caixa);
  const double largura = Caixa.Largura - 2 * kRespiro;
  FDocumento.Texto({Caixa.X + kRespiro, Caixa.Y + kRespiro / 2, largura, FAlturaTituloCampo},
                   MaiusculasImpressao(Campo.Titulo), FEstilo.TituloCampo);
  const double topo = Caixa.Y + kRespiro / 2 + FAlturaTituloCampo;
  FDocumento.Texto({Caixa.X + kRespiro, topo, largura, Caixa.Y + Caixa.Altura - topo - 0.3},
                   Campo.Valor, FEstilo.Valor, Campo.Alinhamento, FEstilo.ValorMinimo);
}

void TFormularioPDF::LinhaCampos(const std::vector<TCampoPDF>& Campos, double Altura) {
  double pesos = 0;
  for (const TCampoPDF& c : Campos) pesos += c.Peso;
  double x = FMargem;
  for (const TCampoPDF& c : Campos) {
    const double largura = LarguraUtil() * c.Peso / pesos;
    Campo({x, FY, largura, Altura}, c);
    x += largura;
  }
  FY += Altura;
}

void TFormularioPDF::CampoTexto(std::string_view Titulo, std::string_view Texto,
                                double AlturaMinima) {
  const double largura = LarguraUtil() - 2 * kRespiro;
  const double necessaria = kRespiro / 2 + FAlturaTituloCampo +
                            FDocumento.AlturaTexto(Texto, FEstilo.Valor, largura) + 1.0;
  const double altura = std::min(std::max(AlturaMinima, necessaria), AlturaRestante());
  Campo({FMargem, FY, LarguraUtil(), altura}, {std::string(Titulo), std::string(Texto)});
  FY += altura;
}

}  // namespace nivra
