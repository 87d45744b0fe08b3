// The libcurl exchange behind the request objects.
#include "nivranfe/security/requisicao_curl.h"

#include <openssl/ssl.h>

#include <mutex>

#include "nivranfe/security/erros_http.h"
#include "nivranfe/security/politica_tls.h"

namespace nivra {

namespace {

// libcurl's process-wide set-up, done once before the first handle.
void IniciarCurl() {
  static std::once_flag feito;
  std::call_once(feito, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// The slot of a TLS context that points at the exchange's TEstadoTLS.
int IndiceEstado() {
  static const int indice = SSL_CTX_get_ex_new_index(0, nullptr, nullptr, nullptr, nullptr);
  return indice;
}

// Records a fatal alert from the server (the TLS session was refused, whatever the socket
// error libcurl saw afterwards), a request for the client's certificate, and the version of a
// finished handshake.
void AoEventoTLS(const SSL* ssl, int onde, int valor) {
  auto* estado = static_cast<TRequisicaoCurl::TEstadoTLS*>(
      SSL_CTX_get_ex_data(SSL_get_SSL_CTX(ssl), IndiceEstado()));
  if (estado == nullptr) return;
  if ((onde & SSL_CB_READ_ALERT) != 0 && (valor >> 8) == SSL3_AL_FATAL) estado->AlertaFatal = true;
  if ((onde & SSL_CB_CONNECT_LOOP) != 0 && SSL_get_state(ssl) == TLS_ST_CR_CERT_REQ)
    estado->CertificadoPedido = true;
  if ((onde & SSL_CB_HANDSHAKE_DONE) != 0) estado->TLS13 = SSL_version(ssl) == TLS1_3_VERSION;
}

// Installs the client certificate and the server policy into a new TLS context.
CURLcode AoCriarContextoTLS(CURL*, void* contexto, void* dados) {
  auto* ctx = static_cast<SSL_CTX*>(contexto);
  auto* estado = static_cast<TRequisicaoCurl::TEstadoTLS*>(dados);
  if (SSL_CTX_set_ex_data(ctx, IndiceEstado(), estado) != 1) return CURLE_SSL_CONNECT_ERROR;
  SSL_CTX_set_info_callback(ctx, AoEventoTLS);
  // Called once the connection to the server stands.
  estado->Conectado = true;

  const TPoliticaServidorTLS politica = PoliticaServidorTLS(estado->Estrita);
  SSL_CTX_set_options(ctx, politica.OpcoesSSL);
  if (politica.NivelSeguranca >= 0) SSL_CTX_set_security_level(ctx, politica.NivelSeguranca);

  const TCertContext* certificado = estado->Certificado;
  if (certificado == nullptr || certificado->Certificado == nullptr) return CURLE_OK;
  if (certificado->ChavePrivada == nullptr) {
    estado->ErroCertificado = ErroHTTP::CertificadoSemChave;
    return CURLE_SSL_CERTPROBLEM;
  }
  if (SSL_CTX_use_certificate(ctx, certificado->Certificado) != 1) {
    estado->ErroCertificado = ErroHTTP::CanalSeguro;
    return CURLE_SSL_CERTPROBLEM;
  }
  // Also checks that the key belongs to the certificate; a token key is used through its
  // provider, never read.
  if (SSL_CTX_use_PrivateKey(ctx, certificado->ChavePrivada) != 1) {
    estado->ErroCertificado = ErroHTTP::ChavePrivadaInacessivel;
    return CURLE_SSL_CERTPROBLEM;
  }
  return CURLE_OK;
}

// Appends to the answer up to the cap; a longer answer ends the transfer.
size_t AoReceber(char* dados, size_t tamanho, size_t quantos, void* destino) {
  auto* recebimento = static_cast<TRequisicaoCurl::TRecebimento*>(destino);
  const size_t bytes = tamanho * quantos;
  if (recebimento->Resposta->size() + bytes > TRequisicaoCurl::TamanhoMaximoResposta) {
    recebimento->Excedida = true;
    return 0;
  }
  recebimento->Resposta->append(dados, bytes);
  return bytes;
}

// One TLS version as minimum and maximum (libcurl keeps both in one option word).
long Fixar(long minima, long maxima) { return minima | maxima; }

// Runs the option calls in order and returns the number of the first failure, or 0.
template <typename... TResultados>
uint32_t PrimeiraFalha(TResultados... resultados) {
  uint32_t codigo = 0;
  ((codigo = codigo != 0 ? codigo : CodigoErroHTTP(resultados)), ...);
  return codigo;
}

}  // namespace

TRequisicaoCurl::TRequisicaoCurl() {
  IniciarCurl();
  FCurl.reset(curl_easy_init());
}

TRequisicaoCurl::~TRequisicaoCurl() = default;

uint32_t TRequisicaoCurl::DefinirDestino(bool seguro, const std::string& host, int porta,
                                         const std::string& caminho, const std::string& agente) {
  const std::string hostURL = host.find(':') == std::string::npos ? host : "[" + host + "]";
  const std::string url = std::string(seguro ? "https://" : "http://") + hostURL + ":" +
                          std::to_string(porta) + caminho;
  CURL* curl = FCurl.get();
  return PrimeiraFalha(curl_easy_setopt(curl, CURLOPT_URL, url.c_str()),
                       curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https"),
                       curl_easy_setopt(curl, CURLOPT_PATH_AS_IS, 1L),
                       curl_easy_setopt(curl, CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_1),
                       curl_easy_setopt(curl, CURLOPT_POST, 1L),
                       curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 0L),
                       curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L),
                       curl_easy_setopt(curl, CURLOPT_USERAGENT, agente.c_str()));
}

uint32_t TRequisicaoCurl::DefinirProxy(const std::string& proxy, const std::string& usuario,
                                       const std::string& senha, const std::string& semProxy) {
  CURL* curl = FCurl.get();
  // An empty proxy also stops libcurl from reading the environment on its own.
  uint32_t codigo = PrimeiraFalha(curl_easy_setopt(curl, CURLOPT_PROXY, proxy.c_str()),
                                  curl_easy_setopt(curl, CURLOPT_NOPROXY, semProxy.c_str()));
  if (codigo == 0 && !proxy.empty() && !(usuario.empty() && senha.empty())) {
    codigo = PrimeiraFalha(curl_easy_setopt(curl, CURLOPT_PROXYUSERNAME, usuario.c_str()),
                           curl_easy_setopt(curl, CURLOPT_PROXYPASSWORD, senha.c_str()));
  }
  return codigo;
}

uint32_t TRequisicaoCurl::DefinirTimeOut(int ms) {
  CURL* curl = FCurl.get();
  // The whole exchange (connection, request and answer) ends at the time-out, to the
  // millisecond; a server that accepts and then drips or withholds its answer cannot stretch it.
  return PrimeiraFalha(curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(ms)),
                       curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, static_cast<long>(ms)));
}

uint32_t TRequisicaoCurl::DefinirVersaoTLS(TSSLType tipo) {
  long versao = CURL_SSLVERSION_DEFAULT;
  switch (tipo) {
    case TSSLType::LT_all:
    case TSSLType::LT_SSHv2:
      break;
    case TSSLType::LT_SSLv2:
    case TSSLType::LT_SSLv3:
      // Gone from the TLS library: no secure channel can be made with them.
      return ErroHTTP::CanalSeguro;
    case TSSLType::LT_TLSv1:
      versao = Fixar(CURL_SSLVERSION_TLSv1_0, CURL_SSLVERSION_MAX_TLSv1_0);
      break;
    case TSSLType::LT_TLSv1_1:
      versao = Fixar(CURL_SSLVERSION_TLSv1_1, CURL_SSLVERSION_MAX_TLSv1_1);
      break;
    case TSSLType::LT_TLSv1_2:
      versao = Fixar(CURL_SSLVERSION_TLSv1_2, CURL_SSLVERSION_MAX_TLSv1_2);
      break;
  }
  return CodigoErroHTTP(curl_easy_setopt(FCurl.get(), CURLOPT_SSLVERSION, versao));
}

uint32_t TRequisicaoCurl::DefinirTLS(const TCertContext* certificado, bool verificarServidor,
                                     const std::string& arquivoCA) {
  FEstadoTLS = TEstadoTLS{certificado};
  FEstadoTLS.Estrita = verificarServidor;
  const TPoliticaServidorTLS politica = PoliticaServidorTLS(verificarServidor);
  CURL* curl = FCurl.get();
  uint32_t codigo = PrimeiraFalha(
      curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, politica.VerificarCertificado ? 1L : 0L),
      curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, politica.VerificarNome ? 2L : 0L),
      curl_easy_setopt(curl, CURLOPT_SSL_CTX_FUNCTION, AoCriarContextoTLS),
      curl_easy_setopt(curl, CURLOPT_SSL_CTX_DATA, &FEstadoTLS));
  // A named bundle is the only trust: the system's certificate folder is left out.
  if (codigo == 0 && verificarServidor && !arquivoCA.empty()) {
    codigo = PrimeiraFalha(curl_easy_setopt(curl, CURLOPT_CAINFO, arquivoCA.c_str()),
                           curl_easy_setopt(curl, CURLOPT_CAPATH, nullptr));
  }
  return codigo;
}

uint32_t TRequisicaoCurl::DefinirCabecalhos(const std::vector<std::string>& linhas) {
  std::unique_ptr<curl_slist, LiberarLista> lista;
  auto acrescentar = [&lista](const char* linha) {
    curl_slist* nova = curl_slist_append(lista.get(), linha);
    if (nova == nullptr) return false;
    (void)lista.release();
    lista.reset(nova);
    return true;
  };
  for (const std::string& linha : linhas) {
    if (!acrescentar(linha.c_str())) return CodigoErroHTTP(CURLE_OUT_OF_MEMORY);
  }
  // A header named with no value removes libcurl's own.
  if (!acrescentar("Accept:") || !acrescentar("Expect:"))
    return CodigoErroHTTP(CURLE_OUT_OF_MEMORY);
  FCabecalhos = std::move(lista);
  return CodigoErroHTTP(curl_easy_setopt(FCurl.get(), CURLOPT_HTTPHEADER, FCabecalhos.get()));
}

uint32_t TRequisicaoCurl::Enviar(const std::string& corpo, std::string& resposta) {
  resposta.clear();
  TRecebimento recebimento{&resposta};
  FTamanhoCorpo = corpo.size();
  CURL* curl = FCurl.get();
  const uint32_t codigo = PrimeiraFalha(
      curl_easy_setopt(curl, CURLOPT_POSTFIELDS, corpo.data()),
      curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(corpo.size())),
      curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, AoReceber),
      curl_easy_setopt(curl, CURLOPT_WRITEDATA, &recebimento),
      // An announced length above the cap fails before any byte of the body is read.
      curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE,
                       static_cast<curl_off_t>(TamanhoMaximoResposta)));
  if (codigo != 0) return codigo;
  const CURLcode resultado = curl_easy_perform(curl);
  if (resultado == CURLE_OK) return 0;
  // A proxy that refused the tunnel answered: its status is the answer, as over plain HTTP.
  if (StatusProxy() != 0) return 0;
  if (recebimento.Excedida) return CodigoErroHTTP(CURLE_FILESIZE_EXCEEDED);
  if (FEstadoTLS.ErroCertificado != 0) return FEstadoTLS.ErroCertificado;
  const bool falhaDeRede = resultado == CURLE_SSL_CONNECT_ERROR || resultado == CURLE_RECV_ERROR ||
                           resultado == CURLE_SEND_ERROR || resultado == CURLE_GOT_NOTHING;
  // Under TLS 1.3 the server judges the client's certificate after the handshake, so its
  // refusal may reach a client that is already writing its request as a reset connection, the
  // alert lost with it. A connection dropped before any answer, by a server that asked for a
  // certificate, is that refusal: reported the same way however the race went.
  const bool certificadoRecusado =
      FEstadoTLS.CertificadoPedido && FEstadoTLS.TLS13 && StatusHTTP() == 0;
  if (falhaDeRede && (FEstadoTLS.AlertaFatal || certificadoRecusado)) return ErroHTTP::CanalSeguro;
  return CodigoErroHTTP(resultado);
}

uint32_t TRequisicaoCurl::StatusProxy() const {
  long status = 0;
  if (curl_easy_getinfo(FCurl.get(), CURLINFO_HTTP_CONNECTCODE, &status) != CURLE_OK) return 0;
  return status / 100 == 2 ? 0 : static_cast<uint32_t>(status);
}

uint32_t TRequisicaoCurl::StatusHTTP() const {
  long status = 0;
  if (curl_easy_getinfo(FCurl.get(), CURLINFO_RESPONSE_CODE, &status) != CURLE_OK) return 0;
  return status != 0 ? static_cast<uint32_t>(status) : StatusProxy();
}

TFaseRequisicao TRequisicaoCurl::Fase() const {
  CURL* curl = FCurl.get();
  curl_off_t conexao = 0;
  long tamanhoRequisicao = 0;
  curl_off_t enviado = 0;
  // An information that cannot be read counts as the step not reached.
  const bool conectado =
      FEstadoTLS.Conectado ||
      (curl_easy_getinfo(curl, CURLINFO_CONNECT_TIME_T, &conexao) == CURLE_OK && conexao > 0);
  if (!conectado) return TFaseRequisicao::Conexao;
  if (curl_easy_getinfo(curl, CURLINFO_REQUEST_SIZE, &tamanhoRequisicao) != CURLE_OK ||
      tamanhoRequisicao == 0)
    return TFaseRequisicao::EnvioRequisicao;
  if (curl_easy_getinfo(curl, CURLINFO_SIZE_UPLOAD_T, &enviado) != CURLE_OK ||
      static_cast<std::size_t>(enviado) < FTamanhoCorpo)
    return TFaseRequisicao::EnvioDados;
  return StatusHTTP() == 0 ? TFaseRequisicao::Recebimento : TFaseRequisicao::Leitura;
}

}  // namespace nivra
