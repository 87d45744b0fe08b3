// TNivraWinHTTPReqResp: the request object the configured component uses. Reads the system
// proxy into `ProxyHost` when none is set, applies the TLS choice, and names the step that
// failed in its messages.
#pragma once

#include <string>

#include "nivranfe/security/win_req_resp.h"

namespace nivra {

class TNivraWinHTTPReqResp : public TNivraWinReqResp {
 public:
  // The User-Agent sent.
  static constexpr const char* Agente = "WinHTTP Nivra/1.0";

  // See TNivraWinReqResp::Execute. Each failure's message is its step's prefix followed by
  // the ErrorText of its number; an invalid port throws "Porta inválida na URL: " and the port.
  void Execute(std::string& Resp) override;
  using TNivraWinReqResp::Execute;
};

}  // namespace nivra
