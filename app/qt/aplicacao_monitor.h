// The monitor program put together: options, folders, settings file, NF-e component,
// controller and window.
#pragma once

#include <QStringList>
#include <string>

#include "app/componente_nfe.h"
#include "app/configuracao_monitor.h"
#include "app/locais_monitor.h"
#include "app/monitor_controlador.h"
#include "app/qt/janela_monitor.h"

class TAplicacaoMonitor {
 public:
  struct TOpcoes {
    std::string Servicos;   // --servicos: services table file replacing the built-in one
    std::string DirConfig;  // --dir-config: folder of conf.qvl
  };

  // Reads the options of the command line; --help and a bad option print and end the process.
  [[nodiscard]] static TOpcoes LerOpcoes(const QStringList& argumentos);

  // Creates everything; needs a QApplication. Throws as TNivraNFe, when the executable's
  // folder cannot be told and when the --servicos file does not exist.
  explicit TAplicacaoMonitor(const TOpcoes& opcoes);
  TAplicacaoMonitor(const TAplicacaoMonitor&) = delete;
  TAplicacaoMonitor& operator=(const TAplicacaoMonitor&) = delete;

  // Window creation (settings, first query), then the window is shown; it hides itself to the
  // notification area 300 ms later.
  void Iniciar();

  TForm1& Janela() { return FJanela; }

 private:
  TLocaisMonitor FLocais;
  TArquivoConfiguracao FArquivo;
  TComponenteNFe FComponente;
  TForm1 FJanela;
  TMonitorControlador FControlador;
};
