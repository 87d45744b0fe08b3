// Conversions of field values held in a TVariante.
#include "nivranfe/xml/valor_campo.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>

#include "nivranfe/util/excecoes.h"
#include "nivranfe/util/numeros.h"
#include "nivranfe/util/texto.h"

namespace nivra {

namespace {

// First day of year 1 and first day of year 10000: the date-times that have a calendar form.
const TDateTime kMenorDataHora = CodificarDataHora(1, 1, 1);
const TDateTime kLimiteDataHora = CodificarDataHora(10000, 1, 1);

bool DataHoraNoIntervalo(double valor) {
  return std::isfinite(valor) && valor >= kMenorDataHora && valor < kLimiteDataHora;
}

// The text forms of a date-time: letters Y M D h n s mark digits, every other character must
// stand as written.
constexpr std::array<std::string_view, 5> kFormas = {
    "YYYY-MM-DD", "YYYY-MM-DDThh:nn:ss", "DD/MM/YYYY", "DD/MM/YYYY hh:nn:ss", "hh:nn:ss"};

// The date-time of the text when it matches the form and is a real date and time.
std::optional<TDateTime> LerForma(std::string_view texto, std::string_view padrao) {
  if (texto.size() != padrao.size()) return std::nullopt;
  // Year, month, day, hour, minute, second; a form without a date keeps the null date.
  std::array<int, 6> campos = {1899, 12, 30, 0, 0, 0};
  constexpr std::string_view kLetras = "YMDhns";
  std::array<bool, 6> lidos{};
  for (size_t i = 0; i < padrao.size(); ++i) {
    const size_t campo = kLetras.find(padrao[i]);
    if (campo == std::string_view::npos) {
      if (texto[i] != padrao[i]) return std::nullopt;
      continue;
    }
    if (texto[i] < '0' || texto[i] > '9') return std::nullopt;
    if (!lidos[campo]) {
      campos[campo] = 0;
      lidos[campo] = true;
    }
    campos[campo] = campos[campo] * 10 + (texto[i] - '0');
  }
  return DataHoraValida(campos[0], campos[1], campos[2], campos[3], campos[4], campos[5]);
}

[[noreturn]] void ValorInvalido(const TVariante& valor, std::string_view tipo) {
  throw ENivraDFeException("Valor \"" + VarianteParaTexto(valor) + "\" não é " + std::string(tipo) +
                           " válido");
}

}  // namespace

std::string VarianteParaTexto(const TVariante& valor) {
  if (const auto* texto = std::get_if<std::string>(&valor)) return *texto;
  if (const auto* inteiro = std::get_if<int64_t>(&valor)) return std::to_string(*inteiro);
  if (const auto* numero = std::get_if<double>(&valor)) return DecimalParaTexto('.', "", *numero);
  if (const auto* data = std::get_if<TVarDataHora>(&valor)) {
    if (!DataHoraNoIntervalo(data->Valor)) return DecimalParaTexto('.', "", data->Valor);
    const bool temHora = data->Valor != std::trunc(data->Valor);
    return temHora ? FormatarDataHora("", data->Valor) : FormatarData("", data->Valor);
  }
  if (const auto* logico = std::get_if<bool>(&valor)) return *logico ? "True" : "False";
  return {};
}

std::optional<int32_t> VarianteParaInteiro(const TVariante& valor) {
  constexpr auto kMenor = std::numeric_limits<int32_t>::min();
  constexpr auto kMaior = std::numeric_limits<int32_t>::max();
  if (std::holds_alternative<std::monostate>(valor)) return 0;
  if (const auto* logico = std::get_if<bool>(&valor)) return *logico ? 1 : 0;
  if (const auto* inteiro = std::get_if<int64_t>(&valor)) {
    if (*inteiro < kMenor || *inteiro > kMaior) return std::nullopt;
    return static_cast<int32_t>(*inteiro);
  }
  if (const auto* texto = std::get_if<std::string>(&valor)) {
    const std::string limpo = Aparar(*texto);
    std::string_view digitos = limpo;
    const bool negativo = digitos.starts_with('-');
    if (negativo || digitos.starts_with('+')) digitos.remove_prefix(1);
    if (!TextoSoDeDigitos(digitos)) return std::nullopt;
    // Read with the minus sign, so that the most negative 32-bit value still fits.
    const std::string_view numero = negativo ? std::string_view(limpo) : digitos;
    int32_t resultado = 0;
    const auto [fim, erro] =
        std::from_chars(numero.data(), numero.data() + numero.size(), resultado);
    if (erro != std::errc() || fim != numero.data() + numero.size()) return std::nullopt;
    return resultado;
  }
  const double numero = std::holds_alternative<double>(valor) ? std::get<double>(valor)
                                                              : std::get<TVarDataHora>(valor).Valor;
  if (!std::isfinite(numero)) return std::nullopt;
  const double arredondado = std::round(numero);
  if (arredondado < kMenor || arredondado > kMaior) return std::nullopt;
  return static_cast<int32_t>(arredondado);
}

std::optional<double> VarianteParaDecimal(const TVariante& valor) {
  double numero = 0;
  if (const auto* texto = std::get_if<std::string>(&valor)) {
    numero = TextoParaDecimal(*texto, std::numeric_limits<double>::quiet_NaN());
  } else if (const auto* inteiro = std::get_if<int64_t>(&valor)) {
    numero = static_cast<double>(*inteiro);
  } else if (const auto* real = std::get_if<double>(&valor)) {
    numero = *real;
  } else if (const auto* data = std::get_if<TVarDataHora>(&valor)) {
    numero = data->Valor;
  } else if (const auto* logico = std::get_if<bool>(&valor)) {
    numero = *logico ? 1 : 0;
  }
  if (!std::isfinite(numero)) return std::nullopt;
  return numero;
}

TDateTime VarianteParaDataHora(const TVariante& valor) {
  if (std::holds_alternative<std::monostate>(valor)) return 0;
  if (const auto* texto = std::get_if<std::string>(&valor)) {
    const std::string limpo = Aparar(*texto);
    if (limpo.empty()) return 0;
    for (std::string_view forma : kFormas) {
      if (const auto data = LerForma(limpo, forma)) return *data;
    }
    ValorInvalido(valor, "uma data e hora");
  }
  double numero = 0;
  if (const auto* data = std::get_if<TVarDataHora>(&valor)) {
    numero = data->Valor;
  } else if (const auto* real = std::get_if<double>(&valor)) {
    numero = *real;
  } else if (const auto* inteiro = std::get_if<int64_t>(&valor)) {
    numero = static_cast<double>(*inteiro);
  } else {
    ValorInvalido(valor, "uma data e hora");
  }
  if (!DataHoraNoIntervalo(numero)) ValorInvalido(valor, "uma data e hora");
  return numero;
}

bool VarianteParaLogico(const TVariante& valor) {
  if (std::holds_alternative<std::monostate>(valor)) return false;
  if (const auto* logico = std::get_if<bool>(&valor)) return *logico;
  if (const auto* texto = std::get_if<std::string>(&valor)) {
    const std::string limpo = Maiusculas(Aparar(*texto));
    if (limpo == "TRUE") return true;
    if (limpo == "FALSE") return false;
    if (limpo.empty()) ValorInvalido(valor, "um valor lógico");
  }
  const auto numero = VarianteParaDecimal(valor);
  if (!numero) ValorInvalido(valor, "um valor lógico");
  return *numero != 0;
}

std::optional<TDateTime> DataHoraValida(int ano, int mes, int dia, int hora, int minuto,
                                        int segundo) {
  static constexpr std::array<int, 12> kDiasDoMes = {31, 28, 31, 30, 31, 30,
                                                     31, 31, 30, 31, 30, 31};
  if (ano < 1 || ano > 9999 || mes < 1 || mes > 12 || dia < 1) return std::nullopt;
  const bool bissexto = (ano % 4 == 0 && ano % 100 != 0) || ano % 400 == 0;
  const int diasDoMes = kDiasDoMes[static_cast<size_t>(mes - 1)] + (mes == 2 && bissexto ? 1 : 0);
  if (dia > diasDoMes) return std::nullopt;
  if (hora < 0 || hora > 23 || minuto < 0 || minuto > 59 || segundo < 0 || segundo > 59) {
    return std::nullopt;
  }
  return CodificarDataHora(ano, mes, dia, hora, minuto, segundo);
}

}  // namespace nivra
