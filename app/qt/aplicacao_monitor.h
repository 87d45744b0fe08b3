// The monitor program put together: options, folders, settings file, NF-e component,
// controller and window.
#pragma once

#include <QStringList>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "app/componente_nfe.h"
#include "app/configuracao_monitor.h"
#include "app/historico/historico_status.h"
#include "app/locais_monitor.h"
#include "app/monitor_controlador.h"
#include "app/painel/painel_status.h"
#include "app/qt/janela_historico.h"
#include "app/qt/janela_monitor.h"
#include "app/qt/janela_painel.h"

namespace nivra {

class TAplicacaoMonitor {
 public:
  struct TOpcoes {
    std::string Servicos;   // --servicos: services table file replacing the built-in one
    std::string DirConfig;  // --dir-config: folder of conf.qvl
    bool Painel = false;    // --painel: the panel opens at start-up
  };

  // Reads the options of the command line; --help and a bad option print and end the process.
  [[nodiscard]] static TOpcoes LerOpcoes(const QStringList& argumentos);

  // Creates everything; needs a QApplication. Throws as TNivraNFe, when the executable's
  // folder cannot be told and when the --servicos file does not exist.
  explicit TAplicacaoMonitor(const TOpcoes& opcoes);
  TAplicacaoMonitor(const TAplicacaoMonitor&) = delete;
  TAplicacaoMonitor& operator=(const TAplicacaoMonitor&) = delete;

  // Window creation (settings, first query), then the window is shown; it hides itself to the
  // notification area 300 ms later. The panel opens too when the options ask for it.
  void Iniciar();

  TForm1& Janela() { return FJanela; }
  const TLocaisMonitor& Locais() const { return FLocais; }

  // Shows the "Histórico" window read anew, for the UF chosen.
  TJanelaHistorico& AbrirHistorico();
  // Shows the "Painel" window (the authorisers listed at its first opening); nothing, after a
  // message, when the authorisers cannot be listed.
  TJanelaPainel* AbrirPainel();

 private:
  // The options of the panel's queries: the monitor's certificate, services table, schemas and
  // server check, production NF-e.
  TOpcoesStatus OpcoesDoPainel() const;
  // Records the monitor's own query in the history and shows it on the panel.
  void RegistrarConsulta(const std::string& uf, const TRespostaStatus& resposta,
                         const std::string& falha, double milissegundos);

  TOpcoes FOpcoes;
  TLocaisMonitor FLocais;
  THistoricoStatus FHistorico;
  TArquivoConfiguracao FArquivo;
  TComponenteNFe FComponente;
  TForm1 FJanela;
  TMonitorControlador FControlador;
  std::unique_ptr<TJanelaHistorico> FJanelaHistorico;
  // The monitor's latest query and the address it went to, for a panel opened after it.
  std::optional<std::pair<std::string, TResultadoAutorizador>> FUltimaConsulta;
  std::unique_ptr<TPainelStatus> FPainel;
  std::unique_ptr<TJanelaPainel> FJanelaPainel;
};

}  // namespace nivra
