// TLS settings of sefaz-simulador.
#include "tools/simulador/tls.h"

#include <openssl/dh.h>
#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/x509.h>
#include <sys/socket.h>
#include <sys/time.h>

#include <memory>

namespace nivra {

namespace {

constexpr int kExigirCertificado = SSL_VERIFY_PEER | SSL_VERIFY_FAIL_IF_NO_PEER_CERT;
// A renegotiation takes a handful of records; more reads than this mean it is stuck.
constexpr int kMaximoLeiturasRenegociacao = 64;

// OpenSSL's reason for the last failure, or the fallback text when the queue is empty.
std::string ErroOpenSSL() {
  const unsigned long codigo = ERR_get_error();
  ERR_clear_error();
  if (codigo == 0) {
    return "erro desconhecido";
  }
  char texto[256];
  ERR_error_string_n(codigo, texto, sizeof texto);
  return texto;
}

bool Falhar(std::string& erro, const std::string& oque) {
  erro = oque + ": " + ErroOpenSSL();
  return false;
}

struct TLiberarPKey {
  void operator()(EVP_PKEY* p) const { EVP_PKEY_free(p); }
};
struct TLiberarPKeyCtx {
  void operator()(EVP_PKEY_CTX* p) const { EVP_PKEY_CTX_free(p); }
};

// TLS 1.2 with only DHE key exchange over the 1024-bit group of RFC 5114, which needs OpenSSL's
// lowest security level to be offered at all.
bool ConfigurarDH1024(SSL_CTX& contexto, std::string& erro) {
  SSL_CTX_set_security_level(&contexto, 0);
  if (SSL_CTX_set_max_proto_version(&contexto, TLS1_2_VERSION) != 1 ||
      SSL_CTX_set_cipher_list(&contexto,
                              "DHE-RSA-AES128-GCM-SHA256:DHE-RSA-AES256-GCM-SHA384:"
                              "DHE-RSA-AES128-SHA:@SECLEVEL=0") != 1) {
    return Falhar(erro, "Não foi possível restringir o TLS a DHE");
  }
  const std::unique_ptr<EVP_PKEY_CTX, TLiberarPKeyCtx> gerador(
      EVP_PKEY_CTX_new_from_name(nullptr, "DH", nullptr));
  EVP_PKEY* parametros = nullptr;
  if (!gerador || EVP_PKEY_paramgen_init(gerador.get()) != 1 ||
      EVP_PKEY_CTX_set_group_name(gerador.get(), "dh_1024_160") != 1 ||
      EVP_PKEY_paramgen(gerador.get(), &parametros) != 1) {
    return Falhar(erro, "Não foi possível criar o grupo DH de 1024 bits");
  }
  std::unique_ptr<EVP_PKEY, TLiberarPKey> dono(parametros);
  if (SSL_CTX_set0_tmp_dh_pkey(&contexto, dono.get()) != 1) {
    return Falhar(erro, "O OpenSSL recusou o grupo DH de 1024 bits");
  }
  (void)dono.release();  // the context owns it now
  return true;
}

// Agrees to HTTP/2 when the client offers it, though the server speaks only HTTP/1.1: the
// client's HTTP/2 preface then fails, as against an authoriser that refuses HTTP/2. A client
// that offers only HTTP/1.1 gets no protocol agreed, as before.
int AceitarH2(SSL* /*conexao*/, const unsigned char** escolhido, unsigned char* tamanho,
              const unsigned char* oferta, unsigned int tamanhoOferta, void* /*dados*/) {
  static const unsigned char kH2[] = {2, 'h', '2'};
  unsigned char* protocolo = nullptr;
  if (SSL_select_next_proto(&protocolo, tamanho, kH2, sizeof kH2, oferta, tamanhoOferta) !=
      OPENSSL_NPN_NEGOTIATED) {
    return SSL_TLSEXT_ERR_NOACK;
  }
  *escolhido = protocolo;
  return SSL_TLSEXT_ERR_OK;
}

}  // namespace

bool ConfigurarTLS(SSL_CTX& contexto, const TOpcoesSimulador& opcoes, std::string& erro) {
  if (SSL_CTX_use_certificate_chain_file(&contexto, opcoes.Certificado.c_str()) != 1) {
    return Falhar(erro,
                  "Não foi possível ler o certificado do servidor \"" + opcoes.Certificado + "\"");
  }
  if (SSL_CTX_use_PrivateKey_file(&contexto, opcoes.Chave.c_str(), SSL_FILETYPE_PEM) != 1 ||
      SSL_CTX_check_private_key(&contexto) != 1) {
    return Falhar(erro, "Não foi possível usar a chave do servidor \"" + opcoes.Chave + "\"");
  }
  STACK_OF(X509_NAME)* nomes = SSL_load_client_CA_file(opcoes.CAClientes.c_str());
  if (nomes == nullptr ||
      SSL_CTX_load_verify_locations(&contexto, opcoes.CAClientes.c_str(), nullptr) != 1) {
    sk_X509_NAME_pop_free(nomes, X509_NAME_free);
    return Falhar(erro,
                  "Não foi possível ler a autoridade dos clientes \"" + opcoes.CAClientes + "\"");
  }
  SSL_CTX_set_client_CA_list(&contexto, nomes);
  // Demanding client certificates needs a session context; a renegotiation must be a full
  // handshake, or the client would resume the session that has no certificate.
  static const unsigned char kContextoSessao[] = "sefaz-simulador";
  if (SSL_CTX_set_session_id_context(&contexto, kContextoSessao, sizeof kContextoSessao - 1) != 1) {
    return Falhar(erro, "Não foi possível definir o contexto de sessão TLS");
  }
  SSL_CTX_set_options(&contexto,
                      SSL_OP_NO_COMPRESSION | SSL_OP_NO_SESSION_RESUMPTION_ON_RENEGOTIATION);
  if (opcoes.Renegociar) {
    if (SSL_CTX_set_max_proto_version(&contexto, TLS1_2_VERSION) != 1) {
      return Falhar(erro, "Não foi possível limitar o TLS à versão 1.2");
    }
    SSL_CTX_set_verify(&contexto, SSL_VERIFY_NONE, nullptr);
  } else {
    SSL_CTX_set_verify(&contexto, kExigirCertificado, nullptr);
  }
  if (opcoes.RecusarHTTP2) {
    SSL_CTX_set_alpn_select_cb(&contexto, AceitarH2, nullptr);
  }
  return !opcoes.DH1024 || ConfigurarDH1024(contexto, erro);
}

bool RenegociarPedindoCertificado(SSL& conexao) {
  // A client that never answers must not hold the worker thread forever.
  const timeval limite{10, 0};
  if (setsockopt(SSL_get_fd(&conexao), SOL_SOCKET, SO_RCVTIMEO, &limite, sizeof limite) != 0) {
    return false;
  }
  SSL_set_verify(&conexao, kExigirCertificado, nullptr);
  if (SSL_renegotiate(&conexao) != 1 || SSL_do_handshake(&conexao) != 1) {
    return false;
  }
  // Reading nothing drives the client's new handshake; without auto-retry each read returns
  // after the handshake records it processed instead of waiting for data the client (which
  // waits for our answer) never sends.
  SSL_clear_mode(&conexao, SSL_MODE_AUTO_RETRY);
  char nada = 0;
  for (int leituras = 0; SSL_renegotiate_pending(&conexao) == 1; ++leituras) {
    if (leituras == kMaximoLeiturasRenegociacao) {
      return false;
    }
    const int lidos = SSL_peek(&conexao, &nada, 0);
    if (lidos < 0 && SSL_get_error(&conexao, lidos) != SSL_ERROR_WANT_READ) {
      return false;
    }
  }
  SSL_set_mode(&conexao, SSL_MODE_AUTO_RETRY);
  X509* certificado = SSL_get1_peer_certificate(&conexao);
  const bool valido = certificado != nullptr && SSL_get_verify_result(&conexao) == X509_V_OK;
  X509_free(certificado);
  return valido;
}

}  // namespace nivra
