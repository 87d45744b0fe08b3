// What faces the network: the optional strict check of the authoriser's certificate, and
// servers that send too much or too slowly.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "nivranfe/security/erros_http.h"
#include "nivranfe/security/requisicao_curl.h"
#include "tests/fakes/cliente_transporte.h"
#include "tests/fakes/mensagem_de.h"
#include "tests/fakes/pki_teste.h"
#include "tests/fakes/simulador_teste.h"

namespace nivra {

namespace {

// The simulator serving the certificate `servidor` of the test PKI: servidor, servidor-outra-ca
// (signed by an authority nobody trusts), servidor-outro-nome (issued to another host name) or
// servidor-vencido (expired).
std::vector<std::string> ServidorCom(const std::string& servidor) {
  return {"--cert", PastaPKITeste() + servidor + ".pem", "--chave",
          PastaPKITeste() + servidor + ".key"};
}

TEST(ServidorHostil, StrictModeRefusesAnUntrustedMisnamedOrExpiredServerAndTheDefaultAcceptsIt) {
  struct Caso {
    const char* servidor;
    bool verificar;
    const char* ca;  // the bundle named, relative to the PKI folder; "" for none
    bool aceito;
  };
  const std::vector<Caso> casos = {
      {"servidor-outra-ca", false, "", true},    {"servidor-outra-ca", false, "ca.pem", true},
      {"servidor", true, "ca.pem", true},        {"servidor-outra-ca", true, "ca.pem", false},
      {"servidor", true, "outra-ca.pem", false}, {"servidor", true, "nao-existe.pem", false},
      {"servidor-outro-nome", false, "", true},  {"servidor-outro-nome", true, "ca.pem", false},
      {"servidor-vencido", false, "", true},     {"servidor-vencido", true, "ca.pem", false},
  };
  for (const TSSLHttpLib lib : {TSSLHttpLib::httpWinHttp, TSSLHttpLib::httpWinINet}) {
    for (const auto& caso : casos) {
      SCOPED_TRACE(std::string(caso.servidor) + (caso.verificar ? " estrito " : " padrão ") +
                   caso.ca + (lib == TSSLHttpLib::httpWinHttp ? " WinHTTP" : " WinINet"));
      TSimuladorTeste simulador(ServidorCom(caso.servidor));
      Cliente cliente(lib);
      cliente.ssl.SetVerificarServidor(caso.verificar);
      if (*caso.ca != '\0') cliente.ssl.SetArquivoCA(PastaPKITeste() + caso.ca);
      if (caso.aceito) {
        EXPECT_NE(cliente.Enviar(simulador.URL()).find("<cStat>107</cStat>"), std::string::npos);
        continue;
      }
      const std::string mensagem = MensagemDe([&] { (void)cliente.Enviar(simulador.URL()); });
      EXPECT_EQ(cliente.ssl.InternalErrorCode(), 12175);
      EXPECT_TRUE(mensagem.ends_with(
          "Erro: 12175 - Um ou mais erros foram encontrados no certificado Secure Sockets Layer "
          "(SSL) enviado pelo servidor"))
          << mensagem;
      EXPECT_TRUE(simulador.Pedidos().empty()) << "o pedido chegou ao servidor recusado";
    }
  }
}

TEST(ServidorHostil, AnAnswerThatNeverEndsIsCutAtTheCapWithAClearError) {
  TSimuladorTeste simulador({"--sem-fim"});
  Cliente cliente;
  const std::string mensagem = MensagemDe([&] { (void)cliente.Enviar(simulador.URL()); });
  EXPECT_EQ(cliente.ssl.InternalErrorCode(), CURLE_FILESIZE_EXCEEDED);
  EXPECT_EQ(mensagem, "Erro Interno: 63\r\nErro HTTP: 200\r\nFalha Lendo dados. Erro:Erro: 63 - " +
                          std::string(curl_easy_strerror(CURLE_FILESIZE_EXCEEDED)));
}

TEST(ServidorHostil, AnAnswerDrippedAByteAtATimeEndsAtTheTimeOut) {
  // About 30 s to drip a status answer whole; the exchange ends at the time-out all the same.
  TSimuladorTeste simulador({"--gotejar", "50"});
  Cliente cliente;
  cliente.ssl.SetTimeOut(1000);
  EXPECT_EQ(MensagemDe([&] { (void)cliente.Enviar(simulador.URL()); }),
            "Erro Interno: 12002\r\nErro HTTP: 200\r\nFalha Lendo dados. Erro:Erro: 12002 - "
            "TimeOut de Requisição");
}

}  // namespace

}  // namespace nivra
