// An exact decimal amount as the layout writes it: a whole number of units of 10^-Casas, never
// binary floating point, so 0.1 + 0.2 is 0.3 and is written 0.30.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace nivra {

class TDecimal {
 public:
  __extension__ typedef __int128 TInteiro;

  // An empty amount: an optional field left out.
  TDecimal() = default;
  TDecimal(int valor)
      : TDecimal(static_cast<int64_t>(valor)) {}  // NOLINT(google-explicit-constructor)
  TDecimal(int64_t valor)
      : FUnidades(valor), FDefinido(true) {}  // NOLINT(google-explicit-constructor)
  // The decimal the number was written as (its shortest round-trip form: 0.1 is 1/10).
  // Throws ENivraDFeException for a number that is not finite.
  TDecimal(double valor);  // NOLINT(google-explicit-constructor)
  // The amount of the text ("12", "-0.5", "1234.5678"); throws ENivraDFeException when it is
  // not a decimal number with "." as separator or has more than 30 digits.
  TDecimal(const char* texto);  // NOLINT(google-explicit-constructor)
  explicit TDecimal(std::string_view texto);

  // The amount of the text, empty when it is not a decimal number (see the constructor).
  [[nodiscard]] static std::optional<TDecimal> Ler(std::string_view texto);

  // Whether no amount was given.
  [[nodiscard]] bool Vazio() const { return !FDefinido; }
  // The number of decimal places the amount carries (as read, or the larger of two operands).
  [[nodiscard]] int Casas() const { return FCasas; }
  // Digits before the separator (0 for amounts under 1).
  [[nodiscard]] int DigitosInteiros() const;
  [[nodiscard]] bool Zero() const { return FUnidades == 0; }

  // The amount rounded half away from zero to `casas` places (or given more places).
  [[nodiscard]] TDecimal Arredondado(int casas) const;
  // The text with exactly `casas` decimal places ("" when empty); rounds half away from zero.
  [[nodiscard]] std::string Texto(int casas) const;
  // The text with the places the amount carries.
  [[nodiscard]] std::string Texto() const { return Texto(FCasas); }

  // Empty operands count as zero. Products keep every place (up to 30 digits in all); throw
  // ENivraDFeException past that.
  friend TDecimal operator+(const TDecimal& a, const TDecimal& b);
  friend TDecimal operator-(const TDecimal& a, const TDecimal& b);
  friend TDecimal operator*(const TDecimal& a, const TDecimal& b);
  TDecimal& operator+=(const TDecimal& b) { return *this = *this + b; }
  // Equal amounts, whatever their places (1.5 == 1.50); empty equals only empty.
  friend bool operator==(const TDecimal& a, const TDecimal& b);

 private:
  TDecimal(TInteiro unidades, int casas) : FUnidades(unidades), FCasas(casas), FDefinido(true) {}
  // The units at `casas` places (casas >= FCasas).
  [[nodiscard]] TInteiro Em(int casas) const;

  TInteiro FUnidades = 0;
  int FCasas = 0;
  bool FDefinido = false;
};

}  // namespace nivra
