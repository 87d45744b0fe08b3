// Error codes of the crypto libraries as the component's messages show them.
#include "nivranfe/security/erro_openssl.h"

#include <openssl/err.h>

#include <cstdio>

namespace nivra {

std::string CodigoErro(std::uint64_t codigo) {
  char texto[9];
  std::snprintf(texto, sizeof texto, "%08X", static_cast<unsigned>(codigo & 0xFFFFFFFFU));
  return texto;
}

std::string UltimoErroOpenSSL() {
  const unsigned long codigo = ERR_get_error();
  ERR_clear_error();
  return CodigoErro(codigo);
}

}  // namespace nivra
