// The freedesktop Notifications client.
#include "app/qt/notificacoes_dbus.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QStringList>
#include <QVariantMap>

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

bool TNotificacoesDBus::Disponivel() const {
  const QDBusConnectionInterface* barramento = FConexao.interface();
  return FConexao.isConnected() && barramento != nullptr &&
         barramento->isServiceRegistered(kServico).value();
}

bool TNotificacoesDBus::Notificar(const QString& titulo, const QString& texto, TTipoBalao tipo) {
  // The body may be read as markup; the authority's texts are plain.
  const QString corpo = texto.toHtmlEscaped().replace('\r', '\n');
  QVariantMap dicas;
  dicas["urgency"] = QVariant::fromValue<uchar>(tipo == TTipoBalao::Erro ? 2 : 1);
  QDBusMessage chamada = QDBusMessage::createMethodCall(kServico, kCaminho, kInterface, "Notify");
  chamada << QString("monitor-sefaz") << FUltimoId << Icone(tipo) << titulo << corpo
          << QStringList{"default", "Abrir"} << dicas << -1;
  const QDBusReply<uint> resposta = FConexao.call(chamada);
  if (!resposta.isValid()) return false;
  FUltimoId = resposta.value();
  return true;
}

void TNotificacoesDBus::AoAcionar(uint id, const QString& acao) {
  if (id == FUltimoId && acao == "default") emit Clicada();
}
