// The distinct status endpoints a services table gives for an environment and model.
#include "app/status_sefaz/autorizadores.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/fakes/tabela_simulada.h"

namespace nivra {

namespace {

struct CasoAutorizador {
  std::string Nome;
  std::vector<std::string> UFs;
  std::string URL;
  TkovTipoEmissao Forma;
};

std::vector<std::string> Lista(std::initializer_list<const char*> ufs) {
  return {ufs.begin(), ufs.end()};
}

TEST(Autorizadores, NFeProductionHasEveryOwnSharedAndContingencyAuthoriserOnceSortedByUF) {
  const TServicosIni tabela(TabelaStatusSimulada("https://sim"));
  const std::vector<TAutorizador> lista =
      ListarAutorizadores(tabela, "NivraNFeServicos", "NFe", TkovTipoAmbiente::taProducao);
  const std::vector<std::string> doSVRS =
      Lista({"AC", "AL", "AP", "DF", "ES", "PB", "PI", "RJ", "RN", "RO", "RR", "SC", "SE", "TO"});
  const std::vector<std::string> doSVCAN =
      Lista({"AC", "AL", "AP", "DF", "ES", "MG", "PB", "PI", "RJ", "RN", "RO", "RR", "RS", "SC",
             "SE", "SP", "TO"});
  const std::vector<std::string> doSVCRS =
      Lista({"AM", "BA", "CE", "GO", "MA", "MS", "MT", "PA", "PE", "PR"});
  const auto normal = TkovTipoEmissao::teNormal;
  const std::vector<CasoAutorizador> esperados = {
      {"SVRS", doSVRS, "https://sim/NFe_SVRS_P", normal},
      {"SVC-AN", doSVCAN, "https://sim/NFe_SVC-AN_P", TkovTipoEmissao::teSVCAN},
      {"AM", {"AM"}, "https://sim/NFe_AM_P", normal},
      {"SVC-RS", doSVCRS, "https://sim/NFe_SVC-RS_P", TkovTipoEmissao::teSVCRS},
      {"BA", {"BA"}, "https://sim/NFe_BA_P", normal},
      {"CE", {"CE"}, "https://sim/NFe_CE_P", normal},
      {"GO", {"GO"}, "https://sim/NFe_GO_P", normal},
      {"SVAN", {"MA"}, "https://sim/NFe_SVAN_P", normal},
      {"MG", {"MG"}, "https://sim/NFe_MG_P", normal},
      {"MS", {"MS"}, "https://sim/NFe_MS_P", normal},
      {"MT", {"MT"}, "https://sim/NFe_MT_P", normal},
      {"PA", {"PA"}, "https://sim/NFe_PA_P", normal},
      {"PE", {"PE"}, "https://sim/NFe_PE_P", normal},
      {"PR", {"PR"}, "https://sim/NFe_PR_P", normal},
      {"RS", {"RS"}, "https://sim/NFe_RS_P", normal},
      {"SP", {"SP"}, "https://sim/NFe_SP_P", normal},
  };
  ASSERT_EQ(lista.size(), esperados.size());
  for (std::size_t i = 0; i < lista.size(); ++i) {
    SCOPED_TRACE(esperados[i].Nome);
    EXPECT_EQ(lista[i].Nome, esperados[i].Nome);
    EXPECT_EQ(lista[i].UFs, esperados[i].UFs);
    EXPECT_EQ(lista[i].URL, esperados[i].URL);
    EXPECT_EQ(lista[i].FormaEmissao, esperados[i].Forma);
    EXPECT_EQ(lista[i].Erro, "");
  }
}

TEST(Autorizadores, NFCeHasNoContingencyAuthoriser) {
  const TServicosIni tabela(TabelaStatusSimulada("https://sim"));
  const std::vector<TAutorizador> lista =
      ListarAutorizadores(tabela, "NivraNFeServicos", "NFCe", TkovTipoAmbiente::taProducao);
  ASSERT_FALSE(lista.empty());
  EXPECT_EQ(lista[0].Nome, "SVRS");
  for (const TAutorizador& a : lista) {
    EXPECT_EQ(a.FormaEmissao, TkovTipoEmissao::teNormal) << a.Nome;
    EXPECT_TRUE(a.URL.starts_with("https://sim/NFCe_")) << a.Nome << " " << a.Erro;
  }
}

TEST(Autorizadores, SectionsGivingTheSameAddressAreOneAuthoriser) {
  const TServicosIni tabela(
      "[NFe_RS_H]\nNfeStatusServico_4.00=https://rs\n"
      "[NFe_SC_H]\nUsar=NFe_SVRS_H\n"
      "[NFe_SVRS_H]\nNfeStatusServico_4.00=https://rs\n"
      "[NFe_SVC-RS_H]\nNfeStatusServico_3.10=https://svc-rs\n");
  const std::vector<TAutorizador> lista =
      ListarAutorizadores(tabela, "T", "NFe", TkovTipoAmbiente::taHomologacao);
  std::vector<std::string> comEndereco;
  for (const TAutorizador& a : lista)
    if (!a.URL.empty()) comEndereco.push_back(a.Nome + " " + a.URL);
  EXPECT_EQ(comEndereco, Lista({"SVC-RS https://svc-rs", "RS/SVRS https://rs"}));
  const auto rs = std::find_if(lista.begin(), lista.end(),
                               [](const TAutorizador& a) { return a.URL == "https://rs"; });
  EXPECT_EQ(rs->UFs, Lista({"RS", "SC"}));
  // The 25 UFs without a section fail one by one.
  ASSERT_EQ(lista.size(), 2U + 25U);
  EXPECT_EQ(lista[0].Nome, "AC");
  EXPECT_EQ(lista[0].URL, "");
  EXPECT_EQ(lista[0].Erro, "Sessão \"NFe_AC_H\", não encontrada no arquivo \"T\"");
}

}  // namespace

}  // namespace nivra
