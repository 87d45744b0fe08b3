// Certificate data record and its owning list.
#include "nivranfe/security/dados_certificado.h"

#include <stdexcept>

#include "nivranfe/util/documentos.h"
#include "nivranfe/util/texto.h"

namespace nivra {

namespace {

constexpr std::string_view MarcaCN = "CN=";

// The text after the first "CN=" up to the first of the ends that occurs, tried in order; to
// the end of the text when none does. Empty without "CN=".
std::string CampoCN(std::string_view nome, std::initializer_list<std::string_view> fins) {
  const std::size_t cn = nome.find(MarcaCN);
  if (cn == std::string_view::npos) return {};
  const std::string_view resto = nome.substr(cn + MarcaCN.size());
  for (const std::string_view fim : fins) {
    const std::size_t posicao = resto.find(fim);
    if (posicao != std::string_view::npos) return std::string(resto.substr(0, posicao));
  }
  return std::string(resto);
}

}  // namespace

std::string NormalizarNumeroSerie(std::string_view valor) {
  std::string semEspacos(valor);
  SubstituirTodos(semEspacos, " ", "");
  return Aparar(Maiusculas(semEspacos));
}

void TDadosCertificado::Clear() { *this = TDadosCertificado(); }

void TDadosCertificado::SetSubjectName(const std::string& valor) {
  if (valor == FSubjectName) return;
  FSubjectName = valor;
  FRazaoSocial = GetRazaoSocialFromSubjectName(valor);
  FCNPJ = GetCNPJFromSubjectName(valor);
}

void TDadosCertificado::SetIssuerName(const std::string& valor) {
  if (valor == FIssuerName) return;
  FIssuerName = valor;
  FCertificadora = GetCertificadoraFromIssuerName(valor);
}

std::string TDadosCertificado::GetRazaoSocialFromSubjectName(std::string_view SubjectName) {
  return CampoCN(SubjectName, {":", ","});
}

std::string TDadosCertificado::GetCNPJFromSubjectName(std::string_view SubjectName) {
  const std::size_t cn = SubjectName.find(MarcaCN);
  if (cn == std::string_view::npos) return {};
  const std::size_t doisPontos = SubjectName.find(':', cn + MarcaCN.size());
  if (doisPontos == std::string_view::npos) return {};
  std::string cnpj = SomenteLetrasEDigitos(SubjectName.substr(doisPontos + 1, 14));
  return CNPJValido(cnpj) ? cnpj : std::string();
}

std::string TDadosCertificado::GetCertificadoraFromIssuerName(std::string_view SubjectName) {
  return Aparar(CampoCN(SubjectName, {"RFB", ","}));
}

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

}  // namespace nivra
