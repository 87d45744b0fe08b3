// The message table of the WinHTTP error numbers and the mapping of libcurl's results to them.
#include "nivranfe/security/erros_http.h"

#include <array>
#include <utility>

namespace nivra {

namespace {

// The libcurl results that stand for a WinHTTP error of the table.
constexpr std::array<std::pair<CURLcode, uint32_t>, 12> CodigosWinHTTP = {{
    {CURLE_OPERATION_TIMEDOUT, ErroHTTP::TimeOut},
    {CURLE_COULDNT_RESOLVE_HOST, ErroHTTP::NomeNaoResolvido},
    {CURLE_COULDNT_RESOLVE_PROXY, ErroHTTP::NomeNaoResolvido},
    {CURLE_COULDNT_CONNECT, ErroHTTP::SemConexao},
    {CURLE_SEND_ERROR, ErroHTTP::ConexaoEncerrada},
    {CURLE_GOT_NOTHING, ErroHTTP::ConexaoEncerrada},
    {CURLE_PARTIAL_FILE, ErroHTTP::ConexaoEncerrada},
    {CURLE_RECV_ERROR, ErroHTTP::ConexaoRedefinida},
    {CURLE_SSL_CONNECT_ERROR, ErroHTTP::CanalSeguro},
    {CURLE_PEER_FAILED_VERIFICATION, ErroHTTP::CertificadoServidor},
    {CURLE_SSL_CACERT_BADFILE, ErroHTTP::CertificadoServidor},
    {CURLE_SSL_CERTPROBLEM, ErroHTTP::ChavePrivadaInacessivel},
}};

constexpr std::array<std::pair<uint32_t, const char*>, 11> Descricoes = {{
    {12002, "TimeOut de Requisição"},
    {12007, "O nome do servidor não pode ser resolvido"},
    {12029, "Conexão com o Servidor falhou"},
    {12030,
     "A conexão com o servidor foi redefinida ou encerrada, ou um protocolo SSL incompatível foi "
     "encontrado"},
    {12031, "A conexão com o servidor foi redefinida"},
    {12045, "Certificado raiz não é confiável pelo provedor de confiança"},
    {12057,
     "Revogação do Certificado não pode ser verificada porque o servidor de revogação está "
     "offline"},
    {12157, "Erro relacionado ao Canal Seguro"},
    {12175,
     "Um ou mais erros foram encontrados no certificado Secure Sockets Layer (SSL) enviado pelo "
     "servidor"},
    {12185,
     "O contexto para o certificado de cliente SSL não tem uma chave privada associada a ele. O "
     "certificado de cliente pode ter sido importado para o computador sem a chave privada"},
    {12186, "Falha ao obter a Chave Privada do Certificado para comunicação segura"},
}};

}  // namespace

uint32_t CodigoErroHTTP(CURLcode resultado) {
  for (const auto& [curl, winhttp] : CodigosWinHTTP) {
    if (curl == resultado) return winhttp;
  }
  return static_cast<uint32_t>(resultado);
}

std::string DescricaoErroHTTP(uint32_t codigo) {
  for (const auto& [numero, texto] : Descricoes) {
    if (numero == codigo) return texto;
  }
  // libcurl's own codes are small; one mapped to a WinHTTP number never arrives here as itself.
  if (codigo > 0 && codigo < CURL_LAST) {
    const auto resultado = static_cast<CURLcode>(codigo);
    if (CodigoErroHTTP(resultado) == codigo) return curl_easy_strerror(resultado);
  }
  return "";
}

std::string TextoErroHTTP(uint32_t codigo) {
  std::string texto = "Erro: " + std::to_string(codigo);
  const std::string descricao = DescricaoErroHTTP(codigo);
  if (!descricao.empty()) texto += " - " + descricao;
  return texto;
}

}  // namespace nivra
