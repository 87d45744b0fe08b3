// Holders of the NF-e documents the component keeps for its services: the loaded invoices, the
// event, voiding and download requests and the distribution and download answers. Each holds
// the XML text of its document and the file it came from or goes to.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "nivranfe/documento/leiaute_nfe_gerado.h"
#include "nivranfe/util/datahora.h"
#include "nivranfe/util/enumeracoes.h"

namespace nivra {

// An XML document with the file name it is saved under.
class TDocumentoXMLNFe {
 public:
  virtual ~TDocumentoXMLNFe() = default;

  const std::string& XML() const { return FXML; }
  void SetXML(const std::string& Valor) { FXML = Valor; }
  const std::string& NomeArq() const { return FNomeArq; }
  void SetNomeArq(const std::string& Valor) { FNomeArq = Valor; }
  // Empties the XML text and the file name.
  virtual void Clear() {
    FXML.clear();
    FNomeArq.clear();
  }

 private:
  std::string FXML;
  std::string FNomeArq;
};

// One invoice loaded for sending, querying or printing: its signed XML and what the
// authoriser answered about it. The key, environment and issuer come from the XML.
class NotaFiscal : public TDocumentoXMLNFe {
 public:
  // The 44 digits of the infNFe Id ("NFe" + key); empty when the XML has none.
  std::string ChaveAcesso() const;
  // tpAmb of the XML; 0 when it has none.
  int tpAmb() const;
  // The issuer's CNPJ (key characters 7 to 20); empty without a key.
  std::string CNPJEmitente() const;
  // The versao attribute of infNFe ("4.00"); empty when the XML has none.
  std::string VersaoXML() const;
  // The DigestValue of the XML's signature; empty when unsigned.
  std::string DigestValue() const;

  // The authorisation protocol attached by the services: the protNFe element, its number and
  // status; empty and 0 until an answer named this document.
  const std::string& XMLProtocolo() const { return FXMLProtocolo; }
  const std::string& Protocolo() const { return FProtocolo; }
  int cStat() const { return FcStat; }
  const std::string& xMotivo() const { return FxMotivo; }
  void SetProtocolo(const std::string& XMLProt, const std::string& nProt, int cStat,
                    const std::string& xMotivo) {
    FXMLProtocolo = XMLProt;
    FProtocolo = nProt;
    FcStat = cStat;
    FxMotivo = xMotivo;
  }
  // The nfeProc document (the NFe and its protocol); empty without a protocol.
  std::string XMLProcessado() const;

  // The document's model: what it was built from, or what was read from its XML; empty for
  // XML given by hand with SetXML.
  bool TemModelo() const { return FModelo.has_value(); }
  // The model, made empty first when the document has none.
  nfe::TNFe& NFe() { return FModelo ? *FModelo : FModelo.emplace(); }
  // Writes the XML of the model through the XML generator, composing the key first when the
  // model has no Id yet. The XML replaces the document's; Alertas keeps the generator's
  // alerts. Returns true when there were none. Throws ENivraDFeException when the document
  // has no model or the key cannot be composed.
  bool GerarXML();
  // Reads XML into the model and keeps the text itself as the document (its bytes stay the
  // source of truth for the signature, printing and sending); a protNFe in it becomes the
  // document's protocol. Throws ENivraDFeException when the text is not an NF-e.
  void LerXML(const std::string& XMLNFe);
  // The alerts of the last GerarXML; the document is not signed or sent while there are any.
  const std::vector<std::string>& Alertas() const { return FAlertas; }
  // What reading skipped (elements the layout does not have), with their paths.
  const std::vector<std::string>& Avisos() const { return FAvisos; }

 private:
  std::string FXMLProtocolo;
  std::string FProtocolo;
  int FcStat = 0;
  std::string FxMotivo;
  std::optional<nfe::TNFe> FModelo;
  std::vector<std::string> FAlertas;
  std::vector<std::string> FAvisos;
};

// The invoices loaded into the component, in the order they were added.
class TNotasFiscais {
 public:
  std::size_t Count() const { return FItens.size(); }
  // Returns the item at `Index`; throws std::out_of_range past the end.
  NotaFiscal& Items(std::size_t Index) { return *FItens.at(Index); }
  // Appends a new empty invoice and returns it; it lives until Clear or the holder goes.
  NotaFiscal& Add() { return *FItens.emplace_back(std::make_unique<NotaFiscal>()); }
  // Appends a document built from the model and writes its XML (NotaFiscal::GerarXML); its
  // alerts stay in the item. Throws as GerarXML.
  NotaFiscal& Add(const nfe::TNFe& Modelo);
  // Appends the NF-e of the text or the file (NotaFiscal::LerXML). Throws ENivraDFeException
  // when it cannot be read; nothing is added then.
  NotaFiscal& LoadFromString(const std::string& XMLNFe);
  NotaFiscal& LoadFromFile(const std::string& CaminhoArquivo);
  // Writes again the XML of every document that has a model. Returns true when no document
  // has alerts.
  bool GerarNFe();
  // Every document's alerts, each line preceded by the document's position ("NF-e 1: ...").
  std::vector<std::string> Alertas() const;
  // Saves each document's XML (the nfeProc when it has a protocol) as <key>-nfe.xml in Pasta.
  // Throws ENivraDFeException when a file cannot be written or a document has no key.
  void GravarXML(const std::string& Pasta) const;
  void Clear() { FItens.clear(); }

 private:
  std::vector<std::unique_ptr<NotaFiscal>> FItens;
};

// One event about a document, as sent and as answered.
struct TInfEventoNFe {
  int cOrgao = 0;
  TkovTipoAmbiente tpAmb = TkovTipoAmbiente::taHomologacao;
  std::string CNPJ;
  std::string chNFe;
  TDateTime dhEvento = 0;
  TkovTpEvento tpEvento = TkovTpEvento::teCCe;
  int nSeqEvento = 0;
  std::string versaoEvento = "1.00";
  // Detail of a cancellation (nProt, xJust) or a correction letter (xCorrecao).
  std::string nProt;
  std::string xJust;
  std::string xCorrecao;
  // The identifier written when the batch is built ("ID" + type + key + sequence).
  std::string Id;
  // The answer for this event (retEvento) once the batch was sent.
  int cStatRetorno = 0;
  std::string xMotivoRetorno;
  std::string nProtRetorno;
};

// Correction-letter events.
class TCartaCorrecao : public TDocumentoXMLNFe {
 public:
  std::vector<TInfEventoNFe> Evento;
};
// The event batch sent by EnviarEvento.
class TEventoNFe : public TDocumentoXMLNFe {
 public:
  std::vector<TInfEventoNFe> Evento;
};
// The number-range voiding document.
class TinutNFe : public TDocumentoXMLNFe {};
// The download request: the access keys to download.
class TDownload : public TDocumentoXMLNFe {
 public:
  std::vector<std::string> Chaves;
};
// The download answer.
class TRetDownloadNFe : public TDocumentoXMLNFe {};
// The distribution answer.
class TRetDistDFeInt : public TDocumentoXMLNFe {};

}  // namespace nivra
