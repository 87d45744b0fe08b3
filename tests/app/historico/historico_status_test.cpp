#include "app/historico/historico_status.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "tests/fakes/pasta_temporaria.h"
#include "tests/fakes/sem_privilegio.h"

namespace nivra {

namespace {

constexpr int64_t kDia = 86400000;
// 2026-12-10 12:00 UTC.
constexpr int64_t kAgora = 1796904000000;

TRegistroStatus Resposta(int64_t ms, int cStat = 107, const std::string& autorizador = "PR") {
  TRegistroStatus r;
  r.Momento = {ms, -180};
  r.Autorizador = autorizador;
  r.UF = autorizador;
  r.cStat = cStat;
  r.xMotivo = cStat == 107 ? "Serviço em Operação" : "Serviço Paralisado Momentaneamente";
  r.tMed = 1;
  r.ConsultaMs = 214.5;
  return r;
}

class HistoricoStatus : public ::testing::Test {
 protected:
  TPastaTemporaria pasta;
  std::string caminho = pasta.Caminho() + "/dados/historico.sqlite3";
  std::ostringstream registro;

  std::vector<TRegistroStatus> Todas(THistoricoStatus& historico) {
    return historico.Consultar("", INT64_MIN, INT64_MAX);
  }
};

TEST_F(HistoricoStatus, KeepsEveryFieldAndFiltersByAuthoriserAndTime) {
  THistoricoStatus historico(caminho, registro);
  EXPECT_EQ(historico.Caminho(), caminho);
  TRegistroStatus falha = Resposta(kAgora, 0, "SVRS");
  falha.xMotivo.clear();
  falha.Falha = "Tempo esgotado \"na\" conexão";
  falha.Ambiente = 2;
  falha.Modelo = "NFCe";
  ASSERT_TRUE(historico.Gravar(Resposta(kAgora - 1000)));
  ASSERT_TRUE(historico.Gravar(falha));
  ASSERT_TRUE(historico.Gravar(Resposta(kAgora + 1000, 108)));

  EXPECT_EQ(Todas(historico).size(), 3U);
  EXPECT_EQ(historico.Consultar("SVRS", 0, INT64_MAX), std::vector{falha});
  const auto doPR = historico.Consultar("PR", kAgora, kAgora + 1001);
  ASSERT_EQ(doPR.size(), 1U);
  EXPECT_EQ(doPR[0].cStat, 108);
  EXPECT_EQ(historico.Autorizadores(), (std::vector<std::string>{"PR", "SVRS"}));
  EXPECT_EQ(registro.str(), "");
}

TEST_F(HistoricoStatus, IsInWalModeAndSharedBetweenProcesses) {
  THistoricoStatus primeiro(caminho, registro);
  THistoricoStatus segundo(caminho, registro);
  ASSERT_TRUE(primeiro.Gravar(Resposta(kAgora)));
  ASSERT_TRUE(segundo.Gravar(Resposta(kAgora + 1)));
  EXPECT_EQ(Todas(primeiro).size(), 2U);
  EXPECT_TRUE(std::filesystem::exists(caminho + "-wal"));
}

TEST_F(HistoricoStatus, DropsAnswersOlderThan400DaysOnceADay) {
  constexpr int64_t kHora = 3600000;
  THistoricoStatus historico(caminho, registro);
  ASSERT_TRUE(historico.Gravar(Resposta(kAgora - 401 * kDia)));
  ASSERT_TRUE(historico.Gravar(Resposta(kAgora - 399 * kDia - 13 * kHora)));
  ASSERT_TRUE(historico.Gravar(Resposta(kAgora)));
  ASSERT_EQ(Todas(historico).size(), 2U);
  // Half a day later the second answer is past 400 days, but the day's cleaning is done.
  ASSERT_TRUE(historico.Gravar(Resposta(kAgora + 12 * kHora)));
  EXPECT_EQ(Todas(historico).size(), 3U);
  ASSERT_TRUE(historico.Gravar(Resposta(kAgora + kDia)));
  const auto restantes = Todas(historico);
  ASSERT_EQ(restantes.size(), 3U);
  EXPECT_EQ(restantes[0].Momento.UnixMs, kAgora);
}

// A child records answers as fast as it can and reports each commit on a pipe; it is killed
// mid-stream. The file must open as it was and hold every reported answer.
TEST_F(HistoricoStatus, KillDuringWritesLosesNoCommittedAnswer) {
  { THistoricoStatus criar(caminho, registro); }
  int tubo[2];
  ASSERT_EQ(::pipe(tubo), 0);
  const pid_t filho = ::fork();
  ASSERT_GE(filho, 0);
  if (filho == 0) {
    ::close(tubo[0]);
    std::ostringstream semLog;
    THistoricoStatus historico(caminho, semLog);
    for (int64_t i = 0;; ++i) {
      if (!historico.Gravar(Resposta(kAgora + i))) ::_exit(2);
      if (::write(tubo[1], &i, sizeof i) != sizeof i) ::_exit(3);
    }
  }
  ::close(tubo[1]);
  std::set<int64_t> confirmados;
  int64_t indice = 0;
  while (confirmados.size() < 300 && ::read(tubo[0], &indice, sizeof indice) == sizeof indice)
    confirmados.insert(indice);
  ASSERT_EQ(::kill(filho, SIGKILL), 0);
  while (::read(tubo[0], &indice, sizeof indice) == sizeof indice) confirmados.insert(indice);
  ::close(tubo[0]);
  int situacao = 0;
  ASSERT_EQ(::waitpid(filho, &situacao, 0), filho);
  ASSERT_TRUE(WIFSIGNALED(situacao)) << "o processo terminou antes: " << situacao;

  THistoricoStatus historico(caminho, registro);
  EXPECT_EQ(historico.Caminho(), caminho);
  EXPECT_EQ(registro.str(), "");
  std::set<int64_t> gravados;
  for (const TRegistroStatus& r : Todas(historico)) gravados.insert(r.Momento.UnixMs - kAgora);
  ASSERT_GE(confirmados.size(), 300U);
  for (const int64_t i : confirmados) EXPECT_TRUE(gravados.count(i)) << "perdida: " << i;
}

TEST_F(HistoricoStatus, LockedFileGoesOnInAFreshFileBeside) {
  { THistoricoStatus criar(caminho, registro); }
  sqlite3* outro = nullptr;
  ASSERT_EQ(sqlite3_open(caminho.c_str(), &outro), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(outro, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);

  THistoricoStatus historico(caminho, registro, 50);
  EXPECT_TRUE(historico.Gravar(Resposta(kAgora)));
  EXPECT_EQ(historico.Caminho(), caminho + "." + std::to_string(::getpid()));
  EXPECT_EQ(Todas(historico).size(), 1U);
  EXPECT_NE(registro.str().find("histórico: " + caminho), std::string::npos) << registro.str();
  sqlite3_exec(outro, "ROLLBACK", nullptr, nullptr, nullptr);
  sqlite3_close(outro);
}

TEST_F(HistoricoStatus, ReadOnlyFileGoesOnInAFreshFileBeside) {
  {
    THistoricoStatus criar(caminho, registro);
    ASSERT_TRUE(criar.Gravar(Resposta(kAgora)));
  }
  std::filesystem::permissions(std::filesystem::path(caminho).parent_path(),
                               std::filesystem::perms::all);
  for (const char* sufixo : {"", "-wal", "-shm"}) ::chmod((caminho + sufixo).c_str(), 0444);
  const TSemPrivilegio semPrivilegio;
  THistoricoStatus historico(caminho, registro, 50);
  EXPECT_TRUE(historico.Gravar(Resposta(kAgora + 1)));
  EXPECT_EQ(historico.Caminho(), caminho + "." + std::to_string(::getpid()));
  EXPECT_NE(registro.str().find("histórico: "), std::string::npos);
}

// Corrupt files: not a database at all, and a database with damaged pages. Each is kept aside
// and a fresh history takes its place.
TEST_F(HistoricoStatus, CorruptFileIsKeptAsideAndReplaced) {
  const auto danificar = [this](bool paginas) {
    if (!paginas) {
      std::filesystem::create_directories(std::filesystem::path(caminho).parent_path());
      std::ofstream(caminho) << std::string(10000, 'x');
      return;
    }
    {
      THistoricoStatus criar(caminho, registro);
      for (int i = 0; i < 3000; ++i) criar.Gravar(Resposta(kAgora + i));
    }
    std::fstream arquivo(caminho, std::ios::in | std::ios::out | std::ios::binary);
    arquivo.seekp(8192);
    arquivo << std::string(8192, '\xFF');
  };
  for (const bool paginas : {false, true}) {
    SCOPED_TRACE(paginas ? "páginas danificadas" : "não é um banco");
    std::filesystem::remove_all(std::filesystem::path(caminho).parent_path());
    registro.str("");
    danificar(paginas);
    const auto tamanho = std::filesystem::file_size(caminho);

    THistoricoStatus historico(caminho, registro);
    EXPECT_EQ(historico.Caminho(), caminho);
    EXPECT_TRUE(historico.Gravar(Resposta(kAgora)));
    EXPECT_EQ(Todas(historico).size(), 1U);
    EXPECT_NE(registro.str().find("arquivo danificado guardado como " + caminho + ".corrompido-"),
              std::string::npos)
        << registro.str();
    int guardados = 0;
    for (const auto& item :
         std::filesystem::directory_iterator(std::filesystem::path(caminho).parent_path())) {
      const std::string nome = item.path().filename().string();
      if (nome.find(".corrompido-") != std::string::npos &&
          nome.find("-wal") == std::string::npos && nome.find("-shm") == std::string::npos) {
        ++guardados;
        EXPECT_EQ(item.file_size(), tamanho);
      }
    }
    EXPECT_EQ(guardados, 1);
  }
}

TEST_F(HistoricoStatus, NoUsableFolderLogsAndNeverThrows) {
  const std::string arquivo = pasta.Caminho() + "/arquivo";
  std::ofstream(arquivo) << "x";
  THistoricoStatus historico(arquivo + "/historico.sqlite3", registro, 50);
  EXPECT_EQ(historico.Caminho(), "");
  EXPECT_FALSE(historico.Gravar(Resposta(kAgora)));
  EXPECT_TRUE(historico.Consultar("", 0, INT64_MAX).empty());
  EXPECT_NE(registro.str().find("resposta não gravada"), std::string::npos) << registro.str();
}

}  // namespace

}  // namespace nivra
