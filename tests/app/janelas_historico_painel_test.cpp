// The history and panel windows on the offscreen platform: what the history window lists, and
// the panel window's refreshes, which never ask an authoriser again within 181 seconds however
// often the window is shown.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QTableWidget>
#include <sstream>
#include <string>
#include <vector>

#include "app/qt/janela_historico.h"
#include "app/qt/janela_painel.h"
#include "tests/fakes/pasta_temporaria.h"

namespace nivra {

namespace {

constexpr int64_t kMinuto = 60000;
// 2026-12-10 09:00 at -03:00.
constexpr int64_t kAgora = 1796904000000;

TRegistroStatus Resposta(int64_t ms, const std::string& autorizador, int cStat) {
  TRegistroStatus r;
  r.Momento = {ms, -180};
  r.Autorizador = autorizador;
  r.UF = autorizador;
  r.cStat = cStat;
  r.xMotivo = cStat == 107 ? "Serviço em Operação" : "Serviço Paralisado sem Previsão";
  r.tMed = 1;
  r.ConsultaMs = 200;
  return r;
}

// Runs the event loop until `pronto` or `ms` milliseconds.
template <typename F>
void Esperar(F pronto, int ms = 5000) {
  QElapsedTimer relogio;
  relogio.start();
  while (!pronto() && relogio.elapsed() < ms)
    QApplication::processEvents(QEventLoop::AllEvents, 20);
}

TEST(JanelaHistorico, ListsTheChosenAuthorisersOutagesLatestFirst) {
  TPastaTemporaria pasta;
  std::ostringstream registro;
  THistoricoStatus historico(pasta.Caminho() + "/h.sqlite3", registro);
  for (const auto& [minutos, cStat] :
       std::vector<std::pair<int64_t, int>>{{-300, 107}, {-290, 109}, {-200, 107}, {-60, 109}})
    historico.Gravar(Resposta(kAgora + minutos * kMinuto, "PR", cStat));
  historico.Gravar(Resposta(kAgora - 10 * kMinuto, "SVRS", 107));

  TJanelaHistorico janela(historico, "PR", [] { return TInstante{kAgora, -180}; });
  auto* autorizador = janela.findChild<QComboBox*>("autorizador");
  auto* tabela = janela.findChild<QTableWidget*>("interrupcoes");
  ASSERT_TRUE(autorizador && tabela);
  EXPECT_EQ(autorizador->count(), 2);
  EXPECT_EQ(autorizador->currentText(), "PR");
  ASSERT_EQ(tabela->rowCount(), 2);
  EXPECT_EQ(tabela->item(0, 0)->text(), "10/12/2026 08:00");
  EXPECT_EQ(tabela->item(0, 1)->text(), "em andamento");
  EXPECT_EQ(tabela->item(0, 2)->text(), "1 h 00 min");
  EXPECT_EQ(tabela->item(1, 0)->text(), "10/12/2026 04:10");
  EXPECT_EQ(tabela->item(1, 1)->text(), "10/12/2026 05:40");
  EXPECT_EQ(tabela->item(1, 2)->text(), "1 h 30 min");
  EXPECT_EQ(tabela->item(1, 3)->text(), "109");
  EXPECT_EQ(tabela->item(1, 4)->text(), "Serviço Paralisado sem Previsão");

  autorizador->setCurrentText("SVRS");
  EXPECT_EQ(tabela->rowCount(), 0);
}

TEST(JanelaPainel, ShowsTheAnswersAndNeverAsksAgainWithin181Seconds) {
  int64_t relogio = 0;
  TPainelStatus painel(
      {{"PR", {"PR"}, "https://pr", TkovTipoEmissao::teNormal, ""},
       {"SVRS", {"AC", "SC"}, "https://svrs", TkovTipoEmissao::teNormal, ""}},
      TkovTipoAmbiente::taProducao, TkovModeloDF::moNFe, [&relogio] { return relogio; },
      [] {
        return TInstante{kAgora, -180};
      },
      nullptr);
  int consultas = 0;
  TJanelaPainel janela(painel, [&consultas](const std::vector<TAutorizador>& lista) {
    std::vector<TResultadoAutorizador> resultados;
    for (const TAutorizador& a : lista) {
      ++consultas;
      TResultadoAutorizador r{a, {}, 150};
      r.Resultado.cStat = a.Nome == "PR" ? 107 : 108;
      r.Resultado.xMotivo = a.Nome == "PR" ? "Serviço em Operação" : "Paralisado";
      r.Resultado.tMed = 2;
      resultados.push_back(r);
    }
    return resultados;
  });
  auto* svrs = janela.findChild<QLabel*>("quadro-SVRS");
  ASSERT_NE(svrs, nullptr);
  EXPECT_TRUE(svrs->text().contains("aguardando"));

  janela.show();
  Esperar([svrs] { return svrs->text().contains("108"); });
  EXPECT_TRUE(svrs->text().contains("<b>108</b> - Paralisado")) << svrs->text().toStdString();
  EXPECT_TRUE(svrs->text().contains("tMed 2 s"));
  EXPECT_TRUE(svrs->text().contains("às 09:00:00"));
  EXPECT_EQ(consultas, 2);

  // Closed and opened again a minute later: nothing is asked.
  relogio += kMinuto;
  janela.hide();
  janela.show();
  Esperar([] { return false; }, 300);
  EXPECT_EQ(consultas, 2);
  relogio += TPainelStatus::kIntervaloMinimoMs;
  janela.hide();
  janela.show();
  Esperar([&consultas] { return consultas == 4; });
  EXPECT_EQ(consultas, 4);
}

}  // namespace

}  // namespace nivra
