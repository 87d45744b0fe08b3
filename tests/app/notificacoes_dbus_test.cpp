// Desktop notifications against a private session bus with a small notification server.
#include "app/qt/notificacoes_dbus.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QElapsedTimer>
#include <QProcess>
#include <QSignalSpy>
#include <QStringList>
#include <QVariantMap>
#include <memory>
#include <vector>

namespace nivra {

namespace {

// The notification service: records each Notify, answering with a new id, and each
// CloseNotification.
class ServidorNotificacoes : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

 public:
  struct Chamada {
    QString app;
    uint substitui;
    QString icone;
    QString titulo;
    QString corpo;
    QStringList acoes;
    QVariantMap dicas;
  };
  std::vector<Chamada> chamadas;
  std::vector<uint> fechadas;

 public slots:
  uint Notify(const QString& app, uint substitui, const QString& icone, const QString& titulo,
              const QString& corpo, const QStringList& acoes, const QVariantMap& dicas, int) {
    chamadas.push_back({app, substitui, icone, titulo, corpo, acoes, dicas});
    return 40 + static_cast<uint>(chamadas.size());
  }
  void CloseNotification(uint id) { fechadas.push_back(id); }
};

// Runs the event loop for `ms` milliseconds.
void Processar(int ms) {
  QElapsedTimer relogio;
  relogio.start();
  while (relogio.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

// Runs the event loop until `pronto` holds or two seconds pass.
template <typename F>
bool Esperar(F pronto) {
  QElapsedTimer relogio;
  relogio.start();
  while (!pronto() && relogio.elapsed() < 2000)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  return pronto();
}

class NotificacoesDBus : public ::testing::Test {
 protected:
  void SetUp() override {
    daemon.start("dbus-daemon", {"--session", "--nofork", "--print-address"});
    ASSERT_TRUE(daemon.waitForStarted()) << "dbus-daemon não iniciou";
    ASSERT_TRUE(daemon.waitForReadyRead(5000));
    endereco = QString::fromUtf8(daemon.readLine()).trimmed();
    servidor = std::make_unique<QDBusConnection>(
        QDBusConnection::connectToBus(endereco, "servidor-" + QString::number(++contador)));
    ASSERT_TRUE(servidor->isConnected());
    ASSERT_TRUE(servidor->registerObject("/org/freedesktop/Notifications", &notificacoes,
                                         QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(servidor->registerService("org.freedesktop.Notifications"));
    cliente = std::make_unique<TNotificacoesDBus>(
        QDBusConnection::connectToBus(endereco, "cliente-" + QString::number(contador)));
  }

  void TearDown() override {
    cliente.reset();
    servidor.reset();
    daemon.kill();
    daemon.waitForFinished();
  }

  // The server tells the bus that notification `id` was clicked.
  void Clicar(uint id) {
    QDBusMessage sinal = QDBusMessage::createSignal(
        "/org/freedesktop/Notifications", "org.freedesktop.Notifications", "ActionInvoked");
    sinal << id << QString("default");
    servidor->send(sinal);
  }

  static inline int contador = 0;
  QProcess daemon;
  QString endereco;
  ServidorNotificacoes notificacoes;
  std::unique_ptr<QDBusConnection> servidor;
  std::unique_ptr<TNotificacoesDBus> cliente;
};

TEST_F(NotificacoesDBus, SendsTheBalloonAsANotificationReplacingThePreviousOne) {
  cliente->Notificar("Status SEFAZ", "Paralisado\r<b>Obs</b> & mais", TTipoBalao::Erro);
  ASSERT_TRUE(Esperar([this] { return notificacoes.chamadas.size() == 1; }));
  const auto& primeira = notificacoes.chamadas[0];
  EXPECT_EQ(primeira.app, "monitor-sefaz");
  EXPECT_EQ(primeira.substitui, 0u);
  EXPECT_EQ(primeira.icone, "dialog-error");
  EXPECT_EQ(primeira.titulo, "Status SEFAZ");
  EXPECT_EQ(primeira.corpo, "Paralisado\n&lt;b&gt;Obs&lt;/b&gt; &amp; mais");
  EXPECT_TRUE(primeira.acoes.contains("default"));
  EXPECT_EQ(primeira.dicas.value("urgency").toInt(), 2);

  Processar(200);  // the first answer (id 41) arrives before the reminder
  cliente->Notificar("Status SEFAZ", "Lembrete", TTipoBalao::Info);
  ASSERT_TRUE(Esperar([this] { return notificacoes.chamadas.size() == 2; }));
  EXPECT_EQ(notificacoes.chamadas[1].substitui, 41u);
  EXPECT_EQ(notificacoes.chamadas[1].icone, "dialog-information");
}

TEST_F(NotificacoesDBus, OnlyAClickOnOurLastNotificationCountsAsTheBalloonClick) {
  QSignalSpy cliques(cliente.get(), &TNotificacoesDBus::Clicada);
  cliente->Notificar("Status SEFAZ", "Serviço em Operação", TTipoBalao::Info);
  ASSERT_TRUE(Esperar([this] { return notificacoes.chamadas.size() == 1; }));
  Processar(200);
  Clicar(99);  // another program's notification
  Clicar(41);
  ASSERT_TRUE(Esperar([&cliques] { return cliques.count() >= 1; }));
  Processar(100);
  EXPECT_EQ(cliques.count(), 1);
}

TEST_F(NotificacoesDBus, ClosingTakesDownOurLastNotificationOnly) {
  cliente->Fechar();  // nothing shown yet: nothing to close
  cliente->Notificar("Status SEFAZ", "Serviço Paralisado", TTipoBalao::Aviso);
  ASSERT_TRUE(Esperar([this] { return notificacoes.chamadas.size() == 1; }));
  Processar(200);  // its id (41) arrives
  cliente->Fechar();
  ASSERT_TRUE(Esperar([this] { return !notificacoes.fechadas.empty(); }));
  EXPECT_EQ(notificacoes.fechadas, std::vector<uint>{41u});
}

}  // namespace

}  // namespace nivra

#include "notificacoes_dbus_test.moc"
