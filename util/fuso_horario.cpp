// Time-zone offsets of the UFs with the Brazilian summer-time season, the host's offset and the
// shared time-zone configuration.
#include "nivranfe/util/fuso_horario.h"

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <mutex>

#include "nivranfe/util/caracteres.h"
#include "nivranfe/util/excecoes.h"
#include "nivranfe/util/texto.h"
#include "nivranfe/util/uf.h"

namespace nivra {

namespace {

// "+hh:nn" or "-hh:nn" of an offset in seconds east of UTC.
std::string TextoDoDeslocamento(long segundos) {
  const char sinal = segundos < 0 ? '-' : '+';
  const long minutos = std::labs(segundos) / 60;
  std::string texto(1, sinal);
  texto += InteiroComZeros(static_cast<int32_t>(minutos / 60), 2);
  texto += ':';
  texto += InteiroComZeros(static_cast<int32_t>(minutos % 60), 2);
  return texto;
}

// Day of the week of a day count, 0 for Sunday (day 0, 1899-12-30, was a Saturday).
int DiaDaSemana(int64_t dia) { return static_cast<int>(((dia % 7) + 7 + 6) % 7); }

// The date of the third Sunday of the month.
TDateTime TerceiroDomingo(int ano, int mes) {
  const TDateTime primeiro = CodificarDataHora(ano, mes, 1);
  const int semana = DiaDaSemana(static_cast<int64_t>(primeiro));
  return primeiro + (7 - semana) % 7 + 14;
}

// Easter Sunday of the year (Gauss's rule for the Gregorian years 1900 to 2099).
TDateTime Pascoa(int ano) {
  const int g = ano % 19;
  const int j = ano % 4;
  const int k = ano % 7;
  const int d = (19 * g + 24) % 30;
  const int e = (2 * j + 4 * k + 6 * d + 5) % 7;
  if (d + e <= 9) return CodificarDataHora(ano, 3, 22 + d + e);
  return CodificarDataHora(ano, 4, d + e - 9);
}

// Guards the process-wide configuration: every request writes it before sending.
std::mutex& TravaFusoHorario() {
  static std::mutex trava;
  return trava;
}

bool Digito(char32_t c) { return c >= U'0' && c <= U'9'; }

// The number of two digit characters; false when either is not a digit.
bool DoisDigitos(char32_t dezena, char32_t unidade, int& valor) {
  if (!Digito(dezena) || !Digito(unidade)) return false;
  valor = static_cast<int>(dezena - U'0') * 10 + static_cast<int>(unidade - U'0');
  return true;
}

// Raises the message of the first rule a manual time-zone text breaks.
void ValidarTimeZone(const std::string& valor) {
  const std::u32string c = DecodificarCaracteres(valor);
  if (c.size() != 6) throw ENivraDFeException("Tamanho de TimeZone deve ser 6. Ex: -03:00");
  if (c[0] != U'+' && c[0] != U'-') {
    throw ENivraDFeException("Primeiro caractere deve ser \"+,-\". Ex: -03:00");
  }
  if (c[3] != U':') throw ENivraDFeException("Quarto caractere deve ser \":\". Ex: -03:00");
  int hora = 0;
  if (!DoisDigitos(c[1], c[2], hora) || (c[0] == U'-' ? -hora : hora) < -11 ||
      (c[0] == U'-' ? -hora : hora) > 14) {
    throw ENivraDFeException("Hora deve estar entre -11 a +14. Ex: -03:00");
  }
  int minuto = 0;
  if (!DoisDigitos(c[4], c[5], minuto) || minuto > 59) {
    throw ENivraDFeException("Minuto deve estar entre 0 a 59. Ex: -03:00");
  }
}

}  // namespace

void TTimeZoneConf::SetModoDeteccao(TTimeZoneModoDeteccao valor) {
  if (valor == FModoDeteccao) return;
  FModoDeteccao = valor;
  if (FModoDeteccao != TTimeZoneModoDeteccao::tzManual) {
    FTimeZoneStr.clear();
  } else if (FTimeZoneStr.empty()) {
    FTimeZoneStr = FusoHorarioSistema();
  }
}

void TTimeZoneConf::SetTimeZoneStr(const std::string& valor) {
  if (valor == FTimeZoneStr) return;
  if (FModoDeteccao != TTimeZoneModoDeteccao::tzManual) {
    FTimeZoneStr.clear();
    return;
  }
  if (Aparar(valor).empty()) {
    FTimeZoneStr = FusoHorarioSistema();
    return;
  }
  ValidarTimeZone(valor);
  FTimeZoneStr = valor;
}

void TTimeZoneConf::Assign(const TTimeZoneConf& origem) {
  FModoDeteccao = origem.FModoDeteccao;
  FTimeZoneStr = origem.FTimeZoneStr;
}

TTimeZoneConf& ConfiguracaoFusoHorario() {
  static TTimeZoneConf configuracao;
  return configuracao;
}

void DefinirConfiguracaoFusoHorario(const TTimeZoneConf& origem) {
  const std::lock_guard<std::mutex> trava(TravaFusoHorario());
  ConfiguracaoFusoHorario().Assign(origem);
}

std::string FusoHorarioSistema() {
  const std::time_t agora = std::time(nullptr);
  std::tm local{};
  if (agora == static_cast<std::time_t>(-1) || localtime_r(&agora, &local) == nullptr) {
    return TextoDoDeslocamento(0);
  }
  return TextoDoDeslocamento(local.tm_gmtoff);
}

std::string FusoHorarioSistema(TDateTime quando) {
  const TCamposDataHora campos = DecodificarDataHora(quando);
  std::tm local{};
  local.tm_year = campos.Ano - 1900;
  local.tm_mon = campos.Mes - 1;
  local.tm_mday = campos.Dia;
  local.tm_hour = campos.Hora;
  local.tm_min = campos.Minuto;
  local.tm_sec = campos.Segundo;
  local.tm_isdst = -1;  // let the host's rules tell whether daylight saving is in force
  // mktime also fills in the offset in force; -1 means it could not place the moment (or the
  // moment is the second before 1970 in UTC, whose offset the current one stands in for).
  if (std::mktime(&local) == static_cast<std::time_t>(-1)) return FusoHorarioSistema();
  return TextoDoDeslocamento(local.tm_gmtoff);
}

std::string FusoHorarioUF(std::string_view UF, TDateTime quando) {
  TTimeZoneConf configuracao;
  {
    const std::lock_guard<std::mutex> trava(TravaFusoHorario());
    configuracao.Assign(ConfiguracaoFusoHorario());
  }
  switch (configuracao.ModoDeteccao()) {
    case TTimeZoneModoDeteccao::tzSistema:
      // The offset in force at the document's own moment, so a date in another daylight-saving
      // period gets its own offset.
      return quando == 0 ? FusoHorarioSistema() : FusoHorarioSistema(quando);
    case TTimeZoneModoDeteccao::tzManual:
      return configuracao.TimeZoneStr();
    case TTimeZoneModoDeteccao::tzKOV:
      break;
  }
  const std::string_view sigla = (UF.empty() || UF == "90" || UF == "91") ? "DF" : UF;
  const TUFInfo* uf = BuscarUF(sigla);
  if (uf == nullptr) return "-03:00";
  if (!EmHorarioDeVerao(sigla, quando)) return std::string(uf->FusoHorario);
  if (uf->FusoHorario == "-04:00") return "-03:00";
  if (uf->FusoHorario == "-03:00") return "-02:00";
  return std::string(uf->FusoHorario);
}

bool EmHorarioDeVerao(std::string_view UF, TDateTime quando) {
  const TUFInfo* uf = BuscarUF(UF);
  if (uf == nullptr || !uf->HorarioDeVerao) return false;
  const TCamposDataHora campos = DecodificarDataHora(quando);
  const int primeiroAno = campos.Mes < 10 ? campos.Ano - 1 : campos.Ano;
  const int segundoAno = primeiroAno + 1;
  const TDateTime inicio = TerceiroDomingo(primeiroAno, 10);
  TDateTime fim = TerceiroDomingo(segundoAno, 2);
  if (fim == Pascoa(segundoAno) - 49) fim += 7;
  return inicio <= quando && quando <= fim;
}

}  // namespace nivra
