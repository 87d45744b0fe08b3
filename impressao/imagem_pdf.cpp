// Decoding images (PNG through Cairo, JPEG through libjpeg) and drawing them on the PDF.
#include "nivranfe/impressao/imagem_pdf.h"

// clang-format off
#include <cstdio>  // jpeglib.h needs FILE declared first
#include <jpeglib.h>
// clang-format on

#include <algorithm>
#include <csetjmp>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "nivranfe/impressao/documento_pdf.h"
#include "nivranfe/impressao/documento_pdf_impl.h"
#include "nivranfe/util/excecoes.h"

namespace nivra {

struct TImagemPDF::TImpl {
  std::unique_ptr<cairo_surface_t, TLiberaSuperficie> Superficie;
};

namespace {

constexpr int kLadoMaximo = 8000;

void VerificarTamanho(long largura, long altura) {
  if (largura > kLadoMaximo || altura > kLadoMaximo)
    throw ENivraDFeException("Imagem grande demais (" + std::to_string(largura) + " x " +
                             std::to_string(altura) + " pixels; o limite é " +
                             std::to_string(kLadoMaximo) + " de cada lado).");
}

// The PNG's own size from its header, checked before Cairo decodes it.
void VerificarCabecalhoPNG(std::string_view bytes) {
  if (bytes.size() < 24) throw ENivraDFeException("Imagem PNG inválida: arquivo truncado");
  const auto numero = [bytes](std::size_t inicio) {
    long valor = 0;
    for (std::size_t i = inicio; i < inicio + 4; ++i)
      valor = valor * 256 + static_cast<unsigned char>(bytes[i]);
    return valor;
  };
  VerificarTamanho(numero(16), numero(20));
}

struct TLeituraPNG {
  std::string_view Bytes;
  std::size_t Posicao = 0;
};

cairo_status_t LerPNG(void* origem, unsigned char* destino, unsigned int tamanho) {
  auto& leitura = *static_cast<TLeituraPNG*>(origem);
  if (leitura.Bytes.size() - leitura.Posicao < tamanho) return CAIRO_STATUS_READ_ERROR;
  std::memcpy(destino, leitura.Bytes.data() + leitura.Posicao, tamanho);
  leitura.Posicao += tamanho;
  return CAIRO_STATUS_SUCCESS;
}

cairo_surface_t* DecodificarPNG(std::string_view bytes) {
  VerificarCabecalhoPNG(bytes);
  TLeituraPNG leitura{bytes};
  cairo_surface_t* superficie = cairo_image_surface_create_from_png_stream(LerPNG, &leitura);
  const cairo_status_t estado = cairo_surface_status(superficie);
  if (estado != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(superficie);
    throw ENivraDFeException(std::string("Imagem PNG inválida: ") + cairo_status_to_string(estado));
  }
  return superficie;
}

// libjpeg reports a failure by calling error_exit, which must not return: it jumps back to
// DecodificarJPEG with the message. Everything the jump crosses lives on the heap.
struct TLeituraJPEG {
  jpeg_decompress_struct Info{};
  jpeg_error_mgr Erros{};
  std::jmp_buf Retorno{};
  char Mensagem[JMSG_LENGTH_MAX] = {};
  std::vector<JSAMPLE> Linha;
  cairo_surface_t* Superficie = nullptr;
  bool Grande = false;
};

void SairDoJPEG(j_common_ptr info) {
  auto* leitura = static_cast<TLeituraJPEG*>(info->client_data);
  (*info->err->format_message)(info, leitura->Mensagem);
  std::longjmp(leitura->Retorno, 1);
}

void SemAvisos(j_common_ptr /*info*/, int /*nivel*/) {}

void DecodificarLinhas(TLeituraJPEG& l) {
  jpeg_decompress_struct& info = l.Info;
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  jpeg_calc_output_dimensions(&info);
  if (info.output_width > kLadoMaximo || info.output_height > kLadoMaximo) {
    l.Grande = true;
    return;
  }
  jpeg_start_decompress(&info);
  l.Superficie = cairo_image_surface_create(CAIRO_FORMAT_RGB24, static_cast<int>(info.output_width),
                                            static_cast<int>(info.output_height));
  if (cairo_surface_status(l.Superficie) != CAIRO_STATUS_SUCCESS)
    std::snprintf(l.Mensagem, sizeof l.Mensagem, "%s",
                  cairo_status_to_string(cairo_surface_status(l.Superficie)));
  if (l.Mensagem[0] != '\0') return;
  cairo_surface_flush(l.Superficie);
  unsigned char* pixels = cairo_image_surface_get_data(l.Superficie);
  const int passo = cairo_image_surface_get_stride(l.Superficie);
  l.Linha.resize(static_cast<std::size_t>(info.output_width) * 3);
  JSAMPROW linhas[1] = {l.Linha.data()};
  while (info.output_scanline < info.output_height) {
    auto* destino = reinterpret_cast<uint32_t*>(
        pixels + static_cast<std::ptrdiff_t>(info.output_scanline) * passo);
    jpeg_read_scanlines(&info, linhas, 1);
    const JSAMPLE* rgb = l.Linha.data();
    for (JDIMENSION x = 0; x < info.output_width; ++x, rgb += 3)
      destino[x] = 0xFF000000U | (uint32_t{rgb[0]} << 16) | (uint32_t{rgb[1]} << 8) | rgb[2];
  }
  jpeg_finish_decompress(&info);
  cairo_surface_mark_dirty(l.Superficie);
}

cairo_surface_t* DecodificarJPEG(std::string_view bytes) {
  auto leitura = std::make_unique<TLeituraJPEG>();
  leitura->Info.err = jpeg_std_error(&leitura->Erros);
  leitura->Erros.error_exit = SairDoJPEG;
  leitura->Erros.emit_message = SemAvisos;
  leitura->Info.client_data = leitura.get();
  jpeg_create_decompress(&leitura->Info);
  if (setjmp(leitura->Retorno) == 0) {
    jpeg_mem_src(&leitura->Info, reinterpret_cast<const unsigned char*>(bytes.data()),
                 static_cast<unsigned long>(bytes.size()));
    DecodificarLinhas(*leitura);
  }
  const long largura = leitura->Info.output_width;
  const long altura = leitura->Info.output_height;
  jpeg_destroy_decompress(&leitura->Info);
  if (leitura->Grande) VerificarTamanho(largura, altura);
  if (leitura->Mensagem[0] == '\0') return leitura->Superficie;
  if (leitura->Superficie != nullptr) cairo_surface_destroy(leitura->Superficie);
  throw ENivraDFeException(std::string("Imagem JPEG inválida: ") + leitura->Mensagem);
}

}  // namespace

TImagemPDF::TImagemPDF(std::string_view Bytes) : F(std::make_unique<TImpl>()) {
  if (Bytes.starts_with("\x89PNG\r\n\x1a\n")) {
    F->Superficie.reset(DecodificarPNG(Bytes));
  } else if (Bytes.starts_with("\xFF\xD8\xFF")) {
    F->Superficie.reset(DecodificarJPEG(Bytes));
    // The PDF embeds the JPEG itself instead of the decoded pixels: smaller, and untouched.
    void* copia = std::malloc(Bytes.size());
    if (copia != nullptr) {
      std::memcpy(copia, Bytes.data(), Bytes.size());
      if (cairo_surface_set_mime_data(F->Superficie.get(), CAIRO_MIME_TYPE_JPEG,
                                      static_cast<unsigned char*>(copia), Bytes.size(), std::free,
                                      copia) != CAIRO_STATUS_SUCCESS)
        std::free(copia);
    }
  } else {
    throw ENivraDFeException("Imagem em formato não suportado (use PNG ou JPEG).");
  }
  FLargura = cairo_image_surface_get_width(F->Superficie.get());
  FAltura = cairo_image_surface_get_height(F->Superficie.get());
  if (FLargura <= 0 || FAltura <= 0) throw ENivraDFeException("Imagem vazia (sem pixels).");
}

TImagemPDF::~TImagemPDF() = default;

void TDocumentoPDF::Imagem(const TCaixaPDF& Caixa, const TImagemPDF& Imagem) {
  const double escala = std::min(Caixa.Largura / Imagem.Largura(), Caixa.Altura / Imagem.Altura());
  const double largura = Imagem.Largura() * escala;
  const double altura = Imagem.Altura() * escala;
  cairo_t* c = ContextoAberto(*F);
  cairo_save(c);
  cairo_translate(c, Caixa.X + (Caixa.Largura - largura) / 2,
                  Caixa.Y + (Caixa.Altura - altura) / 2);
  cairo_scale(c, escala, escala);
  cairo_set_source_surface(c, Imagem.Impl().Superficie.get(), 0, 0);
  cairo_pattern_set_filter(cairo_get_source(c), CAIRO_FILTER_GOOD);
  cairo_paint(c);
  cairo_restore(c);
  VerificarCairo(c);
}

}  // namespace nivra
