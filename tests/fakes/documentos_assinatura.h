// Small unsigned documents for signing tests: an invoice-shaped NFe and an event request,
// both in the NF-e namespace and valid under the shipped schemas once signed (the event).
#pragma once

#include <string>

namespace nivra {

inline constexpr const char* NameSpaceNFeTeste = "http://www.portalfiscal.inf.br/nfe";

// The Id of the infNFe of NFeTeste.
inline constexpr const char* IdNFeTeste = "NFe41261211222333000181550010000000011000000010";

// An NFe with one infNFe (Id IdNFeTeste) whose text holds letters outside ASCII.
inline std::string NFeTeste() {
  return std::string("<NFe xmlns=\"http://www.portalfiscal.inf.br/nfe\"><infNFe Id=\"") +
         IdNFeTeste +
         "\" versao=\"4.00\"><ide><cUF>41</cUF><natOp>VENDA DE MERCADORIA</natOp></ide>"
         "<emit><CNPJ>11222333000181</CNPJ><xNome>EMPRESA MODELO AÇÃO LTDA</xNome></emit>"
         "</infNFe></NFe>";
}

// An envEvento of layout 1.00 with one cancellation event (infEvento with its Id), no signature.
inline std::string EventoTeste() {
  return "<envEvento xmlns=\"http://www.portalfiscal.inf.br/nfe\" versao=\"1.00\">"
         "<idLote>1</idLote><evento versao=\"1.00\">"
         "<infEvento Id=\"ID1101114126121122233300018155001000000001100000001001\">"
         "<cOrgao>41</cOrgao><tpAmb>2</tpAmb><CNPJ>11222333000181</CNPJ>"
         "<chNFe>41261211222333000181550010000000011000000010</chNFe>"
         "<dhEvento>2026-12-09T10:20:30-03:00</dhEvento><tpEvento>110111</tpEvento>"
         "<nSeqEvento>1</nSeqEvento><verEvento>1.00</verEvento>"
         "<detEvento versao=\"1.00\"><descEvento>Cancelamento</descEvento>"
         "<nProt>141260000000001</nProt><xJust>Erro de digitação no pedido</xJust></detEvento>"
         "</infEvento></evento></envEvento>";
}

}  // namespace nivra
