// Text of the PDF: shaped and measured with Pango, wrapped inside its box, never overflowing.
#include <algorithm>
#include <cmath>
#include <memory>
#include <string>

#include "nivranfe/impressao/documento_pdf.h"
#include "nivranfe/impressao/documento_pdf_impl.h"
#include "nivranfe/util/caracteres.h"

namespace nivra {

namespace {

constexpr double kMmPorPonto = 25.4 / 72.0;
// Half a hundredth of a millimetre: rounding in Pango units must not count as overflow.
constexpr double kFolga = 0.005;

// Shaped texts kept per document; past this many the store starts again, so a long document's
// memory stays bounded.
constexpr size_t kLayoutsGuardados = 1024;

struct TLiberaFonte {
  void operator()(PangoFontDescription* f) const { pango_font_description_free(f); }
};

// User units are millimetres, so the size in points is converted (in Pango units).
int TamanhoPango(double tamanho) {
  return static_cast<int>(std::round(tamanho * kMmPorPonto * PANGO_SCALE));
}

PangoAlignment AlinhamentoPango(TAlinhamentoPDF alinhamento) {
  return alinhamento == TAlinhamentoPDF::Centro    ? PANGO_ALIGN_CENTER
         : alinhamento == TAlinhamentoPDF::Direita ? PANGO_ALIGN_RIGHT
                                                   : PANGO_ALIGN_LEFT;
}

TLayoutPango CriarLayout(PangoContext* contexto, std::string_view texto, const TFontePDF& fonte,
                         double tamanho, double largura, TAlinhamentoPDF alinhamento) {
  TLayoutPango layout(pango_layout_new(contexto));
  const std::string utf8 = UTF8Valido(texto);
  pango_layout_set_text(layout.get(), utf8.data(), static_cast<int>(utf8.size()));
  std::unique_ptr<PangoFontDescription, TLiberaFonte> descricao(pango_font_description_new());
  pango_font_description_set_family(descricao.get(), fonte.Familia.c_str());
  pango_font_description_set_weight(descricao.get(),
                                    fonte.Negrito ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
  pango_font_description_set_absolute_size(descricao.get(), TamanhoPango(tamanho));
  pango_layout_set_font_description(layout.get(), descricao.get());
  if (largura > 0) {
    pango_layout_set_width(layout.get(), static_cast<int>(largura * PANGO_SCALE));
    pango_layout_set_wrap(layout.get(), PANGO_WRAP_WORD_CHAR);
  }
  pango_layout_set_alignment(layout.get(), AlinhamentoPango(alinhamento));
  return layout;
}

// The layout of `texto` as CriarLayout makes it, shaped once per document. The layout belongs
// to the store and lives until the next call; it must not be changed.
PangoLayout* LayoutGuardado(TDocumentoPDF::TImpl& impl, std::string_view texto,
                            const TFontePDF& fonte, double tamanho, double largura,
                            TAlinhamentoPDF alinhamento) {
  // What decides the layout, in the units Pango receives it.
  const int numeros[] = {TamanhoPango(tamanho), fonte.Negrito ? 1 : 0,
                         largura > 0 ? static_cast<int>(largura * PANGO_SCALE) : -1,
                         static_cast<int>(alinhamento)};
  std::string chave(reinterpret_cast<const char*>(numeros), sizeof numeros);
  chave.append(fonte.Familia).push_back('\0');
  chave.append(texto);
  auto guardado = impl.Layouts.find(chave);
  if (guardado != impl.Layouts.end()) return guardado->second.get();
  if (impl.Layouts.size() >= kLayoutsGuardados) impl.Layouts.clear();
  return impl.Layouts
      .emplace(std::move(chave),
               CriarLayout(impl.Pango.get(), texto, fonte, tamanho, largura, alinhamento))
      .first->second.get();
}

double AlturaLayout(PangoLayout* layout) {
  int largura = 0;
  int altura = 0;
  pango_layout_get_size(layout, &largura, &altura);
  return static_cast<double>(altura) / PANGO_SCALE;
}

// Keeps the lines that fit in `altura` and ends the last of them in "…", so the PDF holds only
// the text that shows (an ellipsis made by Pango would keep the cut text behind it).
void CortarComReticencias(PangoLayout* layout, double altura) {
  int cabem = 0;
  PangoLayoutIter* linhas = pango_layout_get_iter(layout);
  do {
    PangoRectangle logico;
    pango_layout_iter_get_line_extents(linhas, nullptr, &logico);
    if (static_cast<double>(logico.y + logico.height) / PANGO_SCALE > altura + kFolga) break;
    ++cabem;
  } while (pango_layout_iter_next_line(linhas));
  pango_layout_iter_free(linhas);
  // Even a box lower than one line shows the start of the text, clipped.
  const PangoLayoutLine* primeiraFora = pango_layout_get_line_readonly(layout, std::max(cabem, 1));
  std::string visivel(
      pango_layout_get_text(layout),
      primeiraFora != nullptr ? static_cast<size_t>(primeiraFora->start_index) : std::string::npos);
  for (;;) {
    while (!visivel.empty() && (visivel.back() == ' ' || visivel.back() == '\n'))
      visivel.pop_back();
    const std::string texto = visivel + "…";
    pango_layout_set_text(layout, texto.data(), static_cast<int>(texto.size()));
    if (visivel.empty() || AlturaLayout(layout) <= std::max(altura, 0.0) + kFolga ||
        pango_layout_get_line_count(layout) <= 1)
      return;
    // One character less (a whole UTF-8 sequence) until the ellipsis fits on the last line.
    while (!visivel.empty()) {
      const auto byte = static_cast<unsigned char>(visivel.back());
      visivel.pop_back();
      if ((byte & 0xC0) != 0x80) break;
    }
  }
}

}  // namespace

double TDocumentoPDF::AlturaTexto(std::string_view Texto, const TFontePDF& Fonte,
                                  double Largura) const {
  (void)ContextoAberto(*F);
  return AlturaLayout(
      LayoutGuardado(*F, Texto, Fonte, Fonte.Tamanho, Largura, TAlinhamentoPDF::Esquerda));
}

bool TDocumentoPDF::Texto(const TCaixaPDF& Caixa, std::string_view Texto, const TFontePDF& Fonte,
                          TAlinhamentoPDF Alinhamento, double TamanhoMinimo) {
  cairo_t* c = ContextoAberto(*F);
  if (Texto.empty()) return true;  // nothing to shape: empty cells are common in tables
  const double minimo = TamanhoMinimo > 0 ? std::min(TamanhoMinimo, Fonte.Tamanho) : Fonte.Tamanho;
  constexpr double kPasso = 0.25;
  double tamanho = Fonte.Tamanho;
  PangoLayout* layout = LayoutGuardado(*F, Texto, Fonte, tamanho, Caixa.Largura, Alinhamento);
  while (AlturaLayout(layout) > Caixa.Altura + kFolga && tamanho - kPasso >= minimo - 1e-9) {
    tamanho -= kPasso;
    layout = LayoutGuardado(*F, Texto, Fonte, tamanho, Caixa.Largura, Alinhamento);
  }
  const bool coube = AlturaLayout(layout) <= Caixa.Altura + kFolga;
  // The cut changes the text: it works on a copy, the stored layout stays whole.
  TLayoutPango cortado;
  if (!coube) {
    cortado.reset(pango_layout_copy(layout));
    layout = cortado.get();
    CortarComReticencias(layout, Caixa.Altura);
  }
  // Only a box lower than one line needs clipping; every other text was fitted above, and a
  // clip path per text would weigh on every page.
  const bool recortar = AlturaLayout(layout) > Caixa.Altura + kFolga;
  cairo_save(c);
  if (recortar) {
    cairo_rectangle(c, Caixa.X, Caixa.Y, Caixa.Largura, Caixa.Altura);
    cairo_clip(c);
  }
  cairo_set_source_rgb(c, 0, 0, 0);
  cairo_move_to(c, Caixa.X, Caixa.Y);
  pango_cairo_show_layout(c, layout);
  cairo_restore(c);
  VerificarCairo(c);
  return coube;
}

void TDocumentoPDF::MarcaDagua(std::string_view Texto, double Tamanho) {
  cairo_t* c = ContextoAberto(*F);
  const TLayoutPango layout =
      CriarLayout(F->Pango.get(), Texto, {"Liberation Serif", Tamanho, true}, Tamanho, 0,
                  TAlinhamentoPDF::Centro);
  int largura = 0;
  int altura = 0;
  pango_layout_get_size(layout.get(), &largura, &altura);
  cairo_save(c);
  cairo_translate(c, FLargura / 2, FAltura / 2);
  cairo_rotate(c, -std::atan2(FAltura, FLargura));
  cairo_set_source_rgba(c, 0.55, 0.55, 0.55, 0.45);
  cairo_move_to(c, -static_cast<double>(largura) / PANGO_SCALE / 2,
                -static_cast<double>(altura) / PANGO_SCALE / 2);
  pango_cairo_update_layout(c, layout.get());
  pango_cairo_show_layout(c, layout.get());
  cairo_restore(c);
  VerificarCairo(c);
}

}  // namespace nivra
