// The exact decimal amount: parsing, rounding, arithmetic and text.
#include "nivranfe/documento/decimal.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

#include "nivranfe/util/excecoes.h"

namespace nivra {

namespace {

using TInteiro = TDecimal::TInteiro;

// Every amount stays within 30 digits, well inside the 38 of a 128-bit integer.
constexpr int kMaxDigitos = 30;

TInteiro Potencia(int casas) {
  TInteiro p = 1;
  for (int i = 0; i < casas; ++i) p *= 10;
  return p;
}

bool CabeEmDigitos(TInteiro valor) {
  const TInteiro limite = Potencia(kMaxDigitos);
  return valor < limite && valor > -limite;
}

int Digitos(TInteiro valor) {
  int n = 0;
  for (; valor != 0; valor /= 10) ++n;
  return n;
}

// The digits of `resto` written from the last back: at least one before the point, `casas`
// after it.
template <class TNatural>
void DigitosAoContrario(std::string& texto, TNatural resto, int casas) {
  for (int i = 0; resto > 0 || i <= casas; ++i, resto /= 10) {
    if (i == casas && casas > 0) texto += '.';
    texto += static_cast<char>('0' + static_cast<int>(resto % 10));
  }
}

}  // namespace

TDecimal::TDecimal(double valor) {
  if (!std::isfinite(valor)) throw ENivraDFeException("Valor decimal inválido");
  char texto[64];
  const auto fim = std::to_chars(texto, texto + sizeof(texto), valor, std::chars_format::fixed);
  *this = TDecimal(std::string_view(texto, static_cast<size_t>(fim.ptr - texto)));
}

TDecimal::TDecimal(const char* texto) : TDecimal(std::string_view(texto)) {}

TDecimal::TDecimal(std::string_view texto) {
  const auto lido = Ler(texto);
  if (!lido) throw ENivraDFeException("Valor decimal inválido: \"" + std::string(texto) + "\"");
  *this = *lido;
}

std::optional<TDecimal> TDecimal::Ler(std::string_view texto) {
  bool negativo = false;
  if (!texto.empty() && (texto.front() == '-' || texto.front() == '+')) {
    negativo = texto.front() == '-';
    texto.remove_prefix(1);
  }
  if (texto.empty()) return std::nullopt;
  TInteiro unidades = 0;
  int casas = 0;
  int digitos = 0;
  bool ponto = false;
  for (const char c : texto) {
    if (c == '.' && !ponto) {
      ponto = true;
      continue;
    }
    if (c < '0' || c > '9') return std::nullopt;
    if (++digitos > kMaxDigitos) return std::nullopt;
    unidades = unidades * 10 + (c - '0');
    if (ponto) ++casas;
  }
  if (digitos == 0 || texto.back() == '.') return std::nullopt;
  return TDecimal(negativo ? -unidades : unidades, casas);
}

int TDecimal::DigitosInteiros() const { return Digitos(FUnidades / Potencia(FCasas)); }

TDecimal::TInteiro TDecimal::Em(int casas) const { return FUnidades * Potencia(casas - FCasas); }

TDecimal TDecimal::Arredondado(int casas) const {
  if (!FDefinido) return {};
  if (casas >= FCasas) return {Em(casas), casas};
  const TInteiro divisor = Potencia(FCasas - casas);
  TInteiro q = FUnidades / divisor;
  const TInteiro resto = FUnidades % divisor;
  if (resto * 2 >= divisor) ++q;
  if (resto * 2 <= -divisor) --q;
  return {q, casas};
}

std::string TDecimal::Texto(int casas) const {
  if (!FDefinido) return {};
  const TInteiro unidades = Arredondado(casas).FUnidades;
  const TInteiro modulo = unidades < 0 ? -unidades : unidades;
  std::string texto;
  // Division in 64 bits where the amount fits, as most do: 128-bit division is a slow call.
  if (modulo <= std::numeric_limits<uint64_t>::max()) {
    DigitosAoContrario(texto, static_cast<uint64_t>(modulo), casas);
  } else {
    DigitosAoContrario(texto, modulo, casas);
  }
  if (unidades < 0) texto += '-';
  std::reverse(texto.begin(), texto.end());
  return texto;
}

TDecimal operator+(const TDecimal& a, const TDecimal& b) {
  const int casas = std::max(a.FCasas, b.FCasas);
  return {a.Em(casas) + b.Em(casas), casas};
}

TDecimal operator-(const TDecimal& a, const TDecimal& b) {
  const int casas = std::max(a.FCasas, b.FCasas);
  return {a.Em(casas) - b.Em(casas), casas};
}

TDecimal operator*(const TDecimal& a, const TDecimal& b) {
  // Two factors of up to 30 digits could overflow 128 bits; 36 digits together cannot.
  if (Digitos(a.FUnidades) + Digitos(b.FUnidades) > 36) {
    throw ENivraDFeException("Valor decimal grande demais");
  }
  const TInteiro produto = a.FUnidades * b.FUnidades;
  if (!CabeEmDigitos(produto)) throw ENivraDFeException("Valor decimal grande demais");
  return {produto, a.FCasas + b.FCasas};
}

bool operator==(const TDecimal& a, const TDecimal& b) {
  if (a.FDefinido != b.FDefinido) return false;
  const int casas = std::max(a.FCasas, b.FCasas);
  return a.Em(casas) == b.Em(casas);
}

}  // namespace nivra
