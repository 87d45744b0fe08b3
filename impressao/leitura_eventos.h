// The fields of an NF-e event (procEventoNFe or a bare evento) and of a number-range voiding
// (ProcInutNFe or a bare inutNFe) that their printed forms show, read from the XML by path.
#pragma once

#include <string>
#include <string_view>

namespace nivra {

// An event about an invoice and, when registered, the authority's answer.
struct TEventoImpresso {
  std::string Id;
  std::string cOrgao;
  std::string tpAmb;
  std::string CNPJCPF;  // of the event's author
  std::string chNFe;
  std::string dhEvento;
  std::string tpEvento;
  std::string nSeqEvento;
  std::string verEvento;
  std::string descEvento;
  std::string xCorrecao;  // correction letter
  std::string xCondUso;   // correction letter
  std::string nProt;      // cancellation: the protocol of the cancelled invoice
  std::string xJust;      // cancellation
  std::string chNFeRef;   // cancellation by substitution: the substitute invoice
  // retEvento; all empty when the XML carries no answer.
  std::string cStat;
  std::string xMotivo;
  std::string nProtEvento;
  std::string dhRegEvento;
};

// A number-range voiding and, when registered, the authority's answer.
struct TInutilizacaoImpressa {
  std::string Id;
  std::string tpAmb;
  std::string cUF;
  std::string ano;
  std::string CNPJ;
  std::string mod;
  std::string serie;
  std::string nNFIni;
  std::string nNFFin;
  std::string xJust;
  // retInutNFe; all empty when the XML carries no answer.
  std::string cStat;
  std::string xMotivo;
  std::string nProt;
  std::string dhRecbto;
};

// Reads an event. Throws ENivraDFeException "XML de evento inválido: " + the parser's reason
// for text that is not well-formed or larger than 1 MiB, and "XML não é um evento de NF-e
// (procEventoNFe ou evento)" for another document or one without infEvento/chNFe.
[[nodiscard]] TEventoImpresso LerEventoImpresso(std::string_view XML);

// Reads a voiding. Throws ENivraDFeException "XML de inutilização inválido: " + the reason, or
// "XML não é uma inutilização de NF-e (ProcInutNFe ou inutNFe)".
[[nodiscard]] TInutilizacaoImpressa LerInutilizacaoImpressa(std::string_view XML);

}  // namespace nivra
