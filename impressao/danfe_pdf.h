// The printing component that makes PDFs: the printed forms of NF-e events and number-range
// voidings, from the XML the application gives, written to a file, kept in memory or sent to
// a printer.
#pragma once

#include <memory>
#include <string>

#include "nivranfe/dfe/danfe.h"
#include "nivranfe/documento/documento_nfe.h"
#include "nivranfe/impressao/imagem_pdf.h"
#include "nivranfe/util/datahora.h"

namespace nivra {

// Prints events and voidings as PDF. Link it to the component (TNivraNFe::SetDANFE) so the
// component's printing operations reach it, or call it directly.
class TNivraNFeDANFEPDF : public TNivraNFeDANFEClass {
 public:
  // The event the event operations print: a procEventoNFe (the event with its registration)
  // or a bare evento.
  const std::string& XMLEvento() const { return FXMLEvento; }
  void SetXMLEvento(const std::string& Valor) { FXMLEvento = Valor; }
  // The voiding the voiding operations print: a ProcInutNFe or a bare inutNFe.
  const std::string& XMLInutilizacao() const { return FXMLInutilizacao; }
  void SetXMLInutilizacao(const std::string& Valor) { FXMLInutilizacao = Valor; }
  // The folder PDF files are written to. Empty (the default): the linked component's
  // Configuracoes.Arquivos.PathSalvar, or the current folder when none is linked.
  const std::string& PathPDF() const { return FPathPDF; }
  void SetPathPDF(const std::string& Valor) { FPathPDF = Valor; }
  // The print queue of ImprimirEvento and ImprimirInutilizacao; empty (the default) means the
  // system's default printer.
  const std::string& Impressora() const { return FImpressora; }
  void SetImpressora(const std::string& Valor) { FImpressora = Valor; }
  // DANFEs in landscape (A4 turned) instead of portrait.
  bool Paisagem() const { return FPaisagem; }
  void SetPaisagem(bool Valor) { FPaisagem = Valor; }
  // The roll paper's width of DANFCEs, in millimetres: 80 (the default) or 58.
  double LarguraBobina() const { return FLarguraBobina; }
  void SetLarguraBobina(double Valor) { FLarguraBobina = Valor; }
  // The issuer's logo, a PNG or JPEG file, printed in the issuer's box of DANFEs and above the
  // issuer's name on DANFCEs, fitted keeping its proportion; empty (the default) for none.
  const std::string& Logo() const { return FLogo; }
  void SetLogo(const std::string& Valor) { FLogo = Valor; }
  // The invoices printed are cancelled: their DANFEs say so on every sheet.
  bool NFeCancelada() const { return FNFeCancelada; }
  void SetNFeCancelada(bool Valor) { FNFeCancelada = Valor; }
  // The file the last PDF operation wrote; empty before the first.
  const std::string& ArquivoPDF() const { return FArquivoPDF; }

  // The DANFE of the invoice (its nfeProc when it has a protocol, else its XML) as a PDF in
  // memory: PDFDANFE for an NF-e, PDFDANFCE for an NFC-e, whose consultation page comes from
  // the linked component's services table (else from the document). Throws
  // ENivraDFeException when the invoice has no XML, "Logotipo <file>: " + the reason when the
  // logo cannot be read or decoded, what reading the invoice throws (LerXMLNFe), the table's
  // lookup errors and what the printing throws.
  [[nodiscard]] std::string GerarPDFDANFE(const NotaFiscal& Nota) const;
  // Prints GerarPDFDANFE on Impressora; throws as GerarPDFDANFE and EnviarParaImpressora.
  void ImprimirDANFE(const NotaFiscal& Nota) override;
  // Writes GerarPDFDANFE to PathPDF as "<key>-nfe.pdf" and keeps its name in ArquivoPDF.
  // Throws as GerarPDFDANFE, and ENivraDFeException when the file cannot be written.
  void ImprimirDANFEPDF(const NotaFiscal& Nota);

  // The PDF of XMLEvento, dated by the linked component's clock. Throws ENivraDFeException "Nenhum
  // evento para imprimir (XMLEvento vazio)." when it is empty, and what reading and drawing throw.
  [[nodiscard]] std::string GerarPDFEvento() const;
  // The PDF of XMLInutilizacao. Throws ENivraDFeException "Nenhuma inutilização para imprimir
  // (XMLInutilizacao vazio)." when it is empty, and what reading and drawing throw.
  [[nodiscard]] std::string GerarPDFInutilizacao() const;

  // Prints GerarPDFEvento on Impressora (EnviarParaImpressora: the system's print queue).
  // Throws as GerarPDFEvento and EnviarParaImpressora.
  void ImprimirEvento() override;
  // Prints GerarPDFInutilizacao on Impressora; throws likewise.
  void ImprimirInutilizacao() override;
  // Writes GerarPDFEvento to PathPDF as "<Id without ID>-procEventoNFe.pdf" (the Id's letters
  // and digits only) and keeps its name in ArquivoPDF. Throws as GerarPDFEvento, and
  // ENivraDFeException when the file cannot be written.
  void ImprimirEventoPDF() override;
  // Writes GerarPDFInutilizacao to PathPDF as "<Id without ID>-procInutNFe.pdf"; otherwise as
  // ImprimirEventoPDF.
  void ImprimirInutilizacaoPDF() override;

 private:
  // The invoice's nfeProc (or its XML alone) read; throws as GerarPDFDANFE.
  static TNFeLida LerNota(const NotaFiscal& Nota);
  // The DANFE or DANFCE of a read invoice.
  std::string PDFNota(const TNFeLida& Nota) const;
  // The decoded Logo; null when none is set. Throws as GerarPDFDANFE says.
  std::unique_ptr<TImagemPDF> CarregarLogo() const;
  // The linked component's clock (it dates the PDFs), or the host's without one.
  TDateTime Agora() const;
  // Writes Pdf to the PDF folder as <Id without "ID">-<Sufixo>.pdf (Alternativo when the Id
  // has no letters or digits) and returns the file's name.
  std::string Gravar(const std::string& Pdf, const std::string& Id, const std::string& Sufixo,
                     const std::string& Alternativo);

  std::string FXMLEvento;
  std::string FXMLInutilizacao;
  std::string FPathPDF;
  std::string FImpressora;
  std::string FLogo;
  std::string FArquivoPDF;
  bool FPaisagem = false;
  bool FNFeCancelada = false;
  double FLarguraBobina = 80;
};

}  // namespace nivra
