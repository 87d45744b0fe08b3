#include "app/painel/painel_status.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "tests/fakes/pasta_temporaria.h"

namespace nivra {

namespace {

TAutorizador Autorizador(const std::string& nome, std::vector<std::string> ufs,
                         const std::string& url = "https://x",
                         TkovTipoEmissao forma = TkovTipoEmissao::teNormal) {
  return {nome, std::move(ufs), url, forma, url.empty() ? "sem endereço" : ""};
}

std::vector<std::string> Nomes(const std::vector<TAutorizador>& lista) {
  std::vector<std::string> nomes;
  for (const TAutorizador& a : lista) nomes.push_back(a.Nome);
  return nomes;
}

class PainelStatus : public ::testing::Test {
 protected:
  int64_t relogio = 1000000;
  TPainelStatus painel{
      {Autorizador("PR", {"PR"}), Autorizador("SVRS", {"AC", "SC"}, "https://svrs"),
       Autorizador("SP", {"SP"}, ""),
       Autorizador("SVC-AN", {"PR", "SC"}, "https://y", TkovTipoEmissao::teSVCAN)},
      TkovTipoAmbiente::taProducao,
      TkovModeloDF::moNFe,
      [this] { return relogio; },
      [] {
        return TInstante{1796904000000, -180};
      },
      nullptr};
};

TEST_F(PainelStatus, NeverAsksAnAuthoriserTwiceWithin181Seconds) {
  // The panel refreshed (or reopened) every 7 seconds for an hour.
  std::map<std::string, std::vector<int64_t>> pedidos;
  for (int64_t t = 0; t < 3600000; t += 7000) {
    relogio = 1000000 + t;
    for (const TAutorizador& a : painel.Pendentes()) pedidos[a.Nome].push_back(relogio);
  }
  EXPECT_EQ(pedidos.count("SP"), 0U) << "sem endereço, nada a perguntar";
  for (const char* nome : {"PR", "SVRS", "SVC-AN"}) {
    const auto& vezes = pedidos[nome];
    ASSERT_GE(vezes.size(), 19U) << nome;
    for (std::size_t i = 1; i < vezes.size(); ++i) {
      EXPECT_GE(vezes[i] - vezes[i - 1], TPainelStatus::kIntervaloMinimoMs) << nome;
      // ...and it is not kept waiting much longer than the refresh step.
      EXPECT_LT(vezes[i] - vezes[i - 1], TPainelStatus::kIntervaloMinimoMs + 7000) << nome;
    }
  }
}

TEST_F(PainelStatus, DueTimeAndTheFirstRefresh) {
  EXPECT_EQ(painel.EsperaMs(), 0);
  EXPECT_EQ(Nomes(painel.Pendentes()), (std::vector<std::string>{"PR", "SVRS", "SVC-AN"}));
  relogio += 1000;
  EXPECT_TRUE(painel.Pendentes().empty());
  EXPECT_EQ(painel.EsperaMs(), TPainelStatus::kIntervaloMinimoMs - 1000);
  relogio += TPainelStatus::kIntervaloMinimoMs - 1001;
  EXPECT_TRUE(painel.Pendentes().empty());
  relogio += 1;
  EXPECT_EQ(painel.Pendentes().size(), 3U);
}

TEST_F(PainelStatus, TheMonitorsOwnAuthoriserIsLeftToTheMonitor) {
  TResultadoStatus resposta;
  resposta.cStat = 108;
  resposta.xMotivo = "Paralisado";
  // The monitor of SC asks SVRS's address; SVC-AN, which also lists SC, is still the panel's.
  painel.InformarDoMonitor("https://svrs", resposta, 120);
  EXPECT_EQ(Nomes(painel.Pendentes()), (std::vector<std::string>{"PR", "SVC-AN"}));
  relogio += 10 * TPainelStatus::kIntervaloMinimoMs;
  EXPECT_EQ(Nomes(painel.Pendentes()), (std::vector<std::string>{"PR", "SVC-AN"}));
  const TQuadroPainel& svrs = painel.Quadros()[1];
  ASSERT_TRUE(svrs.Ultimo);
  EXPECT_EQ(svrs.Ultimo->Resultado.cStat, 108);
  EXPECT_EQ(svrs.Ultimo->Milissegundos, 120);
}

TEST_F(PainelStatus, ResultsAreShownAndRecordedInTheHistory) {
  TPastaTemporaria pasta;
  std::ostringstream log;
  THistoricoStatus historico(pasta.Caminho() + "/h.sqlite3", log);
  TPainelStatus comHistorico(
      {Autorizador("PR", {"PR"}), Autorizador("SVRS", {"AC", "SC"})},
      TkovTipoAmbiente::taHomologacao, TkovModeloDF::moNFCe, [this] { return relogio; },
      [] {
        return TInstante{1796904000000, -180};
      },
      &historico);
  std::vector<TResultadoAutorizador> resultados;
  for (const TAutorizador& a : comHistorico.Pendentes()) {
    TResultadoAutorizador r{a, {}, 200};
    if (a.Nome == "PR") {
      r.Resultado.cStat = 107;
      r.Resultado.xMotivo = "Serviço em Operação";
    } else {
      r.Resultado.Erro = "Tempo esgotado";
    }
    resultados.push_back(r);
  }
  comHistorico.Receber(resultados);
  ASSERT_TRUE(comHistorico.Quadros()[0].Ultimo);
  EXPECT_EQ(comHistorico.Quadros()[0].Ultimo->Resultado.cStat, 107);
  EXPECT_EQ(comHistorico.Quadros()[1].Ultimo->Resultado.Erro, "Tempo esgotado");

  const auto gravados = historico.Consultar("", 0, INT64_MAX);
  ASSERT_EQ(gravados.size(), 2U);
  EXPECT_EQ(gravados[0].Autorizador, "PR");
  EXPECT_EQ(gravados[0].cStat, 107);
  EXPECT_EQ(gravados[0].Ambiente, 2);
  EXPECT_EQ(gravados[0].Modelo, "NFCe");
  EXPECT_EQ(gravados[1].Autorizador, "SVRS");
  EXPECT_EQ(gravados[1].UF, "AC");
  EXPECT_EQ(gravados[1].Falha, "Tempo esgotado");
  EXPECT_EQ(gravados[1].Momento, (TInstante{1796904000000, -180}));
}

}  // namespace

}  // namespace nivra
