// Saved-file folders: the base folder defaults, the folder levels built by GetPath, the NF-e
// folders and the event-type folder names.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "nivranfe/dfe/arquivos_conf_nfe.h"
#include "nivranfe/dfe/nivra_nfe.h"
#include "nivranfe/util/arquivos.h"
#include "nivranfe/util/datahora.h"
#include "tests/fakes/crypto_memoria.h"
#include "tests/fakes/pasta_temporaria.h"

namespace nivra {

namespace {

namespace fs = std::filesystem;

class CaminhosTest : public ::testing::Test {
 protected:
  void SetUp() override { arquivos.SetPathSalvar(pasta.Caminho() + "Docs"); }

  std::string Base() const { return pasta.Caminho() + "Docs/"; }

  TPastaTemporaria pasta;
  TNivraNFe nfe;
  TArquivosConfNFe& arquivos = nfe.Configuracoes().Arquivos();
  const TDateTime marco = CodificarDataHora(2024, 3, 7, 10, 0, 0);
};

TEST(CaminhosPadrao, BaseFoldersDefaultBesideTheExecutable) {
  TNivraNFe nfe;
  TArquivosConf& arquivos = nfe.Configuracoes().Arquivos();
  const std::string docs = PastaDoExecutavel() + "Docs/";
  EXPECT_EQ(arquivos.PathSalvar(), docs);
  EXPECT_EQ(arquivos.PathSchemas(), PastaDoExecutavel() + "Schemas/");
  EXPECT_EQ(arquivos.GetPath("", ""), docs);
  EXPECT_TRUE(fs::is_directory(docs));
}

TEST(CaminhosPadrao, SetFoldersAreTrimmedAndEndWithADelimiter) {
  TNivraNFe nfe;
  TArquivosConf& arquivos = nfe.Configuracoes().Arquivos();
  arquivos.SetPathSchemas("  ve310  ");
  EXPECT_EQ(arquivos.PathSchemas(), "ve310/");
  arquivos.SetPathSalvar("/var/x/");
  EXPECT_EQ(arquivos.PathSalvar(), "/var/x/");
}

TEST_F(CaminhosTest, CNPJAndMonthLevelsFillTheOrderOnFirstUse) {
  arquivos.SetSepararPorCNPJ(true);
  arquivos.SetSepararPorMes(true);
  const std::string dir = arquivos.GetPath("", "", "12.345.678/0001-95", marco);
  EXPECT_EQ(dir, Base() + "12345678000195/202403");
  EXPECT_TRUE(fs::is_directory(dir));
  ASSERT_EQ(arquivos.OrdenacaoPath().Count(), 2u);
  EXPECT_EQ(arquivos.OrdenacaoPath().Items(0).Item(), TTagOrdenacaoPath::opCNPJ);
  EXPECT_EQ(arquivos.OrdenacaoPath().Items(1).Item(), TTagOrdenacaoPath::opData);

  // The filled order, not the options, decides from now on.
  arquivos.SetSepararPorCNPJ(false);
  EXPECT_EQ(arquivos.GetPath("", "", "12345678000195", marco), Base() + "12345678000195/202403");
  arquivos.OrdenacaoPath().Clear();
  EXPECT_EQ(arquivos.GetPath("", "", "12345678000195", marco), Base() + "202403");
}

TEST_F(CaminhosTest, DateLevels) {
  struct Caso {
    bool ano, mes, dia;
    const char* esperado;
  };
  const Caso casos[] = {
      {true, false, false, "2024"},     {false, true, false, "202403"},
      {true, true, false, "2024/03"},   {true, true, true, "2024/03/07"},
      {false, true, true, "202403/07"},
  };
  for (const Caso& c : casos) {
    arquivos.OrdenacaoPath().Clear();
    arquivos.SetSepararPorAno(c.ano);
    arquivos.SetSepararPorMes(c.mes);
    arquivos.SetSepararPorDia(c.dia);
    EXPECT_EQ(arquivos.GetPath("", "", "", marco), Base() + c.esperado) << c.esperado;
  }
}

TEST_F(CaminhosTest, ApplicationOrderPutsTheDateBeforeTheCNPJ) {
  arquivos.SetSepararPorMes(true);
  arquivos.OrdenacaoPath().Add().SetItem(TTagOrdenacaoPath::opData);
  arquivos.OrdenacaoPath().Add().SetItem(TTagOrdenacaoPath::opCNPJ);
  EXPECT_EQ(arquivos.GetPath("", "", "11222333000181", marco), Base() + "202403/11222333000181");
}

TEST_F(CaminhosTest, MissingCNPJIsTakenFromTheConfiguredCertificateOnly) {
  auto crypto = std::make_unique<TCryptoMemoria>(nfe.SSL());
  crypto->Certificado.SetCNPJ("11222333000181");
  const std::shared_ptr<TEventosCrypto> eventos = crypto->Eventos;
  nfe.SSL().UsarSSLCryptClass(std::move(crypto));
  arquivos.SetSepararPorCNPJ(true);

  // No certificate configured: no CNPJ level, and no attempt to load one.
  EXPECT_EQ(arquivos.GetPath("", ""), Base());
  EXPECT_EQ(eventos->Carregamentos, 0);

  nfe.Configuracoes().Certificados().SetNumeroSerie("0A1B");
  EXPECT_EQ(arquivos.GetPath("", ""), Base() + "11222333000181");
  EXPECT_EQ(arquivos.GetPath("", "", "99.888.777/0001-66"), Base() + "99888777000166");
}

TEST_F(CaminhosTest, ModelAndLiteralLevels) {
  arquivos.SetSepararPorModelo(true);
  arquivos.SetAdicionarLiteral(true);
  EXPECT_EQ(arquivos.GetPath("", "Lit"), Base() + "NFe/Lit");
  EXPECT_EQ(arquivos.GetPath("", "Lit", "", 0, "CTe"), Base() + "CTe/Lit");
  EXPECT_EQ(arquivos.GetPath("", ""), Base() + "NFe");
}

TEST_F(CaminhosTest, VoidingFolderDoesNotRepeatTheLiteral) {
  arquivos.SetAdicionarLiteral(true);
  EXPECT_EQ(arquivos.GetPathInu(), Base() + "Inu");
  arquivos.OrdenacaoPath().Clear();
  arquivos.SetPathInu(pasta.Caminho() + "Inu");
  EXPECT_EQ(arquivos.GetPathInu(), pasta.Caminho() + "Inu");
}

TEST_F(CaminhosTest, NFCeFolderHasTheModelOnce) {
  arquivos.SetSepararPorModelo(true);
  arquivos.SetAdicionarLiteral(true);
  EXPECT_EQ(arquivos.GetPathNFe(0, "", 65), Base() + "NFCe");
  EXPECT_EQ(arquivos.GetPathNFe(0, "", 55), Base() + "NFe");
  nfe.Configuracoes().Geral().SetModeloDF(TkovModeloDF::moNFCe);
  EXPECT_EQ(arquivos.GetPathNFe(0, "", 0), Base() + "NFCe");
  arquivos.SetPathNFe(pasta.Caminho() + "notas");
  EXPECT_EQ(arquivos.GetPathNFe(0, "", 55), pasta.Caminho() + "notas/NFe");
}

TEST_F(CaminhosTest, EventFolderEndsWithTheEventTypeWhenLiteralsAreOn) {
  EXPECT_EQ(arquivos.GetPathEvento(TkovTpEvento::teCCe), Base());
  arquivos.SetAdicionarLiteral(true);
  arquivos.OrdenacaoPath().Clear();
  const std::string dir = arquivos.GetPathEvento(TkovTpEvento::teManifDestCiencia);
  EXPECT_EQ(dir, Base() + "Evento/Ciencia");
  EXPECT_TRUE(fs::is_directory(dir));
}

TEST_F(CaminhosTest, DownloadFolderDefaultsToPathSalvarAndSeparatesBySender) {
  arquivos.SetAdicionarLiteral(true);
  EXPECT_EQ(arquivos.GetPathDownload("Empresa X"), Base() + "Down");
  EXPECT_EQ(arquivos.DownloadNFe().PathDownload(), Base());
  arquivos.DownloadNFe().SetSepararPorNome(true);
  EXPECT_EQ(arquivos.GetPathDownload("Ação & Cia. Ltda"), Base() + "AoCiaLtda/Down");
  EXPECT_EQ(arquivos.GetPathDownload(""), Base() + "Down");
}

TEST(CaminhosEvento, FolderNamesOfTheEventTypes) {
  struct Caso {
    TkovTpEvento tipo;
    const char* nome;
  };
  const Caso casos[] = {
      {TkovTpEvento::teCCe, "CCe"},
      {TkovTpEvento::teManifDestOperNaoRealizada, "NaoRealizada"},
      {TkovTpEvento::teInclusaoCondutor, "IncCondutor"},
      {TkovTpEvento::teEPEC, "EPEC"},
      {TkovTpEvento::teEPECNFe, "EPEC"},
      {TkovTpEvento::teRegistroPassagemNFeRFID, "RegPassagemNFeRFID"},
      {TkovTpEvento::teConfInternalizacao, "ConfInternalizacao"},
      {TkovTpEvento::teMDFeCancelado2, "MDFeCancelado2"},
  };
  for (const Caso& c : casos) EXPECT_EQ(NomePastaEvento(c.tipo), c.nome) << c.nome;
}

TEST(CaminhosOrdenacao, ItemDisplayNamesAndCopy) {
  TOrdenacaoPathItem item;
  EXPECT_EQ(item.GetDisplayName(), "(nenhum)");
  TOrdenacaoPathItem outro;
  outro.SetItem(TTagOrdenacaoPath::opLiteral);
  item.Assign(outro);
  EXPECT_EQ(item.GetDisplayName(), "Literal");
}

}  // namespace

}  // namespace nivra
