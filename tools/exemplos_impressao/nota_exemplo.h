// An authorised example invoice of any number of items, NF-e or NFC-e, for the documentation's
// pictures and the printing benchmarks.
#pragma once

#include "nivranfe/documento/documento_nfe.h"

namespace nivra {

// An NF-e (modelo "55") or NFC-e ("65") of `itens` products with its key and protocol, in
// homologation; an NF-e carries instalments, a carrier and volumes.
[[nodiscard]] TNFeLida NotaExemplo(int itens, const char* modelo = "55");

}  // namespace nivra
