// The answers of sefaz-simulador: reading the status request, the retConsStatServ document in
// the envelope styles of real authorisers, SOAP faults and the error pages of web servers.
#pragma once

#include <cstdint>
#include <string>

#include "nivranfe/util/datahora.h"
#include "tools/simulador/opcoes.h"

namespace nivra {

// What a status request asked for.
struct TPedidoStatus {
  bool Encontrado = false;  // the body holds a consStatServ element
  std::string Versao;       // its "versao" attribute, e.g. "4.00"
  std::string tpAmb;        // "1" production, "2" homologation
  int32_t cUF = 0;
};

// One HTTP answer: status, Content-Type (empty for none) and body bytes.
struct TResposta {
  int Status = 200;
  std::string Tipo;
  std::string Corpo;
};

// The consStatServ of a SOAP request body (any envelope prefix, with or without nfeCabecMsg).
// Never throws: a body without consStatServ, or with unreadable fields, gives Encontrado false.
[[nodiscard]] TPedidoStatus LerPedidoStatus(const std::string& corpo);

// The answer to a status request: retConsStatServ with the request's versao, tpAmb and cUF, the
// code cStat and its reason, dhRecbto = agora with the host's offset, tMed, and for a paralysed
// service dhRetorno (agora + 30 minutes for 108, + 4 hours for 109) and xObs; wrapped in the
// envelope style (nfeResultMsg for 4.00, nfeCabecMsg and nfeStatusServicoNF2Result for older
// layouts), encoded in UTF-8 or ISO-8859-1 with the matching Content-Type.
[[nodiscard]] TResposta RespostaStatus(const TPedidoStatus& pedido, int cStat, int tMed,
                                       TDateTime agora, TEstiloEnvelope estilo, bool latin1);

// The date-time as the authorisers write it, with the host's offset: 2024-05-31T12:24:12-03:00.
[[nodiscard]] std::string DataHoraComFuso(TDateTime valor);

// The answer document of a layout 4.00 service in nfeResultMsg (namespace wsdl) inside the
// envelope style, UTF-8.
[[nodiscard]] TResposta RespostaServico(const std::string& wsdl, const std::string& documento,
                                        TEstiloEnvelope estilo);

// A SOAP 1.2 fault with HTTP status 500: Code/Value codigo (e.g. "soap:Receiver") and the
// Reason text motivo (UTF-8).
[[nodiscard]] TResposta FalhaSoap(const std::string& codigo, const std::string& motivo);

// The canned failure answer of the kind (see TFalhaSimulada). falha must not be nenhuma.
[[nodiscard]] TResposta RespostaDeFalha(TFalhaSimulada falha);

// The ISO-8859-1 bytes of UTF-8 text; characters outside Latin-1 become "?".
[[nodiscard]] std::string ParaLatin1(const std::string& utf8);

}  // namespace nivra
