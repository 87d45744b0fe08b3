// The documents documento-nfe prints and mails, as files: an NF-e, an NFC-e with its QR code,
// a correction letter and a voiding.
#pragma once

#include <string>

#include "nivranfe/documento/documento_nfe.h"
#include "tests/documento/nota_teste.h"
#include "tests/fakes/pasta_temporaria.h"
#include "tests/impressao/eventos_exemplo.h"

namespace nivra {

struct TDocumentosXML {
  std::string NFe;
  std::string NFCe;
  std::string CartaCorrecao;
  std::string Inutilizacao;
  // The NF-e's key and its XML's bytes.
  std::string ChaveNFe;
  std::string XMLNFe;
};

// Writes the four documents into `pasta` (with a trailing "/").
inline TDocumentosXML EscreverDocumentos(const std::string& pasta) {
  TDocumentosXML d;
  nfe::TNFe nota = NotaDeTeste();
  d.ChaveNFe = ComporChaveNFe(nota, [] { return 12345678U; });
  d.XMLNFe = GerarXMLNFe(nota).XML;
  nfe::TNFe consumidor = NotaDeTeste();
  consumidor.infNFe.ide.mod = "65";
  consumidor.infNFe.ide.tpImp = "4";
  consumidor.infNFe.ide.indFinal = "1";
  consumidor.infNFeSupl =
      nfe::TinfNFeSupl{"https://www.fazenda.pr.gov.br/nfce/qrcode?p=1|2|2|1|abc", ""};
  ComporChaveNFe(consumidor, [] { return 12345678U; });
  const auto escrever = [&pasta](const std::string& nome, const std::string& xml) {
    TPastaTemporaria::Escrever(pasta + nome, xml);
    return pasta + nome;
  };
  d.NFe = escrever("nfe.xml", d.XMLNFe);
  d.NFCe = escrever("nfce.xml", GerarXMLNFe(consumidor).XML);
  d.CartaCorrecao = escrever("cce.xml", kXMLCartaCorrecao);
  d.Inutilizacao = escrever("inut.xml", kXMLInutilizacao);
  return d;
}

}  // namespace nivra
