// Time-zone rules: the offset of a UF (with the Brazilian summer time), the host's offset and the
// time-zone configuration shared by the process.
#pragma once

#include <string>
#include <string_view>

#include "nivranfe/util/datahora.h"

namespace nivra {

// Where the time-zone suffix of a document comes from.
enum class TTimeZoneModoDeteccao { tzSistema, tzKOV, tzManual };

// The time-zone configuration: the detection mode and, in manual mode, a fixed "-03:00" text.
class TTimeZoneConf {
 public:
  TTimeZoneConf() = default;

  [[nodiscard]] TTimeZoneModoDeteccao ModoDeteccao() const { return FModoDeteccao; }
  // Stores a changed mode; any mode but tzManual clears TimeZoneStr, and tzManual with an empty
  // TimeZoneStr fills it with FusoHorarioSistema. Never throws.
  void SetModoDeteccao(TTimeZoneModoDeteccao valor);

  [[nodiscard]] const std::string& TimeZoneStr() const { return FTimeZoneStr; }
  // Outside tzManual the text is cleared and the value dropped. An empty (trimmed) value stores
  // FusoHorarioSistema. Otherwise throws ENivraDFeException, leaving the stored value, unless
  // the value is a sign, two hour digits from -11 to +14, ":" and two minute digits below 60.
  void SetTimeZoneStr(const std::string& valor);

  // Copies both fields from origem as they are, without the setters' rules.
  void Assign(const TTimeZoneConf& origem);

 private:
  TTimeZoneModoDeteccao FModoDeteccao = TTimeZoneModoDeteccao::tzSistema;
  std::string FTimeZoneStr;
};

// The process-wide configuration read by FusoHorarioUF, created with the initial values on
// first use and kept to the end of the process. Changing it through the reference is for a
// single thread (set-up, tests); code that may run beside other queries uses
// DefinirConfiguracaoFusoHorario.
[[nodiscard]] TTimeZoneConf& ConfiguracaoFusoHorario();
// Copies origem into the process-wide configuration under its lock, so queries running at the
// same time each write it whole and FusoHorarioUF never reads half of a change. Never throws
// except on allocation.
void DefinirConfiguracaoFusoHorario(const TTimeZoneConf& origem);

// The host's offset from UTC now, daylight saving included, as "-03:00" ("+00:00" for UTC, and
// when the host cannot read its clock or zone). Never throws except on allocation.
[[nodiscard]] std::string FusoHorarioSistema();
// The host's offset from UTC in force at the local date-time quando; the offset now when the
// host cannot place that moment. Never throws except on allocation.
[[nodiscard]] std::string FusoHorarioSistema(TDateTime quando);

// The offset of the UF at the date-time, by the shared configuration's mode: the host's offset
// in force at quando, or now when quando is 0 (tzSistema); the UF table with summer time, where
// an empty UF, "90" and "91" mean "DF" and any other text gives "-03:00" (tzKOV); or the manual
// text (tzManual).
// Never throws.
[[nodiscard]] std::string FusoHorarioUF(std::string_view UF, TDateTime quando);

// True when the date-time lies in the summer-time season (third Sunday of October to the third
// Sunday of February, a week later when that is the Carnival Sunday) and the UF observes it.
[[nodiscard]] bool EmHorarioDeVerao(std::string_view UF, TDateTime quando);

}  // namespace nivra
