// The monitor's notification-area icon: its menu ("Iniciar com a sessão", "Histórico", "Painel",
// "Fechar"), its
// balloons (or desktop notifications where the tray shows none) and an icon drawn in the
// status colour.
#pragma once

#include <QIcon>
#include <QMenu>
#include <QObject>
#include <QSystemTrayIcon>
#include <optional>

#include "app/inicio_automatico.h"
#include "app/interface_monitor.h"
#include "app/qt/notificacoes_dbus.h"

namespace nivra {

class TBandejaMonitor : public QObject {
  Q_OBJECT

 public:
  explicit TBandejaMonitor(QObject* pai = nullptr);

  // The round icon in the colour; a neutral blue before the first status.
  [[nodiscard]] static QIcon Icone(const TCor* cor);
  // Whether the desktop has a notification area to hide into.
  [[nodiscard]] static bool TemAreaDeNotificacao();

  // Adds the checkable "Iniciar com a sessão" to the menu, checked when `inicio` is on; checking
  // and unchecking turn it on and off, and a failure is shown as an error balloon.
  void UsarInicioAutomatico(TInicioAutomatico inicio);
  QMenu& Menu() { return FMenu; }

  void Mostrar();
  void SetCor(TCor cor);
  // Shows a balloon on the icon, or a desktop notification when the tray shows no messages.
  void Exibir(const QString& titulo, const QString& texto, TTipoBalao tipo);
  // Closes the desktop notification shown last. A tray balloon cannot be withdrawn through Qt
  // (an empty message would show as an empty notification on some trays): it runs out by itself.
  void FecharBalao();

 signals:
  void BalaoClicado();
  void Restaurar();
  void AbrirHistorico();
  void AbrirPainel();
  void Fechar();

 private:
  QMenu FMenu;
  QSystemTrayIcon FIcone;
  TNotificacoesDBus FNotificacoes;
  std::optional<TInicioAutomatico> FInicioAutomatico;
};

}  // namespace nivra
