// CODE-128 bars from libzint's vector output and QR modules from libqrencode.
#include "nivranfe/impressao/codigos_barras.h"

#include <qrencode.h>
#include <zint.h>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <memory>
#include <string>

#include "nivranfe/util/excecoes.h"

namespace nivra {

namespace {

struct TLiberaSimbolo {
  void operator()(zint_symbol* s) const { ZBarcode_Delete(s); }
};
struct TLiberaQR {
  void operator()(QRcode* q) const { QRcode_free(q); }
};

}  // namespace

TCodigo128 Codificar128(std::string_view Dados) {
  std::unique_ptr<zint_symbol, TLiberaSimbolo> simbolo(ZBarcode_Create());
  if (!simbolo) throw ENivraDFeException("Código de barras não gerado: sem memória");
  simbolo->symbology = BARCODE_CODE128;
  simbolo->input_mode = DATA_MODE;
  simbolo->show_hrt = 0;
  const int erro = ZBarcode_Encode_and_Buffer_Vector(
      simbolo.get(), reinterpret_cast<const unsigned char*>(Dados.data()),
      static_cast<int>(Dados.size()), 0);
  if (erro >= ZINT_ERROR || simbolo->vector == nullptr)
    throw ENivraDFeException(std::string("Código de barras não gerado: ") + simbolo->errtxt);
  TCodigo128 codigo;
  codigo.Modulos = simbolo->width;
  // The vector output is scaled; one module is the whole width over the symbol's modules.
  const double modulo = simbolo->vector->width / simbolo->width;
  for (const zint_vector_rect* r = simbolo->vector->rectangles; r != nullptr; r = r->next) {
    codigo.Barras.push_back({static_cast<int>(std::lround(r->x / modulo)),
                             static_cast<int>(std::lround(r->width / modulo))});
  }
  return codigo;
}

TMatrizQR CodificarQR(std::string_view Dados) {
  if (Dados.empty()) throw ENivraDFeException("QR Code não gerado: conteúdo vazio");
  errno = 0;
  std::unique_ptr<QRcode, TLiberaQR> qr(
      QRcode_encodeData(static_cast<int>(Dados.size()),
                        reinterpret_cast<const unsigned char*>(Dados.data()), 0, QR_ECLEVEL_M));
  if (!qr)
    throw ENivraDFeException(std::string("QR Code não gerado: ") +
                             (errno == ERANGE ? "conteúdo longo demais" : std::strerror(errno)));
  TMatrizQR matriz;
  matriz.Lado = qr->width;
  matriz.Escuro.resize(static_cast<size_t>(qr->width) * qr->width);
  for (size_t i = 0; i < matriz.Escuro.size(); ++i) matriz.Escuro[i] = (qr->data[i] & 1) != 0;
  return matriz;
}

}  // namespace nivra
