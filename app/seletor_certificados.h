// The rows of the certificate picker: the store's certificates that can sign for a company
// and have not expired, in the store's order.
#pragma once

#include <vector>

#include "app/interface_monitor.h"
#include "nivranfe/util/datahora.h"

namespace nivra {

class TListaCertificados;

// One row per certificate with a CNPJ whose expiry (`DataVenc`) is not before today's date
// (the date of `agora` at midnight), in list order. Validity is written as dd/mm/yyyy. Never
// throws except on allocation.
[[nodiscard]] std::vector<TLinhaCertificado> LinhasDoSeletor(const TListaCertificados& lista,
                                                             TDateTime agora);

}  // namespace nivra
