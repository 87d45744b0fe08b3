// Base of the NF-e services that read one answer document into a TRetornoNFe.
#pragma once

#include <string>
#include <vector>

#include "nivranfe/nfe/nfe_web_service.h"
#include "nivranfe/nfe/retorno_nfe.h"

namespace nivra {

class TNFeServicoRetorno : public TNFeWebService {
 public:
  explicit TNFeServicoRetorno(TNivraNFe& AOwner);

  // Recreates the answer, with tpAmb and cUF from the configuration.
  void Clear() override;

  // The last answer; empty until one was read.
  const TRetornoNFe& Retorno() const { return FRetorno; }
  const std::string& versao() const { return FRetorno.versao; }
  TkovTipoAmbiente tpAmb() const { return FRetorno.tpAmb; }
  const std::string& verAplic() const { return FRetorno.verAplic; }
  int32_t cStat() const { return FRetorno.cStat; }
  const std::string& xMotivo() const { return FRetorno.xMotivo; }
  int32_t cUF() const { return FRetorno.cUF; }
  TDateTime dhRecbto() const { return FRetorno.dhRecbto; }

 protected:
  // RetWS := the answer's XML (XMLDaResposta) in the first non-empty of the result elements;
  // reads Raiz out of it into Retorno and
  // sets Msg to its xMotivo. Throws ExigirRetorno's ENivraNFeException for an answer without a
  // complete Raiz holding a numeric cStat (cut short, or no answer at all).
  void LerResposta(const std::vector<std::string>& Elementos, const std::string& Raiz);
  // "Versão Layout", "Ambiente", "Versão Aplicativo", "Status Código", "Status Descrição",
  // "UF" and "Recebimento" lines of the answer.
  std::string MontarMsgLog() override;
  // The endpoint of the lot services (sending and its result): the model, UF and version of
  // the first loaded document (else the configuration), the contingency authoriser by
  // FormaEmissao, the configured environment; Layout := Autorizacao when that model, version
  // and UF use the authorisation service, else Recepcao. Throws ENivraNFeException "Ambiente
  // do XML (tpAmb) é diferente do configurado no Componente
  // (Configuracoes.WebServices.Ambiente)" when the first document's tpAmb differs, and the
  // lookup's errors.
  void DefinirURLDoLote(TLayOut Autorizacao, TLayOut Recepcao);

  TRetornoNFe FRetorno;
};

}  // namespace nivra
