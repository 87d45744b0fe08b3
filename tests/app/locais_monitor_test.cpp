#include "app/locais_monitor.h"

#include <gtest/gtest.h>

#include <string>

namespace nivra {

namespace {

TEST(LocaisMonitor, PortableInstallKeepsEverythingBesideTheExecutable) {
  TAmbienteLocais ambiente{"/opt/monitor/", true, "", "/x/config", "/x/data", "/home/ana"};
  const TLocaisMonitor locais = LocaisMonitor(
      ambiente, [](const std::string& pasta) { return pasta == "/opt/monitor/ve310/"; });
  EXPECT_EQ(locais.PastaConfig, "/opt/monitor/");
  EXPECT_EQ(locais.PastaDocs, "/opt/monitor/Docs/");
  EXPECT_EQ(locais.ArquivoHistorico, "/opt/monitor/historico.sqlite3");
  EXPECT_EQ(locais.PastaSchemas, "/opt/monitor/ve310/");
  EXPECT_EQ(locais.ArquivoServicos, "");
}

TEST(LocaisMonitor, SystemInstallUsesTheXdgFoldersAndTheInstalledSchemas) {
  struct Caso {
    const char* xdgConfig;
    const char* xdgData;
    const char* config;
    const char* docs;
  } casos[] = {
      {"/x/config", "/x/data", "/x/config/monitor-sefaz/", "/x/data/monitor-sefaz/Docs/"},
      {"", "", "/home/ana/.config/monitor-sefaz/", "/home/ana/.local/share/monitor-sefaz/Docs/"},
      {"relativo", "relativo", "/home/ana/.config/monitor-sefaz/",
       "/home/ana/.local/share/monitor-sefaz/Docs/"},
  };
  // Installed into a prefix the user may write to (a root session, a prefix in the home
  // folder), the program still keeps the user's files in the XDG folders.
  for (const Caso& caso : casos) {
    for (const bool gravavel : {false, true}) {
      TAmbienteLocais ambiente{"/usr/bin/",    gravavel,     "",
                               caso.xdgConfig, caso.xdgData, "/home/ana"};
      const TLocaisMonitor locais =
          LocaisMonitor(ambiente, [](const std::string&) { return false; });
      EXPECT_EQ(locais.PastaConfig, caso.config);
      EXPECT_EQ(locais.PastaDocs, caso.docs);
      EXPECT_EQ(locais.PastaSchemas, "/usr/bin/../share/nivra/schemas/");
      EXPECT_EQ(locais.ArquivoServicos, "/usr/bin/../share/nivra/NivraNFeServicos.ini");
    }
  }
}

TEST(LocaisMonitor, APortableInstallInAReadOnlyFolderKeepsTheUsersFilesInXdg) {
  TAmbienteLocais ambiente{"/mnt/cd/", false, "", "", "", "/home/ana"};
  const TLocaisMonitor locais =
      LocaisMonitor(ambiente, [](const std::string& pasta) { return pasta == "/mnt/cd/ve310/"; });
  EXPECT_EQ(locais.PastaConfig, "/home/ana/.config/monitor-sefaz/");
  EXPECT_EQ(locais.PastaDocs, "/home/ana/.local/share/monitor-sefaz/Docs/");
  EXPECT_EQ(locais.ArquivoHistorico, "/home/ana/.local/share/monitor-sefaz/historico.sqlite3");
  EXPECT_EQ(locais.PastaSchemas, "/mnt/cd/ve310/");
}

TEST(LocaisMonitor, ConfigOptionWinsOverEveryOtherFolder) {
  for (bool gravavel : {true, false}) {
    TAmbienteLocais ambiente{"/opt/m/", gravavel, "/tmp/cfg", "/x", "/y", "/home/ana"};
    EXPECT_EQ(LocaisMonitor(ambiente, [](const std::string&) { return true; }).PastaConfig,
              "/tmp/cfg/");
  }
}

}  // namespace

}  // namespace nivra
