// TNivraWinINetReqResp: the alternative request object. Uses the system proxy without storing
// it, ignores the TLS choice, and reports every failure of the exchange itself, and an empty
// answer, as "Erro: Requisição não enviada." with the error text.
#pragma once

#include <string>

#include "nivranfe/security/win_req_resp.h"

namespace nivra {

class TNivraWinINetReqResp : public TNivraWinReqResp {
 public:
  // The User-Agent sent.
  static constexpr const char* Agente = "Nivra WinINet/1.0";

  // See TNivraWinReqResp::Execute; also throws when the answer is empty. An invalid port
  // throws "Porta inválida na URL: " and the port.
  void Execute(std::string& Resp) override;
  using TNivraWinReqResp::Execute;
};

}  // namespace nivra
