// The DANFCE read back: one roll page of the paper's width, its divisions' texts and the QR code
// scanned to the document's link.
#include "nivranfe/impressao/impressao_danfce.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "nivranfe/documento/documento_nfe.h"
#include "nivranfe/impressao/imagem_pdf.h"
#include "nivranfe/util/excecoes.h"
#include "tests/documento/nota_teste.h"
#include "tests/impressao/imagem_teste.h"
#include "tests/impressao/leitura_pdf.h"

namespace nivra {

namespace {

const char* const kQRCode =
    "https://www.fazenda.pr.gov.br/nfce/qrcode?p=41261212ABC34501DE356500100000012312345678"
    "0|2|2|1|0a1b2c3d4e5f60718293a4b5c6d7e8f901234567";
const char* const kURLChave = "http://www.fazenda.pr.gov.br/nfce/consulta";

TNFeLida NFCe() {
  TNFeLida lida{NotaDeTeste(), std::nullopt, "", {}};
  auto& n = lida.NFe.infNFe;
  n.ide.mod = "65";
  n.ide.indFinal = "1";
  n.ide.tpImp = "4";
  n.det.front().imposto.vTotTrib = "0.04";
  n.total.ICMSTot.vTotTrib = "0.04";
  n.pag.detPag.front().vPag = "1";
  n.pag.vTroco = "0.7";
  lida.NFe.infNFeSupl = nfe::TinfNFeSupl{kQRCode, kURLChave};
  ComporChaveNFe(lida.NFe, [] { return 12345678U; });
  auto& prot = lida.protNFe.emplace().infProt;
  prot.nProt = "141260000099999";
  prot.dhRecbto = "2026-12-10T09:30:05-03:00";
  return lida;
}

bool Contem(const std::string& texto, const std::string& trecho) {
  return texto.find(trecho) != std::string::npos;
}

struct TCasoDANFCE {
  const char* Nome;
  double Largura;
  bool Consumidor;
  const char* tpAmb;
  const char* tpEmis;
  std::vector<std::string> Presentes;
  std::vector<std::string> Ausentes;
};

class DANFCE : public testing::TestWithParam<TCasoDANFCE> {};

TEST_P(DANFCE, PrintsEveryDivisionOnOneRollPageAndTheQRCodeScans) {
  const TCasoDANFCE& caso = GetParam();
  TNFeLida lida = NFCe();
  lida.NFe.infNFe.ide.tpAmb = caso.tpAmb;
  lida.NFe.infNFe.ide.tpEmis = caso.tpEmis;
  if (!caso.Consumidor) lida.NFe.infNFe.dest.reset();
  const TLeituraPDF pdf(PDFDANFCE(lida, {caso.Largura, "https://consulta.exemplo/nfce"}, 0));
  EXPECT_EQ(pdf.Paginas(), 1);
  // The page is as wide as the paper (in points).
  const std::string largura = std::to_string(static_cast<int>(caso.Largura / 25.4 * 72));
  EXPECT_TRUE(Contem(pdf.Palavras(), "<page width=\"" + largura)) << largura;
  const std::string texto = pdf.TextoCorrido();
  std::vector<std::string> esperados{"Comércio de Peças & Cia Ltda",
                                     "12.ABC.345/01DE-35",
                                     "Documento Auxiliar da Nota Fiscal de Consumidor Eletrônica",
                                     "Parafuso sextavado",
                                     "Qtde. total de itens",
                                     "Valor a pagar R$ 0,30",
                                     "Dinheiro 1,00",
                                     "Troco R$ 0,70",
                                     "Consulte pela Chave de Acesso em",
                                     "https://consulta.exemplo/nfce",
                                     "NFC-e nº 123",
                                     "Protocolo de autorização: 141260000099999",
                                     "10/12/2026 09:30:05",
                                     "Lei Federal 12.741/2012): R$ 0,04"};
  esperados.insert(esperados.end(), caso.Presentes.begin(), caso.Presentes.end());
  for (const std::string& trecho : esperados) EXPECT_TRUE(Contem(texto, trecho)) << trecho;
  for (const std::string& trecho : caso.Ausentes) EXPECT_FALSE(Contem(texto, trecho)) << trecho;
  // The key in groups of four, whatever line it wraps to.
  const std::string chave = lida.NFe.infNFe.Id.substr(3);
  EXPECT_TRUE(Contem(pdf.TextoSemBrancos(), chave));
  EXPECT_EQ(pdf.Codigos(1, 300), std::vector<std::string>{std::string("QR-Code:") + kQRCode});
}

INSTANTIATE_TEST_SUITE_P(
    Casos, DANFCE,
    testing::Values(TCasoDANFCE{"Oitenta",
                                80,
                                true,
                                "1",
                                "1",
                                {"CONSUMIDOR - 11.222.333/0001-81 - Cliente Exemplo SA"},
                                {"HOMOLOGAÇÃO", "CONTINGÊNCIA", "NÃO IDENTIFICADO"}},
                    TCasoDANFCE{"CinquentaEOitoSemConsumidor",
                                58,
                                false,
                                "1",
                                "1",
                                {"CONSUMIDOR NÃO IDENTIFICADO"},
                                {"Cliente Exemplo SA"}},
                    TCasoDANFCE{"Homologacao",
                                80,
                                true,
                                "2",
                                "1",
                                {"EMITIDA EM AMBIENTE DE HOMOLOGAÇÃO – SEM VALOR FISCAL"},
                                {}},
                    TCasoDANFCE{"ContingenciaOffline",
                                58,
                                true,
                                "1",
                                "9",
                                {"EMITIDA EM CONTINGÊNCIA", "Pendente de autorização"},
                                {}}),
    [](const testing::TestParamInfo<TCasoDANFCE>& info) { return info.param.Nome; });

TEST(DANFCE, WithoutAPageTheDocumentsOwnLinkIsPrinted) {
  const TLeituraPDF pdf(PDFDANFCE(NFCe(), {}, 0));
  EXPECT_TRUE(Contem(pdf.TextoCorrido(), kURLChave));
}

// The logo goes above the issuer's name, as wide as the paper allows up to 18 mm high; the roll
// grows by its height and the QR code still scans.
TEST(DANFCE, IssuerLogoGoesAboveTheName) {
  const TNFeLida lida = NFCe();
  const TImagemPDF logo(ImagemDeTeste("png", 200, 60));
  for (const double papel : {80.0, 58.0}) {
    const TLeituraPDF sem(PDFDANFCE(lida, {papel, ""}, 0));
    const TLeituraPDF com(PDFDANFCE(lida, {papel, "", &logo}, 0));
    const auto imagens = com.Imagens();
    ASSERT_EQ(imagens.size(), 1U);
    EXPECT_EQ(imagens[0].PpiX, imagens[0].PpiY);
    // 200 x 60 pixels: 18 mm high on 80 mm paper; on 58 mm, the printable 54 mm wide.
    const double altura = papel == 80 ? 18 : 54 * 0.3;
    EXPECT_NEAR(200 * 25.4 / imagens[0].PpiX, altura / 0.3, 1.0) << papel;
    EXPECT_NEAR(com.AlturaMm() - sem.AlturaMm(), altura + 1.5, 0.1) << papel;
    EXPECT_LT(com.TextoCorrido().find("Parafuso"), std::string::npos);
    EXPECT_EQ(com.Codigos(1, 300), std::vector<std::string>{std::string("QR-Code:") + kQRCode});
  }
}

TEST(DANFCE, RefusesWhatCannotBePrinted) {
  TNFeLida nfe = NFCe();
  nfe.NFe.infNFe.ide.mod = "55";
  TNFeLida semQR = NFCe();
  semQR.NFe.infNFeSupl.reset();
  for (const TNFeLida& lida : {nfe, semQR})
    EXPECT_THROW((void)PDFDANFCE(lida, {}, 0), ENivraDFeException);
  EXPECT_THROW((void)PDFDANFCE(NFCe(), {70, ""}, 0), ENivraDFeException);
}

}  // namespace

}  // namespace nivra
