// Error numbers and texts: the message table, libcurl's failures under the WinHTTP numbers,
// and the numbers that have no text.
#include "nivranfe/security/erros_http.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "nivranfe/security/win_http_req_resp.h"

namespace nivra {

namespace {

struct CasoTexto {
  uint32_t codigo;
  const char* texto;
};

TEST(ErrorText, GivesTheNumberAndTheTablesDescription) {
  const std::vector<CasoTexto> casos = {
      {12002, "Erro: 12002 - TimeOut de Requisição"},
      {12007, "Erro: 12007 - O nome do servidor não pode ser resolvido"},
      {12029, "Erro: 12029 - Conexão com o Servidor falhou"},
      {12030,
       "Erro: 12030 - A conexão com o servidor foi redefinida ou encerrada, ou um protocolo SSL "
       "incompatível foi encontrado"},
      {12031, "Erro: 12031 - A conexão com o servidor foi redefinida"},
      {12045, "Erro: 12045 - Certificado raiz não é confiável pelo provedor de confiança"},
      {12057,
       "Erro: 12057 - Revogação do Certificado não pode ser verificada porque o servidor de "
       "revogação está offline"},
      {12157, "Erro: 12157 - Erro relacionado ao Canal Seguro"},
      {12175,
       "Erro: 12175 - Um ou mais erros foram encontrados no certificado Secure Sockets Layer "
       "(SSL) enviado pelo servidor"},
      {12185,
       "Erro: 12185 - O contexto para o certificado de cliente SSL não tem uma chave privada "
       "associada a ele. O certificado de cliente pode ter sido importado para o computador sem "
       "a chave privada"},
      {12186,
       "Erro: 12186 - Falha ao obter a Chave Privada do Certificado para comunicação segura"},
      // Neither a table entry nor a libcurl code: the number alone.
      {12004, "Erro: 12004"},
      {4294967295U, "Erro: 4294967295"},
      {0, "Erro: 0"},
      // libcurl codes reported under a WinHTTP number never stand for themselves.
      {CURLE_COULDNT_CONNECT, "Erro: 7"},
      // Other libcurl failures keep libcurl's number and text.
      {CURLE_WEIRD_SERVER_REPLY, "Erro: 8 - Weird server reply"},
  };
  const TNivraWinHTTPReqResp req;
  for (const auto& caso : casos) EXPECT_EQ(req.ErrorText(caso.codigo), caso.texto) << caso.codigo;
}

struct CasoCurl {
  CURLcode resultado;
  uint32_t codigo;
};

TEST(CodigoErroHTTP, ReportsLibcurlFailuresUnderTheWinHTTPNumbers) {
  const std::vector<CasoCurl> casos = {
      {CURLE_OK, 0},
      {CURLE_OPERATION_TIMEDOUT, 12002},
      {CURLE_COULDNT_RESOLVE_HOST, 12007},
      {CURLE_COULDNT_RESOLVE_PROXY, 12007},
      {CURLE_COULDNT_CONNECT, 12029},
      {CURLE_SEND_ERROR, 12030},
      {CURLE_GOT_NOTHING, 12030},
      {CURLE_PARTIAL_FILE, 12030},
      {CURLE_RECV_ERROR, 12031},
      {CURLE_SSL_CONNECT_ERROR, 12157},
      {CURLE_PEER_FAILED_VERIFICATION, 12175},
      {CURLE_SSL_CERTPROBLEM, 12186},
      {CURLE_WEIRD_SERVER_REPLY, CURLE_WEIRD_SERVER_REPLY},
      {CURLE_OUT_OF_MEMORY, CURLE_OUT_OF_MEMORY},
  };
  for (const auto& caso : casos) EXPECT_EQ(CodigoErroHTTP(caso.resultado), caso.codigo);
}

}  // namespace

}  // namespace nivra
