#include "app/balao_bandeja.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace nivra {

namespace {

struct Exibicao {
  std::string titulo;
  std::string texto;
  TTipoBalao tipo;
};

class BalaoBandeja : public ::testing::Test {
 protected:
  std::vector<Exibicao> exibidos;
  int fechados = 0;
  TBalaoBandeja balao{[this](const std::string& titulo, const std::string& texto, TTipoBalao tipo) {
                        exibidos.push_back({titulo, texto, tipo});
                      },
                      [this] { ++fechados; }};
};

TEST_F(BalaoBandeja, ChangesDisplayNothingBeforeTheFirstBalloon) {
  balao.SetTitulo("Status SEFAZ");
  balao.SetTexto("Serviço em Operação");
  balao.SetTipo(TTipoBalao::Erro);
  EXPECT_TRUE(exibidos.empty());
}

TEST_F(BalaoBandeja, AfterABalloonEveryChangeRedisplaysWithTheLastShownKind) {
  balao.Exibir("Status SEFAZ", "longo", TTipoBalao::Aviso);
  balao.SetTipo(TTipoBalao::Info);  // stored only
  balao.SetTexto("longo");          // unchanged: nothing
  balao.SetTexto("curto");
  ASSERT_EQ(exibidos.size(), 2u);
  EXPECT_EQ(exibidos[1].texto, "curto");
  EXPECT_EQ(exibidos[1].tipo, TTipoBalao::Aviso);
  balao.SetTitulo("Outro");
  ASSERT_EQ(exibidos.size(), 3u);
  EXPECT_EQ(exibidos[2].titulo, "Outro");
}

TEST_F(BalaoBandeja, AnEmptyTextClosesTheBalloonInsteadOfShowingIt) {
  balao.SetTexto("");  // before any balloon: nothing on screen to close
  EXPECT_EQ(fechados, 0);
  balao.Exibir("Status SEFAZ", "Serviço em Operação", TTipoBalao::Info);
  balao.SetTexto("");
  balao.SetTitulo("Outro");
  balao.Exibir("Status SEFAZ", "", TTipoBalao::Erro);
  EXPECT_EQ(exibidos.size(), 1u);
  EXPECT_EQ(fechados, 3);
  balao.SetTexto("de volta");
  ASSERT_EQ(exibidos.size(), 2u);
  EXPECT_EQ(exibidos[1].tipo, TTipoBalao::Erro);
}

TEST_F(BalaoBandeja, TitleAndTextAreCutAtWholeCharacters) {
  std::string titulo;
  std::string texto;
  for (int i = 0; i < 70; ++i) titulo += "á";
  for (int i = 0; i < 300; ++i) texto += "ç";
  balao.Exibir(titulo, texto, TTipoBalao::Info);
  ASSERT_EQ(exibidos.size(), 1u);
  EXPECT_EQ(exibidos[0].titulo.size(), 63u * 2);  // two UTF-8 bytes each
  EXPECT_EQ(exibidos[0].texto.size(), 255u * 2);
  // A longer text cut to the same stored text is no change.
  balao.SetTexto(texto + "x");
  EXPECT_EQ(exibidos.size(), 1u);
}

}  // namespace

}  // namespace nivra
