// Desktop notifications over D-Bus (the freedesktop Notifications service), for desktops whose
// notification area is missing or shows no tray messages. A click on a notification is
// reported like a click on the tray balloon.
#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>

#include "app/interface_monitor.h"

namespace nivra {

class TNotificacoesDBus : public QObject {
  Q_OBJECT

 public:
  // Uses `conexao` (the session bus in the product); the object does not own it.
  explicit TNotificacoesDBus(QDBusConnection conexao, QObject* pai = nullptr);

  // Asks the service to show the notification, replacing the one shown before so reminders
  // never pile up. CR in `texto` separates lines. The call does not wait for the answer; a
  // service that fails or is missing is reported on standard error.
  void Notificar(const QString& titulo, const QString& texto, TTipoBalao tipo);
  // Asks the service to close the notification shown last, if any; does not wait.
  void Fechar();

 signals:
  // The user clicked the notification shown last.
  void Clicada();

 private slots:
  void AoAcionar(uint id, const QString& acao);

 private:
  QDBusConnection FConexao;
  uint FUltimoId = 0;
};

}  // namespace nivra
