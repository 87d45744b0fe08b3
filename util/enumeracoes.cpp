// Code texts of the environment, emission type, model and version enumerations.
#include "nivranfe/util/enumeracoes.h"

#include <array>

namespace nivra {

namespace {

using enum TkovTipoAmbiente;
using enum TkovTipoEmissao;
using enum TkovModeloDF;

constexpr std::array<std::string_view, 2> kCodigosAmbiente = {"1", "2"};
constexpr std::array<TkovTipoAmbiente, 2> kAmbientes = {taProducao, taHomologacao};

constexpr std::array<std::string_view, 9> kCodigosEmissao = {"1", "2", "3", "4", "5",
                                                             "6", "7", "8", "9"};
constexpr std::array<TkovTipoEmissao, 9> kEmissoes = {
    teNormal, teContingencia, teSCAN, teDPEC, teFSDA, teSVCAN, teSVCRS, teSVCSP, teOffLine};

constexpr std::array<std::string_view, 2> kCodigosModelo = {"55", "65"};
constexpr std::array<TkovModeloDF, 2> kModelos = {moNFe, moNFCe};

}  // namespace

std::string TipoAmbienteParaTexto(TkovTipoAmbiente valor) {
  return EnumParaTexto<TkovTipoAmbiente>(valor, kCodigosAmbiente, kAmbientes);
}

TkovTipoAmbiente TextoParaTipoAmbiente(bool& ok, std::string_view texto) {
  return TextoParaEnum<TkovTipoAmbiente>(ok, texto, kCodigosAmbiente, kAmbientes);
}

std::string TipoEmissaoParaTexto(TkovTipoEmissao valor) {
  return EnumParaTexto<TkovTipoEmissao>(valor, kCodigosEmissao, kEmissoes);
}

TkovTipoEmissao TextoParaTipoEmissao(bool& ok, std::string_view texto) {
  return TextoParaEnum<TkovTipoEmissao>(ok, texto, kCodigosEmissao, kEmissoes);
}

std::string ModeloParaTexto(TkovModeloDF valor) {
  return EnumParaTexto<TkovModeloDF>(valor, kCodigosModelo, kModelos);
}

TkovModeloDF TextoParaModelo(bool& ok, std::string_view texto) {
  return TextoParaEnum<TkovModeloDF>(ok, texto, kCodigosModelo, kModelos);
}

std::string ModeloParaPrefixo(TkovModeloDF valor) { return valor == moNFCe ? "NFCe" : "NFe"; }

double VersaoParaNumero(TkovVersaoDF valor) {
  switch (valor) {
    case TkovVersaoDF::ve200:
      return 2.00;
    case TkovVersaoDF::ve300:
      return 3.00;
    case TkovVersaoDF::ve310:
      return 3.10;
    case TkovVersaoDF::ve400:
      return 4.00;
  }
  return 0;
}

TkovVersaoDF NumeroParaVersao(bool& ok, double numero) {
  ok = true;
  if (numero < 3.00) return TkovVersaoDF::ve200;
  if (numero < 3.10) return TkovVersaoDF::ve300;
  if (numero < 4.00) return TkovVersaoDF::ve310;
  return TkovVersaoDF::ve400;
}

}  // namespace nivra
