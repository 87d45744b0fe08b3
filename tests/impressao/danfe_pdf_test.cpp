// The PDF printing component: through the document component, to files and to memory.
#include "nivranfe/impressao/danfe_pdf.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "nivranfe/dfe/documentos_nfe.h"
#include "nivranfe/dfe/nivra_nfe.h"
#include "nivranfe/documento/documento_nfe.h"
#include "nivranfe/util/datahora.h"
#include "tests/documento/nota_teste.h"
#include "tests/fakes/mensagem_de.h"
#include "tests/fakes/pasta_temporaria.h"
#include "tests/fakes/variavel_ambiente.h"
#include "tests/impressao/eventos_exemplo.h"
#include "tests/impressao/leitura_pdf.h"

namespace nivra {

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

TEST(DANFEPDF, PdfInMemoryIsTheFileDatedByTheComponentsClock) {
  TPastaTemporaria pasta;
  TNivraNFe nfe;
  nfe.SetRelogio([] { return CodificarDataHora(2026, 12, 10, 14, 30, 0); });
  TNivraNFeDANFEPDF danfe;
  nfe.SetDANFE(&danfe);
  danfe.SetPathPDF(pasta.Caminho());
  danfe.SetXMLEvento(kXMLCancelamento);
  const std::string memoria = danfe.GerarPDFEvento();
  danfe.ImprimirEventoPDF();
  EXPECT_EQ(memoria, TPastaTemporaria::Ler(danfe.ArquivoPDF()));
  const size_t data = memoria.find("/CreationDate (");
  ASSERT_NE(data, std::string::npos);
  EXPECT_NE(memoria.substr(data, 40).find("20261210143000"), std::string::npos);
  EXPECT_NE(TLeituraPDF(memoria).Texto().find("CANCELAMENTO DE NF-e"), std::string::npos);
}

// An invoice of the component: the test note's XML and, when given, its protocol.
// Returns the key.
std::string CarregarNota(NotaFiscal& nota, nfe::TNFe modelo, bool protocolo) {
  const std::string chave = ComporChaveNFe(modelo, [] { return 12345678U; });
  nota.SetXML(GerarXMLNFe(modelo).XML);
  if (!protocolo) return chave;
  nfe::TprotNFe prot;
  prot.infProt = {"2",
                  "SVRS",
                  chave,
                  "2026-12-10T09:31:02-03:00",
                  "141260000012345",
                  "",
                  "100",
                  "Autorizado o uso da NF-e",
                  std::nullopt,
                  ""};
  nota.SetProtocolo(GerarXMLProtNFe(prot).XML, "141260000012345", 100, "Autorizado");
  return chave;
}

TEST(DANFEPDF, InvoiceOfTheComponentPrintsWithItsProtocolToMemoryAndFile) {
  TPastaTemporaria pasta;
  TNivraNFe nfe;
  // Both prints carry the same creation time only with a pinned clock.
  nfe.SetRelogio([] { return CodificarDataHora(2026, 12, 10, 14, 30, 0); });
  TNivraNFeDANFEPDF danfe;
  nfe.SetDANFE(&danfe);
  danfe.SetPathPDF(pasta.Caminho());
  NotaFiscal& nota = nfe.NotasFiscais().Add();
  const std::string chave = CarregarNota(nota, NotaDeTeste(), true);
  const std::string memoria = danfe.GerarPDFDANFE(nota);
  danfe.ImprimirDANFEPDF(nota);
  EXPECT_EQ(danfe.ArquivoPDF(), pasta.Caminho() + chave + "-nfe.pdf");
  EXPECT_EQ(TPastaTemporaria::Ler(danfe.ArquivoPDF()), memoria);
  const std::string texto = TLeituraPDF(memoria).TextoCorrido();
  EXPECT_NE(texto.find("141260000012345 - 10/12/2026 09:31:02"), std::string::npos);

  NotaFiscal& semProtocolo = nfe.NotasFiscais().Add();
  CarregarNota(semProtocolo, NotaDeTeste(), false);
  EXPECT_NE(TLeituraPDF(danfe.GerarPDFDANFE(semProtocolo))
                .TextoCorrido()
                .find("SEM PROTOCOLO DE AUTORIZAÇÃO DE USO"),
            std::string::npos);
  EXPECT_EQ(MensagemDe([&] { (void)danfe.GerarPDFDANFE(nfe.NotasFiscais().Add()); }),
            "Nenhuma NF-e para imprimir (XML da nota vazio).");
}

TEST(DANFEPDF, NFCeGetsTheConsultationPageOfTheServicesTable) {
  TNivraNFe nfe;
  nfe.Configuracoes().WebServices().SetParams(
      {"[NFCe_PR_H]", "URL-ConsultaNFCe_4.00=http://nfce.pr.exemplo/consulta"});
  TNivraNFeDANFEPDF danfe;
  nfe.SetDANFE(&danfe);
  danfe.SetLarguraBobina(58);
  nfe::TNFe modelo = NotaDeTeste();
  modelo.infNFe.ide.mod = "65";
  modelo.infNFeSupl = nfe::TinfNFeSupl{"https://nfce.pr.exemplo/qrcode?p=1|2|2|1|abc",
                                       "http://documento.exemplo/consulta"};
  NotaFiscal& nota = nfe.NotasFiscais().Add();
  CarregarNota(nota, modelo, true);
  const TLeituraPDF pdf(danfe.GerarPDFDANFE(nota));
  EXPECT_NE(pdf.TextoCorrido().find("http://nfce.pr.exemplo/consulta"), std::string::npos);
  EXPECT_NE(pdf.Palavras().find("<page width=\"164"), std::string::npos);  // 58 mm
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

// A stand-in for CUPS' lp in a folder put first in PATH: it records its arguments and the job
// it reads, and refuses queues named "recusa" as lp does an unknown one.
class DANFEImpressora : public ::testing::Test {
 protected:
  void SetUp() override {
    std::ofstream(pasta.Caminho() + "lp") << "#!/bin/sh\n"
                                             "echo \"$@\" > '" +
                                                 pasta.Caminho() +
                                                 "argumentos'\n"
                                                 "cat > '" +
                                                 pasta.Caminho() +
                                                 "trabalho.pdf'\n"
                                                 "case \"$*\" in *recusa*) echo 'lp: The printer "
                                                 "or class does not exist.' >&2; exit 1;;"
                                                 " esac\n";
    std::filesystem::permissions(pasta.Caminho() + "lp", std::filesystem::perms::owner_all);
    caminho.emplace("PATH", (pasta.Caminho() + ":/usr/bin:/bin").c_str());
  }

  TPastaTemporaria pasta;
  std::optional<TVariavelAmbiente> caminho;
};

TEST_F(DANFEImpressora, EventGoesToTheQueueAsItsPdf) {
  TNivraNFe nfe;
  TNivraNFeDANFEPDF danfe;
  nfe.SetDANFE(&danfe);
  danfe.SetXMLEvento(kXMLCartaCorrecao);
  danfe.SetImpressora("Escritorio");
  nfe.ImprimirEvento();
  EXPECT_EQ(TPastaTemporaria::Ler(pasta.Caminho() + "argumentos"),
            "-s -d Escritorio -t Evento NF-e -\n");
  const TLeituraPDF trabalho(TPastaTemporaria::Ler(pasta.Caminho() + "trabalho.pdf"));
  EXPECT_NE(trabalho.TextoCorrido().find("CARTA DE CORREÇÃO ELETRÔNICA"), std::string::npos);

  danfe.SetImpressora("");
  danfe.SetXMLInutilizacao(kXMLInutilizacao);
  nfe.ImprimirInutilizacao();
  EXPECT_EQ(TPastaTemporaria::Ler(pasta.Caminho() + "argumentos"), "-s -t Inutilização NF-e -\n");
}

TEST_F(DANFEImpressora, RefusedJobAndMissingLpAreClearErrors) {
  TNivraNFeDANFEPDF danfe;
  danfe.SetXMLEvento(kXMLCancelamento);
  danfe.SetImpressora("recusa");
  EXPECT_EQ(MensagemDe([&] { danfe.ImprimirEvento(); }),
            "Falha ao imprimir em recusa: lp: The printer or class does not exist.");
  const TVariavelAmbiente semLp("PATH", pasta.Caminho().append("vazia").c_str());
  EXPECT_EQ(MensagemDe([&] { danfe.ImprimirEvento(); }),
            "Não foi possível imprimir: comando lp (CUPS) não encontrado");
}

}  // namespace

}  // namespace nivra
