// The DANFE read back as a reader and a scanner would: sheets, texts, the key's bar code, the
// marks of homologation, cancellation, contingency and missing authorisation, the second code
// of a security-form contingency and the issuer's logo.
#include "nivranfe/impressao/impressao_danfe.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "nivranfe/documento/documento_nfe.h"
#include "nivranfe/impressao/dados_contingencia.h"
#include "nivranfe/impressao/formatacao_impressao.h"
#include "nivranfe/impressao/paginacao_danfe.h"
#include "nivranfe/util/datahora.h"
#include "nivranfe/util/excecoes.h"
#include "tests/documento/nota_teste.h"
#include "tests/impressao/imagem_teste.h"
#include "tests/impressao/leitura_pdf.h"

namespace nivra {

namespace {

const TDateTime kCriacao = CodificarDataHora(2026, 12, 10, 10, 0, 0);

// The test note with its key, authorised in homologation unless the test changes it.
TNFeLida NotaLida(const std::string& cnpjEmitente = "12ABC34501DE35") {
  TNFeLida lida{NotaDeTeste(), std::nullopt, "", {}};
  lida.NFe.infNFe.emit.CNPJ_CPF = nfe::TCNPJ{cnpjEmitente};
  const std::string chave = ComporChaveNFe(lida.NFe, [] { return 12345678U; });
  auto& prot = lida.protNFe.emplace().infProt;
  prot.tpAmb = "2";
  prot.chNFe = chave;
  prot.dhRecbto = "2026-12-10T09:31:02-03:00";
  prot.nProt = "141260000012345";
  prot.cStat = "100";
  return lida;
}

std::string Chave(const TNFeLida& lida) { return lida.NFe.infNFe.Id.substr(3); }

bool Contem(const std::string& texto, const std::string& trecho) {
  return texto.find(trecho) != std::string::npos;
}

TEST(ImpressaoDANFE, FirstSheetHasEveryBlockAndTheKeyScans) {
  const TNFeLida lida = NotaLida("11222333000181");
  const TLeituraPDF pdf(PDFDANFE(lida, {}, kCriacao));
  EXPECT_EQ(pdf.Paginas(), 1);
  const std::string texto = pdf.TextoCorrido();
  for (const char* trecho : {"RECEBEMOS DE COMÉRCIO DE PEÇAS & CIA LTDA",
                             "DATA DE RECEBIMENTO",
                             "IDENTIFICAÇÃO E ASSINATURA DO RECEBEDOR",
                             "DANFE",
                             "Documento Auxiliar da Nota Fiscal Eletrônica",
                             "0 - ENTRADA 1 - SAÍDA",
                             "Nº 000.000.123",
                             "SÉRIE 1",
                             "FOLHA 1/1",
                             "CHAVE DE ACESSO",
                             "Consulta de autenticidade no portal nacional da NF-e",
                             "NATUREZA DA OPERAÇÃO",
                             "VENDA DE MERCADORIA",
                             "PROTOCOLO DE AUTORIZAÇÃO DE USO",
                             "141260000012345 - 10/12/2026 09:31:02",
                             "INSCRIÇÃO ESTADUAL",
                             "1234567890",
                             "11.222.333/0001-81",
                             "DESTINATÁRIO/REMETENTE",
                             "Cliente Exemplo SA",
                             "Av. Brasil, 2000",
                             "80420-000",
                             "CÁLCULO DO IMPOSTO",
                             "V. TOTAL DA NOTA",
                             "TRANSPORTADOR/VOLUMES TRANSPORTADOS",
                             "9 - SEM OCORRÊNCIA DE TRANSPORTE",
                             "DADOS DOS PRODUTOS/SERVIÇOS",
                             "Parafuso sextavado",
                             "73181500",
                             "000",
                             "5102",
                             "3,0000",
                             "0,10",
                             "0,30",
                             "0,05",
                             "18,00",
                             "DADOS ADICIONAIS",
                             "INFORMAÇÕES COMPLEMENTARES",
                             "RESERVADO AO FISCO"}) {
    EXPECT_TRUE(Contem(texto, trecho)) << trecho;
  }
  std::string grupos;
  for (size_t i = 0; i < 44; i += 4) grupos += (i ? " " : "") + Chave(lida).substr(i, 4);
  EXPECT_TRUE(Contem(texto, grupos)) << grupos;
  EXPECT_EQ(pdf.Codigos(1, 300), std::vector<std::string>{"CODE-128:" + Chave(lida)});
}

TEST(ImpressaoDANFE, ServicesGetTheISSQNBlock) {
  TNFeLida lida = NotaLida();
  EXPECT_FALSE(Contem(TLeituraPDF(PDFDANFE(lida, {}, kCriacao)).TextoCorrido(), "ISSQN"));
  auto& issqn = lida.NFe.infNFe.total.ISSQNtot.emplace();
  issqn.vServ = "1500";
  issqn.vISS = "75";
  lida.NFe.infNFe.emit.IM_CNAE = nfe::TIM_CNAE{"99887766", ""};
  const std::string texto = TLeituraPDF(PDFDANFE(lida, {}, kCriacao)).TextoCorrido();
  for (const char* trecho : {"CÁLCULO DO ISSQN", "INSCRIÇÃO MUNICIPAL 99887766",
                             "VALOR TOTAL DOS SERVIÇOS 1.500,00", "VALOR DO ISSQN 75,00"})
    EXPECT_TRUE(Contem(texto, trecho)) << trecho;
}

TEST(ImpressaoDANFE, AlphanumericIssuerIsFormattedAndItsKeyScans) {
  const TNFeLida lida = NotaLida();
  ASSERT_NE(Chave(lida).find("ABC"), std::string::npos);
  const TLeituraPDF pdf(PDFDANFE(lida, {}, kCriacao));
  EXPECT_TRUE(Contem(pdf.TextoCorrido(), "12.ABC.345/01DE-35"));
  EXPECT_EQ(pdf.Codigos(1, 300), std::vector<std::string>{"CODE-128:" + Chave(lida)});
}

TEST(ImpressaoDANFE, ProductsAndAdditionalDataContinueOnSheetsWithTheHeader) {
  TNFeLida lida = NotaLida();
  const nfe::Tdet modelo = lida.NFe.infNFe.det.front();
  lida.NFe.infNFe.det.clear();
  for (int i = 1; i <= 90; ++i) {
    nfe::Tdet& det = lida.NFe.infNFe.det.emplace_back(modelo);
    det.nItem = std::to_string(i);
    det.prod.cProd = "P" + std::to_string(i);
    det.prod.xProd = "Produto numero " + std::to_string(i);
  }
  std::string complementar;
  for (int i = 1; i <= 400; ++i) complementar += "palavra" + std::to_string(i) + " ";
  lida.NFe.infNFe.infAdic.emplace().infCpl = complementar + "FIM-DO-TEXTO";

  for (const bool paisagem : {false, true}) {
    const TLeituraPDF pdf(PDFDANFE(lida, {paisagem, false}, kCriacao));
    const int paginas = pdf.Paginas();
    ASSERT_GE(paginas, 3) << paisagem;
    const std::string texto = pdf.TextoCorrido();
    for (int p = 1; p <= paginas; ++p) {
      const std::string folha = "FOLHA " + std::to_string(p) + "/" + std::to_string(paginas);
      EXPECT_TRUE(Contem(texto, folha)) << folha;
    }
    EXPECT_EQ(pdf.Codigos(paginas, 300), std::vector<std::string>{"CODE-128:" + Chave(lida)});
    EXPECT_TRUE(Contem(texto, "DADOS ADICIONAIS (CONTINUAÇÃO)"));
    // Every product and every word of the additional data is printed once.
    for (int i = 1; i <= 90; ++i) {
      const std::string produto = "Produto numero " + std::to_string(i) + " ";
      EXPECT_TRUE(Contem(texto, produto)) << produto;
    }
    for (const char* palavra : {"palavra1 ", "palavra200 ", "palavra400 ", "FIM-DO-TEXTO"}) {
      const size_t primeira = texto.find(palavra);
      EXPECT_NE(primeira, std::string::npos) << palavra;
      EXPECT_EQ(texto.find(palavra, primeira + 1), std::string::npos) << palavra;
    }
    // The first sheet lists products too, before the second begins.
    EXPECT_LT(texto.find("Produto numero 1 "), texto.find("FOLHA 2/"));
    // The receipt stub and the first sheet's blocks are not repeated.
    EXPECT_EQ(texto.find("DATA DE RECEBIMENTO", texto.find("FOLHA 2/")), std::string::npos);
  }
}

struct TCasoMarca {
  const char* Nome;
  const char* tpAmb;
  const char* tpEmis;
  bool Protocolo;
  bool Cancelada;
  std::vector<std::string> Presentes;
  std::vector<std::string> Ausentes;
};

class MarcasDANFE : public testing::TestWithParam<TCasoMarca> {};

TEST_P(MarcasDANFE, SayWhatTheDocumentIs) {
  const TCasoMarca& caso = GetParam();
  TNFeLida lida = NotaLida();
  auto& ide = lida.NFe.infNFe.ide;
  ide.tpAmb = caso.tpAmb;
  ide.tpEmis = caso.tpEmis;
  if (ide.tpEmis != "1") ide.dhCont_xJust = {"2026-12-10T09:00:00-03:00", "Sefaz fora do ar"};
  ComporChaveNFe(lida.NFe);
  if (!caso.Protocolo) lida.protNFe.reset();
  const TLeituraPDF pdf(PDFDANFE(lida, {false, caso.Cancelada}, kCriacao));
  const std::string texto = pdf.TextoSemBrancos();
  for (const std::string& marca : caso.Presentes) EXPECT_TRUE(Contem(texto, marca)) << marca;
  for (const std::string& marca : caso.Ausentes) EXPECT_FALSE(Contem(texto, marca)) << marca;
}

INSTANTIATE_TEST_SUITE_P(
    Casos, MarcasDANFE,
    testing::Values(TCasoMarca{"ProducaoAutorizada",
                               "1",
                               "1",
                               true,
                               false,
                               {"141260000012345"},
                               {"SEMVALORFISCAL", "CANCELADA", "SEMAUTORIZAÇÃO", "CONTINGÊNCIA"}},
                    TCasoMarca{"Homologacao",
                               "2",
                               "1",
                               true,
                               false,
                               {"SEMVALORFISCAL", "EMITIDAEMAMBIENTEDEHOMOLOGAÇÃO"},
                               {"CANCELADA", "SEMAUTORIZAÇÃO"}},
                    TCasoMarca{"SemProtocolo",
                               "1",
                               "1",
                               false,
                               false,
                               {"SEMAUTORIZAÇÃODEUSO", "NF-eSEMPROTOCOLODEAUTORIZAÇÃODEUSO"},
                               {"SEMVALORFISCAL"}},
                    TCasoMarca{
                        "Cancelada", "1", "1", true, true, {"NF-eCANCELADA"}, {"SEMVALORFISCAL"}},
                    TCasoMarca{"Contingencia",
                               "1",
                               "9",
                               false,
                               false,
                               {"DANFEEMCONTINGÊNCIA", "Justificativa:Sefazforadoar"},
                               {"SEMAUTORIZAÇÃODEUSO"}}),
    [](const testing::TestParamInfo<TCasoMarca>& info) { return info.param.Nome; });

// A security-form contingency (FS-DA, FS-IA) carries the document's data as a second code
// below the key, which a scanner reads, and in groups in place of the protocol while there is
// none; other contingencies (SVC) print the key alone.
TEST(ImpressaoDANFE, SecurityFormContingencyPrintsTheDataOfTheDocument) {
  const struct {
    const char* tpEmis;
    bool Protocolo;
  } casos[] = {{"5", false}, {"2", false}, {"5", true}, {"7", false}};
  for (const auto& caso : casos) {
    TNFeLida lida = NotaLida();
    lida.NFe.infNFe.ide.tpEmis = caso.tpEmis;
    lida.NFe.infNFe.ide.dhCont_xJust = {"2026-12-10T09:00:00-03:00", "Sefaz fora do ar"};
    ComporChaveNFe(lida.NFe);
    if (!caso.Protocolo) lida.protNFe.reset();
    const std::string dados = std::string("41") + caso.tpEmis + "1122233300018100000000000030121";
    const TLeituraPDF pdf(PDFDANFE(lida, {}, kCriacao));
    const std::string texto = pdf.TextoCorrido();
    const bool formulario = caso.tpEmis != std::string("7");
    std::vector<std::string> codigos{"CODE-128:" + Chave(lida)};
    if (formulario) {
      codigos.push_back("CODE-128:" + DadosNFeContingencia(lida.NFe.infNFe));
      EXPECT_TRUE(codigos.back().starts_with("CODE-128:" + dados)) << codigos.back();
    }
    auto lidos = pdf.Codigos(1, 300);
    std::sort(lidos.begin(), lidos.end());
    std::sort(codigos.begin(), codigos.end());
    EXPECT_EQ(lidos, codigos) << caso.tpEmis;
    EXPECT_EQ(Contem(texto,
                     "DADOS DA NF-E " + FormatarChaveAcesso(DadosNFeContingencia(lida.NFe.infNFe))),
              formulario)
        << caso.tpEmis << ": " << texto;
    EXPECT_EQ(Contem(texto, "PROTOCOLO DE AUTORIZAÇÃO DE USO"), caso.Protocolo || !formulario)
        << caso.tpEmis;
    EXPECT_EQ(Contem(texto, "Consulta de autenticidade"), !formulario) << caso.tpEmis;
  }
}

// The logo sits in the issuer's box beside or above the name, fitted keeping its proportion;
// a JPEG is embedded as it came.
TEST(ImpressaoDANFE, IssuerLogoIsFittedBesideOrAboveTheName) {
  const TNFeLida lida = NotaLida();
  const struct {
    const char* Formato;
    int Largura;
    int Altura;
    double MaximoMm;  // the longer side's room in its box
  } casos[] = {{"png", 100, 100, 28.8}, {"jpeg", 60, 200, 32}, {"png", 300, 60, 55}};
  for (const auto& caso : casos) {
    const TImagemPDF logo(ImagemDeTeste(caso.Formato, caso.Largura, caso.Altura));
    const TLeituraPDF pdf(PDFDANFE(lida, {false, false, &logo}, kCriacao));
    const auto imagens = pdf.Imagens();
    ASSERT_EQ(imagens.size(), 1U) << caso.Largura;
    EXPECT_EQ(imagens[0].PpiX, imagens[0].PpiY);
    const double ladoMm = std::max(caso.Largura, caso.Altura) * 25.4 / imagens[0].PpiX;
    EXPECT_NEAR(ladoMm, caso.MaximoMm, 1.0) << caso.Largura << "x" << caso.Altura;
    EXPECT_EQ(imagens[0].Codificacao, caso.Formato == std::string("jpeg") ? "jpeg" : "image");
    EXPECT_TRUE(Contem(pdf.TextoCorrido(), "COMÉRCIO DE PEÇAS & CIA LTDA Rua das Flores, 100"));
  }
}

TEST(ImpressaoDANFE, RefusesWhatIsNotAnNFeWithItems) {
  TNFeLida consumidor = NotaLida();
  consumidor.NFe.infNFe.ide.mod = "65";
  EXPECT_THROW((void)PDFDANFE(consumidor, {}, kCriacao), ENivraDFeException);
  TNFeLida vazia = NotaLida();
  vazia.NFe.infNFe.det.clear();
  EXPECT_THROW((void)PDFDANFE(vazia, {}, kCriacao), ENivraDFeException);
  TNFeLida semChave = NotaLida();
  semChave.NFe.infNFe.Id.clear();
  EXPECT_THROW((void)PDFDANFE(semChave, {}, kCriacao), ENivraDFeException);
}

// A text measure of 1 mm per line of `largura` characters.
double LinhasDeCaracteres(std::string_view texto, double largura) {
  return std::max(1.0, static_cast<double>((texto.size() + static_cast<size_t>(largura) - 1) /
                                           static_cast<size_t>(largura)));
}

TEST(PaginacaoDANFE, EveryProductAndWordLandsOnExactlyOneSheet) {
  TEspacosDANFE espacos;
  espacos.TabelaPrimeira = 10;
  espacos.AdicionaisPrimeira = 2;
  espacos.CorpoSeguintes = 30;
  espacos.CustoTabela = 2;
  espacos.CustoAdicionais = 2;
  espacos.LarguraAdicionais = 10;
  const std::vector<double> alturas(25, 3.0);
  const std::string texto =
      "um dois tres quatro cinco seis sete oito nove dez onze doze "
      "treze quatorze quinze dezesseis dezessete dezoito dezenove vinte";
  const auto folhas = PaginarDANFE(alturas, texto, espacos, LinhasDeCaracteres);
  ASSERT_GE(folhas.size(), 3U);
  EXPECT_EQ(folhas.front().ItemInicio, 0U);
  EXPECT_EQ(folhas.front().ItemFim, 3U);  // 3 rows of 3 mm in 10 mm
  size_t proximo = 0;
  std::string remontado;
  for (const TFolhaDANFE& f : folhas) {
    EXPECT_EQ(f.ItemInicio, proximo);
    proximo = f.ItemFim;
    if (!f.Adicionais.empty()) remontado += (remontado.empty() ? "" : " ") + f.Adicionais;
  }
  EXPECT_EQ(proximo, alturas.size());
  EXPECT_EQ(remontado, texto);
  // A continuation sheet holds 9 rows ((30 - 2) / 3).
  EXPECT_EQ(folhas[1].ItemFim - folhas[1].ItemInicio, 9U);
}

TEST(PaginacaoDANFE, ARowOrWordTallerThanASheetStillMovesOn) {
  TEspacosDANFE espacos;
  espacos.TabelaPrimeira = 1;
  espacos.CorpoSeguintes = 5;
  espacos.CustoTabela = 1;
  espacos.CustoAdicionais = 1;
  espacos.LarguraAdicionais = 1;
  const auto folhas = PaginarDANFE({50, 50}, "palavracomprida outra", espacos, LinhasDeCaracteres);
  ASSERT_EQ(folhas.size(), 5U);
  EXPECT_EQ(folhas[1].ItemFim - folhas[1].ItemInicio, 1U);
  EXPECT_EQ(folhas[3].Adicionais, "palavracomprida");
  EXPECT_EQ(folhas[4].Adicionais, "outra");
}

}  // namespace

}  // namespace nivra
