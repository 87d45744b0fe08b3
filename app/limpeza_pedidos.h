// Removing the old saved requests and answers of the status query from the monitor's
// documents folder.
#pragma once

#include <cstddef>
#include <ostream>
#include <string>

#include "nivranfe/util/datahora.h"

namespace nivra {

// Removes from `pasta` (not from its subfolders) the status query's saved files
// ("AAAAMMDDhhnnss-ped-sta.xml", "AAAAMMDDhhnnss-sta.xml" and their "-soap.xml" forms) whose
// time stamp is more than `dias` days before `agora`; any other file stays. `dias` <= 0 keeps
// everything. Returns how many were removed; a file or folder that cannot be read or removed
// gets a line in `registro`. Never throws except on allocation.
std::size_t LimparPedidosStatus(const std::string& pasta, TDateTime agora, int dias,
                                std::ostream& registro);

}  // namespace nivra
