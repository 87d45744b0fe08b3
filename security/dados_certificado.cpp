// Certificate data record and its owning list.
#include "security/dados_certificado.h"

#include <stdexcept>

#include "util/texto.h"

std::string NormalizarNumeroSerie(std::string_view valor) {
  std::string semEspacos(valor);
  SubstituirTodos(semEspacos, " ", "");
  return Aparar(Maiusculas(semEspacos));
}

void TDadosCertificado::Clear() { *this = TDadosCertificado(); }

TDadosCertificado& TListaCertificados::New() {
  FItens.push_back(std::make_unique<TDadosCertificado>());
  return *FItens.back();
}

std::size_t TListaCertificados::Add(std::unique_ptr<TDadosCertificado> obj) {
  if (!obj) throw std::invalid_argument("TListaCertificados.Add: registro nulo");
  FItens.push_back(std::move(obj));
  return FItens.size() - 1;
}

TDadosCertificado& TListaCertificados::Objects(std::size_t indice) { return *FItens.at(indice); }

const TDadosCertificado& TListaCertificados::Objects(std::size_t indice) const {
  return *FItens.at(indice);
}
