// TDFeHttpWinHttp: the facade's HTTP role for the choices httpWinHttp and httpWinINet. Owns one
// request object for its whole life and copies the facade's settings into it before each send.
#pragma once

#include <memory>
#include <string>

#include "nivranfe/security/dfe_ssl_http.h"
#include "nivranfe/security/ssl_tipos.h"
#include "nivranfe/security/win_req_resp.h"

namespace nivra {

class TDFeHttpWinHttp : public TDFeSSLHttpClass {
 public:
  // `WinApi` httpWinINet makes a TNivraWinINetReqResp, any other choice a TNivraWinHTTPReqResp.
  TDFeHttpWinHttp(TDFeSSL& ADFeSSL, TSSLHttpLib WinApi);
  // Uses `reqResp` (taken over, not null) as the request object.
  TDFeHttpWinHttp(TDFeSSL& ADFeSSL, std::unique_ptr<TNivraWinReqResp> reqResp);
  ~TDFeHttpWinHttp() override;

  // The request object's codes of the last send.
  int GetHTTPResultCode() override;
  int GetInternalErrorCode() override;
  // Copies the facade's certificate (loading it when `UseCertificateHTTP` is set; load
  // failures propagate unchanged), TLS choice, proxy and time-out, and the arguments.
  void ConfigurarHTTP(const std::string& AURL, const std::string& ASoapAction,
                      const std::string& AMimeType) override;
  // One exchange: returns the answer bytes when the status is 200, 201 or 202. Any other
  // status, and every failure of the exchange, throws ENivraDFeException whose message is
  // "Erro Interno: %d\r\nErro HTTP: %d" with the two codes, "\r\n", and the failure's message
  // (empty for a status failure).
  std::string Enviar(const std::string& ConteudoXML, const std::string& AURL,
                     const std::string& ASoapAction, const std::string& AMimeType) override;

  // The request object, for its settings.
  TNivraWinReqResp& ReqResp() { return *FWinHTTPReqResp; }

 private:
  std::unique_ptr<TNivraWinReqResp> FWinHTTPReqResp;
};

}  // namespace nivra
