// The monitor's logic, free of any toolkit: start-up, the status query and its evaluation with
// the notification state (status, balao_clicado), the reminder balloons, hiding to the
// notification area, the settings file and the certificate picker. It drives the window only
// through TInterfaceMonitor and the NF-e component only through TComponenteMonitor.
#pragma once

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "app/balao_bandeja.h"
#include "app/componente_monitor.h"
#include "app/configuracao_monitor.h"
#include "app/interface_monitor.h"
#include "nivranfe/util/datahora.h"

namespace nivra {

class TMonitorControlador {
 public:
  static constexpr const char* kTituloAplicacao = "Monitor status SEFAZ - Quelvo Informática";
  static constexpr const char* kTituloJanela = "Monitor de status do SEFAZ - Quelvo Informática";
  // The status page of the SVC-RS contingency authoriser.
  static constexpr const char* kPaginaSVC = "https://dfe-portal.svrs.rs.gov.br/Nfe/Servicos";

  static constexpr int kIntervaloConsulta = 181000;
  static constexpr int kIntervaloBotao = 20000;
  static constexpr int kPrimeiroLembrete = 1000;
  static constexpr int kIntervaloEsconder = 300;
  // Automatic queries wait this long after an answer 656 ("Consumo indevido"): the authoriser
  // blocks a client for an hour and every query during the block restarts it.
  static constexpr int kPausaConsumoIndevido = 3600000;
  // Immediate re-queries in one run of the query after changes between 108 and 109; past it
  // the last answer is shown as a settled status.
  static constexpr int kMaxReconsultas = 2;

  // Told of every status query: the UF asked, the fields the service left, the failure's
  // message (empty when answered) and the query's round-trip time in milliseconds.
  using TAoConsultar = std::function<void(const std::string& uf, const TRespostaStatus& resposta,
                                          const std::string& falha, double milissegundos)>;

  // Imports a PKCS#12 file into the certificate store; throws ENivraDFeException on failure.
  using TImportar = std::function<void(const std::string& arquivo, const std::string& senha)>;

  // Every reference must outlive the controller. `relogio` gives the current local date-time
  // (for the picker's expiry rule and the end of a pause after 656). Query results and balloons are
  // written one per line to `registro`. `importar` may be empty: the picker then offers no import.
  TMonitorControlador(TInterfaceMonitor& ui, TComponenteMonitor& componente,
                      const TArquivoConfiguracao& arquivo, std::function<TDateTime()> relogio,
                      std::ostream& registro, TImportar importar = {});
  TMonitorControlador(const TMonitorControlador&) = delete;
  TMonitorControlador& operator=(const TMonitorControlador&) = delete;

  // Sets who is told of every query (the history); replaces the previous one.
  void AoConsultar(TAoConsultar aoConsultar) { FAoConsultar = std::move(aoConsultar); }

  // The documents folder where the status queries are saved: at start-up and then once a day
  // its saved status pairs older than the settings' DiasPedidosStatus are removed.
  void LimparPedidosEm(std::string pasta) { FPastaPedidos = std::move(pasta); }

  // The 27 UFs of the UF list, in its order.
  static const std::vector<std::string>& ListaUF();

  // Window creation: timers, settings file, state (107, true), apply settings, first query.
  void FormCreate();
  // "Consultar", Timer1 and start-up: query and evaluation.
  void btnConsultaClick();
  // A tick of one of the four timers.
  void AoTimer(TTimerMonitor timer);
  // "Consultar status SVC": opens the SVC page when the selected UF falls back on it.
  void SpeedButton1Click();
  // "Selecionar certificado": the picker, then apply and save the settings.
  void SpeedButton2Click();
  // The user chose a UF: apply and save the settings; no query.
  void cbUFChange();
  // A balloon was clicked: the notifications are acknowledged.
  void TrayIcon1BalloonClick() { Fbalao_clicado = true; }
  void TrayIcon1DblClick() { FUI.RestaurarJanela(); }
  void btnSairClick() { FUI.EsconderJanela(); }
  // "Fechar" in the tray menu.
  void Sair1Click() { FUI.Encerrar(); }

  int32_t status() const { return Fstatus; }
  bool balao_clicado() const { return Fbalao_clicado; }

 private:
  // One query and its evaluation; true when the status changed between 108 and 109 (or from
  // 107 to one of them) and `podeReconsultar` asks for an immediate new query.
  bool ConsultarEAvaliar(bool podeReconsultar);
  // The display after an evaluation; the balloon text follows the reason unless this
  // evaluation has just shown a balloon.
  void Exibir(const TRespostaStatus& resposta, bool balaoExibido);
  void Lembrete();
  // LimparPedidosStatus over the documents folder when a day has passed since the last time.
  void LimparPedidosSeDevido();
  void SelecionarUF(const std::string& uf);
  void lbAtualizaDadosClick();
  void lbGravaDadosClick();
  // Logs and displays one balloon.
  void RegistrarBalao(const std::string& titulo, const std::string& texto, TTipoBalao tipo);

  TInterfaceMonitor& FUI;
  TComponenteMonitor& FComponente;
  const TArquivoConfiguracao& FArquivo;
  std::function<TDateTime()> FRelogio;
  std::ostream& FRegistro;
  TImportar FImportar;
  TAoConsultar FAoConsultar;
  std::string FPastaPedidos;
  int FDiasPedidos = TConfiguracaoSalva{}.DiasPedidosStatus;
  TDateTime FUltimaLimpeza = 0;
  TBalaoBandeja FBalao;
  int32_t Fstatus = 107;
  bool Fbalao_clicado = true;
};

}  // namespace nivra
