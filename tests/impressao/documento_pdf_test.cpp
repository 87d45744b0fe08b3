// The PDF drawing layer read back: text and fonts, text kept inside its boxes, pages, and the
// bar code and QR code decoded from a rendered page.
#include "nivranfe/impressao/documento_pdf.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "nivranfe/impressao/codigos_barras.h"
#include "tests/fakes/mensagem_de.h"
#include "tests/fakes/pasta_temporaria.h"
#include "tests/impressao/leitura_pdf.h"

namespace nivra {

namespace {

constexpr double kPontosPorMm = 72.0 / 25.4;
const std::string kChaveDigitos = "41261211222333000181550010000001231000000018";
const std::string kChaveLetras = "41261212ABC34501DE35550010000001231000000175";

struct TPalavra {
  std::string Texto;
  double XMin, YMin, XMax, YMax;  // millimetres
};

std::vector<TPalavra> Palavras(const TLeituraPDF& pdf) {
  const std::string numero = "\"([0-9.]+)\"";
  static const std::regex palavra("<word xMin=" + numero + " yMin=" + numero + " xMax=" + numero +
                                  " yMax=" + numero + ">([^<]*)</word>");
  std::vector<TPalavra> palavras;
  const std::string xhtml = pdf.Palavras();
  for (std::sregex_iterator i(xhtml.begin(), xhtml.end(), palavra), fim; i != fim; ++i) {
    palavras.push_back({(*i)[5], std::stod((*i)[1]) / kPontosPorMm,
                        std::stod((*i)[2]) / kPontosPorMm, std::stod((*i)[3]) / kPontosPorMm,
                        std::stod((*i)[4]) / kPontosPorMm});
  }
  return palavras;
}

std::string Repetir(const std::string& texto, int vezes) {
  std::string r;
  for (int i = 0; i < vezes; ++i) r += texto;
  return r;
}

TEST(DocumentoPDF, TextComesBackWithAccentsEmbeddedFontsAndItsPages) {
  TDocumentoPDF d(210, 297, "Teste");
  d.Texto({10, 10, 190, 10}, "CARTA DE CORREÇÃO ELETRÔNICA", {"Liberation Serif", 12, true});
  d.NovaPagina();
  d.Texto({10, 10, 190, 10}, "Razão social: Pão & Açúcar Ltda", {"Liberation Mono", 9, false});
  EXPECT_EQ(d.Paginas(), 2);
  const std::string bytes = d.Terminar();
  ASSERT_TRUE(bytes.starts_with("%PDF-"));

  const TLeituraPDF pdf(bytes);
  EXPECT_EQ(pdf.Paginas(), 2);
  const std::string texto = pdf.Texto();
  EXPECT_NE(texto.find("CARTA DE CORREÇÃO ELETRÔNICA"), std::string::npos) << texto;
  EXPECT_NE(texto.find("Razão social: Pão & Açúcar Ltda"), std::string::npos) << texto;
  // Both families are in the file, each one embedded.
  const std::string fontes = pdf.Fontes();
  EXPECT_NE(fontes.find("LiberationSerif-Bold"), std::string::npos) << fontes;
  EXPECT_NE(fontes.find("LiberationMono"), std::string::npos) << fontes;
  size_t linhas = 0;
  for (size_t p = fontes.find('\n', fontes.find("----"));
       p != std::string::npos && p + 1 < fontes.size(); p = fontes.find('\n', p + 1)) {
    const std::string linha = fontes.substr(p + 1, fontes.find('\n', p + 1) - p - 1);
    if (linha.empty()) continue;
    ++linhas;
    EXPECT_NE(linha.find(" yes "), std::string::npos) << "fonte não embutida: " << linha;
  }
  EXPECT_EQ(linhas, 2u) << fontes;
}

TEST(DocumentoPDF, TextStaysInsideItsBoxShrinkingAndThenCutting) {
  const std::string paragrafo =
      "Onde se lê quantidade 10 (dez) unidades, leia-se quantidade 12 (doze) unidades do item 3. ";
  const struct {
    const char* nome;
    std::string texto;
    TCaixaPDF caixa;
    double minimo;
    bool cabe;       // Texto's answer
    bool todoTexto;  // every word comes back
  } casos[] = {
      {"cabe folgado", paragrafo, {20, 20, 170, 20}, 0, true, true},
      {"cabe encolhendo", Repetir(paragrafo, 4), {20, 60, 120, 12}, 5, true, true},
      {"não cabe: cortado", Repetir(paragrafo, 12), {20, 100, 80, 10}, 6, false, false},
      {"palavra mais larga que a caixa", kChaveDigitos, {20, 150, 25, 15}, 0, true, true},
  };
  const TFontePDF fonte{"Liberation Serif", 9, false};
  for (const auto& caso : casos) {
    TDocumentoPDF d(210, 297);
    // Too big at the font's own size, so the shrinking case really shrinks.
    if (caso.minimo == 5) {
      ASSERT_GT(d.AlturaTexto(caso.texto, fonte, caso.caixa.Largura), caso.caixa.Altura);
    }
    EXPECT_EQ(d.Texto(caso.caixa, caso.texto, fonte, TAlinhamentoPDF::Esquerda, caso.minimo),
              caso.cabe)
        << caso.nome;
    const TLeituraPDF pdf(d.Terminar());
    const std::vector<TPalavra> palavras = Palavras(pdf);
    ASSERT_FALSE(palavras.empty()) << caso.nome;
    std::string lido;
    for (const TPalavra& p : palavras) {
      // A glyph's box may reach a little above its line: half a millimetre of slack.
      EXPECT_GE(p.XMin, caso.caixa.X - 0.1) << caso.nome << ": " << p.Texto;
      EXPECT_LE(p.XMax, caso.caixa.X + caso.caixa.Largura + 0.1) << caso.nome << ": " << p.Texto;
      EXPECT_GE(p.YMin, caso.caixa.Y - 0.5) << caso.nome << ": " << p.Texto;
      EXPECT_LE(p.YMax, caso.caixa.Y + caso.caixa.Altura + 0.5) << caso.nome << ": " << p.Texto;
      lido += p.Texto;
    }
    std::string esperado;
    for (const char c : caso.texto) {
      if (c != ' ') esperado += c;
    }
    if (caso.todoTexto) {
      EXPECT_EQ(lido, esperado) << caso.nome;
    } else {
      EXPECT_LT(lido.size(), esperado.size()) << caso.nome;
      EXPECT_TRUE(lido.ends_with("…")) << caso.nome << ": " << lido;
    }
  }
}

TEST(DocumentoPDF, BarCodesAndQRCodeDecodeFromTheRenderedPage) {
  const std::string url =
      "https://www.fazenda.pr.gov.br/nfce/qrcode?p=41261211222333000181650010000001231000000018|2|"
      "2|1|A1B2C3D4E5F6";
  TDocumentoPDF d(210, 297);
  d.CodigoBarras128({20, 20, 120, 12}, kChaveDigitos);
  d.CodigoBarras128({20, 50, 120, 12}, kChaveLetras);
  d.QRCode(20, 80, 35, url);
  const TLeituraPDF pdf(d.Terminar());
  std::vector<std::string> codigos = pdf.Codigos();
  std::sort(codigos.begin(), codigos.end());
  EXPECT_EQ(codigos, (std::vector<std::string>{"CODE-128:" + kChaveDigitos,
                                               "CODE-128:" + kChaveLetras, "QR-Code:" + url}));
}

TEST(CodigosBarras, AllDigitKeyIsCodeSetCThroughoutAndLettersMixTheSets) {
  // Start C, 22 pairs of digits, check symbol (11 modules each) and stop (13): 277 modules.
  const TCodigo128 digitos = Codificar128(kChaveDigitos);
  EXPECT_EQ(digitos.Modulos, 277);
  int escuros = 0;
  for (const TBarra128& b : digitos.Barras) escuros += b.Largura;
  // Every symbol of CODE-128 has 3 bars totalling an even width; the stop has 4 bars.
  EXPECT_EQ(digitos.Barras.size(), 3u * 24 + 4);
  EXPECT_GT(escuros, 0);
  const TCodigo128 letras = Codificar128(kChaveLetras);
  EXPECT_GT(letras.Modulos, 277);
  EXPECT_TRUE(
      MensagemDe([] { (void)Codificar128(""); }).starts_with("Código de barras não gerado: "));
}

TEST(CodigosBarras, QRCodeRefusesEmptyAndOversizedData) {
  EXPECT_EQ(CodificarQR("x").Lado, 21);  // version 1
  EXPECT_EQ(MensagemDe([] { (void)CodificarQR(""); }), "QR Code não gerado: conteúdo vazio");
  EXPECT_EQ(MensagemDe([] { (void)CodificarQR(std::string(5000, 'a')); }),
            "QR Code não gerado: conteúdo longo demais");
}

TEST(DocumentoPDF, SavedFileIsThePdf) {
  TPastaTemporaria pasta;
  TDocumentoPDF d(80, 200);
  d.Texto({5, 5, 70, 10}, "Cupom de teste", {"Liberation Mono", 9, false});
  d.Salvar(pasta.Caminho() + "cupom.pdf");
  const TLeituraPDF pdf(TPastaTemporaria::Ler(pasta.Caminho() + "cupom.pdf"));
  EXPECT_EQ(pdf.Paginas(), 1);
  EXPECT_NE(pdf.Texto().find("Cupom de teste"), std::string::npos);

  TDocumentoPDF semPasta(80, 200);
  EXPECT_TRUE(MensagemDe([&] {
                semPasta.Salvar(pasta.Caminho() + "nao/existe/cupom.pdf");
              }).find("cupom.pdf") != std::string::npos);
}

TEST(DocumentoPDF, FinishedDocumentRefusesDrawing) {
  TDocumentoPDF d(80, 200);
  (void)d.Terminar();
  EXPECT_EQ(MensagemDe([&] { d.Linha(0, 0, 10, 10); }),
            "Falha ao gerar o PDF: documento já terminado");
  EXPECT_EQ(MensagemDe([&] { (void)d.Terminar(); }),
            "Falha ao gerar o PDF: documento já terminado");
}

}  // namespace

}  // namespace nivra
