// Holders of the NF-e documents the component keeps for its services: the loaded invoices, the
// event, voiding and download requests and the distribution and download answers. Each holds
// the XML text of its document and the file it came from or goes to.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

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

// One invoice loaded for sending, querying or printing.
class NotaFiscal : public TDocumentoXMLNFe {};

// The invoices loaded into the component, in the order they were added.
class TNotasFiscais {
 public:
  std::size_t Count() const { return FItens.size(); }
  // Returns the item at `Index`; throws std::out_of_range past the end.
  NotaFiscal& Items(std::size_t Index) { return *FItens.at(Index); }
  // Appends a new empty invoice and returns it; it lives until Clear or the holder goes.
  NotaFiscal& Add() { return *FItens.emplace_back(std::make_unique<NotaFiscal>()); }
  void Clear() { FItens.clear(); }

 private:
  std::vector<std::unique_ptr<NotaFiscal>> FItens;
};

// Correction-letter events.
class TCartaCorrecao : public TDocumentoXMLNFe {};
// The event batch sent by EnviarEvento.
class TEventoNFe : public TDocumentoXMLNFe {};
// The number-range voiding document.
class TinutNFe : public TDocumentoXMLNFe {};
// The download request.
class TDownload : public TDocumentoXMLNFe {};
// The download answer.
class TRetDownloadNFe : public TDocumentoXMLNFe {};
// The distribution answer.
class TRetDistDFeInt : public TDocumentoXMLNFe {};
