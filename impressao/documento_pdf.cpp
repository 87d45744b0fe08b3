// The PDF surface, its pages, lines, boxes and codes.
#include "nivranfe/impressao/documento_pdf.h"

#include <string>

#include "nivranfe/impressao/codigos_barras.h"
#include "nivranfe/impressao/documento_pdf_impl.h"
#include "nivranfe/util/arquivos.h"
#include "nivranfe/util/excecoes.h"
#include "nivranfe/util/fuso_horario.h"

namespace nivra {

namespace {

constexpr double kPontosPorMm = 72.0 / 25.4;

cairo_status_t Acrescentar(void* destino, const unsigned char* dados, unsigned int tamanho) {
  static_cast<std::string*>(destino)->append(reinterpret_cast<const char*>(dados), tamanho);
  return CAIRO_STATUS_SUCCESS;
}

}  // namespace

void VerificarCairo(cairo_t* contexto) {
  const cairo_status_t estado = cairo_status(contexto);
  if (estado != CAIRO_STATUS_SUCCESS)
    throw ENivraDFeException(std::string("Falha ao gerar o PDF: ") +
                             cairo_status_to_string(estado));
}

TDocumentoPDF::TDocumentoPDF(double Largura, double Altura, const std::string& Titulo,
                             TDateTime Criacao)
    : F(std::make_unique<TImpl>()), FLargura(Largura), FAltura(Altura) {
  F->Superficie.reset(cairo_pdf_surface_create_for_stream(
      Acrescentar, &F->Bytes, Largura * kPontosPorMm, Altura * kPontosPorMm));
  F->Contexto.reset(cairo_create(F->Superficie.get()));
  VerificarCairo(F->Contexto.get());
  cairo_pdf_surface_set_metadata(F->Superficie.get(), CAIRO_PDF_METADATA_CREATOR, "NivraNFe");
  if (Criacao != 0) {
    const std::string data =
        FormatarDataHora("yyyy-mm-ddThh:nn:ss", Criacao) + FusoHorarioSistema(Criacao);
    cairo_pdf_surface_set_metadata(F->Superficie.get(), CAIRO_PDF_METADATA_CREATE_DATE,
                                   data.c_str());
  }
  if (!Titulo.empty())
    cairo_pdf_surface_set_metadata(F->Superficie.get(), CAIRO_PDF_METADATA_TITLE, Titulo.c_str());
  // From here on, user units are millimetres from the top-left corner.
  cairo_scale(F->Contexto.get(), kPontosPorMm, kPontosPorMm);
  F->Pango.reset(pango_cairo_create_context(F->Contexto.get()));
  cairo_font_options_t* opcoes = cairo_font_options_create();
  cairo_font_options_set_hint_metrics(opcoes, CAIRO_HINT_METRICS_OFF);
  cairo_font_options_set_hint_style(opcoes, CAIRO_HINT_STYLE_NONE);
  pango_cairo_context_set_font_options(F->Pango.get(), opcoes);
  cairo_font_options_destroy(opcoes);
  pango_context_set_round_glyph_positions(F->Pango.get(), FALSE);
}

TDocumentoPDF::~TDocumentoPDF() = default;

cairo_t* ContextoAberto(const TDocumentoPDF::TImpl& Impl) {
  if (!Impl.Contexto) throw ENivraDFeException("Falha ao gerar o PDF: documento já terminado");
  return Impl.Contexto.get();
}

void TDocumentoPDF::NovaPagina() {
  cairo_show_page(ContextoAberto(*F));
  VerificarCairo(ContextoAberto(*F));
  ++FPaginas;
}

void TDocumentoPDF::Retangulo(const TCaixaPDF& Caixa, double Espessura) {
  cairo_t* c = ContextoAberto(*F);
  cairo_set_source_rgb(c, 0, 0, 0);
  cairo_set_line_width(c, Espessura);
  cairo_rectangle(c, Caixa.X, Caixa.Y, Caixa.Largura, Caixa.Altura);
  cairo_stroke(c);
  VerificarCairo(c);
}

void TDocumentoPDF::Preencher(const TCaixaPDF& Caixa, double Cinza) {
  cairo_t* c = ContextoAberto(*F);
  cairo_set_source_rgb(c, Cinza, Cinza, Cinza);
  cairo_rectangle(c, Caixa.X, Caixa.Y, Caixa.Largura, Caixa.Altura);
  cairo_fill(c);
  VerificarCairo(c);
}

void TDocumentoPDF::Linha(double X1, double Y1, double X2, double Y2, double Espessura) {
  cairo_t* c = ContextoAberto(*F);
  cairo_set_source_rgb(c, 0, 0, 0);
  cairo_set_line_width(c, Espessura);
  cairo_move_to(c, X1, Y1);
  cairo_line_to(c, X2, Y2);
  cairo_stroke(c);
  VerificarCairo(c);
}

void TDocumentoPDF::CodigoBarras128(const TCaixaPDF& Caixa, std::string_view Dados) {
  const TCodigo128 codigo = Codificar128(Dados);
  constexpr int kMargem = 10;
  const double modulo = Caixa.Largura / (codigo.Modulos + 2 * kMargem);
  cairo_t* c = ContextoAberto(*F);
  cairo_set_source_rgb(c, 0, 0, 0);
  for (const TBarra128& barra : codigo.Barras)
    cairo_rectangle(c, Caixa.X + (kMargem + barra.Inicio) * modulo, Caixa.Y, barra.Largura * modulo,
                    Caixa.Altura);
  cairo_fill(c);
  VerificarCairo(c);
}

void TDocumentoPDF::QRCode(double X, double Y, double Lado, std::string_view Dados) {
  const TMatrizQR matriz = CodificarQR(Dados);
  constexpr int kMargem = 4;
  const double modulo = Lado / (matriz.Lado + 2 * kMargem);
  cairo_t* c = ContextoAberto(*F);
  cairo_set_source_rgb(c, 0, 0, 0);
  // Neighbouring squares overlap by a hair so no seam shows between them when rasterised.
  const double sobra = modulo * 0.02;
  for (int y = 0; y < matriz.Lado; ++y) {
    for (int x = 0; x < matriz.Lado; ++x) {
      if (!matriz.Escuro[static_cast<size_t>(y) * matriz.Lado + x]) continue;
      cairo_rectangle(c, X + (kMargem + x) * modulo, Y + (kMargem + y) * modulo, modulo + sobra,
                      modulo + sobra);
    }
  }
  cairo_fill(c);
  VerificarCairo(c);
}

std::string TDocumentoPDF::Terminar() {
  VerificarCairo(ContextoAberto(*F));
  F->Contexto.reset();
  cairo_surface_finish(F->Superficie.get());
  const cairo_status_t estado = cairo_surface_status(F->Superficie.get());
  F->Superficie.reset();
  if (estado != CAIRO_STATUS_SUCCESS)
    throw ENivraDFeException(std::string("Falha ao gerar o PDF: ") +
                             cairo_status_to_string(estado));
  return std::move(F->Bytes);
}

void TDocumentoPDF::Salvar(const std::string& Arquivo) {
  GravarArquivoAtomico(Arquivo, Terminar(), 0644);
}

}  // namespace nivra
