#include "app/locais_monitor.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(LocaisMonitor, PortableInstallKeepsEverythingBesideTheExecutable) {
  TAmbienteLocais ambiente{"/opt/monitor/", true, "", "/x/config", "/x/data", "/home/ana"};
  const TLocaisMonitor locais = LocaisMonitor(
      ambiente, [](const std::string& pasta) { return pasta == "/opt/monitor/ve310/"; });
  EXPECT_EQ(locais.PastaConfig, "/opt/monitor/");
  EXPECT_EQ(locais.PastaDocs, "/opt/monitor/Docs/");
  EXPECT_EQ(locais.PastaSchemas, "/opt/monitor/ve310/");
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
  for (const Caso& caso : casos) {
    TAmbienteLocais ambiente{"/usr/bin/", false, "", caso.xdgConfig, caso.xdgData, "/home/ana"};
    const TLocaisMonitor locais = LocaisMonitor(ambiente, [](const std::string&) { return false; });
    EXPECT_EQ(locais.PastaConfig, caso.config);
    EXPECT_EQ(locais.PastaDocs, caso.docs);
    EXPECT_EQ(locais.PastaSchemas, "/usr/bin/../share/nivra/schemas/");
  }
}

TEST(LocaisMonitor, ConfigOptionWinsOverEveryOtherFolder) {
  for (bool gravavel : {true, false}) {
    TAmbienteLocais ambiente{"/opt/m/", gravavel, "/tmp/cfg", "/x", "/y", "/home/ana"};
    EXPECT_EQ(LocaisMonitor(ambiente, [](const std::string&) { return true; }).PastaConfig,
              "/tmp/cfg/");
  }
}

}  // namespace
