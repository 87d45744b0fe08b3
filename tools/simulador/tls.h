// TLS settings of sefaz-simulador: the server's certificate, the demand for a client
// certificate from one authority, and the TLS habits of some authorisers.
#pragma once

#include <openssl/ssl.h>

#include <string>

#include "tools/simulador/opcoes.h"

namespace nivra {

// Sets up the server context: certificate chain and key of --cert/--chave, the authority of
// --ca-clientes, and a client certificate demanded at the handshake (after the request when
// --renegociar; then TLS 1.2 only). --dh-1024 pins TLS 1.2 with DHE key exchange over a
// 1024-bit group; --recusar-http2 makes a client that offers HTTP/2 fail. Returns false and
// sets erro to a Portuguese message when a file does not load
// or OpenSSL refuses a setting.
[[nodiscard]] bool ConfigurarTLS(SSL_CTX& contexto, const TOpcoesSimulador& opcoes,
                                 std::string& erro);

// Asks the client of a TLS 1.2 connection for its certificate by renegotiating, and waits for
// the new handshake. Returns true when the connection now holds a client certificate that
// chains to the authority; false (the connection is then unusable) otherwise.
[[nodiscard]] bool RenegociarPedindoCertificado(SSL& conexao);

}  // namespace nivra
