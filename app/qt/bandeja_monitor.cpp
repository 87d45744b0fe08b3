// Tray icon, its menu, balloons and the desktop-notification fallback.
#include "app/qt/bandeja_monitor.h"

#include <QAction>
#include <QDBusConnection>
#include <QPainter>
#include <QPixmap>
#include <QSignalBlocker>
#include <exception>
#include <utility>

#include "app/monitor_controlador.h"

namespace nivra {

TBandejaMonitor::TBandejaMonitor(QObject* pai)
    : QObject(pai), FNotificacoes(QDBusConnection::sessionBus()) {
  FMenu.addAction("Histórico", this, &TBandejaMonitor::AbrirHistorico);
  FMenu.addAction("Painel", this, &TBandejaMonitor::AbrirPainel);
  FMenu.addSeparator();
  FMenu.addAction("Fechar", this, &TBandejaMonitor::Fechar);
  FIcone.setContextMenu(&FMenu);
  FIcone.setIcon(Icone(nullptr));
  FIcone.setToolTip(TMonitorControlador::kTituloAplicacao);
  connect(&FIcone, &QSystemTrayIcon::messageClicked, this, &TBandejaMonitor::BalaoClicado);
  connect(&FNotificacoes, &TNotificacoesDBus::Clicada, this, &TBandejaMonitor::BalaoClicado);
  connect(&FIcone, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason r) {
    // Trays that speak StatusNotifierItem report a click as Trigger, never as a double-click.
    if (r == QSystemTrayIcon::DoubleClick || r == QSystemTrayIcon::Trigger) emit Restaurar();
  });
}

void TBandejaMonitor::UsarInicioAutomatico(TInicioAutomatico inicio) {
  FInicioAutomatico = std::move(inicio);
  QAction* acao = new QAction("Iniciar com a sessão", &FMenu);
  acao->setCheckable(true);
  acao->setChecked(FInicioAutomatico->Ativo());
  FMenu.insertAction(FMenu.actions().value(0), acao);
  connect(acao, &QAction::toggled, this, [this, acao](bool ligar) {
    try {
      if (ligar)
        FInicioAutomatico->Ativar();
      else
        FInicioAutomatico->Desativar();
    } catch (const std::exception& erro) {
      const QSignalBlocker semAviso(acao);
      acao->setChecked(FInicioAutomatico->Ativo());
      Exibir(TMonitorControlador::kTituloAplicacao, QString::fromStdString(erro.what()),
             TTipoBalao::Erro);
    }
  });
}

QIcon TBandejaMonitor::Icone(const TCor* cor) {
  QIcon icone;
  const QColor preenchimento =
      cor ? QColor(cor->Vermelho, cor->Verde, cor->Azul) : QColor(0x35, 0x84, 0xe4);
  for (int lado : {16, 22, 32, 48, 64, 128}) {
    QPixmap imagem(lado, lado);
    imagem.fill(Qt::transparent);
    QPainter pintor(&imagem);
    pintor.setRenderHint(QPainter::Antialiasing);
    const qreal borda = lado / 16.0;
    const QRectF area(borda, borda, lado - 2 * borda, lado - 2 * borda);
    pintor.setPen(QPen(preenchimento.darker(170), borda));
    pintor.setBrush(preenchimento);
    pintor.drawEllipse(area);
    // A light mark in the middle keeps the icon readable on dark and light panels.
    pintor.setPen(Qt::NoPen);
    pintor.setBrush(QColor(255, 255, 255, 200));
    pintor.drawEllipse(area.center(), lado / 7.0, lado / 7.0);
    icone.addPixmap(imagem);
  }
  return icone;
}

bool TBandejaMonitor::TemAreaDeNotificacao() { return QSystemTrayIcon::isSystemTrayAvailable(); }

void TBandejaMonitor::Mostrar() { FIcone.show(); }

void TBandejaMonitor::SetCor(TCor cor) { FIcone.setIcon(Icone(&cor)); }

void TBandejaMonitor::Exibir(const QString& titulo, const QString& texto, TTipoBalao tipo) {
  if (TemAreaDeNotificacao() && QSystemTrayIcon::supportsMessages()) {
    const auto icone = tipo == TTipoBalao::Erro    ? QSystemTrayIcon::Critical
                       : tipo == TTipoBalao::Aviso ? QSystemTrayIcon::Warning
                                                   : QSystemTrayIcon::Information;
    FIcone.showMessage(titulo, QString(texto).replace('\r', '\n'), icone, 15000);
    return;
  }
  FNotificacoes.Notificar(titulo, texto, tipo);
}

void TBandejaMonitor::FecharBalao() { FNotificacoes.Fechar(); }

}  // namespace nivra
