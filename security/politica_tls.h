// How the server side of a TLS connection is judged. The one place that decides it, so a
// stricter mode changes this file only.
#pragma once

#include <cstdint>

namespace nivra {

struct TPoliticaServidorTLS {
  bool VerificarCertificado;  // check the server certificate's chain and dates
  bool VerificarNome;         // check that the certificate names the host
  uint64_t OpcoesSSL;         // SSL_OP_* flags added to the TLS context
  int NivelSeguranca;         // OpenSSL security level; -1 keeps the library's
};

// The policy of a request. By default (`estrita` false) the server's certificate is accepted
// whatever its issuer, dates and name, and old servers connect (no secure renegotiation,
// renegotiating for the client certificate, 1024-bit DH keys, TLS 1.0 and 1.1). Strict: the
// chain, dates and host name are checked and the TLS library's own defaults apply.
[[nodiscard]] TPoliticaServidorTLS PoliticaServidorTLS(bool estrita);

}  // namespace nivra
