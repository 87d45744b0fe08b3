// One HTTP POST over libcurl: an easy handle for a single exchange, set up step by step by the
// request objects, with the client certificate installed in the TLS context and the server
// judged by the TLS policy.
#pragma once

#include <curl/curl.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "nivranfe/security/dfe_ssl_crypt.h"
#include "nivranfe/security/ssl_tipos.h"

namespace nivra {

// How far an exchange got before it failed.
enum class TFaseRequisicao {
  Conexao,          // no connection to the server (or proxy) was made
  EnvioRequisicao,  // connected, the request headers did not go out (TLS handshake included)
  EnvioDados,       // the headers went out, the body not whole
  Recebimento,      // the request went out, no answer status came back
  Leitura           // the answer's status came back, its body not whole
};

class TRequisicaoCurl {
 public:
  // Largest answer read, far above the largest real answer; a longer one fails the exchange
  // with libcurl's CURLE_FILESIZE_EXCEEDED.
  static constexpr std::size_t TamanhoMaximoResposta = std::size_t{64} << 20;

  // Opens the easy handle. `Aberta` tells whether that worked.
  TRequisicaoCurl();
  TRequisicaoCurl(const TRequisicaoCurl&) = delete;
  TRequisicaoCurl& operator=(const TRequisicaoCurl&) = delete;
  ~TRequisicaoCurl();

  [[nodiscard]] bool Aberta() const { return FCurl != nullptr; }

  // Each step returns 0 or the error number (see erros_http.h) of its failure.

  // HTTP/1.1 POST to `protocolo`://host:port`caminho` (the path sent as it is), with the user
  // agent; redirections are not followed.
  [[nodiscard]] uint32_t DefinirDestino(bool seguro, const std::string& host, int porta,
                                        const std::string& caminho, const std::string& agente);
  // A named proxy with optional credentials and the hosts it is bypassed for; an empty
  // `proxy` means a direct connection (the environment is not read by libcurl).
  [[nodiscard]] uint32_t DefinirProxy(const std::string& proxy, const std::string& usuario,
                                      const std::string& senha, const std::string& semProxy);
  // `ms` as the longest time of the whole exchange: connection (name resolution and TLS
  // handshake included), request and answer together end at `ms`.
  [[nodiscard]] uint32_t DefinirTimeOut(int ms);
  // Pins the TLS version of a single-version choice; `LT_all` and `LT_SSHv2` allow every
  // version the TLS library supports. SSL 2 and 3, which it lacks, fail as the secure channel.
  [[nodiscard]] uint32_t DefinirVersaoTLS(TSSLType tipo);
  // The server policy of politica_tls.h (strict when `verificarServidor`, trusting only the
  // bundle `arquivoCA` when one is named, else the system's authorities), and `certificado`
  // (when not null) as the client certificate; it must stay valid until `Enviar` returns. An
  // unverified server fails `Enviar` with ErroHTTP::CertificadoServidor.
  [[nodiscard]] uint32_t DefinirTLS(const TCertContext* certificado, bool verificarServidor = false,
                                    const std::string& arquivoCA = "");
  // The header lines (without line ends). Besides them only the user agent and Content-Length
  // are sent: libcurl's Accept and Expect are removed.
  [[nodiscard]] uint32_t DefinirCabecalhos(const std::vector<std::string>& linhas);

  // Posts `corpo` and puts the answer body into `resposta` (emptied first); answers 1xx are
  // skipped, chunked and connection-close bodies read whole. The status is in `StatusHTTP`; a
  // proxy that refuses the tunnel (407 asking for credentials) is an answer with its status and
  // no body, not a failure.
  [[nodiscard]] uint32_t Enviar(const std::string& corpo, std::string& resposta);

  // The final HTTP status of the last `Enviar`, the proxy's when it refused the tunnel; 0 when
  // none came.
  [[nodiscard]] uint32_t StatusHTTP() const;
  // How far the last `Enviar` got.
  [[nodiscard]] TFaseRequisicao Fase() const;

  // What the TLS context callback saw; public only for the callback.
  struct TEstadoTLS {
    const TCertContext* Certificado = nullptr;
    uint32_t ErroCertificado = 0;    // why the client certificate could not be installed
    bool AlertaFatal = false;        // the server ended the TLS session with a fatal alert
    bool Conectado = false;          // the TLS session began: the server was reached
    bool Estrita = false;            // the server is judged by the strict policy
    bool CertificadoPedido = false;  // the server asked for the client's certificate
    bool TLS13 = false;              // the handshake finished under TLS 1.3
  };
  // Where the write callback puts the answer; public only for the callback.
  struct TRecebimento {
    std::string* Resposta;
    bool Excedida = false;  // the answer went past TamanhoMaximoResposta
  };

 private:
  // The status with which a proxy refused the tunnel of the last `Enviar`; 0 when it did not.
  [[nodiscard]] uint32_t StatusProxy() const;

  struct LiberarCurl {
    void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
  };
  struct LiberarLista {
    void operator()(curl_slist* lista) const { curl_slist_free_all(lista); }
  };

  std::unique_ptr<CURL, LiberarCurl> FCurl;
  std::unique_ptr<curl_slist, LiberarLista> FCabecalhos;
  TEstadoTLS FEstadoTLS;
  std::size_t FTamanhoCorpo = 0;
};

}  // namespace nivra
