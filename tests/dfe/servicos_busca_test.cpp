// The NF-e component's endpoint lookups: the contingency authorisers, the schema step that
// fixes the request version, the schema cache, and the monitor's status lookup over the
// embedded table and the shipped schema folder.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>

#include "nivranfe/dfe/nivra_nfe.h"
#include "nivranfe/util/excecoes.h"
#include "tests/fakes/mensagem_de.h"
#include "tests/fakes/pasta_temporaria.h"

namespace nivra {

namespace {

using ::testing::StartsWith;

constexpr const char* kTabela[] = {
    "[NFe_PR_P]",
    "NfeStatusServico_3.10=https://pr/status3",
    "NfeStatusServico_4.00=https://pr/status4",
    "[NFe_PR_H]",
    "NfeStatusServico_4.00=https://pr-h/status4",
    "[NFe_SVC-RS_P]",
    "NfeStatusServico_4.00=https://svc-rs/status4",
    "[NFe_SVC-AN_H]",
    "NfeStatusServico_4.00=https://svc-an-h/status4",
    "[NFCe_PR_P]",
    "URL-QRCode=http://pr/qrcode",
};

// Creates an empty schema file `nome` in `pasta`.
void Criar(const TPastaTemporaria& pasta, const std::string& nome) {
  TPastaTemporaria::Escrever(pasta.Caminho() + nome, "<xs:schema/>");
}

class LookupTest : public ::testing::Test {
 protected:
  LookupTest() {
    nfe.Configuracoes().WebServices().SetParams(
        std::vector<std::string>(std::begin(kTabela), std::end(kTabela)));
    nfe.Configuracoes().WebServices().SetUF("PR");
    nfe.Configuracoes().WebServices().SetAmbiente(TkovTipoAmbiente::taProducao);
    nfe.Configuracoes().Geral().SetVersaoDF(TkovVersaoDF::ve400);
    nfe.Configuracoes().Arquivos().SetPathSchemas(schemas.Caminho());
    Criar(schemas, "consStatServ_v4.00.xsd");
  }

  struct TResultado {
    double Versao = 0;
    std::string URL, Servico, SoapAction;
  };
  TResultado Status() {
    TResultado r;
    nfe.LerServicoDeParams(TLayOut::LayNfeStatusServico, r.Versao, r.URL, r.Servico, r.SoapAction);
    return r;
  }

  TPastaTemporaria schemas;
  TNivraNFe nfe;
};

TEST_F(LookupTest, ResolvesTheConfiguredUfAndEnvironment) {
  const TResultado r = Status();
  EXPECT_EQ(r.URL, "https://pr/status4");
  EXPECT_EQ(r.Servico, "");
  EXPECT_DOUBLE_EQ(r.Versao, 4.00);
  EXPECT_EQ(nfe.LerVersaoDeParams(TLayOut::LayNfeStatusServico), "4.00");
}

TEST_F(LookupTest, ContingencyEmissionUsesTheContingencyAuthoriser) {
  nfe.Configuracoes().Geral().SetFormaEmissao(TkovTipoEmissao::teSVCRS);
  EXPECT_EQ(Status().URL, "https://svc-rs/status4");
  nfe.Configuracoes().Geral().SetFormaEmissao(TkovTipoEmissao::teSVCAN);
  nfe.Configuracoes().WebServices().SetAmbiente(TkovTipoAmbiente::taHomologacao);
  EXPECT_EQ(Status().URL, "https://svc-an-h/status4");
  // The version form always asks the configured UF, here one the table lacks.
  nfe.Configuracoes().WebServices().SetUF("SC");
  EXPECT_EQ(Status().URL, "https://svc-an-h/status4");
  EXPECT_THROW((void)nfe.LerVersaoDeParams(TLayOut::LayNfeStatusServico), ENivraDFeException);
}

TEST_F(LookupTest, SchemaFileFixesTheRequestVersion) {
  TPastaTemporaria outra;
  Criar(outra, "consStatServ_v3.10.xsd");
  nfe.Configuracoes().Arquivos().SetPathSchemas(outra.Caminho());
  const TResultado r = Status();
  EXPECT_EQ(r.URL, "https://pr/status4");
  EXPECT_DOUBLE_EQ(r.Versao, 3.10);

  double versao = 4.00;
  std::string arquivo;
  nfe.AchaArquivoSchema("consStatServ", versao, arquivo);
  EXPECT_EQ(arquivo, outra.Caminho() + "consStatServ_v3.10.xsd");
  EXPECT_DOUBLE_EQ(versao, 3.10);
}

TEST_F(LookupTest, SchemaFolderIsListedOnlyOnce) {
  (void)Status();
  Criar(schemas, "consStatServ_v5.00.xsd");
  nfe.Configuracoes().Arquivos().SetPathSchemas("/pasta/que/nao/existe/");
  double versao = 5.00;
  std::string arquivo;
  nfe.AchaArquivoSchema("consStatServ", versao, arquivo);
  EXPECT_DOUBLE_EQ(versao, 4.00);
  EXPECT_EQ(arquivo, "/pasta/que/nao/existe/consStatServ_v4.00.xsd");
}

TEST_F(LookupTest, EmptySchemaNameLeavesTheOutputsAlone) {
  double versao = 4.00;
  std::string arquivo = "inalterado";
  nfe.AchaArquivoSchema("", versao, arquivo);
  EXPECT_EQ(arquivo, "inalterado");
  EXPECT_DOUBLE_EQ(versao, 4.00);
}

TEST_F(LookupTest, FolderWithoutSchemasFailsOnlyServicesThatHaveOne) {
  TPastaTemporaria vazia;
  nfe.Configuracoes().Arquivos().SetPathSchemas(vazia.Caminho());
  EXPECT_EQ(MensagemDe([&] { (void)Status(); }),
            "Nenhum arquivo de Schema encontrado na pasta: \r\n" + vazia.Caminho());
  EXPECT_EQ(nfe.LerURLDeParams("NFCe", "PR", TkovTipoAmbiente::taProducao, "URL-QRCode", 4.00),
            "http://pr/qrcode");
}

TEST_F(LookupTest, FailuresNameTheResource) {
  EXPECT_EQ(MensagemDe([&] {
              (void)nfe.LerURLDeParams("NFe", "", TkovTipoAmbiente::taProducao, "NfeStatusServico",
                                       4);
            }),
            "UF não pode ser vazia");
}

TEST_F(LookupTest, AMissingEndpointNamesWhatWasLookedForAndARetiredVersion) {
  struct Caso {
    const char* uf;
    TkovTipoAmbiente ambiente;
    TkovVersaoDF versao;
    std::string mensagem;
  };
  const Caso casos[] = {
      {"SC", TkovTipoAmbiente::taProducao, TkovVersaoDF::ve400,
       "Sessão \"NFe_SC_P\", não encontrada no arquivo \"Configuracoes.WebServices.Params\": "
       "nenhum endereço para o serviço NfeStatusServico versão 4.00 do modelo NFe, UF SC, "
       "ambiente de produção"},
      // Homologation in PR has only the 4.00 service: 3.10 was retired there.
      {"PR", TkovTipoAmbiente::taHomologacao, TkovVersaoDF::ve310,
       "Sessão \"\", não encontrada no arquivo \"Configuracoes.WebServices.Params\": nenhum "
       "endereço para o serviço NfeStatusServico versão 3.10 do modelo NFe, UF PR, ambiente de "
       "homologação. A "
       "versão 3.10 desse serviço foi desativada; o autorizador atende a 4.00 "
       "(Configuracoes.Geral.VersaoDF)"},
  };
  for (const Caso& caso : casos) {
    nfe.Configuracoes().WebServices().SetUF(caso.uf);
    nfe.Configuracoes().WebServices().SetAmbiente(caso.ambiente);
    nfe.Configuracoes().Geral().SetVersaoDF(caso.versao);
    EXPECT_EQ(MensagemDe([&] { (void)Status(); }), caso.mensagem) << caso.uf;
  }
}

TEST_F(LookupTest, AMissingSectionNamesTheServicesFileReadAndTheSettingToChange) {
  const std::string arquivo = schemas.Caminho() + "servicos.ini";
  TPastaTemporaria::Escrever(arquivo, "[NFe_PR_P]\nNfeStatusServico_4.00=https://pr/sta\n");
  auto& ws = nfe.Configuracoes().WebServices();
  ws.SetParams({});
  nfe.Configuracoes().Arquivos().SetIniServicos(arquivo);
  ws.SetAmbiente(TkovTipoAmbiente::taHomologacao);
  EXPECT_EQ(MensagemDe([&] { (void)Status(); }),
            "Sessão \"NFe_PR_H\", não encontrada no arquivo \"" + arquivo +
                "\": nenhum endereço para o serviço NfeStatusServico versão 4.00 do modelo NFe, UF "
                "PR, ambiente de homologação (a tabela de serviços é escolhida em "
                "Configuracoes.Arquivos.IniServicos)");
  // Without the file, the embedded table is read, and named.
  nfe.Configuracoes().Arquivos().SetIniServicos(schemas.Caminho() + "nenhum.ini");
  ws.SetParams({});
  nfe.CarregarParametros(false);
  EXPECT_EQ(ws.OrigemParams(), "NivraNFeServicos");
}

TEST_F(LookupTest, KeyLookupsReadTheLoadedTable) {
  double versao = 4.00;
  std::string url;
  nfe.LerServicoChaveDeParams("NFe_PR_P", "NfeStatusServico", versao, url);
  EXPECT_EQ(url, "https://pr/status4");
  versao = 3.50;
  nfe.LerDeParams("NFe_PR_P", "NfeStatusServico", versao, url);
  EXPECT_EQ(url, "https://pr/status3");
  EXPECT_DOUBLE_EQ(versao, 3.10);
}

TEST(ArquivoServicos, ReplacesTheEmbeddedTableEntirely) {
  TPastaTemporaria pasta;
  const std::string arquivo = pasta.Caminho() + "NivraNFeServicos.ini";
  TPastaTemporaria::Escrever(arquivo,
                             "[NFe_PR_P]\r\nNfeStatusServico_4.00=https://arquivo/status4\r\n");
  Criar(pasta, "consStatServ_v4.00.xsd");
  TNivraNFe nfe;
  nfe.Configuracoes().Arquivos().SetIniServicos(arquivo);
  nfe.Configuracoes().Arquivos().SetPathSchemas(pasta.Caminho());
  const auto producao = TkovTipoAmbiente::taProducao;
  EXPECT_EQ(nfe.LerURLDeParams("NFe", "PR", producao, "NfeStatusServico", 4),
            "https://arquivo/status4");
  // Sections only the embedded table has are gone.
  EXPECT_THROW((void)nfe.LerURLDeParams("NFe", "SP", producao, "NfeStatusServico", 4),
               ENivraDFeException);
}

// The monitor's query: model NF-e, layout 4.00, the table compiled into the library and the
// schema folder shipped with it.
TEST(MonitorLookup, StatusResolvesAt400ForEveryUfInBothEnvironments) {
  // From the source folder the build names: __FILE__ may be relative under a compiler cache.
  const std::string schemasEnviadas = std::string(NIVRA_SOURCE_DIR) + "/resources/schemas/";
  TNivraNFe nfe;
  nfe.Configuracoes().Geral().SetVersaoDF(TkovVersaoDF::ve400);
  nfe.Configuracoes().Arquivos().SetPathSchemas(schemasEnviadas);
  constexpr std::array<const char*, 27> kUFs = {
      "AC", "AL", "AP", "AM", "BA", "CE", "DF", "ES", "GO", "MA", "MG", "MS", "MT", "PA",
      "PB", "PE", "PI", "PR", "RJ", "RN", "RO", "RS", "RR", "SC", "SE", "SP", "TO"};
  for (const char* uf : kUFs) {
    for (TkovTipoAmbiente ambiente :
         {TkovTipoAmbiente::taProducao, TkovTipoAmbiente::taHomologacao}) {
      SCOPED_TRACE(std::string(uf) + (ambiente == TkovTipoAmbiente::taProducao ? " P" : " H"));
      nfe.Configuracoes().WebServices().SetUF(uf);
      nfe.Configuracoes().WebServices().SetAmbiente(ambiente);
      double versao = 0;
      std::string url, servico, soapAction;
      nfe.LerServicoDeParams(TLayOut::LayNfeStatusServico, versao, url, servico, soapAction);
      EXPECT_THAT(url, StartsWith("https://"));
      EXPECT_DOUBLE_EQ(versao, 4.00);
      EXPECT_EQ(nfe.LerVersaoDeParams(TLayOut::LayNfeStatusServico), "4.00");
    }
  }
}

}  // namespace

}  // namespace nivra
