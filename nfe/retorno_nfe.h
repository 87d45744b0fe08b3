// The answer documents of the NF-e services (retEnviNFe, retConsReciNFe, retConsSitNFe,
// retInutNFe, retEnvEvento, retConsCad, retDistDFeInt, retAdmCscNFCe): one small holder with
// the fields the services read, the protocols, event answers and zipped documents included.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "util/datahora.h"
#include "util/enumeracoes.h"

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
};

// One taxpayer (infCad) of a registration answer: the fields it holds of IE, CNPJ, CPF, UF,
// cSit, indCredNFe, indCredCTe, xNome, xFant, xRegApur, CNAE, dIniAtiv, dUltSit, dBaixa,
// IEUnica, IEAtual and the address's xLgr, nro, xCpl, xBairro, cMun, xMun, CEP, in that order,
// as (name, value).
using TInfCadRetorno = std::vector<std::pair<std::string, std::string>>;

class TRetornoNFe {
 public:
  // Reads the answer element Raiz out of Texto. Returns true when it was found; false for a
  // missing element or a malformed date, keeping what was read (never throws). A docZip that
  // cannot be unzipped is kept with an empty XML.
  bool LerXml(const std::string& Texto, const std::string& Raiz);

  std::string versao;
  TkovTipoAmbiente tpAmb = TkovTipoAmbiente::taHomologacao;
  std::string verAplic;
  int32_t cStat = 0;
  std::string xMotivo;
  int32_t cUF = 0;
  // dhRecbto, else the answer's own time: dhRegEvento, dhResp or dhCons.
  TDateTime dhRecbto = 0;
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

// Every element named Nome in Texto, start and end tags included, in order (an element with a
// prefix "ns2:" is found too). Never throws.
[[nodiscard]] std::vector<std::string> ElementosXML(const std::string& Texto,
                                                    const std::string& Nome);
