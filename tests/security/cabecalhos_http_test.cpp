// The connection port and the header lines of a request, built from the URL and settings.
#include "nivranfe/security/cabecalhos_http.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "nivranfe/security/url_partes.h"
#include "nivranfe/util/excecoes.h"
#include "tests/fakes/mensagem_de.h"

namespace nivra {

namespace {

struct CasoHost {
  const char* url;
  const char* host;
  int porta;
};

TEST(CabecalhoHost, NamesThePortOnlyWhenItIsNotTheSchemesDefault) {
  const std::vector<CasoHost> casos = {
      {"https://h/ws", "h", 443},
      {"https://h:8443/ws", "h:8443", 8443},
      {"http://h:443/ws", "h:443", 443},
      {"http://h/ws", "h", 80},
      {"https://h:80/ws", "h:80", 80},
      {"h/ws", "h", 80},
      {"https://h:443/ws", "h", 443},
      {"https://h:/ws", "h", 443},
      {"http://h:/ws", "h", 80},
      {"https://h:0443/ws", "h:0443", 443},
      {"https://[::1]:8443/ws", "[::1]:8443", 8443},
      {"https://[::1]/ws", "[::1]", 443},
      {"ftp://h/ws", "h:21", 21},
  };
  for (const auto& caso : casos) {
    const TURLPartes url = DividirURL(caso.url);
    EXPECT_EQ(ValorHost(url), caso.host) << caso.url;
    EXPECT_EQ(PortaDaURL(url), caso.porta) << caso.url;
  }
}

TEST(CabecalhoHost, PortsThatAreNoPortNumberAreRefused) {
  for (const char* url :
       {"https://h:abc/ws", "https://h:0/ws", "https://h:65536/ws", "https://h:99999999999/ws",
        "https://h:-1/ws", "https://h: 443/ws", "https://h:+443/ws"}) {
    const TURLPartes partes = DividirURL(url);
    try {
      (void)PortaDaURL(partes);
      ADD_FAILURE() << url;
    } catch (const ENivraWinReqResp& e) {
      EXPECT_EQ(std::string(e.what()), "Porta inválida na URL: " + partes.Porta);
    }
  }
  EXPECT_EQ(PortaDaURL(DividirURL("https://h:65535/ws")), 65535);
}

struct CasoCabecalhos {
  const char* nome;
  const char* mime;
  const char* charsets;
  const char* acao;
  std::vector<std::string> linhas;
};

TEST(CabecalhosRequisicao, AreTheListedLinesInOrderWithTheCharsetTwiceAndTheActionQuoted) {
  const TURLPartes url = DividirURL("https://sefaz.exemplo:8443/ws/NFeStatusServico4.asmx");
  const std::vector<CasoCabecalhos> casos = {
      {"component's mime type",
       "application/soap+xml; charset=utf-8",
       "utf-8",
       "http://www.portalfiscal.inf.br/nfe/wsdl/NFeStatusServico4/nfeStatusServicoNF",
       {"Host: sefaz.exemplo:8443",
        "Content-Type: application/soap+xml; charset=utf-8; charset=utf-8", "Accept-Charset: utf-8",
        "SOAPAction: \"http://www.portalfiscal.inf.br/nfe/wsdl/NFeStatusServico4/"
        "nfeStatusServicoNF\""}},
      {"no action",
       "application/soap+xml",
       "utf-8",
       "",
       {"Host: sefaz.exemplo:8443", "Content-Type: application/soap+xml; charset=utf-8",
        "Accept-Charset: utf-8"}},
      {"other charset",
       "text/xml",
       "iso-8859-1",
       "acao",
       {"Host: sefaz.exemplo:8443", "Content-Type: text/xml; charset=iso-8859-1",
        "Accept-Charset: iso-8859-1", "SOAPAction: \"acao\""}},
  };
  for (const auto& caso : casos) {
    EXPECT_EQ(CabecalhosRequisicao(url, caso.mime, caso.charsets, caso.acao), caso.linhas)
        << caso.nome;
  }
}

}  // namespace

}  // namespace nivra
