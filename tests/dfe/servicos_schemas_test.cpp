// Listing of a schema folder and the choice of the schema file for a wanted version.
#include "nivranfe/dfe/servicos_schemas.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "nivranfe/util/excecoes.h"
#include "tests/fakes/mensagem_de.h"
#include "tests/fakes/pasta_temporaria.h"

namespace nivra {

namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;

// Creates an empty schema file `nome` in `pasta`.
void Criar(const TPastaTemporaria& pasta, const std::string& nome) {
  TPastaTemporaria::Escrever(pasta.Caminho() + nome, "<xs:schema/>");
}

TEST(ListarArquivosSchema, ListsOnlyXsdFilesSortedIgnoringCase) {
  TPastaTemporaria pasta;
  for (const char* nome : {"tiposBasico_v4.00.xsd", "consStatServ_v4.00.xsd", "Leia.txt",
                           "consCad_v2.00.XSD", "a..b.xsd"}) {
    Criar(pasta, nome);
  }
  fs::create_directory(pasta.Caminho() + "pasta.xsd");
  EXPECT_THAT(ListarArquivosSchema(pasta.Caminho()),
              ElementsAre("consCad_v2.00.XSD", "consStatServ_v4.00.xsd", "tiposBasico_v4.00.xsd"));
}

TEST(ListarArquivosSchema, FailsWhenTheFolderHasNoSchema) {
  TPastaTemporaria pasta;
  Criar(pasta, "Leia.txt");
  for (const std::string& alvo : {pasta.Caminho(), pasta.Caminho() + "naoexiste/"}) {
    EXPECT_EQ(MensagemDe([&] { (void)ListarArquivosSchema(alvo); }),
              "Nenhum arquivo de Schema encontrado na pasta: \r\n" + alvo)
        << alvo;
  }
}

struct CasoSchema {
  const char* nome;
  double desejada;
  const char* arquivo;
  double versao;
};

class EscolherArquivoSchemaTest : public ::testing::TestWithParam<CasoSchema> {};

TEST_P(EscolherArquivoSchemaTest, ChoosesTheFileAndItsVersion) {
  const std::vector<std::string> nomes = {"consStatServ.xsd",         "consStatServ_v2.00.xsd",
                                          "consStatServ_v3.10.xsd",   "ConsStatServ_v3.50.xsd",
                                          "consStatServ_vX.xsd",      "consStatServ_v5.00.xsd",
                                          "retConsStatServ_v4.00.xsd"};
  double versao = GetParam().desejada;
  EXPECT_EQ(EscolherArquivoSchema(nomes, "consStatServ", versao), GetParam().arquivo);
  EXPECT_DOUBLE_EQ(versao, GetParam().versao);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, EscolherArquivoSchemaTest,
    ::testing::Values(CasoSchema{"ExactVersion", 3.10, "consStatServ_v3.10.xsd", 3.10},
                      CasoSchema{"HighestLowerVersionRespectingCase", 4.00,
                                 "consStatServ_v3.10.xsd", 3.10},
                      CasoSchema{"ExactNameIgnoresCase", 3.50, "ConsStatServ_v3.50.xsd", 3.50},
                      CasoSchema{"NothingLowEnough", 1.00, "", 0},
                      CasoSchema{"VersionZeroTakesTheUnversionedFile", 0, "consStatServ.xsd", 0}),
    [](const ::testing::TestParamInfo<CasoSchema>& info) { return std::string(info.param.nome); });

TEST(EscolherArquivoSchema, VersionZeroWithoutUnversionedFileFindsNothing) {
  double versao = 0;
  EXPECT_EQ(EscolherArquivoSchema({"consStatServ_v4.00.xsd"}, "consStatServ", versao), "");
  EXPECT_DOUBLE_EQ(versao, 0);
}

}  // namespace

}  // namespace nivra
