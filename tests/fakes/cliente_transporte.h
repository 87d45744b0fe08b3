// A facade set up to send over real TLS with a PKCS#12 file of the test PKI, and the status
// request it sends, for the transport tests against the local authoriser.
#pragma once

#include <memory>
#include <string>

#include "nivranfe/security/dfe_http_win_http.h"
#include "nivranfe/security/dfe_ssl.h"
#include "nivranfe/security/win_req_resp.h"
#include "tests/fakes/crypto_pfx.h"
#include "tests/fakes/pki_teste.h"

namespace nivra {

inline const std::string Acao =
    "http://www.portalfiscal.inf.br/nfe/wsdl/NFeStatusServico4/nfeStatusServicoNF";

// A status request of layout 4.00 for PR in production, with `recheio` inside a comment.
inline std::string Pedido(const std::string& recheio = "") {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><soap12:Envelope "
         "xmlns:soap12=\"http://www.w3.org/2003/05/soap-envelope\"><soap12:Body><nfeDadosMsg "
         "xmlns=\"http://www.portalfiscal.inf.br/nfe/wsdl/NFeStatusServico4\"><!--" +
         recheio +
         "--><consStatServ xmlns=\"http://www.portalfiscal.inf.br/nfe\" versao=\"4.00\"><tpAmb>1"
         "</tpAmb><cUF>41</cUF><xServ>STATUS</xServ></consStatServ></nfeDadosMsg></soap12:Body>"
         "</soap12:Envelope>";
}

// A facade that sends through the chosen request object with a PKCS#12 file of the test PKI.
struct Cliente {
  TDFeSSL ssl;

  explicit Cliente(TSSLHttpLib lib = TSSLHttpLib::httpWinHttp, const std::string& pfx = "empresa") {
    ssl.SetSSLHttpLib(lib);
    ssl.UsarSSLCryptClass(std::make_unique<TCryptoPFX>(ssl));
    ssl.SetArquivoPFX(PastaPKITeste() + pfx + ".pfx");
    ssl.SetSenha(SenhaPKITeste);
    ssl.SetTimeOut(10000);
  }
  std::string Enviar(const std::string& url, const std::string& corpo = Pedido()) {
    return ssl.Enviar(corpo, url, Acao);
  }
  TNivraWinReqResp& ReqResp() {
    return dynamic_cast<TDFeHttpWinHttp&>(ssl.SSLHttpClass()).ReqResp();
  }
};

}  // namespace nivra
