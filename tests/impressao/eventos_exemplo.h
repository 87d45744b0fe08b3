// Event and voiding documents as the authority returns them, for the printing tests.
#pragma once

#include <string>

namespace nivra {

// A correction letter of an invoice whose issuer has an alphanumeric CNPJ, in homologation,
// registered (135). xCorrecao is long enough to wrap over several lines.
inline const std::string kChaveCCe = "41261212ABC34501DE35550010000001231000000175";
inline const std::string kCorrecao =
    "Onde se lê peso líquido 1.250 kg, leia-se peso líquido 1.520 kg; onde se lê volumes 3 "
    "(três), leia-se volumes 4 (quatro). Dados do transportador: placa ABC1D23, UF PR. Demais "
    "dados permanecem inalterados.";
inline const std::string kXMLCartaCorrecao =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
    "<procEventoNFe xmlns=\"http://www.portalfiscal.inf.br/nfe\" versao=\"1.00\">"
    "<evento versao=\"1.00\"><infEvento Id=\"ID110110" +
    kChaveCCe +
    "01\">"
    "<cOrgao>41</cOrgao><tpAmb>2</tpAmb><CNPJ>12ABC34501DE35</CNPJ><chNFe>" +
    kChaveCCe +
    "</chNFe><dhEvento>2026-12-10T14:30:00-03:00</dhEvento><tpEvento>110110</tpEvento>"
    "<nSeqEvento>1</nSeqEvento><verEvento>1.00</verEvento><detEvento versao=\"1.00\">"
    "<descEvento>Carta de Correcao</descEvento><xCorrecao>" +
    kCorrecao +
    "</xCorrecao>"
    "<xCondUso>A Carta de Correcao e disciplinada pelo paragrafo 1o-A do art. 7o do Convenio S/N, "
    "de 15 de dezembro de 1970 e pode ser utilizada para regularizacao de erro ocorrido na "
    "emissao de documento fiscal.</xCondUso></detEvento></infEvento></evento>"
    "<retEvento versao=\"1.00\"><infEvento><tpAmb>2</tpAmb><verAplic>PR-v4</verAplic>"
    "<cOrgao>41</cOrgao><cStat>135</cStat><xMotivo>Evento registrado e vinculado a NF-e</xMotivo>"
    "<chNFe>" +
    kChaveCCe +
    "</chNFe><tpEvento>110110</tpEvento><nSeqEvento>1</nSeqEvento>"
    "<dhRegEvento>2026-12-10T14:31:07-03:00</dhRegEvento><nProt>141260000012345</nProt>"
    "</infEvento></retEvento></procEventoNFe>";

// A cancellation in production of an invoice whose key is all digits.
inline const std::string kChaveCancelada = "41261211222333000181550010000001231000000018";
inline const std::string kXMLCancelamento =
    "<procEventoNFe xmlns=\"http://www.portalfiscal.inf.br/nfe\" versao=\"1.00\">"
    "<evento versao=\"1.00\"><infEvento Id=\"ID110111" +
    kChaveCancelada +
    "01\">"
    "<cOrgao>41</cOrgao><tpAmb>1</tpAmb><CNPJ>11222333000181</CNPJ><chNFe>" +
    kChaveCancelada +
    "</chNFe><dhEvento>2026-12-11T09:05:00-03:00</dhEvento><tpEvento>110111</tpEvento>"
    "<nSeqEvento>1</nSeqEvento><verEvento>1.00</verEvento><detEvento versao=\"1.00\">"
    "<descEvento>Cancelamento</descEvento><nProt>141260000000001</nProt>"
    "<xJust>Pedido cancelado pelo cliente antes da saída da mercadoria</xJust></detEvento>"
    "</infEvento></evento><retEvento versao=\"1.00\"><infEvento><tpAmb>1</tpAmb>"
    "<cStat>135</cStat><xMotivo>Evento registrado e vinculado a NF-e</xMotivo>"
    "<dhRegEvento>2026-12-11T09:05:42-03:00</dhRegEvento><nProt>141260000054321</nProt>"
    "</infEvento></retEvento></procEventoNFe>";

// A voiding of numbers 10 to 15 of series 1, registered (102).
inline const std::string kXMLInutilizacao =
    "<ProcInutNFe xmlns=\"http://www.portalfiscal.inf.br/nfe\" versao=\"4.00\">"
    "<inutNFe versao=\"4.00\"><infInut Id=\"ID41261212ABC34501DE3555001000000010000000015\">"
    "<tpAmb>1</tpAmb><xServ>INUTILIZAR</xServ><cUF>41</cUF><ano>26</ano>"
    "<CNPJ>12ABC34501DE35</CNPJ><mod>55</mod><serie>1</serie><nNFIni>10</nNFIni>"
    "<nNFFin>15</nNFFin><xJust>Falha no sistema emissor pulou a numeração</xJust></infInut>"
    "</inutNFe><retInutNFe versao=\"4.00\"><infInut><tpAmb>1</tpAmb><verAplic>PR-v4</verAplic>"
    "<cStat>102</cStat><xMotivo>Inutilizacao de numero homologado</xMotivo><cUF>41</cUF>"
    "<dhRecbto>2026-12-10T16:00:00-03:00</dhRecbto><nProt>141260000099999</nProt></infInut>"
    "</retInutNFe></ProcInutNFe>";

}  // namespace nivra
