// Key lookup with its version scan, and endpoint resolution through "Usar" redirections.
#include "nivranfe/dfe/servicos_resolucao.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "nivranfe/util/excecoes.h"
#include "tests/fakes/mensagem_de.h"

namespace nivra {

namespace {

using ::testing::HasSubstr;

struct CasoChave {
  const char* nome;
  const char* secao;
  const char* servico;
  double desejada;
  const char* url;
  double versao;
};

class LerChaveDeServicoTest : public ::testing::TestWithParam<CasoChave> {};

TEST_P(LerChaveDeServicoTest, ChoosesTheKeyAndVersion) {
  const CasoChave& caso = GetParam();
  const TServicosIni ini(caso.secao);
  double versao = caso.desejada;
  EXPECT_EQ(LerChaveDeServico(ini, "NFe_XX_P", caso.servico, versao), caso.url);
  EXPECT_DOUBLE_EQ(versao, caso.versao);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, LerChaveDeServicoTest,
    ::testing::Values(
        CasoChave{"ExactVersion", "[NFe_XX_P]\nSvc_3.10=u310\nSvc_4.00=u400\n", "Svc", 4.00, "u400",
                  4.00},
        CasoChave{"FallsBackToHighestLowerVersion", "[NFe_XX_P]\nSvc_3.10=u310\nSvc_2.00=u200\n",
                  "Svc", 4.00, "u310", 3.10},
        CasoChave{"SkipsVersionsAboveTheWantedOne", "[NFe_XX_P]\nSvc_2.00=u200\nSvc_3.10=u310\n",
                  "Svc", 3.00, "u200", 2.00},
        CasoChave{"ScanRespectsLetterCase", "[NFe_XX_P]\nsvc_3.50=minusculo\nSvc_3.10=certo\n",
                  "Svc", 4.00, "certo", 3.10},
        CasoChave{"ExactLookupIgnoresLetterCase", "[NFe_XX_P]\nSVC_3.10=maiusculo\n", "Svc", 3.10,
                  "maiusculo", 3.10},
        CasoChave{"ScanReadsShortVersionsAndCommas", "[NFe_XX_P]\nSvc_2.0=u20\nSvc_3,1=u31\n",
                  "Svc", 4.00, "u31", 3.10},
        CasoChave{"FirstKeyWinsAmongEqualVersions",
                  "[NFe_XX_P]\nSvc_3.1=primeira\nSvc_3.10=segunda\n", "Svc", 4.00, "primeira",
                  3.10},
        // An empty value still names its version in the scan, so lower versions stay unused
        // and the resolution goes on through "Usar".
        CasoChave{"ExactKeyWithEmptyValueHidesLowerVersions",
                  "[NFe_XX_P]\nSvc_4.00=\nSvc_3.10=u310\n", "Svc", 4.00, "", 4.00},
        CasoChave{"NoFittingVersionReadsUnversionedKey", "[NFe_XX_P]\nSvc_5.00=u500\nSvc=geral\n",
                  "Svc", 4.00, "geral", 0},
        CasoChave{"NothingFitsGivesEmpty", "[NFe_XX_P]\nSvc_5.00=u500\n", "Svc", 4.00, "", 0},
        CasoChave{"OtherServiceSharingThePrefixIsIgnored",
                  "[NFe_XX_P]\nSvcExtra_4.00=outro\nSvc_3.10=u310\n", "Svc", 4.00, "u310", 3.10},
        CasoChave{"MissingSectionLeavesVersionUnchanged", "[NFe_YY_P]\nSvc_4.00=u\n", "Svc", 4.00,
                  "", 4.00},
        CasoChave{"EmptySectionLeavesVersionUnchanged", "[NFe_XX_P]\n[NFe_YY_P]\nSvc_4.00=u\n",
                  "Svc", 4.00, "", 4.00}),
    [](const ::testing::TestParamInfo<CasoChave>& info) { return std::string(info.param.nome); });

TEST(ChaveDeServico, WritesTheVersionWithTwoDecimalsAndAPoint) {
  EXPECT_EQ(ChaveDeServico("NfeStatusServico", 4), "NfeStatusServico_4.00");
  EXPECT_EQ(ChaveDeServico("NfeConsultaDest", 1.01), "NfeConsultaDest_1.01");
}

TEST(NomeSecaoServicos, JoinsModelUfAndEnvironment) {
  EXPECT_EQ(NomeSecaoServicos("NFe", "PR", TkovTipoAmbiente::taProducao), "NFe_PR_P");
  EXPECT_EQ(NomeSecaoServicos("NFCe", "SVC-RS", TkovTipoAmbiente::taHomologacao), "NFCe_SVC-RS_H");
}

TEST(NomeSecaoServicos, RejectsEmptyModelAndUf) {
  EXPECT_EQ(MensagemDe([&] { (void)NomeSecaoServicos("", "PR", TkovTipoAmbiente::taProducao); }),
            "ModeloDFe não pode ser vazio");
  EXPECT_EQ(MensagemDe([&] { (void)NomeSecaoServicos("NFe", "", TkovTipoAmbiente::taProducao); }),
            "UF não pode ser vazia");
}

// Runs the resolution and returns the message of the exception it raises.
std::string ErroDe(const char* tabela, const char* secao, const char* servico) {
  const TServicosIni ini(tabela);
  return MensagemDe(
      [&] { (void)ResolverEnderecoServico(ini, "NivraNFeServicos", secao, servico, 4.00); });
}

TEST(ResolverEnderecoServico, FollowsUsarToTheSharedAuthoriser) {
  const TServicosIni ini(
      "[NFe_XX_P]\nUsar=NFe_YY_P\n"
      "[NFe_YY_P]\nSvc_3.10=u310\nSvc_4.00=u400\n");
  const TEnderecoServico e = ResolverEnderecoServico(ini, "R", "NFe_XX_P", "Svc", 4.00);
  EXPECT_EQ(e.URL, "u400");
  EXPECT_DOUBLE_EQ(e.Versao, 4.00);
}

TEST(ResolverEnderecoServico, FollowsChainedRedirectionsStartingEachFromTheWantedVersion) {
  const TServicosIni ini(
      "[NFe_A_P]\nSvc_2.00=antigo\nUsar=NFe_B_P\n"
      "[NFe_B_P]\nOutro_4.00=x\nUsar=NFe_C_P\n"
      "[NFe_C_P]\nUsar=NFe_D_P\n"
      "[NFe_D_P]\nSvc_4.00=u400\n");
  // NFe_A_P has a URL for 2.00 only; asking for 3.10 stops there at 2.00.
  EXPECT_EQ(ResolverEnderecoServico(ini, "R", "NFe_A_P", "Svc", 3.10).URL, "antigo");
  const TServicosIni semVersaoAntiga(
      "[NFe_A_P]\nUsar=NFe_B_P\n"
      "[NFe_B_P]\nOutro_4.00=x\nUsar=NFe_C_P\n"
      "[NFe_C_P]\nUsar=NFe_D_P\n"
      "[NFe_D_P]\nSvc_4.00=u400\n");
  const TEnderecoServico e = ResolverEnderecoServico(semVersaoAntiga, "R", "NFe_A_P", "Svc", 4.00);
  EXPECT_EQ(e.URL, "u400");
  EXPECT_DOUBLE_EQ(e.Versao, 4.00);
}

TEST(ResolverEnderecoServico, SectionNamedLikePartOfAVisitedOneIsNoRepetition) {
  const TServicosIni ini(
      "[NFe_SP_P]\nUsar=NFe_S\n"
      "[NFe_S]\nSvc_4.00=u400\n");
  EXPECT_EQ(ResolverEnderecoServico(ini, "R", "NFe_SP_P", "Svc", 4.00).URL, "u400");
}

TEST(ResolverEnderecoServico, OwnKeysWinOverUsar) {
  const TServicosIni ini(
      "[NFCe_XX_P]\nUsar=NFCe_YY_P\nURL-QRCode=proprio\n"
      "[NFCe_YY_P]\nURL-QRCode=compartilhado\n");
  EXPECT_EQ(ResolverEnderecoServico(ini, "R", "NFCe_XX_P", "URL-QRCode", 4.00).URL, "proprio");
}

TEST(ResolverEnderecoServico, ReadsNamespaceAndActionFromTheNamedSections) {
  const TServicosIni ini(
      "[NFe_XX_H]\nSvc_4.00=u400\nWSDL=WSDL_T\nSoapAction=SOAP_T\n"
      "[WSDL_T]\nSvc_4.00=urn:servico\n"
      "[SOAP_T]\nSvc_4.00=urn:servico/acao\n");
  const TEnderecoServico e = ResolverEnderecoServico(ini, "R", "NFe_XX_H", "Svc", 4.00);
  EXPECT_EQ(e.URL, "u400");
  EXPECT_EQ(e.Servico, "urn:servico");
  EXPECT_EQ(e.SoapAction, "urn:servico/acao");
  EXPECT_DOUBLE_EQ(e.Versao, 4.00);
}

TEST(ResolverEnderecoServico, SectionWithoutNamespaceKeysTakesNoneFromANamelessSection) {
  const TServicosIni ini(
      "[NFe_XX_H]\nSvc_4.00=u400\n"
      "[]\nSvc_3.10=urn:sem-nome\n");
  const TEnderecoServico e = ResolverEnderecoServico(ini, "R", "NFe_XX_H", "Svc", 4.00);
  EXPECT_EQ(e.URL, "u400");
  EXPECT_EQ(e.Servico, "");
  EXPECT_EQ(e.SoapAction, "");
  EXPECT_DOUBLE_EQ(e.Versao, 4.00);
}

TEST(ResolverEnderecoServico, NamespaceSectionWithoutTheServiceZeroesTheVersion) {
  const TServicosIni ini(
      "[NFe_XX_H]\nSvc_4.00=u400\nWSDL=WSDL_T\n"
      "[WSDL_T]\nOutro_4.00=urn:outro\n");
  const TEnderecoServico e = ResolverEnderecoServico(ini, "R", "NFe_XX_H", "Svc", 4.00);
  EXPECT_EQ(e.URL, "u400");
  EXPECT_EQ(e.Servico, "");
  EXPECT_DOUBLE_EQ(e.Versao, 0);
}

TEST(ResolverEnderecoServico, ReportsEveryFailureWithItsMessage) {
  EXPECT_EQ(ErroDe("[NFe_XX_P]\nUsar=NFe_YY_P\n[NFe_YY_P]\nUsar=NFe_XX_P\n", "NFe_XX_P", "Svc"),
            "Redirecionamento circular detectado: Sessão \"NFe_XX_P\" no arquivo "
            "\"NivraNFeServicos\"");
  EXPECT_EQ(ErroDe("[NFe_XX_P]\nOutro_4.00=u\n", "NFe_XX_P", "Svc"),
            "Sessão \"\", não encontrada no arquivo \"NivraNFeServicos\"");
  // A section without a name (a "[]" line) does not keep the chain going.
  EXPECT_EQ(ErroDe("[NFe_XX_P]\nOutro_4.00=u\n[]\nLixo=1\n", "NFe_XX_P", "Svc"),
            "Sessão \"\", não encontrada no arquivo \"NivraNFeServicos\"");
  EXPECT_EQ(ErroDe("[NFCe_XX_P]\n[NFCe_YY_P]\nSvc_4.00=u\n", "NFCe_XX_P", "Svc"),
            "Sessão \"NFCe_XX_P\", não encontrada no arquivo \"NivraNFeServicos\"");
  EXPECT_EQ(ErroDe("[NFe_XX_P]\nUsar=NFe_ZZ_P\n", "NFe_XX_P", "Svc"),
            "Sessão \"NFe_ZZ_P\", não encontrada no arquivo \"NivraNFeServicos\"");
  EXPECT_THAT(ErroDe("[NFe_XX_P]\nUsar=NFe_XX_P\n", "NFe_XX_P", "Svc"),
              HasSubstr("Redirecionamento circular detectado"));
  EXPECT_EQ(ErroDe("[NFe_XX_P]\nUsar=nfe_yy_p\n[NFe_YY_P]\nUsar=NFE_XX_P\n", "NFe_XX_P", "Svc"),
            "Redirecionamento circular detectado: Sessão \"NFE_XX_P\" no arquivo "
            "\"NivraNFeServicos\"");
}

}  // namespace

}  // namespace nivra
