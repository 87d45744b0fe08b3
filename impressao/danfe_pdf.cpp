// The PDF printing component: event and voiding prints to memory, to files and to a printer.
#include "nivranfe/impressao/danfe_pdf.h"

#include <cctype>
#include <filesystem>

#include "nivranfe/dfe/documentos_nfe.h"
#include "nivranfe/dfe/nivra_nfe.h"
#include "nivranfe/documento/documento_nfe.h"
#include "nivranfe/impressao/fila_impressao.h"
#include "nivranfe/impressao/impressao_danfce.h"
#include "nivranfe/impressao/impressao_danfe.h"
#include "nivranfe/impressao/impressao_eventos.h"
#include "nivranfe/impressao/leitura_eventos.h"
#include "nivranfe/util/arquivos.h"
#include "nivranfe/util/excecoes.h"
#include "nivranfe/util/texto.h"

namespace nivra {

TDateTime TNivraNFeDANFEPDF::Agora() const {
  return NivraNFe() != nullptr ? NivraNFe()->Agora() : nivra::Agora();
}

TNFeLida TNivraNFeDANFEPDF::LerNota(const NotaFiscal& Nota) {
  std::string xml = Nota.XMLProcessado();
  if (xml.empty()) xml = Nota.XML();
  if (xml.empty()) throw ENivraDFeException("Nenhuma NF-e para imprimir (XML da nota vazio).");
  return LerXMLNFe(xml);
}

std::unique_ptr<TImagemPDF> TNivraNFeDANFEPDF::CarregarLogo() const {
  if (FLogo.empty()) return nullptr;
  try {
    return std::make_unique<TImagemPDF>(LerArquivoBinario(FLogo));
  } catch (const ENivraDFeException& erro) {
    throw ENivraDFeException("Logotipo " + FLogo + ": " + erro.what());
  }
}

std::string TNivraNFeDANFEPDF::PDFNota(const TNFeLida& Nota) const {
  const nfe::Tide& ide = Nota.NFe.infNFe.ide;
  const std::unique_ptr<TImagemPDF> logo = CarregarLogo();
  if (ide.mod != "65") return PDFDANFE(Nota, {FPaisagem, FNFeCancelada, logo.get()}, Agora());
  TOpcoesDANFCE opcoes{FLarguraBobina, "", logo.get()};
  if (NivraNFe() != nullptr) {
    const TkovTipoAmbiente ambiente =
        ide.tpAmb == "1" ? TkovTipoAmbiente::taProducao : TkovTipoAmbiente::taHomologacao;
    if (ide.cUF.size() != 2 || !std::isdigit(static_cast<unsigned char>(ide.cUF[0])) ||
        !std::isdigit(static_cast<unsigned char>(ide.cUF[1])))
      throw ENivraDFeException("A NFC-e não tem um código de UF válido (ide/cUF): \"" + ide.cUF +
                               "\".");
    opcoes.URLConsulta = NivraNFe()->GetURLConsultaNFCe(std::stoi(ide.cUF), ambiente, 4.00);
  }
  return PDFDANFCE(Nota, opcoes, Agora());
}

std::string TNivraNFeDANFEPDF::GerarPDFDANFE(const NotaFiscal& Nota) const {
  return PDFNota(LerNota(Nota));
}

void TNivraNFeDANFEPDF::ImprimirDANFE(const NotaFiscal& Nota) {
  EnviarParaImpressora(GerarPDFDANFE(Nota), FImpressora, "DANFE");
}

void TNivraNFeDANFEPDF::ImprimirDANFEPDF(const NotaFiscal& Nota) {
  const TNFeLida lida = LerNota(Nota);
  const std::string pdf = PDFNota(lida);
  const std::string& id = lida.NFe.infNFe.Id;
  FArquivoPDF = Gravar(pdf, id.starts_with("NFe") ? id.substr(3) : id, "nfe", "nfe");
}

std::string TNivraNFeDANFEPDF::GerarPDFEvento() const {
  if (FXMLEvento.empty())
    throw ENivraDFeException("Nenhum evento para imprimir (XMLEvento vazio).");
  return PDFEvento(LerEventoImpresso(FXMLEvento), Agora());
}

std::string TNivraNFeDANFEPDF::GerarPDFInutilizacao() const {
  if (FXMLInutilizacao.empty())
    throw ENivraDFeException("Nenhuma inutilização para imprimir (XMLInutilizacao vazio).");
  return PDFInutilizacao(LerInutilizacaoImpressa(FXMLInutilizacao), Agora());
}

void TNivraNFeDANFEPDF::ImprimirEvento() {
  EnviarParaImpressora(GerarPDFEvento(), FImpressora, "Evento NF-e");
}

void TNivraNFeDANFEPDF::ImprimirInutilizacao() {
  EnviarParaImpressora(GerarPDFInutilizacao(), FImpressora, "Inutilização NF-e");
}

void TNivraNFeDANFEPDF::ImprimirEventoPDF() {
  const std::string pdf = GerarPDFEvento();
  FArquivoPDF = Gravar(pdf, LerEventoImpresso(FXMLEvento).Id, "procEventoNFe", "evento");
}

void TNivraNFeDANFEPDF::ImprimirInutilizacaoPDF() {
  const std::string pdf = GerarPDFInutilizacao();
  FArquivoPDF =
      Gravar(pdf, LerInutilizacaoImpressa(FXMLInutilizacao).Id, "procInutNFe", "inutilizacao");
}

std::string TNivraNFeDANFEPDF::Gravar(const std::string& Pdf, const std::string& Id,
                                      const std::string& Sufixo, const std::string& Alternativo) {
  // The name comes from the document: only its letters and digits reach the file system.
  std::string nome = SomenteLetrasEDigitos(Id.starts_with("ID") ? Id.substr(2) : Id);
  if (nome.empty()) nome = Alternativo;
  std::filesystem::path pasta = FPathPDF;
  if (pasta.empty() && NivraNFe() != nullptr)
    pasta = NivraNFe()->Configuracoes().Arquivos().PathSalvar();
  if (pasta.empty()) pasta = ".";
  std::error_code erro;
  std::filesystem::create_directories(pasta, erro);
  if (erro)
    throw ENivraDFeException("Não foi possível criar a pasta " + pasta.string() + ": " +
                             erro.message());
  std::string arquivo = (pasta / (nome + "-" + Sufixo + ".pdf")).string();
  GravarArquivoAtomico(arquivo, Pdf, 0644);
  return arquivo;
}

}  // namespace nivra
