// Listing of a schema folder and the choice of the schema file for a wanted version.
#include "dfe/servicos_schemas.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "dfe/excecoes.h"

namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;

// A schema folder created for one test and removed afterwards.
class PastaTemporaria {
 public:
  PastaTemporaria() {
    std::string modelo = (fs::temp_directory_path() / "schemasXXXXXX").string();
    if (mkdtemp(modelo.data()) == nullptr) throw std::runtime_error("mkdtemp falhou");
    FPasta = modelo + "/";
  }
  ~PastaTemporaria() {
    std::error_code erro;
    fs::remove_all(FPasta, erro);
  }
  void Criar(const std::string& nome) const { std::ofstream(FPasta + nome) << "<xs:schema/>"; }
  const std::string& Pasta() const { return FPasta; }

 private:
  std::string FPasta;
};

TEST(ListarArquivosSchema, ListsOnlyXsdFilesSortedIgnoringCase) {
  PastaTemporaria pasta;
  for (const char* nome : {"tiposBasico_v4.00.xsd", "consStatServ_v4.00.xsd", "Leia.txt",
                           "consCad_v2.00.XSD", "a..b.xsd"}) {
    pasta.Criar(nome);
  }
  fs::create_directory(pasta.Pasta() + "pasta.xsd");
  EXPECT_THAT(ListarArquivosSchema(pasta.Pasta()),
              ElementsAre("consCad_v2.00.XSD", "consStatServ_v4.00.xsd", "tiposBasico_v4.00.xsd"));
}

TEST(ListarArquivosSchema, FailsWhenTheFolderHasNoSchema) {
  PastaTemporaria pasta;
  pasta.Criar("Leia.txt");
  for (const std::string& alvo : {pasta.Pasta(), pasta.Pasta() + "naoexiste/"}) {
    try {
      (void)ListarArquivosSchema(alvo);
      FAIL() << "pasta sem schema aceita: " << alvo;
    } catch (const ENivraDFeException& e) {
      EXPECT_EQ(std::string(e.what()), "Nenhum arquivo de Schema encontrado na pasta: \r\n" + alvo);
    }
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
