// What TDocumentoPDF keeps of Cairo, shared by the files that draw (private to impressao/).
#pragma once

#include <cairo-pdf.h>
#include <cairo.h>
#include <pango/pangocairo.h>

#include <memory>
#include <string>
#include <unordered_map>

#include "nivranfe/impressao/documento_pdf.h"

namespace nivra {

struct TLiberaSuperficie {
  void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct TLiberaContexto {
  void operator()(cairo_t* c) const { cairo_destroy(c); }
};

struct TLiberaObjetoG {
  void operator()(void* objeto) const { g_object_unref(objeto); }
};
using TLayoutPango = std::unique_ptr<PangoLayout, TLiberaObjetoG>;

struct TDocumentoPDF::TImpl {
  std::string Bytes;  // the PDF as Cairo writes it
  std::unique_ptr<cairo_surface_t, TLiberaSuperficie> Superficie;
  std::unique_ptr<cairo_t, TLiberaContexto> Contexto;
  // One Pango context for every text of the document, with metrics free of hinting so text
  // measures the same on every device.
  std::unique_ptr<PangoContext, TLiberaObjetoG> Pango;
  // Texts already shaped, by text, font, size, width and alignment (impressao/texto_pdf.cpp):
  // the cells of a printed table repeat their texts (titles on every sheet, units, codes, rates),
  // and shaping is most of the time a document takes.
  std::unordered_map<std::string, TLayoutPango> Layouts;
};

// The drawing context of an open document. Throws ENivraDFeException "Falha ao gerar o PDF:
// documento já terminado" once it was finished.
cairo_t* ContextoAberto(const TDocumentoPDF::TImpl& Impl);
// Throws ENivraDFeException "Falha ao gerar o PDF: " + Cairo's reason when the context failed.
void VerificarCairo(cairo_t* contexto);

}  // namespace nivra
