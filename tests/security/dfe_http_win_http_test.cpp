// The facade's HTTP role over a request object: settings copied before each send, the
// 200/201/202 rule, and every failure wrapped with the two codes in front.
#include "nivranfe/security/dfe_http_win_http.h"

#include <gtest/gtest.h>

#include <exception>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "nivranfe/security/dfe_ssl.h"
#include "nivranfe/security/win_http_req_resp.h"
#include "nivranfe/security/win_inet_req_resp.h"
#include "nivranfe/util/excecoes.h"
#include "tests/fakes/crypto_memoria.h"
#include "tests/fakes/crypto_pfx.h"
#include "tests/fakes/mensagem_de.h"
#include "tests/fakes/pki_teste.h"

namespace nivra {

namespace {

// A request object that answers with the status, error number and body the test sets, or
// throws the failure it was given, and remembers the body it was asked to post.
class TReqRespFalso : public TNivraWinReqResp {
 public:
  uint32_t Status = 200;
  uint32_t Codigo = 0;
  std::string Resposta;
  std::exception_ptr Falha;
  std::string CorpoRecebido;

  void Execute(std::string& Resp) override {
    CorpoRecebido = Data();
    CaptureErrorCodes(Codigo, Status);
    if (Falha) std::rethrow_exception(Falha);
    Resp = Resposta;
  }
};

// A facade whose HTTP role is a TDFeHttpWinHttp over a TReqRespFalso.
struct AdaptadorFalso {
  TDFeSSL ssl;
  TReqRespFalso* req = nullptr;

  AdaptadorFalso() {
    auto falso = std::make_unique<TReqRespFalso>();
    req = falso.get();
    ssl.SetUseCertificateHTTP(false);
    ssl.UsarSSLHttpClass(std::make_unique<TDFeHttpWinHttp>(ssl, std::move(falso)));
  }
  std::string Enviar() { return ssl.Enviar("<a/>", "https://h/ws", "acao"); }
};

TEST(TDFeHttpWinHttp, ReturnsTheBodyOnlyFor200To202) {
  struct Caso {
    uint32_t status;
    bool aceito;
  };
  const std::vector<Caso> casos = {{200, true},  {201, true},  {202, true},  {0, false},
                                   {199, false}, {203, false}, {204, false}, {301, false},
                                   {404, false}, {500, false}};
  for (const auto& caso : casos) {
    AdaptadorFalso a;
    a.req->Status = caso.status;
    a.req->Resposta = "<html>corpo</html>";
    if (caso.aceito) {
      EXPECT_EQ(a.Enviar(), "<html>corpo</html>") << caso.status;
    } else {
      // The answer goes with the failure; only the two code lines remain.
      EXPECT_EQ(MensagemDe([&] { (void)a.Enviar(); }),
                "Erro Interno: 0\r\nErro HTTP: " + std::to_string(caso.status) + "\r\n")
          << caso.status;
    }
    EXPECT_EQ(a.ssl.HTTPResultCode(), static_cast<int>(caso.status));
  }
}

TEST(TDFeHttpWinHttp, WrapsEveryFailureOfTheExchangeWithBothCodes) {
  struct Caso {
    const char* nome;
    std::exception_ptr falha;
    const char* mensagem;
  };
  const std::vector<Caso> casos = {
      {"request object",
       std::make_exception_ptr(ENivraWinReqResp(
           "Falha ao conectar no Host. Erro:Erro: 12029 - Conexão com o Servidor falhou")),
       "Erro Interno: 12029\r\nErro HTTP: 0\r\nFalha ao conectar no Host. Erro:Erro: 12029 - "
       "Conexão com o Servidor falhou"},
      {"component error", std::make_exception_ptr(ENivraDFeException("interno")),
       "Erro Interno: 12029\r\nErro HTTP: 0\r\ninterno"},
      {"other std exception", std::make_exception_ptr(std::out_of_range("fora")),
       "Erro Interno: 12029\r\nErro HTTP: 0\r\nfora"},
      {"not a std exception", std::make_exception_ptr(42),
       "Erro Interno: 12029\r\nErro HTTP: 0\r\n"},
  };
  for (const auto& caso : casos) {
    AdaptadorFalso a;
    a.req->Codigo = 12029;
    a.req->Status = 0;
    a.req->Falha = caso.falha;
    EXPECT_EQ(MensagemDe([&] { (void)a.Enviar(); }), caso.mensagem) << caso.nome;
    EXPECT_EQ(a.ssl.InternalErrorCode(), 12029);
  }
}

TEST(TDFeHttpWinHttp, CopiesTheFacadesSettingsAndTheArgumentsBeforeSending) {
  AdaptadorFalso a;
  a.ssl.SetSSLType(TSSLType::LT_TLSv1_2);
  a.ssl.SetProxyHost("proxy.local");
  a.ssl.SetProxyPort("3128");
  a.ssl.SetProxyUser("ana");
  a.ssl.SetProxyPass("segredo");
  a.ssl.SetTimeOut(10000);
  EXPECT_EQ(a.ssl.Enviar("<consStatServ/>", "https://h:8443/ws", "acao"), "");

  const TNivraWinReqResp& r = *a.req;
  EXPECT_EQ(a.req->CorpoRecebido, "<consStatServ/>");
  EXPECT_EQ(r.Url(), "https://h:8443/ws");
  EXPECT_EQ(r.SOAPAction(), "acao");
  EXPECT_EQ(r.MimeType(), "application/soap+xml; charset=utf-8");
  EXPECT_EQ(r.SSLType(), TSSLType::LT_TLSv1_2);
  EXPECT_EQ(r.ProxyHost(), "proxy.local");
  EXPECT_EQ(r.ProxyPort(), "3128");
  EXPECT_EQ(r.ProxyUser(), "ana");
  EXPECT_EQ(r.ProxyPass(), "segredo");
  EXPECT_EQ(r.TimeOut(), 10000);
  EXPECT_EQ(r.CertContext(), nullptr);
}

TEST(TDFeHttpWinHttp, PresentsTheLoadedCertificateOnlyWhenTheFacadeSaysSo) {
  AdaptadorFalso a;
  a.ssl.UsarSSLCryptClass(std::make_unique<TCryptoPFX>(a.ssl));
  a.ssl.SetArquivoPFX(PastaPKITeste() + "empresa.pfx");
  a.ssl.SetSenha(SenhaPKITeste);

  (void)a.Enviar();
  EXPECT_EQ(a.req->CertContext(), nullptr);
  EXPECT_FALSE(a.ssl.CertificadoLido());

  a.ssl.SetUseCertificateHTTP(true);
  (void)a.Enviar();
  ASSERT_NE(a.req->CertContext(), nullptr);
  EXPECT_NE(a.req->CertContext()->Certificado, nullptr);
  EXPECT_NE(a.req->CertContext()->ChavePrivada, nullptr);
}

TEST(TDFeHttpWinHttp, ACertificateThatDoesNotLoadKeepsItsOwnMessage) {
  AdaptadorFalso a;
  auto crypto = std::make_unique<TCryptoMemoria>(a.ssl);
  crypto->FalhaAoCarregar =
      std::make_exception_ptr(ENivraDFeException("Certificado não encontrado"));
  a.ssl.UsarSSLCryptClass(std::move(crypto));
  a.ssl.SetUseCertificateHTTP(true);
  EXPECT_EQ(MensagemDe([&] { (void)a.ssl.SSLHttpClass().Enviar("<a/>", "u", "", "m"); }),
            "Certificado não encontrado");
  EXPECT_EQ(a.req->CorpoRecebido, "");
}

TEST(TDFeHttpWinHttp, TheLibraryChoiceSelectsTheRequestObject) {
  TDFeSSL ssl;
  ssl.SetSSLHttpLib(TSSLHttpLib::httpWinHttp);
  auto* winhttp = dynamic_cast<TDFeHttpWinHttp*>(&ssl.SSLHttpClass());
  ASSERT_NE(winhttp, nullptr);
  EXPECT_NE(dynamic_cast<TNivraWinHTTPReqResp*>(&winhttp->ReqResp()), nullptr);

  ssl.SetSSLHttpLib(TSSLHttpLib::httpWinINet);
  auto* wininet = dynamic_cast<TDFeHttpWinHttp*>(&ssl.SSLHttpClass());
  ASSERT_NE(wininet, nullptr);
  EXPECT_NE(dynamic_cast<TNivraWinINetReqResp*>(&wininet->ReqResp()), nullptr);
  EXPECT_EQ(wininet->ReqResp().ClassName(), "TNivraWinINetReqResp");
}

TEST(TNivraWinReqResp, TheBaseRefusesToExecuteAndDefaultsAsDocumented) {
  TNivraWinReqResp base;
  EXPECT_EQ(base.MimeType(), "application/soap+xml");
  EXPECT_EQ(base.Charsets(), "utf-8");
  EXPECT_EQ(base.TimeOut(), 0);
  EXPECT_EQ(base.SSLType(), TSSLType::LT_all);
  EXPECT_FALSE(base.EncodeDataToUTF8());
  std::string resp;
  try {
    base.Execute("<a/>", resp);
    ADD_FAILURE() << "Execute não falhou";
  } catch (const ENivraWinReqResp& e) {
    EXPECT_STREQ(e.what(), "Metodo \"Execute\" não implementado em TNivraWinReqResp");
  }
  EXPECT_EQ(base.Data(), "<a/>");
}

}  // namespace

}  // namespace nivra
