// The benchmarks of the NF-e document: building, writing and signing an invoice against
// OpenSSL signing alone with the same key, and reading a large nfeProc against libxml2
// parsing the same bytes.
#pragma once

#include "bench/ambiente_bench.h"

namespace nivra {

// Registers documento_assinado, openssl_assinatura, documento_leitura and libxml2_leitura.
void RegistrarFigurasDocumento(const TAmbienteBench& ambiente);

}  // namespace nivra
