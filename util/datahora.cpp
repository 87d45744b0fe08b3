// Conversions between date-times and calendar fields, the host clock and date formatting.
#include "nivranfe/util/datahora.h"

#include <chrono>
#include <cmath>
#include <cstdint>
#include <ctime>

#include "nivranfe/util/excecoes.h"
#include "nivranfe/util/texto.h"

namespace nivra {

namespace {

constexpr int64_t kMsPorDia = 86400000;

// Days from 1970-01-01 to the civil date (proleptic Gregorian calendar).
constexpr int64_t DiasDesdeEpoca(int64_t ano, int64_t mes, int64_t dia) {
  ano -= mes <= 2 ? 1 : 0;
  const int64_t era = (ano >= 0 ? ano : ano - 399) / 400;
  const int64_t anoDaEra = ano - era * 400;
  const int64_t diaDoAno = (153 * (mes + (mes > 2 ? -3 : 9)) + 2) / 5 + dia - 1;
  const int64_t diaDaEra = anoDaEra * 365 + anoDaEra / 4 - anoDaEra / 100 + diaDoAno;
  return era * 146097 + diaDaEra - 719468;
}

// The civil date of a day count from 1970-01-01.
void DataDeDias(int64_t dias, int& ano, int& mes, int& dia) {
  dias += 719468;
  const int64_t era = (dias >= 0 ? dias : dias - 146096) / 146097;
  const int64_t diaDaEra = dias - era * 146097;
  const int64_t anoDaEra =
      (diaDaEra - diaDaEra / 1460 + diaDaEra / 36524 - diaDaEra / 146096) / 365;
  const int64_t diaDoAno = diaDaEra - (365 * anoDaEra + anoDaEra / 4 - anoDaEra / 100);
  const int64_t mp = (5 * diaDoAno + 2) / 153;
  dia = static_cast<int>(diaDoAno - (153 * mp + 2) / 5 + 1);
  mes = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  ano = static_cast<int>(anoDaEra + era * 400 + (mes <= 2 ? 1 : 0));
}

// 1899-12-30, day 0 of TDateTime, counted from 1970-01-01. Computed at compile time: other
// files build constants from CodificarDataHora at start-up, before this file's own start-up
// code may have run.
constexpr int64_t kDiaZero = DiasDesdeEpoca(1899, 12, 30);

// The number with at least the given count of digits, zeros on the left.
std::string Numero(int valor, int digitos) {
  std::string texto = std::to_string(valor);
  if (static_cast<int>(texto.size()) < digitos) {
    texto.insert(0, static_cast<size_t>(digitos - static_cast<int>(texto.size())), '0');
  }
  return texto;
}

std::string FormatarComMascara(std::string_view mascara, TDateTime valor) {
  struct TCodigo {
    std::string_view Nome;
    int TCamposDataHora::*Campo;
    int Digitos;
  };
  // Longer codes first, so "yyyy" wins over "yy".
  static constexpr TCodigo kCodigos[] = {
      {"yyyy", &TCamposDataHora::Ano, 4},   {"zzz", &TCamposDataHora::Milissegundo, 3},
      {"dd", &TCamposDataHora::Dia, 2},     {"mm", &TCamposDataHora::Mes, 2},
      {"hh", &TCamposDataHora::Hora, 2},    {"nn", &TCamposDataHora::Minuto, 2},
      {"ss", &TCamposDataHora::Segundo, 2}, {"yy", &TCamposDataHora::Ano, 2}};
  const TCamposDataHora campos = DecodificarDataHora(valor);
  std::string resultado;
  size_t i = 0;
  while (i < mascara.size()) {
    const TCodigo* achado = nullptr;
    for (const TCodigo& codigo : kCodigos) {
      if (mascara.size() - i >= codigo.Nome.size() &&
          IguaisSemCaixa(mascara.substr(i, codigo.Nome.size()), codigo.Nome)) {
        achado = &codigo;
        break;
      }
    }
    if (achado == nullptr) {
      resultado.push_back(mascara[i++]);
      continue;
    }
    int numero = campos.*(achado->Campo);
    if (achado->Nome == "yy") numero %= 100;
    resultado += Numero(numero, achado->Digitos);
    i += achado->Nome.size();
  }
  return resultado;
}

}  // namespace

TDateTime CodificarDataHora(int ano, int mes, int dia, int hora, int minuto, int segundo,
                            int milissegundo) {
  const auto dias = static_cast<double>(DiasDesdeEpoca(ano, mes, dia) - kDiaZero);
  const double fracao =
      (((hora * 60.0 + minuto) * 60.0 + segundo) * 1000.0 + milissegundo) / kMsPorDia;
  // Before day 0 the time of day still counts forwards from midnight (-1.25 is 06:00 of the
  // day before day 0), so the fraction is subtracted there.
  return dias < 0 ? dias - fracao : dias + fracao;
}

TCamposDataHora DecodificarDataHora(TDateTime valor) {
  // Beyond this many days from day 0 (some 27 million years) a value has no calendar form in
  // 32-bit years; such a value, like NaN or an infinity, is read as day 0.
  constexpr double kMaiorDia = 1e10;
  if (!(std::fabs(valor) < kMaiorDia)) return TCamposDataHora{};
  auto dias = static_cast<int64_t>(std::trunc(valor));
  auto ms = static_cast<int64_t>(
      std::llround(std::fabs(valor - static_cast<double>(dias)) * static_cast<double>(kMsPorDia)));
  if (ms >= kMsPorDia) {
    ms -= kMsPorDia;
    dias += valor < 0 ? -1 : 1;
  }
  TCamposDataHora campos;
  DataDeDias(dias + kDiaZero, campos.Ano, campos.Mes, campos.Dia);
  campos.Hora = static_cast<int>(ms / 3600000);
  campos.Minuto = static_cast<int>(ms / 60000 % 60);
  campos.Segundo = static_cast<int>(ms / 1000 % 60);
  campos.Milissegundo = static_cast<int>(ms % 1000);
  return campos;
}

TDateTime Agora() {
  const auto agora = std::chrono::system_clock::now();
  const std::time_t segundos = std::chrono::system_clock::to_time_t(agora);
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(agora.time_since_epoch() %
                                                                        std::chrono::seconds(1))
                      .count();
  std::tm local{};
  if (localtime_r(&segundos, &local) == nullptr) {
    throw ENivraDFeException("Não foi possível obter a data e hora local do sistema");
  }
  return CodificarDataHora(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                           local.tm_min, local.tm_sec, static_cast<int>(ms));
}

std::string FormatarDataHora(std::string_view mascara, TDateTime valor) {
  return FormatarComMascara(mascara.empty() ? "dd/mm/yyyy hh:nn:ss" : mascara, valor);
}

std::string FormatarData(std::string_view mascara, TDateTime valor) {
  return FormatarComMascara(mascara.empty() ? "dd/mm/yyyy" : mascara, valor);
}

}  // namespace nivra
