// Field formatting of the XML generator, one rule per field type.
#include "nivranfe/xml/formatacao_campo.h"

#include <cmath>
#include <string_view>

#include "nivranfe/util/caracteres.h"
#include "nivranfe/util/datahora.h"
#include "nivranfe/util/numeros.h"
#include "nivranfe/util/texto.h"
#include "nivranfe/xml/valor_campo.h"

namespace nivra {

namespace {

// The text completed on the left with "0" up to n characters; never shortened.
std::string PreencherZeros(const std::string& texto, int n) {
  if (NumeroDeCaracteres(texto) >= n) return texto;
  return CompletarEsquerda(texto, n, '0');
}

// As PreencherZeros, with the zeros after a leading minus sign so the text stays a number.
std::string PreencherNumero(const std::string& texto, int n) {
  if (!texto.empty() && texto.front() == '-') return "-" + PreencherZeros(texto.substr(1), n - 1);
  return PreencherZeros(texto, n);
}

// The value's text without blanks at its ends; a text value is copied once.
std::string TextoAparado(const TVariante& valor) {
  if (const auto* texto = std::get_if<std::string>(&valor)) return Aparar(*texto);
  return Aparar(VarianteParaTexto(valor));
}

int CasasDecimais(TkovTipoCampo Tipo) {
  switch (Tipo) {
    case TkovTipoCampo::tcDe3:
      return 3;
    case TkovTipoCampo::tcDe4:
      return 4;
    case TkovTipoCampo::tcDe6:
      return 6;
    case TkovTipoCampo::tcDe10:
      return 10;
    default:
      return 2;
  }
}

void FormatarDecimal(TkovTipoCampo Tipo, const TVariante& valor, int ocorrencias,
                     const TGeradorOpcoes& opcoes, TCampoFormatado& campo) {
  if (!opcoes.SuprimirDecimais()) {
    ++campo.Minimo;
    ++campo.Maximo;
  }
  const auto numero = VarianteParaDecimal(valor);
  if (!numero) {
    campo.Texto = PreencherNumero("0.00", campo.Minimo);
    campo.Vazio = ocorrencias == 0;
    return;
  }
  const bool inteiro = opcoes.SuprimirDecimais() && *numero == std::trunc(*numero);
  const std::string mascara =
      inteiro ? "0" : MascaraDecimal(static_cast<int16_t>(CasasDecimais(Tipo)), false);
  campo.Texto =
      PreencherNumero(DecimalParaTexto(opcoes.DecimalChar(), mascara, *numero), campo.Minimo);
  campo.Vazio = *numero == 0 && ocorrencias == 0;
}

// Date and time types: the mask of the text and whether only the time of day decides emptiness.
void FormatarDataHoraCampo(TkovTipoCampo Tipo, const TVariante& valor, TCampoFormatado& campo) {
  struct TRegra {
    TkovTipoCampo Tipo;
    std::string_view Mascara;
    bool SoHora;
  };
  static constexpr TRegra kRegras[] = {
      {TkovTipoCampo::tcDat, "yyyy-mm-dd", false},
      {TkovTipoCampo::tcDatCFe, "yyyymmdd", false},
      {TkovTipoCampo::tcDatHor, "yyyy-mm-ddThh:nn:ss", false},
      {TkovTipoCampo::tcHor, "hh:nn:ss", true},
      {TkovTipoCampo::tcHorCFe, "hhnnss", true},
      {TkovTipoCampo::tcDatVcto, "dd/mm/yyyy", false},
      {TkovTipoCampo::tcDatHorCFe, "yyyymmddhhnnss", false},
  };
  const TDateTime data = VarianteParaDataHora(valor);
  for (const TRegra& regra : kRegras) {
    if (regra.Tipo != Tipo) continue;
    campo.Texto = FormatarDataHora(regra.Mascara, data);
    if (regra.SoHora) {
      const TCamposDataHora campos = DecodificarDataHora(data);
      campo.Vazio = campos.Hora == 0 && campos.Minuto == 0 && campos.Segundo == 0;
    } else {
      campo.Vazio = std::trunc(data) == 0;
    }
    return;
  }
}

}  // namespace

int NumeroDeCaracteres(std::string_view texto) { return static_cast<int>(ContarCaracteres(texto)); }

TCampoFormatado FormatarCampo(TkovTipoCampo Tipo, const TVariante& valor, int min, int max,
                              int ocorrencias, const TGeradorOpcoes& opcoes) {
  TCampoFormatado campo;
  campo.Minimo = min;
  campo.Maximo = max;
  switch (Tipo) {
    case TkovTipoCampo::tcStr:
      campo.Texto = TextoAparado(valor);
      campo.Vazio = campo.Texto.empty();
      break;
    case TkovTipoCampo::tcStrOrig:
      campo.Texto = VarianteParaTexto(valor);
      campo.Vazio = campo.Texto.empty();
      break;
    case TkovTipoCampo::tcNumStr:
      campo.Texto = TextoAparado(valor);
      campo.Vazio = campo.Texto.empty();
      campo.Texto = PreencherZeros(campo.Texto, min);
      break;
    case TkovTipoCampo::tcEsp: {
      const std::string texto = VarianteParaTexto(valor);
      campo.Texto = Aparar(texto);
      campo.ConteudoInvalido = !TextoSoDeDigitos(campo.Texto);
      campo.Vazio = texto.empty();
      break;
    }
    case TkovTipoCampo::tcInt: {
      const auto numero = VarianteParaInteiro(valor);
      campo.Texto = PreencherNumero(std::to_string(numero.value_or(0)), min);
      campo.Vazio = numero.value_or(0) == 0 && ocorrencias == 0;
      break;
    }
    case TkovTipoCampo::tcDe2:
    case TkovTipoCampo::tcDe3:
    case TkovTipoCampo::tcDe4:
    case TkovTipoCampo::tcDe6:
    case TkovTipoCampo::tcDe10:
      FormatarDecimal(Tipo, valor, ocorrencias, opcoes, campo);
      break;
    case TkovTipoCampo::tcBoolStr:
      campo.Texto = VarianteParaLogico(valor) ? "true" : "false";
      break;
    default:
      FormatarDataHoraCampo(Tipo, valor, campo);
      break;
  }
  return campo;
}

}  // namespace nivra
