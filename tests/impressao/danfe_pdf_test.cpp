// The PDF printing component: through the document component, to files and to memory.
#include "impressao/danfe_pdf.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "dfe/nivra_nfe.h"
#include "tests/fakes/mensagem_de.h"
#include "tests/fakes/pasta_temporaria.h"
#include "tests/impressao/eventos_exemplo.h"
#include "tests/impressao/leitura_pdf.h"

namespace {

TEST(DANFEPDF, ComponentPrintsTheEventAndTheVoidingToFiles) {
  TPastaTemporaria pasta;
  TNivraNFe nfe;
  TNivraNFeDANFEPDF danfe;
  nfe.SetDANFE(&danfe);
  danfe.SetPathPDF(pasta.Caminho() + "pdf");

  danfe.SetXMLEvento(kXMLCartaCorrecao);
  nfe.ImprimirEventoPDF();
  EXPECT_EQ(danfe.ArquivoPDF(),
            pasta.Caminho() + "pdf/110110" + kChaveCCe + "01-procEventoNFe.pdf");
  const TLeituraPDF evento(TPastaTemporaria::Ler(danfe.ArquivoPDF()));
  EXPECT_NE(evento.TextoCorrido().find("CARTA DE CORREÇÃO ELETRÔNICA"), std::string::npos);

  danfe.SetXMLInutilizacao(kXMLInutilizacao);
  nfe.ImprimirInutilizacaoPDF();
  EXPECT_EQ(danfe.ArquivoPDF(),
            pasta.Caminho() + "pdf/41261212ABC34501DE3555001000000010000000015-procInutNFe.pdf");
  const TLeituraPDF inutilizacao(TPastaTemporaria::Ler(danfe.ArquivoPDF()));
  EXPECT_NE(inutilizacao.TextoCorrido().find("INUTILIZAÇÃO DE NUMERAÇÃO"), std::string::npos);
}

TEST(DANFEPDF, PdfInMemoryMatchesTheFile) {
  TPastaTemporaria pasta;
  TNivraNFeDANFEPDF danfe;
  danfe.SetPathPDF(pasta.Caminho());
  danfe.SetXMLEvento(kXMLCancelamento);
  const std::string memoria = danfe.GerarPDFEvento();
  danfe.ImprimirEventoPDF();
  EXPECT_EQ(TLeituraPDF(memoria).Texto(),
            TLeituraPDF(TPastaTemporaria::Ler(danfe.ArquivoPDF())).Texto());
  EXPECT_NE(TLeituraPDF(memoria).Texto().find("CANCELAMENTO DE NF-e"), std::string::npos);
}

TEST(DANFEPDF, WithoutPathPdfGoesToTheComponentsFolder) {
  TPastaTemporaria pasta;
  TNivraNFe nfe;
  nfe.Configuracoes().Arquivos().SetPathSalvar(pasta.Caminho() + "salvos");
  TNivraNFeDANFEPDF danfe;
  nfe.SetDANFE(&danfe);
  danfe.SetXMLInutilizacao(kXMLInutilizacao);
  danfe.ImprimirInutilizacaoPDF();
  EXPECT_EQ(std::filesystem::path(danfe.ArquivoPDF()).parent_path(),
            std::filesystem::path(pasta.Caminho() + "salvos"));
  EXPECT_TRUE(std::filesystem::is_regular_file(danfe.ArquivoPDF()));
}

TEST(DANFEPDF, FileNameKeepsOnlyTheIdsLettersAndDigits) {
  TPastaTemporaria pasta;
  TNivraNFeDANFEPDF danfe;
  danfe.SetPathPDF(pasta.Caminho() + "pdf");
  std::string xml = kXMLCartaCorrecao;
  const std::string id = "ID110110" + kChaveCCe + "01";
  xml.replace(xml.find(id), id.size(), "ID../../fora/x");
  danfe.SetXMLEvento(xml);
  danfe.ImprimirEventoPDF();
  EXPECT_EQ(danfe.ArquivoPDF(), pasta.Caminho() + "pdf/forax-procEventoNFe.pdf");
  EXPECT_FALSE(std::filesystem::exists(pasta.Caminho() + "fora"));
}

TEST(DANFEPDF, NothingToPrintIsAClearError) {
  TNivraNFeDANFEPDF danfe;
  EXPECT_EQ(MensagemDe([&] { danfe.ImprimirEventoPDF(); }),
            "Nenhum evento para imprimir (XMLEvento vazio).");
  EXPECT_EQ(MensagemDe([&] { (void)danfe.GerarPDFInutilizacao(); }),
            "Nenhuma inutilização para imprimir (XMLInutilizacao vazio).");
  danfe.SetXMLEvento(kXMLInutilizacao);
  EXPECT_EQ(MensagemDe([&] { danfe.ImprimirEventoPDF(); }),
            "XML não é um evento de NF-e (procEventoNFe ou evento)");
}

}  // namespace
