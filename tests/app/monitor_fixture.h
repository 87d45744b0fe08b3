// A monitor controller over the fake window and component, with its settings file in a
// temporary folder and a fixed date for the picker.
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "app/monitor_controlador.h"
#include "nivranfe/util/datahora.h"
#include "tests/fakes/componente_monitor_falso.h"
#include "tests/fakes/interface_monitor_falsa.h"
#include "tests/fakes/pasta_temporaria.h"

namespace nivra {

class MonitorFixture : public ::testing::Test {
 protected:
  static TRespostaStatus Status(int cStat, const std::string& xMotivo, const std::string& xObs = "",
                                int TMed = 1) {
    return {cStat, xMotivo, xObs, TMed};
  }
  static TRespostaStatus Em107() { return Status(107, "Serviço em Operação"); }
  static TRespostaStatus Em108() {
    return Status(108, "Serviço Paralisado Momentaneamente", "Manutenção");
  }
  static TRespostaStatus Em109() { return Status(109, "Serviço Paralisado sem Previsão", "Falha"); }

  // Writes the settings file.
  void Configurar(const std::string& conteudo) {
    TPastaTemporaria::Escrever(arquivo.Caminho(), conteudo);
  }
  // Settings with a certificate and the UF, then window creation.
  void Iniciar(const std::string& uf = "PR") {
    Configurar("[config]\ncertificado=1A2B\nUF=" + uf + "\n");
    controlador.FormCreate();
  }
  // Advances the fake clock.
  void Avancar(int64_t ms) { ui.Avancar(ms, controlador); }

  TPastaTemporaria pasta;
  TArquivoConfiguracao arquivo{pasta.Caminho()};
  TInterfaceMonitorFalsa ui;
  TComponenteMonitorFalso componente;
  std::ostringstream registro;
  TDateTime hoje = CodificarDataHora(2026, 6, 15, 10, 0);
  TMonitorControlador::TImportar importar;
  TMonitorControlador controlador{ui,
                                  componente,
                                  arquivo,
                                  [this] { return hoje; },
                                  registro,
                                  [this](const std::string& a, const std::string& s) {
                                    if (importar) importar(a, s);
                                  }};
};

}  // namespace nivra
