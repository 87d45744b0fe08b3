// The URL split: protocols and default ports, credentials, IPv6 literals, paths and queries,
// and text that is hardly a URL.
#include "nivranfe/security/url_partes.h"

#include <gtest/gtest.h>

#include <vector>

namespace nivra {

namespace {

struct CasoURL {
  const char* url;
  TURLPartes esperado;
};

TEST(DividirURL, SplitsEveryPartAsTheRequestNeedsIt) {
  const std::vector<CasoURL> casos = {
      {"https://nfe.sefa.pr.gov.br/nfe/NFeStatusServico4",
       {"https", "", "", "nfe.sefa.pr.gov.br", "443", "/nfe/NFeStatusServico4", ""}},
      {"http://h/ws", {"http", "", "", "h", "80", "/ws", ""}},
      {"HTTPS://h/ws", {"HTTPS", "", "", "h", "443", "/ws", ""}},
      {"ftp://h/arq", {"ftp", "", "", "h", "21", "/arq", ""}},
      {"h/ws", {"http", "", "", "h", "80", "/ws", ""}},
      {"https://h:8443/a/b", {"https", "", "", "h", "8443", "/a/b", ""}},
      {"http://h:443/ws", {"http", "", "", "h", "443", "/ws", ""}},
      {"https://h", {"https", "", "", "h", "443", "/", ""}},
      {"https://h/", {"https", "", "", "h", "443", "/", ""}},
      {"https://h/ws/Servico.asmx?wsdl", {"https", "", "", "h", "443", "/ws/Servico.asmx", "wsdl"}},
      {"https://h/ws?a=1?b", {"https", "", "", "h", "443", "/ws", "a=1?b"}},
      {"https://h?wsdl", {"https", "", "", "h", "443", "/", "wsdl"}},
      {"https://h/ws#parte", {"https", "", "", "h", "443", "/ws", ""}},
      {"https://ana:s3nha@h:99/ws", {"https", "ana", "s3nha", "h", "99", "/ws", ""}},
      {"https://ana@h/ws", {"https", "ana", "", "h", "443", "/ws", ""}},
      {"https://a@b:c@h/ws", {"https", "a@b", "c", "h", "443", "/ws", ""}},
      {"https://h/caminho@com/arroba", {"https", "", "", "h", "443", "/caminho@com/arroba", ""}},
      {"https://[::1]:8443/ws", {"https", "", "", "::1", "8443", "/ws", ""}},
      {"https://[2001:db8::1]/ws", {"https", "", "", "2001:db8::1", "443", "/ws", ""}},
      {"https://[::1/ws", {"https", "", "", "::1", "443", "/ws", ""}},
      {"https://h:/ws", {"https", "", "", "h", "", "/ws", ""}},
      {"https://h:abc/ws", {"https", "", "", "h", "abc", "/ws", ""}},
      {"", {"http", "", "", "localhost", "80", "/", ""}},
      {"https://", {"https", "", "", "localhost", "443", "/", ""}},
      {"://h", {"", "", "", "h", "80", "/", ""}},
      {"https:///ws", {"https", "", "", "localhost", "443", "/ws", ""}},
  };
  for (const auto& caso : casos) {
    const TURLPartes p = DividirURL(caso.url);
    const TURLPartes& e = caso.esperado;
    EXPECT_EQ(p.Protocolo, e.Protocolo) << caso.url;
    EXPECT_EQ(p.Usuario, e.Usuario) << caso.url;
    EXPECT_EQ(p.Senha, e.Senha) << caso.url;
    EXPECT_EQ(p.Host, e.Host) << caso.url;
    EXPECT_EQ(p.Porta, e.Porta) << caso.url;
    EXPECT_EQ(p.Caminho, e.Caminho) << caso.url;
    EXPECT_EQ(p.Parametros, e.Parametros) << caso.url;
  }
}

}  // namespace

}  // namespace nivra
