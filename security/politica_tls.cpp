// The server policies: trust as the authorisers' users need it, or strict on request.
#include "nivranfe/security/politica_tls.h"

#include <openssl/ssl.h>

namespace nivra {

TPoliticaServidorTLS PoliticaServidorTLS(bool estrita) {
  if (estrita) return {true, true, 0, -1};
  // Authorisers run servers whose certificates chain to authorities the system does not ship
  // and whose TLS setup predates current defaults; the client certificate is what
  // authenticates the exchange.
  return {false, false, SSL_OP_LEGACY_SERVER_CONNECT | SSL_OP_ALLOW_UNSAFE_LEGACY_RENEGOTIATION, 0};
}

}  // namespace nivra
