// The answer documents of the NF-e services (retEnviNFe, retConsReciNFe, retConsSitNFe,
// retInutNFe, retEnvEvento, retConsCad, retDistDFeInt, retAdmCscNFCe): one small holder with
// the fields the services read, the protocols, event answers and zipped documents included.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "nivranfe/util/datahora.h"
#include "nivranfe/util/enumeracoes.h"

namespace nivra {

// One authorisation protocol (protNFe) of an answer.
struct TProtNFeRetorno {
  std::string chNFe;
  std::string nProt;
  std::string digVal;
  int32_t cStat = 0;
  std::string xMotivo;
  std::string XML;  // the whole protNFe element
};

// One event answer (retEvento) of an answer, or one procEventoNFe of a situation answer.
struct TRetEventoRetorno {
  std::string Id;
  std::string chNFe;
  std::string tpEvento;
  int32_t nSeqEvento = 0;
  int32_t cStat = 0;
  std::string xMotivo;
  std::string nProt;
  std::string XML;  // the whole element
};

// One zipped document of a distribution answer, already unzipped.
struct TDocZipRetorno {
  std::string NSU;
  std::string schema;  // e.g. "resNFe_v1.01.xsd"
  std::string XML;
  // Why the document was not unzipped (damaged, or past a size limit); empty when it was.
  std::string Erro;
};

// A zipped document may inflate to at most this many bytes, and all the documents of one answer
// together to the transport's limit on an answer.
inline constexpr std::size_t kLimiteDocZip = 16u << 20;
inline constexpr std::size_t kLimiteDocZipResposta = 64u << 20;

// One taxpayer (infCad) of a registration answer: the fields it holds of IE, CNPJ, CPF, UF,
// cSit, indCredNFe, indCredCTe, xNome, xFant, xRegApur, CNAE, dIniAtiv, dUltSit, dBaixa,
// IEUnica, IEAtual and the address's xLgr, nro, xCpl, xBairro, cMun, xMun, CEP, in that order,
// as (name, value).
using TInfCadRetorno = std::vector<std::pair<std::string, std::string>>;

// The fields of an answer. The XML texts (the whole answer, each protocol, event and
// cancellation) are kept as they travelled, entities and all, so what is saved or attached from
// them stays well-formed; the fields read for display (xMotivo, the taxpayer's fields...) are
// decoded.
class TRetornoNFe {
 public:
  // Reads the answer element Raiz out of Texto. Returns true when it was found; false for a
  // missing element or a malformed date, keeping what was read (never throws but
  // std::bad_alloc). An answer without tpAmb keeps the environment held (the configured one).
  // A protocol, event or cancellation that is not well-formed XML on its own is left out. A
  // docZip that cannot be unzipped, that inflates past kLimiteDocZip (or past
  // kLimiteDocZipResposta with the documents before it) or that is not well-formed XML is kept
  // with an empty XML and the reason in Erro.
  bool LerXml(const std::string& Texto, const std::string& Raiz);

  std::string versao;
  TkovTipoAmbiente tpAmb = TkovTipoAmbiente::taHomologacao;
  std::string verAplic;
  int32_t cStat = 0;
  std::string xMotivo;
  int32_t cUF = 0;
  // dhRecbto, else the answer's own time: dhRegEvento, dhResp or dhCons.
  TDateTime dhRecbto = 0;
  // The offset from UTC written with that time ("-03:00"); empty when it had none.
  std::string FusoRecbto;
  int32_t tMed = 0;
  std::string nRec;
  std::string cMsg;
  std::string xMsg;
  std::string chNFe;
  std::string nProt;
  std::string Id;
  std::string ultNSU;
  std::string maxNSU;
  std::vector<TProtNFeRetorno> protNFe;
  std::vector<TRetEventoRetorno> retEvento;
  std::vector<TDocZipRetorno> docZip;
  std::vector<TInfCadRetorno> infCad;
  // The cancellation (retCancNFe) of a situation answer, whole; empty when none.
  std::string retCancNFe;
  // The whole answer element.
  std::string XML;
};

// True for the cStat of a registered event: 135 (linked to its document), 136 (registered
// without a link) and 155 (registered out of time).
[[nodiscard]] inline bool EventoRegistrado(int32_t cStat) {
  return cStat == 135 || cStat == 136 || cStat == 155;
}

// The XML of the answer element Raiz as the result element's content Resultado carries it: as
// it is, or with one level of escaping undone when the authoriser sent it escaped as text; the
// HTML named entities some authorisers write ("&ccedil;") become their characters, so the text
// can be well-formed XML. Never throws except on allocation.
[[nodiscard]] std::string XMLDaResposta(const std::string& Resultado, const std::string& Raiz);

// Throws ENivraNFeException when Texto holds no complete element Raiz that is well-formed XML
// with a numeric cStat: an answer cut short, or something that is no answer at all.
void ExigirRetorno(const std::string& Texto, const std::string& Raiz);

// The offset from UTC at the end of a date-time as the authorisers write it
// ("2026-06-09T10:20:31-03:00" gives "-03:00"); empty when it has none. Never throws.
[[nodiscard]] std::string FusoDaDataHora(const std::string& DataHora);

// Every element named Nome in Texto, start and end tags included, in order (an element with a
// prefix "ns2:" is found too). Never throws.
[[nodiscard]] std::vector<std::string> ElementosXML(const std::string& Texto,
                                                    const std::string& Nome);

}  // namespace nivra
