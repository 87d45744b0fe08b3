// The monitor window TForm1: the Qt widgets, timers and tray icon that carry out what the
// controller asks (TInterfaceMonitor) and forward the user's actions to it.
#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <array>
#include <memory>

#include "app/interface_monitor.h"
#include "app/qt/bandeja_monitor.h"

namespace nivra {

class TMonitorControlador;

class TForm1 : public QWidget, public TInterfaceMonitor {
  Q_OBJECT

 public:
  explicit TForm1(QWidget* pai = nullptr);

  // Connects the controls and timers to `controlador`, which must outlive the window.
  void Conectar(TMonitorControlador& controlador);
  // The notification-area icon and its menu.
  TBandejaMonitor& Bandeja() { return TrayIcon1; }
  // One of the four timers, each firing to the millisecond.
  const QTimer& Timer(TTimerMonitor timer) const {
    return FTimers[static_cast<std::size_t>(timer)];
  }

  [[nodiscard]] std::string Texto(TControle controle) const override;
  void SetTexto(TControle controle, const std::string& texto) override;
  void SetCor(TControle controle, TCor cor) override;
  void SetVisivel(TControle controle, bool visivel) override;
  void SetHabilitado(TControle controle, bool habilitado) override;
  void SetPosicao(TControle controle, int posicao) override;
  void SelecionarItem(TControle controle, int indice) override;
  void SetTimerAtivo(TTimerMonitor timer, bool ativo) override;
  [[nodiscard]] bool TimerAtivo(TTimerMonitor timer) const override;
  void SetIntervalo(TTimerMonitor timer, int milissegundos) override;
  [[nodiscard]] int Intervalo(TTimerMonitor timer) const override;
  void ExibirBalao(const std::string& titulo, const std::string& texto, TTipoBalao tipo) override;
  void FecharBalao() override;
  void MensagemErro(const std::string& texto, const std::string& titulo) override;
  void AbrirPagina(const std::string& endereco) override;
  void EsconderJanela() override;
  void RestaurarJanela() override;
  void MostrarIconeBandeja() override;
  void Encerrar() override;
  [[nodiscard]] std::optional<std::size_t> SelecionarCertificado(
      const std::vector<TLinhaCertificado>& linhas, const TImportarNoSeletor& importar) override;

 protected:
  // The window has no close button; a close request hides it like "Sair".
  void closeEvent(QCloseEvent* evento) override;

 private:
  QWidget* Controle(TControle controle) const;
  QTimer& TimerParaAlterar(TTimerMonitor timer) { return FTimers[static_cast<std::size_t>(timer)]; }

  QLineEdit* NumeroCertificado;
  QComboBox* cbUF;
  QPushButton* btnConsulta;
  QPushButton* SpeedButton1;
  QPushButton* SpeedButton2;
  QProgressBar* TempoMedio;
  QLineEdit* MensagemSite;
  QLineEdit* ObsSite;
  QPushButton* btnSair;
  std::array<QTimer, 4> FTimers;
  TBandejaMonitor TrayIcon1;
  TMonitorControlador* FControlador = nullptr;
};

}  // namespace nivra
