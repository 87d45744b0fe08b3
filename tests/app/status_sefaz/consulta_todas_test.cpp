// status-sefaz --todas against local authorisers: every endpoint asked once and at the same
// time, a slow one bounded by the time-out, a closed one reported, the others answered.
#include "app/status_sefaz/consulta_todas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "nivranfe/util/excecoes.h"
#include "tests/fakes/pasta_temporaria.h"
#include "tests/fakes/pki_teste.h"
#include "tests/fakes/simulador_teste.h"
#include "tests/fakes/tabela_simulada.h"

#ifndef NIVRA_SCHEMAS
#error "NIVRA_SCHEMAS must name the shipped schema folder"
#endif

namespace nivra {

namespace {

constexpr int kTimeOut = 1500;
// Far beyond the time-out, so the slow answer never arrives first, even under a sanitizer build
// on a busy machine (the idle check runs about once a second, after a slow handshake).
constexpr int kAtraso = 6000;

class ConsultaTodas : public ::testing::Test {
 protected:
  void SetUp() override {
    FFechado.Parar();  // its port is now closed
    TPastaTemporaria::Escrever(
        Servicos(), TabelaStatusSimulada(FNormal.URL(), {{"NFe_SVAN_P", FLento.URL()},
                                                         {"NFe_SVC-RS_P", FFechado.URL()}}));
  }

  std::string Servicos() const { return FPasta.Caminho() + "servicos.ini"; }

  TOpcoesStatus Opcoes() const {
    TOpcoesStatus opcoes;
    opcoes.Todas = true;
    opcoes.ArquivoPFX = PastaPKITeste() + "empresa.pfx";
    opcoes.ArquivoServicos = Servicos();
    opcoes.PastaSchemas = NIVRA_SCHEMAS;
    opcoes.TimeOut = kTimeOut;
    return opcoes;
  }

  TPastaTemporaria FPasta;
  TSimuladorTeste FNormal;
  TSimuladorTeste FLento{{"--atraso", std::to_string(kAtraso), "--cenario", "108"}};
  TSimuladorTeste FFechado;
};

TEST_F(ConsultaTodas, AsksEachEndpointOnceAndReportsTheSlowAndTheClosedOneWithoutWaitingOnThem) {
  const std::vector<TResultadoAutorizador> resultados = ConsultarTodas(Opcoes(), SenhaPKITeste);

  ASSERT_EQ(resultados.size(), 16U);
  std::map<std::string, const TResultadoAutorizador*> porNome;
  for (const TResultadoAutorizador& r : resultados) porNome[r.Autorizador.Nome] = &r;
  EXPECT_TRUE(std::is_sorted(resultados.begin(), resultados.end(), [](auto& a, auto& b) {
    return a.Autorizador.UFs.front() < b.Autorizador.UFs.front();
  }));

  const TResultadoAutorizador& lento = *porNome.at("SVAN");
  EXPECT_NE(lento.Resultado.Erro.find("12002"), std::string::npos) << lento.Resultado.Erro;
  EXPECT_LT(lento.Milissegundos, kAtraso);
  const TResultadoAutorizador& fechado = *porNome.at("SVC-RS");
  EXPECT_NE(fechado.Resultado.Erro.find("12029"), std::string::npos) << fechado.Resultado.Erro;

  for (const TResultadoAutorizador& r : resultados) {
    if (&r == &lento || &r == &fechado) continue;
    SCOPED_TRACE(r.Autorizador.Nome);
    EXPECT_EQ(r.Resultado.Erro, "");
    EXPECT_EQ(r.Resultado.cStat, 107);
    EXPECT_EQ(r.Resultado.url, FNormal.URL() + "/NFe_" + r.Autorizador.Nome + "_P");
    // Answered long before the slow authoriser's time-out ran out.
    EXPECT_LT(r.Milissegundos, lento.Milissegundos);
  }
  EXPECT_EQ(CodigoSaidaTodas(resultados), 3);

  // One request per endpoint, each naming the first UF the authoriser serves.
  std::multiset<std::string> pedidos;
  for (const TPedidoRegistrado& p : FNormal.Pedidos()) {
    const auto inicio = p.Corpo.find("<cUF>") + 5;
    pedidos.insert(std::string(p.Caminho) + " " + std::string(p.Corpo.substr(inicio, 2)));
  }
  const std::multiset<std::string> esperados = {
      "/NFe_SVRS_P 12", "/NFe_SVC-AN_P 12", "/NFe_AM_P 13", "/NFe_BA_P 29", "/NFe_CE_P 23",
      "/NFe_GO_P 52",   "/NFe_MG_P 31",     "/NFe_MS_P 50", "/NFe_MT_P 51", "/NFe_PE_P 26",
      "/NFe_PA_P 15",   "/NFe_PR_P 41",     "/NFe_RS_P 43", "/NFe_SP_P 35"};
  EXPECT_EQ(pedidos, esperados);
  EXPECT_EQ(FLento.Pedidos().size(), 1U);
}

TEST_F(ConsultaTodas, AWrongPasswordStopsBeforeAnyQuery) {
  EXPECT_THROW((void)ConsultarTodas(Opcoes(), "errada"), ENivraDFeException);
  EXPECT_TRUE(FNormal.Pedidos().empty());
}

}  // namespace

}  // namespace nivra
