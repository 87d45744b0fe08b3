// The services table compiled into the library: its sections, redirections and the 4.00
// status endpoint of every UF.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>

#include "nivranfe/dfe/servicos_ini.h"
#include "nivranfe/dfe/servicos_resolucao.h"
#include "nivranfe/resources/recursos.h"

namespace nivra {

namespace {

using ::testing::StartsWith;

constexpr std::array<const char*, 27> kUFs = {"AC", "AL", "AP", "AM", "BA", "CE", "DF", "ES", "GO",
                                              "MA", "MG", "MS", "MT", "PA", "PB", "PE", "PI", "PR",
                                              "RJ", "RN", "RO", "RS", "RR", "SC", "SE", "SP", "TO"};

const TServicosIni& Tabela() {
  static const TServicosIni tabela(RecursoNivraNFeServicos());
  return tabela;
}

std::vector<std::string> SecoesEsperadas() {
  std::vector<std::string> nomes;
  auto par = [&](const std::string& prefixo) {
    nomes.push_back(prefixo + "_P");
    nomes.push_back(prefixo + "_H");
  };
  for (const char* uf : kUFs) par(std::string("NFe_") + uf);
  for (const char* a : {"SVAN", "SVRS", "SVC-AN", "SVC-RS", "AN"}) par(std::string("NFe_") + a);
  for (const char* uf : kUFs) par(std::string("NFCe_") + uf);
  for (const char* a : {"SVAN", "SVRS"}) par(std::string("NFCe_") + a);
  for (const char* s :
       {"WSDL_V4", "SOAP_V4", "WSDL_V4_SP", "SOAP_V4_SP", "WSDL_V4_MG", "SOAP_V4_MG"}) {
    nomes.push_back(s);
  }
  return nomes;
}

TEST(TabelaServicos, HoldsThe128SectionsInOrder) {
  const std::vector<std::string> esperadas = SecoesEsperadas();
  ASSERT_EQ(esperadas.size(), 128u);
  EXPECT_EQ(Tabela().Secoes(), esperadas);
}

TEST(TabelaServicos, StatusServiceVersion400ResolvesToHttpsForEveryUfEnvironmentAndModel) {
  for (const char* modelo : {"NFe", "NFCe"}) {
    for (const char* uf : kUFs) {
      for (TkovTipoAmbiente ambiente :
           {TkovTipoAmbiente::taProducao, TkovTipoAmbiente::taHomologacao}) {
        const std::string secao = NomeSecaoServicos(modelo, uf, ambiente);
        SCOPED_TRACE(secao);
        const TEnderecoServico e =
            ResolverEnderecoServico(Tabela(), "NivraNFeServicos", secao, "NfeStatusServico", 4);
        EXPECT_THAT(e.URL, StartsWith("https://"));
        EXPECT_DOUBLE_EQ(e.Versao, 4.00);
      }
    }
  }
}

TEST(TabelaServicos, ContingencyAndNationalSectionsResolve) {
  struct Caso {
    const char* secao;
    const char* servico;
    double versao;
  };
  for (const Caso& c :
       {Caso{"NFe_SVC-AN_P", "NfeStatusServico", 4.00},
        Caso{"NFe_SVC-AN_H", "NFeAutorizacao", 4.00},
        Caso{"NFe_SVC-RS_P", "NfeStatusServico", 4.00},
        Caso{"NFe_SVC-RS_H", "RecepcaoEvento", 4.00}, Caso{"NFe_AN_P", "NFeDistribuicaoDFe", 1.01},
        Caso{"NFe_AN_H", "RecepcaoEvento", 4.00}}) {
    SCOPED_TRACE(c.secao);
    const TEnderecoServico e =
        ResolverEnderecoServico(Tabela(), "NivraNFeServicos", c.secao, c.servico, 4.00);
    EXPECT_THAT(e.URL, StartsWith("https://"));
    EXPECT_DOUBLE_EQ(e.Versao, c.versao);
  }
}

TEST(TabelaServicos, SharedAuthorisersAreReachedThroughUsar) {
  const auto usar = [](const std::string& secao) { return Tabela().Ler(secao, "Usar"); };
  for (const char* uf :
       {"AC", "AL", "AP", "DF", "ES", "PB", "PI", "RJ", "RN", "RO", "RR", "SC", "SE", "TO"}) {
    EXPECT_EQ(usar(std::string("NFe_") + uf + "_P"), "NFe_SVRS_P") << uf;
    EXPECT_EQ(usar(std::string("NFe_") + uf + "_H"), "NFe_SVRS_H") << uf;
  }
  for (const char* uf : {"MA", "PA"}) {
    EXPECT_EQ(usar(std::string("NFe_") + uf + "_P"), "NFe_SVAN_P") << uf;
  }
  for (const char* uf : {"AC", "AL", "AP", "BA", "DF", "ES", "MA", "PA", "PB", "PE", "PI", "RJ",
                         "RN", "RO", "RR", "SC", "SE", "TO"}) {
    EXPECT_EQ(usar(std::string("NFCe_") + uf + "_H"), "NFCe_SVRS_H") << uf;
  }
  EXPECT_EQ(Tabela().Ler("NFe_BA_H", "WSDL"), "WSDL_V4_SP");
  EXPECT_EQ(Tabela().Ler("NFe_MG_H", "SoapAction"), "SOAP_V4_MG");
  EXPECT_FALSE(Tabela().SecaoExiste("NFCe_SVAN_P"));
}

TEST(TabelaServicos, EveryNfceUfHasItsQrCodeAndConsultationPages) {
  for (const char* uf : kUFs) {
    for (TkovTipoAmbiente ambiente :
         {TkovTipoAmbiente::taProducao, TkovTipoAmbiente::taHomologacao}) {
      const std::string secao = NomeSecaoServicos("NFCe", uf, ambiente);
      SCOPED_TRACE(secao);
      for (const char* servico : {"URL-QRCode", "URL-ConsultaNFCe"}) {
        EXPECT_THAT(ResolverEnderecoServico(Tabela(), "R", secao, servico, 4.00).URL,
                    StartsWith("http"));
      }
    }
  }
}

TEST(TabelaServicos, HomologationOfBahiaTakesNamespaceAndActionFromItsSections) {
  const TEnderecoServico e =
      ResolverEnderecoServico(Tabela(), "R", "NFe_BA_H", "NfeStatusServico", 4.00);
  EXPECT_EQ(e.Servico, "http://www.portalfiscal.inf.br/nfe/wsdl/NFeStatusServico4");
  EXPECT_EQ(e.SoapAction,
            "http://www.portalfiscal.inf.br/nfe/wsdl/NFeStatusServico4/nfeStatusServicoNF");
  EXPECT_DOUBLE_EQ(e.Versao, 4.00);
}

}  // namespace

}  // namespace nivra
