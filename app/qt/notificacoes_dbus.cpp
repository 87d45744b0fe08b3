// The freedesktop Notifications client.
#include "app/qt/notificacoes_dbus.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QStringList>
#include <QVariantMap>
#include <iostream>

namespace nivra {

namespace {

const char* const kServico = "org.freedesktop.Notifications";
const char* const kCaminho = "/org/freedesktop/Notifications";
const char* const kInterface = "org.freedesktop.Notifications";

QString Icone(TTipoBalao tipo) {
  switch (tipo) {
    case TTipoBalao::Aviso:
      return "dialog-warning";
    case TTipoBalao::Erro:
      return "dialog-error";
    case TTipoBalao::Info:
      break;
  }
  return "dialog-information";
}

}  // namespace

TNotificacoesDBus::TNotificacoesDBus(QDBusConnection conexao, QObject* pai)
    : QObject(pai), FConexao(std::move(conexao)) {
  FConexao.connect(kServico, kCaminho, kInterface, "ActionInvoked", this,
                   SLOT(AoAcionar(uint, QString)));
}

void TNotificacoesDBus::Notificar(const QString& titulo, const QString& texto, TTipoBalao tipo) {
  // The body may be read as markup; the authority's texts are plain.
  const QString corpo = texto.toHtmlEscaped().replace('\r', '\n');
  QVariantMap dicas;
  dicas["urgency"] = QVariant::fromValue<uchar>(tipo == TTipoBalao::Erro ? 2 : 1);
  QDBusMessage chamada = QDBusMessage::createMethodCall(kServico, kCaminho, kInterface, "Notify");
  chamada << QString("monitor-sefaz") << FUltimoId << Icone(tipo) << titulo << corpo
          << QStringList{"default", "Abrir"} << dicas << -1;
  // Not waiting keeps the window's handlers from running inside one another meanwhile.
  auto* espera = new QDBusPendingCallWatcher(FConexao.asyncCall(chamada), this);
  connect(espera, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
    const QDBusPendingReply<uint> resposta = *w;
    if (resposta.isValid())
      FUltimoId = resposta.value();
    else
      std::cerr << "notificação: " << resposta.error().message().toStdString() << std::endl;
    w->deleteLater();
  });
}

void TNotificacoesDBus::Fechar() {
  if (FUltimoId == 0) return;
  QDBusMessage chamada =
      QDBusMessage::createMethodCall(kServico, kCaminho, kInterface, "CloseNotification");
  chamada << FUltimoId;
  FConexao.asyncCall(chamada);
}

void TNotificacoesDBus::AoAcionar(uint id, const QString& acao) {
  if (id == FUltimoId && acao == "default") emit Clicada();
}

}  // namespace nivra
