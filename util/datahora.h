// Date-time values: days since 1899-12-30 with the time of day as the fraction.
#pragma once

#include <string>
#include <string_view>

namespace nivra {

// Local date-time; 0 means "no date".
using TDateTime = double;

// The calendar fields of a date-time.
struct TCamposDataHora {
  int Ano = 1899;
  int Mes = 12;
  int Dia = 30;
  int Hora = 0;
  int Minuto = 0;
  int Segundo = 0;
  int Milissegundo = 0;
};

// The date-time of the calendar fields (proleptic Gregorian calendar). Fields are not checked:
// callers pass a real date and time.
[[nodiscard]] TDateTime CodificarDataHora(int ano, int mes, int dia, int hora = 0, int minuto = 0,
                                          int segundo = 0, int milissegundo = 0);
// The calendar fields of the date-time, rounded to the millisecond. A value without a calendar
// form (NaN, an infinity, or more than 10^10 days from day 0) gives the fields of day 0.
[[nodiscard]] TCamposDataHora DecodificarDataHora(TDateTime valor);
// The current local date-time of the host. Throws ENivraDFeException when the host cannot turn
// its clock into a local date-time.
[[nodiscard]] TDateTime Agora();

// The date-time written by the mask, whose codes (any letter case) are dd, mm, yyyy, yy, hh, nn
// (minutes), ss and zzz (milliseconds); other characters are copied. The empty mask gives
// DD/MM/YYYY hh:nn:ss.
[[nodiscard]] std::string FormatarDataHora(std::string_view mascara, TDateTime valor);
// As FormatarDataHora; the empty mask gives the date alone, DD/MM/YYYY.
[[nodiscard]] std::string FormatarData(std::string_view mascara, TDateTime valor);

}  // namespace nivra
