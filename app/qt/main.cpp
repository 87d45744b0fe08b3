// monitor-sefaz: the notification-area monitor of the NF-e authorisation service.
#include <QApplication>
#include <exception>
#include <iostream>

#include "app/qt/aplicacao_monitor.h"
#include "nivranfe/util/processo_seguro.h"

using namespace nivra;

int main(int argc, char* argv[]) {
  // Certificate passwords and PINs pass through this process's memory.
  if (!ProtegerMemoriaDoProcesso())
    std::cerr << "monitor-sefaz: não foi possível desligar o core dump\n";
  QApplication aplicacao(argc, argv);
  QApplication::setApplicationName("monitor-sefaz");
  // Hidden to the notification area, the program lives on without a visible window.
  QApplication::setQuitOnLastWindowClosed(false);
  try {
    TAplicacaoMonitor monitor(TAplicacaoMonitor::LerOpcoes(QApplication::arguments()));
    monitor.Iniciar();
    return QApplication::exec();
  } catch (const std::exception& e) {
    std::cerr << "monitor-sefaz: " << e.what() << std::endl;
    return 1;
  }
}
