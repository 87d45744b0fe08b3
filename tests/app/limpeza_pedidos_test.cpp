#include "app/limpeza_pedidos.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "tests/fakes/pasta_temporaria.h"

namespace nivra {

namespace {

struct TArquivo {
  const char* Nome;
  bool Removido;
};

// At 2026-06-15 10:00 with 30 days, stamps before 2026-05-16 10:00:00 go.
const TArquivo kArquivos[] = {
    {"20260516095959-ped-sta.xml", true},
    {"20260516095959-sta.xml", true},
    {"20260101000000-ped-sta-soap.xml", true},
    {"20260101000000-sta-soap.xml", true},
    {"20260516100000-sta.xml", false},
    {"20260614000000-ped-sta.xml", false},
    {"20260101000000-ped-rec.xml", false},
    {"20260101000000-sta.xml.bak", false},
    {"2026010100000-sta.xml", false},
    {"x20260101000000-sta.xml", false},
    {"notas.txt", false},
    {"sub/20260101000000-sta.xml", false},
};

class LimpezaPedidos : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(pasta.Caminho() + "/sub");
    // A folder with a status file's name is no file to remove.
    std::filesystem::create_directories(pasta.Caminho() + "/20260101000000-ped-sta.xml");
    for (const TArquivo& a : kArquivos) TPastaTemporaria::Escrever(Caminho(a.Nome), "<xml/>");
  }
  std::string Caminho(const std::string& nome) const { return pasta.Caminho() + "/" + nome; }

  TPastaTemporaria pasta;
  std::ostringstream registro;
  const TDateTime agora = CodificarDataHora(2026, 6, 15, 10, 0);
};

TEST_F(LimpezaPedidos, RemovesOnlyTheStatusPairsOlderThanTheDays) {
  EXPECT_EQ(LimparPedidosStatus(pasta.Caminho(), agora, 30, registro), 4U);
  for (const TArquivo& a : kArquivos)
    EXPECT_EQ(std::filesystem::exists(Caminho(a.Nome)), !a.Removido) << a.Nome;
  EXPECT_TRUE(std::filesystem::is_directory(Caminho("20260101000000-ped-sta.xml")));
  EXPECT_EQ(registro.str(), "");
}

TEST_F(LimpezaPedidos, ZeroDaysKeepsEverythingAndAMissingFolderIsNoError) {
  EXPECT_EQ(LimparPedidosStatus(pasta.Caminho(), agora, 0, registro), 0U);
  for (const TArquivo& a : kArquivos) EXPECT_TRUE(std::filesystem::exists(Caminho(a.Nome)));
  EXPECT_EQ(LimparPedidosStatus(Caminho("nenhuma"), agora, 30, registro), 0U);
  EXPECT_EQ(registro.str(), "");
}

}  // namespace

}  // namespace nivra
