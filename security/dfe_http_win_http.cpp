// The HTTP role over the request objects: settings in, status rule, error wrapping.
#include "nivranfe/security/dfe_http_win_http.h"

#include "nivranfe/security/dfe_ssl.h"
#include "nivranfe/security/erros_http.h"
#include "nivranfe/security/win_http_req_resp.h"
#include "nivranfe/security/win_inet_req_resp.h"
#include "nivranfe/util/excecoes.h"

namespace nivra {

namespace {

std::unique_ptr<TNivraWinReqResp> CriarReqResp(TSSLHttpLib WinApi) {
  if (WinApi == TSSLHttpLib::httpWinINet) return std::make_unique<TNivraWinINetReqResp>();
  return std::make_unique<TNivraWinHTTPReqResp>();
}

}  // namespace

TDFeHttpWinHttp::TDFeHttpWinHttp(TDFeSSL& ADFeSSL, TSSLHttpLib WinApi)
    : TDFeSSLHttpClass(ADFeSSL), FWinHTTPReqResp(CriarReqResp(WinApi)) {}

TDFeHttpWinHttp::TDFeHttpWinHttp(TDFeSSL& ADFeSSL, std::unique_ptr<TNivraWinReqResp> reqResp)
    : TDFeSSLHttpClass(ADFeSSL), FWinHTTPReqResp(std::move(reqResp)) {}

TDFeHttpWinHttp::~TDFeHttpWinHttp() = default;

int TDFeHttpWinHttp::GetHTTPResultCode() {
  return static_cast<int>(FWinHTTPReqResp->HTTPResultCode());
}

int TDFeHttpWinHttp::GetInternalErrorCode() {
  return static_cast<int>(FWinHTTPReqResp->InternalErrorCode());
}

void TDFeHttpWinHttp::ConfigurarHTTP(const std::string& AURL, const std::string& ASoapAction,
                                     const std::string& AMimeType) {
  TNivraWinReqResp& req = *FWinHTTPReqResp;
  req.SetCertContext(FpDFeSSL.UseCertificateHTTP() ? FpDFeSSL.CertContextWinApi() : nullptr);
  req.SetSSLType(FpDFeSSL.SSLType());
  req.SetProxyHost(FpDFeSSL.ProxyHost());
  req.SetProxyPort(FpDFeSSL.ProxyPort());
  req.SetProxyUser(FpDFeSSL.ProxyUser());
  req.SetProxyPass(FpDFeSSL.ProxyPass());
  req.SetTimeOut(FpDFeSSL.TimeOut());
  req.SetVerificarServidor(FpDFeSSL.VerificarServidor());
  req.SetArquivoCA(FpDFeSSL.ArquivoCA());
  req.SetUrl(AURL);
  req.SetSOAPAction(ASoapAction);
  req.SetMimeType(AMimeType);
}

std::string TDFeHttpWinHttp::Enviar(const std::string& ConteudoXML, const std::string& AURL,
                                    const std::string& ASoapAction, const std::string& AMimeType) {
  // Outside the wrapping: a certificate that does not load reports its own message.
  ConfigurarHTTP(AURL, ASoapAction, AMimeType);
  std::string resposta;
  std::string mensagem;
  bool semResposta = false;
  try {
    FWinHTTPReqResp->Execute(ConteudoXML, resposta);
    const uint32_t status = FWinHTTPReqResp->HTTPResultCode();
    if (status >= 200 && status <= 202) return resposta;
  } catch (const std::exception& e) {
    mensagem = e.what();
    semResposta = true;
  } catch (...) {
    // Nothing to tell beyond the codes.
    semResposta = true;
  }
  const std::string texto = "Erro Interno: " + std::to_string(InternalErrorCode()) +
                            "\r\nErro HTTP: " + std::to_string(HTTPResultCode()) + "\r\n" +
                            mensagem;
  // The exchange failed before an answer (time-out, connection, TLS), or the server answered
  // with a status that is not a success.
  if (!semResposta) throw ENivraDFeFalhaHTTP(texto);
  if (static_cast<uint32_t>(InternalErrorCode()) == ErroHTTP::TimeOut)
    throw ENivraDFeTempoEsgotado(texto);
  throw ENivraDFeConexao(texto);
}

}  // namespace nivra
