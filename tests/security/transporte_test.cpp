// The HTTP role over real TLS against the local authoriser: what goes on the wire, the client
// certificate, the failures of the network and the answer habits of real authorisers.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "nivranfe/security/dfe_http_win_http.h"
#include "nivranfe/security/dfe_ssl.h"
#include "nivranfe/security/win_http_req_resp.h"
#include "nivranfe/security/win_inet_req_resp.h"
#include "nivranfe/util/excecoes.h"
#include "tests/fakes/certificados_teste.h"
#include "tests/fakes/cliente_transporte.h"
#include "tests/fakes/crypto_pfx.h"
#include "tests/fakes/mensagem_de.h"
#include "tests/fakes/pasta_temporaria.h"
#include "tests/fakes/pki_teste.h"
#include "tests/fakes/porta_fechada.h"
#include "tests/fakes/proxy_recusa.h"
#include "tests/fakes/simulador_teste.h"
#include "tests/fakes/variavel_ambiente.h"

namespace nivra {

namespace {

const std::vector<TSSLHttpLib> Variantes = {TSSLHttpLib::httpWinHttp, TSSLHttpLib::httpWinINet};

TEST(Transporte, AStatusQueryGetsTheAuthorisersAnswerThroughBothVariants) {
  TSimuladorTeste simulador;
  for (const TSSLHttpLib lib : Variantes) {
    Cliente cliente(lib);
    const std::string resposta = cliente.Enviar(simulador.URL() + "/ws/NFeStatusServico4.asmx");
    EXPECT_NE(resposta.find("<cStat>107</cStat>"), std::string::npos) << resposta;
    EXPECT_EQ(cliente.ssl.HTTPResultCode(), 200);
    EXPECT_EQ(cliente.ssl.InternalErrorCode(), 0);
  }
}

TEST(Transporte, SendsExactlyTheListedHeadersAndTheBodyUnchanged) {
  struct Caso {
    TSSLHttpLib lib;
    std::string acao;
    std::string corpo;
    const char* agente;
  };
  // A body of 2 MiB would make libcurl ask for "100-continue" by default.
  const std::vector<Caso> casos = {
      {TSSLHttpLib::httpWinHttp, Acao, Pedido("çã"), TNivraWinHTTPReqResp::Agente},
      {TSSLHttpLib::httpWinINet, Acao, Pedido(), TNivraWinINetReqResp::Agente},
      {TSSLHttpLib::httpWinHttp, "", Pedido(std::string(2 << 20, 'x')),
       TNivraWinHTTPReqResp::Agente},
  };
  for (const auto& caso : casos) {
    TSimuladorTeste simulador;
    Cliente cliente(caso.lib);
    (void)cliente.ssl.Enviar(caso.corpo, simulador.URL() + "/ws/Status.asmx?wsdl", caso.acao);

    const std::vector<TPedidoRegistrado> pedidos = simulador.Pedidos();
    ASSERT_EQ(pedidos.size(), 1U);
    EXPECT_EQ(pedidos[0].Metodo, "POST");
    EXPECT_EQ(pedidos[0].Caminho, "/ws/Status.asmx");
    EXPECT_EQ(pedidos[0].Versao, "HTTP/1.1");
    EXPECT_TRUE(pedidos[0].Corpo == caso.corpo) << "corpo alterado";
    std::vector<std::pair<std::string, std::string>> esperados = {
        {"Accept-Charset", "utf-8"},
        {"Content-Length", std::to_string(caso.corpo.size())},
        {"Content-Type", "application/soap+xml; charset=utf-8; charset=utf-8"},
        {"Host", "127.0.0.1:" + std::to_string(simulador.Porta())},
        {"User-Agent", caso.agente},
    };
    if (!caso.acao.empty()) esperados.emplace_back("SOAPAction", "\"" + caso.acao + "\"");
    auto recebidos = pedidos[0].Cabecalhos;
    std::sort(esperados.begin(), esperados.end());
    std::sort(recebidos.begin(), recebidos.end());
    EXPECT_EQ(recebidos, esperados);
  }
}

TEST(Transporte, ReadsEveryAnswerShapeOfRealAuthorisersWhole) {
  struct Caso {
    std::vector<std::string> opcoes;
    std::string inicio;
    std::string trecho;
  };
  const std::vector<Caso> casos = {
      {{"--envelope", "soap"}, "<?xml version=\"1.0\"", "<cStat>107</cStat>"},
      {{"--envelope", "soapenv"}, "<?xml", "<soapenv:Header/><soapenv:Body>"},
      {{"--envelope", "env"}, "<env:Envelope xmlns:env='", "<cStat>107</cStat>"},
      {{"--envelope", "S"}, "<?xml version='1.0'", "<S:Body>"},
      {{"--charset", "iso-8859-1"}, "<?xml", "<xMotivo>Servi\xe7o em Opera\xe7\xe3o</xMotivo>"},
      {{"--chunked"}, "<?xml", "</soap:Envelope>"},
      {{"--fechar-conexao"}, "<?xml", "</soap:Envelope>"},
      {{"--continue-100", "--chunked"}, "<?xml", "</soap:Envelope>"},
      // Old servers: the client certificate asked for by renegotiation after the request, and
      // a 1024-bit DH group.
      {{"--renegociar"}, "<?xml", "<cStat>107</cStat>"},
      {{"--dh-1024"}, "<?xml", "<cStat>107</cStat>"},
      // A server that would pick HTTP/2 if offered: the request speaks HTTP/1.1 only.
      {{"--recusar-http2"}, "<?xml", "<cStat>107</cStat>"},
  };
  for (const auto& caso : casos) {
    SCOPED_TRACE(caso.opcoes[0]);
    TSimuladorTeste simulador(caso.opcoes);
    for (const TSSLHttpLib lib : Variantes) {
      Cliente cliente(lib);
      const std::string resposta = cliente.Enviar(simulador.URL());
      EXPECT_TRUE(resposta.starts_with(caso.inicio)) << resposta;
      EXPECT_NE(resposta.find(caso.trecho), std::string::npos) << resposta;
    }
  }
}

TEST(Transporte, ErrorPagesAndFaultsFailWithTheStatusAndWithoutTheirBody) {
  struct Caso {
    std::vector<std::string> opcoes;
    int status;
  };
  const std::vector<Caso> casos = {
      {{"--falha", "iis-403"}, 403},   {{"--falha", "apache-403"}, 403},
      {{"--falha", "400-vazio"}, 400}, {{"--falha", "soap-500"}, 500},
      {{"--http-status", "204"}, 204},
  };
  for (const auto& caso : casos) {
    SCOPED_TRACE(caso.opcoes[1]);
    TSimuladorTeste simulador(caso.opcoes);
    Cliente cliente;
    EXPECT_EQ(MensagemDe([&] { (void)cliente.Enviar(simulador.URL()); }),
              "Erro Interno: 0\r\nErro HTTP: " + std::to_string(caso.status) + "\r\n");
    EXPECT_EQ(cliente.ssl.HTTPResultCode(), caso.status);
  }
}

TEST(Transporte, TheRequestObjectHandsOverAFaultWithItsCodesWhateverTheStatus) {
  TSimuladorTeste simulador({"--falha", "soap-500"});
  Cliente cliente;
  TNivraWinReqResp& req = cliente.ReqResp();
  cliente.ssl.SSLHttpClass().ConfigurarHTTP(simulador.URL(), Acao, TDFeSSL::MimeTypePadrao);
  std::string resposta;
  req.Execute(Pedido(), resposta);
  EXPECT_EQ(req.HTTPResultCode(), 500U);
  EXPECT_NE(resposta.find("<soap:Value>soap:Receiver</soap:Value>"), std::string::npos) << resposta;
  EXPECT_TRUE(resposta.ends_with("</soap:Envelope>")) << resposta;
}

TEST(Transporte, EncodeDataToUTF8ReencodesAnEightBitBodyAndLeavesUTF8Alone) {
  struct Caso {
    bool converter;
    std::string corpo;
    std::string noFio;
  };
  const std::vector<Caso> casos = {
      {true, "<x>a\xe7\xe3o</x>", "<x>a\xc3\xa7\xc3\xa3o</x>"},
      {true, "<x>a\xc3\xa7\xc3\xa3o</x>", "<x>a\xc3\xa7\xc3\xa3o</x>"},
      {false, "<x>a\xe7\xe3o</x>", "<x>a\xe7\xe3o</x>"},
  };
  TSimuladorTeste simulador;
  for (const auto& caso : casos) {
    Cliente cliente;
    cliente.ssl.SSLHttpClass().ConfigurarHTTP(simulador.URL(), Acao, TDFeSSL::MimeTypePadrao);
    TNivraWinReqResp& req = cliente.ReqResp();
    req.SetEncodeDataToUTF8(caso.converter);
    std::string resposta;
    req.Execute(caso.corpo, resposta);
    EXPECT_EQ(simulador.Pedidos().back().Corpo, caso.noFio);
    EXPECT_EQ(req.Data(), caso.corpo);
  }
}

TEST(Transporte, AnEmptyAnswerIsEmptyForWinHttpAndAFailureForWinINet) {
  TSimuladorTeste simulador({"--falha", "400-vazio", "--http-status", "200"});
  Cliente winhttp(TSSLHttpLib::httpWinHttp);
  EXPECT_EQ(winhttp.Enviar(simulador.URL()), "");
  Cliente wininet(TSSLHttpLib::httpWinINet);
  EXPECT_EQ(MensagemDe([&] { (void)wininet.Enviar(simulador.URL()); }),
            "Erro Interno: 0\r\nErro HTTP: 200\r\nErro: Requisição não enviada.\r\nErro: 0");
}

TEST(Transporte, NetworkFailuresCarryTheirNumberAndTheTablesText) {
  const std::string fechada = "https://127.0.0.1:" + std::to_string(PortaFechada()) + "/ws";
  struct Caso {
    TSSLHttpLib lib;
    std::string url;
    int codigo;
    std::string mensagem;
  };
  const std::vector<Caso> casos = {
      {TSSLHttpLib::httpWinHttp, fechada, 12029,
       "Falha ao conectar no Host. Erro:Erro: 12029 - Conexão com o Servidor falhou"},
      {TSSLHttpLib::httpWinINet, fechada, 12029,
       "Erro: Requisição não enviada.\r\nErro: 12029 - Conexão com o Servidor falhou"},
      {TSSLHttpLib::httpWinHttp, "https://servidor.invalid/ws", 12007,
       "Falha ao conectar no Host. Erro:Erro: 12007 - O nome do servidor não pode ser "
       "resolvido"},
  };
  for (const auto& caso : casos) {
    Cliente cliente(caso.lib);
    EXPECT_EQ(
        MensagemDe([&] { (void)cliente.Enviar(caso.url); }),
        "Erro Interno: " + std::to_string(caso.codigo) + "\r\nErro HTTP: 0\r\n" + caso.mensagem);
    EXPECT_EQ(cliente.ssl.InternalErrorCode(), caso.codigo);
  }
}

TEST(Transporte, AnAnswerSlowerThanTheTimeOutFailsAsATimeOutWhenTheTimeOutEnds) {
  TSimuladorTeste simulador({"--atraso", "4000"});
  Cliente cliente;
  cliente.ssl.SetTimeOut(1000);
  const auto inicio = std::chrono::steady_clock::now();
  EXPECT_EQ(MensagemDe([&] { (void)cliente.Enviar(simulador.URL()); }),
            "Erro Interno: 12002\r\nErro HTTP: 0\r\nFalha Recebendo Dados. Erro:Erro: 12002 - "
            "TimeOut de Requisição");
  // The exchange ends at the time-out itself, not at a later check of it.
  const auto duracao = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now() - inicio);
  EXPECT_GE(duracao.count(), 1000);
  EXPECT_LT(duracao.count(), 1400);
}

TEST(Transporte, AServerThatRefusesTheClientCertificateEndsTheExchangeWithoutAnAnswer) {
  struct Caso {
    std::vector<std::string> opcoes;
    const char* pfx;
    bool usarCertificado;
  };
  const std::vector<Caso> casos = {
      {{}, "cliente-outra-ca", true},
      {{}, "empresa", false},
      {{"--renegociar"}, "cliente-outra-ca", true},
      {{"--renegociar"}, "empresa", false},
  };
  for (const auto& caso : casos) {
    SCOPED_TRACE(std::string(caso.pfx) + (caso.opcoes.empty() ? "" : " renegociando"));
    TSimuladorTeste simulador(caso.opcoes);
    // Under TLS 1.3 the refusal races the client's request: the alert may be read, or lost to
    // the connection reset. Either way the message is the same.
    for (int tentativa = 0; tentativa < 8; ++tentativa) {
      Cliente cliente(TSSLHttpLib::httpWinHttp, caso.pfx);
      cliente.ssl.SetUseCertificateHTTP(caso.usarCertificado);
      const std::string mensagem = MensagemDe([&] { (void)cliente.Enviar(simulador.URL()); });
      EXPECT_EQ(cliente.ssl.InternalErrorCode(), 12157) << mensagem;
      EXPECT_TRUE(mensagem.starts_with("Erro Interno: 12157\r\nErro HTTP: 0\r\n")) << mensagem;
      EXPECT_TRUE(mensagem.ends_with("Erro: 12157 - Erro relacionado ao Canal Seguro")) << mensagem;
    }
  }
}

TEST(Transporte, ACertificateWithoutItsPrivateKeyIsNotPresented) {
  TSimuladorTeste simulador;
  Cliente cliente;
  // The full certificate gets through.
  EXPECT_NE(cliente.Enviar(simulador.URL()).find("<cStat>107</cStat>"), std::string::npos);
  const TCertContext* carregado = cliente.ssl.CertContextWinApi();
  ASSERT_NE(carregado, nullptr);
  const TCertContext semChave{carregado->Certificado, nullptr, carregado->CertificadoBase64};
  TNivraWinHTTPReqResp req;
  req.SetUrl(simulador.URL());
  req.SetCertContext(&semChave);
  std::string resposta;
  try {
    req.Execute(Pedido(), resposta);
    ADD_FAILURE() << "Execute não falhou";
  } catch (const ENivraWinReqResp& e) {
    EXPECT_STREQ(e.what(),
                 "Falha no Envio da Requisição.\r\nErro: 12185 - O contexto para o certificado de "
                 "cliente SSL não tem uma chave privada associada a ele. O certificado de cliente "
                 "pode ter sido importado para o computador sem a chave privada");
  }
  EXPECT_EQ(req.InternalErrorCode(), 12185U);
  EXPECT_EQ(simulador.Pedidos().size(), 1U);
}

TEST(Transporte, ATlsVersionTheLibraryLacksFailsTheSecureChannelAndTls12Connects) {
  TSimuladorTeste simulador;
  Cliente cliente;
  cliente.ssl.SetSSLType(TSSLType::LT_TLSv1_2);
  EXPECT_NE(cliente.Enviar(simulador.URL()).find("<cStat>107</cStat>"), std::string::npos);
  cliente.ssl.SetSSLType(TSSLType::LT_SSLv3);
  EXPECT_EQ(MensagemDe([&] { (void)cliente.Enviar(simulador.URL()); }),
            "Erro Interno: 12157\r\nErro HTTP: 0\r\nFalha ajustando "
            "WINHTTP_OPTION_SECURE_PROTOCOLS. Erro:Erro: 12157 - Erro relacionado ao Canal Seguro");
}

TEST(Transporte, WithoutAProxyOfItsOwnWinHttpUsesAndKeepsTheEnvironmentsOne) {
  TSimuladorTeste simulador;
  const std::string proxy = "http://127.0.0.1:" + std::to_string(PortaFechada());
  const TVariavelAmbiente https("https_proxy", proxy.c_str());
  const TVariavelAmbiente HTTPS("HTTPS_PROXY", nullptr);
  {
    const TVariavelAmbiente semProxy("no_proxy", nullptr);
    const TVariavelAmbiente SEMPROXY("NO_PROXY", nullptr);
    Cliente cliente;
    EXPECT_EQ(MensagemDe([&] { (void)cliente.Enviar(simulador.URL()); }),
              "Erro Interno: 12029\r\nErro HTTP: 0\r\nFalha ao conectar no Host. Erro:Erro: "
              "12029 - Conexão com o Servidor falhou");
    EXPECT_EQ(cliente.ReqResp().ProxyHost(), proxy);
  }
  {
    // The hosts the environment excludes from its proxy are reached directly.
    const TVariavelAmbiente semProxy("no_proxy", "127.0.0.1");
    Cliente cliente;
    EXPECT_NE(cliente.Enviar(simulador.URL()).find("<cStat>107</cStat>"), std::string::npos);
  }
  {
    // An explicit proxy wins over the environment and the exclusions.
    const TVariavelAmbiente semProxy("no_proxy", "127.0.0.1");
    Cliente cliente;
    cliente.ssl.SetProxyHost("127.0.0.1");
    cliente.ssl.SetProxyPort(std::to_string(PortaFechada()));
    EXPECT_NE(MensagemDe([&] { (void)cliente.Enviar(simulador.URL()); }).find("12029"),
              std::string::npos);
  }
}

TEST(Transporte, AProxyThatAsksForCredentialsIsReportedWithItsStatus) {
  struct Caso {
    TSSLHttpLib lib;
    const char* esquema;
    const char* pedido;  // how the request reaches the proxy
    std::string mensagem;
  };
  const std::vector<Caso> casos = {
      {TSSLHttpLib::httpWinHttp, "https",
       "CONNECT 127.0.0.1:", "Erro Interno: 0\r\nErro HTTP: 407\r\n"},
      {TSSLHttpLib::httpWinHttp, "http",
       "POST http://127.0.0.1:", "Erro Interno: 0\r\nErro HTTP: 407\r\n"},
      {TSSLHttpLib::httpWinINet, "https",
       "CONNECT 127.0.0.1:", "Erro Interno: 0\r\nErro HTTP: 407\r\n"},
  };
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.esquema);
    const TProxyRecusa proxy;
    Cliente cliente(caso.lib);
    cliente.ssl.SetProxyHost("127.0.0.1");
    cliente.ssl.SetProxyPort(std::to_string(proxy.Porta()));
    const std::string destino =
        std::string(caso.esquema) + "://127.0.0.1:" + std::to_string(PortaFechada()) + "/ws";
    EXPECT_EQ(MensagemDe([&] { (void)cliente.Enviar(destino); }), caso.mensagem);
    EXPECT_EQ(cliente.ssl.HTTPResultCode(), 407);
    ASSERT_EQ(proxy.Pedidos().size(), 1U);
    EXPECT_TRUE(proxy.Pedidos()[0].starts_with(caso.pedido)) << proxy.Pedidos()[0];
  }
}

TEST(Transporte, TheConfiguredComponentSendsWithAStoreFileKeyAndWithATokenKey) {
  const TRepositorioTeste repositorio;
  TSimuladorTeste simulador;
  TDFeSSL a1;
  a1.SetSSLCryptLib(TSSLCryptLib::cryWinCrypt);
  a1.SetSSLHttpLib(TSSLHttpLib::httpWinHttp);
  a1.SetArquivoPFX(PastaPKITeste() + "empresa.pfx");
  a1.SetSenha(SenhaPKITeste);
  EXPECT_NE(a1.Enviar(Pedido(), simulador.URL(), Acao).find("<cStat>107</cStat>"),
            std::string::npos);
  if (!TTokenTeste::Disponivel()) GTEST_SKIP() << "PKI sem token";
  const TTokenTeste token;
  TDFeSSL a3;
  a3.SetSSLCryptLib(TSSLCryptLib::cryWinCrypt);
  a3.SetSSLHttpLib(TSSLHttpLib::httpWinHttp);
  a3.SetNumeroSerie(NumeroSeriePKI("token"));
  a3.SetSenha("1234");
  EXPECT_NE(a3.Enviar(Pedido(), simulador.URL(), Acao).find("<cStat>107</cStat>"),
            std::string::npos);
  EXPECT_EQ(a3.CertTipo(), TSSLTipoCertificado::tpcA3);
  EXPECT_EQ(simulador.Pedidos().size(), 2U);
}

}  // namespace

}  // namespace nivra
