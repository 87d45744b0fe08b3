// The request objects' base: settings, error text and the "not implemented" Execute.
#include "nivranfe/security/win_req_resp.h"

#include "nivranfe/security/erros_http.h"
#include "nivranfe/util/excecoes.h"
#include "nivranfe/util/nome_classe.h"
#include "nivranfe/util/xml_texto.h"

namespace nivra {

TNivraWinReqResp::~TNivraWinReqResp() = default;

std::string TNivraWinReqResp::ErrorText(uint32_t codigo) const { return TextoErroHTTP(codigo); }

void TNivraWinReqResp::Execute(std::string& /*Resp*/) {
  throw ENivraWinReqResp("Metodo \"Execute\" não implementado em " + ClassName());
}

void TNivraWinReqResp::Execute(const std::string& DataMsg, std::string& Resp) {
  FData = DataMsg;
  Execute(Resp);
}

void TNivraWinReqResp::Falhar(uint32_t codigo, const std::string& mensagem) {
  CaptureErrorCodes(codigo, 0);
  throw ENivraWinReqResp(mensagem);
}

std::string TNivraWinReqResp::CorpoParaEnvio() const {
  return FEncodeDataToUTF8 ? TextoParaUTF8(FData) : FData;
}

std::string TNivraWinReqResp::ClassName() const { return NomeDaClasse(typeid(*this)); }

}  // namespace nivra
