// The time stamp that begins the names of the files saved per request.
#pragma once

#include <string>

#include "util/datahora.h"

// The date-time as 14 digits, yyyymmddhhnnss (four-digit year, then two digits each).
[[nodiscard]] std::string CarimboDeTempo(TDateTime Valor);
