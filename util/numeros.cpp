// Decimal formatting from the exact binary value of a double, and decimal parsing; neither
// depends on the process locale.
#include "nivranfe/util/numeros.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <system_error>

#include "nivranfe/util/excecoes.h"
#include "nivranfe/util/texto.h"

namespace nivra {

namespace {

// The exact decimal expansion of a finite double: its digits without leading zeros and the
// position of the decimal point counted from the first digit (value = 0.digits * 10^ponto).
struct TExpansao {
  bool Negativo = false;
  std::string Digitos;
  int Ponto = 0;
};

TExpansao ExpansaoExata(double valor) {
  TExpansao e;
  e.Negativo = std::signbit(valor);
  valor = std::fabs(valor);
  int expoente = 0;
  std::frexp(valor, &expoente);
  // A double is m * 2^(expoente - 53); its exact expansion needs that many fractional digits.
  const int decimais = std::max(0, 53 - expoente);
  std::string texto(static_cast<size_t>(decimais) + 330, '\0');
  const auto r = std::to_chars(texto.data(), texto.data() + texto.size(), valor,
                               std::chars_format::fixed, decimais);
  texto.resize(static_cast<size_t>(r.ptr - texto.data()));
  const size_t ponto = texto.find('.');
  const std::string inteiro = texto.substr(0, ponto);
  const std::string fracao = ponto == std::string::npos ? "" : texto.substr(ponto + 1);
  e.Digitos = inteiro + fracao;
  e.Ponto = static_cast<int>(inteiro.size());
  const size_t primeiro = e.Digitos.find_first_not_of('0');
  if (primeiro == std::string::npos) {
    e.Digitos.clear();
    e.Ponto = 0;
    return e;
  }
  e.Digitos.erase(0, primeiro);
  e.Ponto -= static_cast<int>(primeiro);
  const size_t ultimo = e.Digitos.find_last_not_of('0');
  e.Digitos.resize(ultimo + 1);
  return e;
}

// Keeps the first n digits, rounding the exact value to the nearest with halves away from zero:
// as the expansion is exact, a first dropped digit of 5 or more means at least half a unit.
void Arredondar(TExpansao& e, int n) {
  if (n < 0) {
    e.Digitos.clear();
    return;
  }
  if (static_cast<size_t>(n) >= e.Digitos.size()) return;
  const bool paraCima = e.Digitos[static_cast<size_t>(n)] >= '5';
  e.Digitos.resize(static_cast<size_t>(n));
  if (paraCima) {
    int i = n - 1;
    while (i >= 0 && e.Digitos[static_cast<size_t>(i)] == '9') {
      e.Digitos[static_cast<size_t>(i)] = '0';
      --i;
    }
    if (i >= 0) {
      ++e.Digitos[static_cast<size_t>(i)];
    } else {
      e.Digitos.insert(e.Digitos.begin(), '1');
      ++e.Ponto;
    }
  }
  const size_t ultimo = e.Digitos.find_last_not_of('0');
  e.Digitos.resize(ultimo == std::string::npos ? 0 : ultimo + 1);
  if (e.Digitos.empty()) e.Ponto = 0;
}

// The digit at position i of the expansion (0 is the first digit), "0" outside it.
char DigitoEm(const TExpansao& e, int i) {
  if (i < 0 || static_cast<size_t>(i) >= e.Digitos.size()) return '0';
  return e.Digitos[static_cast<size_t>(i)];
}

// The expansion written with a fixed number of decimals (after rounding to them).
std::string Fixo(TExpansao e, int decimais, char separador) {
  Arredondar(e, e.Ponto + decimais);
  std::string resultado;
  if (e.Negativo && !e.Digitos.empty()) resultado.push_back('-');
  if (e.Ponto <= 0) {
    resultado.push_back('0');
  } else {
    for (int i = 0; i < e.Ponto; ++i) resultado.push_back(DigitoEm(e, i));
  }
  if (decimais > 0) {
    resultado.push_back(separador);
    for (int i = 0; i < decimais; ++i) resultado.push_back(DigitoEm(e, e.Ponto + i));
  }
  return resultado;
}

// The general form with up to 15 significant digits: fixed notation while the integer part has
// at most 15 digits and the value is at least 0.00001, otherwise "d.dddE[-]x".
std::string Geral(TExpansao e, char separador) {
  constexpr int kPrecisao = 15;
  Arredondar(e, kPrecisao);
  if (e.Digitos.empty()) return "0";
  if (e.Ponto <= kPrecisao && e.Ponto > -5) {
    return Fixo(e, std::max(0, static_cast<int>(e.Digitos.size()) - e.Ponto), separador);
  }
  std::string resultado = e.Negativo ? "-" : "";
  resultado.push_back(e.Digitos[0]);
  if (e.Digitos.size() > 1) {
    resultado.push_back(separador);
    resultado.append(e.Digitos, 1);
  }
  return resultado + "E" + std::to_string(e.Ponto - 1);
}

// Decimals asked by a mask: the characters after its ".".
int DecimaisDaMascara(std::string_view mascara) {
  const size_t ponto = mascara.find('.');
  return ponto == std::string_view::npos ? 0 : static_cast<int>(mascara.size() - ponto - 1);
}

// Reads "[+-]digits[sep digits][e[+-]digits]" with "." or "," as sep; false when the text is not
// exactly that.
bool LerDecimal(std::string_view texto, double& valor) {
  std::string normalizado;
  size_t i = 0;
  if (i < texto.size() && (texto[i] == '+' || texto[i] == '-')) {
    if (texto[i] == '-') normalizado.push_back('-');
    ++i;
  }
  bool temDigito = false;
  bool temSeparador = false;
  for (; i < texto.size(); ++i) {
    const char c = texto[i];
    if (c >= '0' && c <= '9') {
      temDigito = true;
      normalizado.push_back(c);
    } else if ((c == '.' || c == ',') && !temSeparador) {
      temSeparador = true;
      normalizado.push_back('.');
    } else {
      break;
    }
  }
  if (!temDigito) return false;
  if (i < texto.size() && (texto[i] == 'e' || texto[i] == 'E')) {
    normalizado.push_back('e');
    ++i;
    if (i < texto.size() && (texto[i] == '+' || texto[i] == '-')) normalizado.push_back(texto[i++]);
    const size_t inicioExpoente = i;
    while (i < texto.size() && texto[i] >= '0' && texto[i] <= '9')
      normalizado.push_back(texto[i++]);
    if (i == inicioExpoente) return false;
  }
  if (i != texto.size()) return false;
  const auto r =
      std::from_chars(normalizado.data(), normalizado.data() + normalizado.size(), valor);
  return r.ec == std::errc() && r.ptr == normalizado.data() + normalizado.size();
}

}  // namespace

std::string MascaraDecimal(int16_t decimais, bool agruparMilhares) {
  if (decimais < 1) return "0";
  return std::string(agruparMilhares ? "," : "") + "0." +
         std::string(static_cast<size_t>(decimais), '0');
}

std::string DecimalParaTexto(char separador, std::string_view mascara, double valor) {
  // No digits can stand for these: writing "0" or "NAN" would put a wrong value in a document.
  if (!std::isfinite(valor)) throw ENivraDFeException("Valor numérico inválido: não é finito");
  const TExpansao e = ExpansaoExata(valor);
  if (mascara.empty()) return Geral(e, separador);
  return Fixo(e, DecimaisDaMascara(mascara), separador);
}

double TextoParaDecimal(std::string_view texto) {
  const std::string aparado = Aparar(texto);
  double valor = 0;
  if (!LerDecimal(aparado, valor)) {
    throw ENivraDFeException("\"" + aparado + "\" não é um valor numérico válido");
  }
  return valor;
}

double TextoParaDecimal(std::string_view texto, double padrao) {
  double valor = 0;
  return LerDecimal(Aparar(texto), valor) ? valor : padrao;
}

}  // namespace nivra
