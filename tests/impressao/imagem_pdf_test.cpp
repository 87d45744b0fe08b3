// Images on the PDF: PNG and JPEG files decoded with their size, fitted to a box keeping their
// proportion, and the files that are no image or are damaged refused with a reason.
#include "nivranfe/impressao/imagem_pdf.h"

#include <gtest/gtest.h>

#include <string>

#include "nivranfe/impressao/documento_pdf.h"
#include "tests/fakes/mensagem_de.h"
#include "tests/impressao/imagem_teste.h"
#include "tests/impressao/leitura_pdf.h"

namespace nivra {

namespace {

TEST(ImagemPDF, DecodesPNGAndJPEGWithTheirSize) {
  for (const char* formato : {"png", "jpeg"}) {
    const TImagemPDF imagem(ImagemDeTeste(formato, 120, 40));
    EXPECT_EQ(imagem.Largura(), 120) << formato;
    EXPECT_EQ(imagem.Altura(), 40) << formato;
    EXPECT_DOUBLE_EQ(imagem.Proporcao(), 3.0) << formato;
  }
}

TEST(ImagemPDF, IsFittedToItsBoxKeepingItsProportion) {
  // 1 pixel per millimetre fitted to 60 x 60 mm: the longer side takes 60 mm, 50.8 ppi.
  for (const auto& [largura, altura] : {std::pair{120, 40}, std::pair{40, 120}}) {
    const TImagemPDF png(ImagemDeTeste("png", largura, altura));
    const TImagemPDF jpeg(ImagemDeTeste("jpeg", largura, altura));
    TDocumentoPDF doc(100, 150);
    doc.Imagem({10, 10, 60, 60}, png);
    doc.Imagem({10, 80, 60, 60}, jpeg);
    const auto imagens = TLeituraPDF(doc.Terminar()).Imagens();
    ASSERT_EQ(imagens.size(), 2U);
    for (const auto& imagem : imagens) {
      EXPECT_EQ(imagem.Largura, largura);
      EXPECT_EQ(imagem.PpiX, 51);
      EXPECT_EQ(imagem.PpiY, 51);
    }
    // The JPEG goes into the PDF as it came, not as decoded pixels.
    EXPECT_EQ(imagens[0].Codificacao, "image");
    EXPECT_EQ(imagens[1].Codificacao, "jpeg");
  }
}

TEST(ImagemPDF, RefusesWhatIsNoImageOrIsDamaged) {
  const std::string png = ImagemDeTeste("png", 30, 20);
  const std::string jpeg = ImagemDeTeste("jpeg", 30, 20);
  std::string pngEnorme = png;
  pngEnorme.replace(16, 4, std::string("\x00\x00\x23\x29", 4));  // 9001 pixels wide
  const struct {
    std::string Bytes;
    const char* Mensagem;
  } casos[] = {
      {"GIF89a...", "Imagem em formato não suportado (use PNG ou JPEG)."},
      {"", "Imagem em formato não suportado"},
      {png.substr(0, 40), "Imagem PNG inválida: "},
      {pngEnorme, "Imagem grande demais (9001 x 20 pixels"},
      {jpeg.substr(0, jpeg.size() / 3), "Imagem JPEG inválida: "},
      {jpeg.substr(0, 4) + std::string(200, '\x11'), "Imagem JPEG inválida: "},
  };
  for (const auto& caso : casos) {
    const std::string mensagem = MensagemDe([&] { TImagemPDF imagem(caso.Bytes); });
    EXPECT_TRUE(mensagem.starts_with(caso.Mensagem)) << mensagem;
  }
}

}  // namespace

}  // namespace nivra
