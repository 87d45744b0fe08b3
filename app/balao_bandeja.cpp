// The tray balloon's stored texts and its re-display rule.
#include "app/balao_bandeja.h"

#include <utility>

#include "nivranfe/util/caracteres.h"

namespace nivra {

TBalaoBandeja::TBalaoBandeja(TExibir exibir, std::function<void()> fechar)
    : FExibir(std::move(exibir)), FFechar(std::move(fechar)) {}

bool TBalaoBandeja::Armazenar(std::string& campo, const std::string& valor, std::size_t maximo) {
  std::u32string caracteres = DecodificarCaracteres(valor);
  if (caracteres.size() > maximo) caracteres.resize(maximo);
  std::string cortado = CodificarCaracteres(caracteres);
  if (cortado == campo) return false;
  campo = std::move(cortado);
  return true;
}

void TBalaoBandeja::SetTitulo(const std::string& titulo) {
  if (Armazenar(FTitulo, titulo, kMaxTitulo)) Reenviar();
}

void TBalaoBandeja::SetTexto(const std::string& texto) {
  if (Armazenar(FTexto, texto, kMaxTexto)) Reenviar();
}

void TBalaoBandeja::Enviar(TTipoBalao tipo) {
  if (FTexto.empty())
    FFechar();
  else
    FExibir(FTitulo, FTexto, tipo);
}

void TBalaoBandeja::Reenviar() {
  if (FJaMostrado) Enviar(FTipoExibido);
}

void TBalaoBandeja::Mostrar() {
  FJaMostrado = true;
  FTipoExibido = FTipo;
  Enviar(FTipoExibido);
}

void TBalaoBandeja::Exibir(const std::string& titulo, const std::string& texto, TTipoBalao tipo) {
  // Stored without re-sending: the display that follows shows them anyway, and a re-send
  // first would flash the old icon kind.
  Armazenar(FTitulo, titulo, kMaxTitulo);
  Armazenar(FTexto, texto, kMaxTexto);
  FTipo = tipo;
  Mostrar();
}

}  // namespace nivra
