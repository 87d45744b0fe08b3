// Desktop notifications over D-Bus (the freedesktop Notifications service), for desktops whose
// notification area is missing or shows no tray messages. A click on a notification is
// reported like a click on the tray balloon.
#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>

#include "app/interface_monitor.h"

class TNotificacoesDBus : public QObject {
  Q_OBJECT

 public:
  // Uses `conexao` (the session bus in the product); the object does not own it.
  explicit TNotificacoesDBus(QDBusConnection conexao, QObject* pai = nullptr);

  // Whether a notification service is running on the bus.
  [[nodiscard]] bool Disponivel() const;
  // Shows the notification, replacing the one shown before, so a reminder never piles up.
  // CR in `texto` separates lines. Returns false when the service did not take it.
  bool Notificar(const QString& titulo, const QString& texto, TTipoBalao tipo);

 signals:
  // The user clicked the notification shown last.
  void Clicada();

 private slots:
  void AoAcionar(uint id, const QString& acao);

 private:
  QDBusConnection FConexao;
  uint FUltimoId = 0;
};
