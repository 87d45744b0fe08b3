// Enumerations of the NF-e layouts and the conversions between their values and code texts.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "nivranfe/util/texto.h"

namespace nivra {

// The code of the last value of valores equal to valor (codigos and valores pair by position);
// empty when none is. Never throws.
template <typename T>
[[nodiscard]] std::string EnumParaTexto(T valor, std::span<const std::string_view> codigos,
                                        std::span<const T> valores) {
  std::string resultado;
  for (size_t i = 0; i < valores.size() && i < codigos.size(); ++i) {
    if (valores[i] == valor) resultado = std::string(codigos[i]);
  }
  return resultado;
}

// The value of the last code equal to texto ignoring letter case, with ok True; when no code
// matches, ok is False and the result is the first value. Never throws.
template <typename T>
[[nodiscard]] T TextoParaEnum(bool& ok, std::string_view texto,
                              std::span<const std::string_view> codigos,
                              std::span<const T> valores) {
  ok = false;
  T resultado = valores.empty() ? T{} : valores.front();
  for (size_t i = 0; i < codigos.size() && i < valores.size(); ++i) {
    if (IguaisSemCaixa(codigos[i], texto)) {
      ok = true;
      resultado = valores[i];
    }
  }
  return resultado;
}

// Environment of the authoriser.
enum class TkovTipoAmbiente { taProducao, taHomologacao };
// Emission type of a document.
enum class TkovTipoEmissao {
  teNormal,
  teContingencia,
  teSCAN,
  teDPEC,
  teFSDA,
  teSVCAN,
  teSVCRS,
  teSVCSP,
  teOffLine
};
// Document model.
enum class TkovModeloDF { moNFe, moNFCe };
// Layout version.
enum class TkovVersaoDF { ve200, ve300, ve310, ve400 };

// Event types, in the order of their folder names.
enum class TkovTpEvento {
  teCCe,
  teCancelamento,
  teManifDestConfirmacao,
  teManifDestCiencia,
  teManifDestDesconhecimento,
  teManifDestOperNaoRealizada,
  teEncerramento,
  teEPEC,
  teInclusaoCondutor,
  teMultiModal,
  teRegistroPassagem,
  teRegistroPassagemBRId,
  teEPECNFe,
  teRegistroCTe,
  teRegistroPassagemNFeCancelado,
  teRegistroPassagemNFeRFID,
  teCTeCancelado,
  teMDFeCancelado,
  teVistoriaSuframa,
  tePedProrrog1,
  tePedProrrog2,
  teCanPedProrrog1,
  teCanPedProrrog2,
  teEventoFiscoPP1,
  teEventoFiscoPP2,
  teEventoFiscoCPP1,
  teEventoFiscoCPP2,
  teRegistroPassagemNFe,
  teConfInternalizacao,
  teCTeAutorizado,
  teMDFeAutorizado,
  tePrestDesacordo,
  teGTV,
  teMDFeAutorizado2,
  teNaoEmbarque,
  teMDFeCancelado2
};

// "1" for production, "2" for homologation.
[[nodiscard]] std::string TipoAmbienteParaTexto(TkovTipoAmbiente valor);
// The environment of the code; taProducao with ok False for an unknown code.
[[nodiscard]] TkovTipoAmbiente TextoParaTipoAmbiente(bool& ok, std::string_view texto);

// "1" to "9" for teNormal to teOffLine.
[[nodiscard]] std::string TipoEmissaoParaTexto(TkovTipoEmissao valor);
// The emission type of the code; teNormal with ok False for an unknown code.
[[nodiscard]] TkovTipoEmissao TextoParaTipoEmissao(bool& ok, std::string_view texto);

// "55" for NF-e, "65" for NFC-e.
[[nodiscard]] std::string ModeloParaTexto(TkovModeloDF valor);
// The model of the code; moNFe with ok False for an unknown code.
[[nodiscard]] TkovModeloDF TextoParaModelo(bool& ok, std::string_view texto);
// "NFCe" for moNFCe, "NFe" for every other model.
[[nodiscard]] std::string ModeloParaPrefixo(TkovModeloDF valor);

// 2.00, 3.00, 3.10 or 4.00.
[[nodiscard]] double VersaoParaNumero(TkovVersaoDF valor);
// The version whose range holds the number (below 3.00 ve200, then ve300, ve310, and ve400 from
// 4.00 up); ok is always True.
[[nodiscard]] TkovVersaoDF NumeroParaVersao(bool& ok, double numero);

}  // namespace nivra
