// Every group and every alternative of every choice of the layout, written and read back.
#include <gtest/gtest.h>

#include <set>

#include "nivranfe/documento/documento_nfe.h"
#include "tests/documento/preenchedor.h"

namespace nivra {

namespace {

// The largest choice (the ICMS situations) has 21 alternatives and sits in the first of the two
// alternatives of imposto: indexes 0 to 41 reach each of its alternatives, and every
// alternative of every smaller choice.
constexpr size_t kSituacoesICMS = 21;
constexpr size_t kAlternativas = 2 * kSituacoesICMS;

nfe::TNFe NotaPreenchida(size_t alternativa) {
  nfe::TNFe nota;
  TPreenchedorNFe preenchedor(alternativa);
  nfe::Visitar(preenchedor, nota);
  nota.infNFe.ide.cNF.clear();
  ComporChaveNFe(nota, [] { return 7u; });
  return nota;
}

class CoberturaLeiaute : public ::testing::TestWithParam<size_t> {};

TEST_P(CoberturaLeiaute, FilledDocumentHasNoAlertsAndRoundTrips) {
  const TXMLGeradoNFe gerado = GerarXMLNFe(NotaPreenchida(GetParam()));
  ASSERT_TRUE(gerado.Alertas.empty()) << ::testing::PrintToString(gerado.Alertas);
  const TNFeLida lida = LerXMLNFe(gerado.XML);
  EXPECT_TRUE(lida.Avisos.empty()) << ::testing::PrintToString(lida.Avisos);
  EXPECT_EQ(GerarXMLNFe(lida.NFe).XML, gerado.XML);
}

INSTANTIATE_TEST_SUITE_P(Alternativas, CoberturaLeiaute,
                         ::testing::Range<size_t>(0, kAlternativas));

TEST(CoberturaLeiaute, TheIndexesReachEveryICMSSituation) {
  std::set<size_t> situacoes;
  for (size_t alternativa = 0; alternativa < kAlternativas; ++alternativa) {
    const auto nota = NotaPreenchida(alternativa);
    const auto* tributos = std::get_if<nfe::TICMS_IPI>(&nota.infNFe.det[0].imposto.ICMS_IPI);
    if (tributos) situacoes.insert(tributos->ICMS.escolha.index());
  }
  EXPECT_EQ(situacoes.size(), kSituacoesICMS);
  EXPECT_EQ(situacoes.count(0), 0u);
}

}  // namespace

}  // namespace nivra
