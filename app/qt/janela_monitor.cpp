// The monitor window: layout of the controls and the user-interface operations.
#include "app/qt/janela_monitor.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFontMetrics>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QUrl>
#include <QVBoxLayout>

#include "app/monitor_controlador.h"
#include "app/qt/dialogo_certificados.h"

namespace nivra {

namespace {

// A read-only status line: black bold text on a background the status colours.
QLineEdit* LinhaDeStatus(const char* nome, QWidget* pai) {
  auto* linha = new QLineEdit(pai);
  linha->setObjectName(nome);
  linha->setReadOnly(true);
  linha->setFocusPolicy(Qt::NoFocus);
  QFont fonte = linha->font();
  fonte.setBold(true);
  fonte.setPixelSize(15);
  linha->setFont(fonte);
  linha->setMinimumHeight(30);
  QPalette paleta = linha->palette();
  paleta.setColor(QPalette::Base, Qt::white);
  paleta.setColor(QPalette::Text, Qt::black);
  linha->setPalette(paleta);
  return linha;
}

// Long reasons ("... (curto prazo)") would be cut at the window's fixed width: the status line's
// text shrinks, down to 11 pixels, until the whole text fits.
void CaberNaLinha(QLineEdit* linha) {
  // The frame and the line's own text margins take a few pixels on each side.
  const int largura = linha->contentsRect().width() - 6;
  QFont fonte = linha->font();
  for (int tamanho = 15; tamanho >= 11; --tamanho) {
    fonte.setPixelSize(tamanho);
    if (QFontMetrics(fonte).horizontalAdvance(linha->text()) <= largura) break;
  }
  linha->setFont(fonte);
}

QLabel* Titulo(const char* texto, QWidget* pai) {
  auto* rotulo = new QLabel(texto, pai);
  QFont fonte = rotulo->font();
  fonte.setBold(true);
  rotulo->setFont(fonte);
  return rotulo;
}

}  // namespace

TForm1::TForm1(QWidget* pai)
    : QWidget(pai, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      NumeroCertificado(new QLineEdit(this)),
      cbUF(new QComboBox(this)),
      btnConsulta(new QPushButton("Consultar", this)),
      SpeedButton1(new QPushButton("Consultar status SVC", this)),
      SpeedButton2(new QPushButton("Selecionar certificado", this)),
      TempoMedio(new QProgressBar(this)),
      MensagemSite(LinhaDeStatus("MensagemSite", this)),
      ObsSite(LinhaDeStatus("ObsSite", this)),
      btnSair(new QPushButton("Sair", this)) {
  setWindowTitle(TMonitorControlador::kTituloJanela);
  // The installed icon of the desktop's theme (the one of the menu entry), else the drawn one.
  setWindowIcon(QIcon::fromTheme("monitor-sefaz", TBandejaMonitor::Icone(nullptr)));
  setFixedSize(515, 387);
  NumeroCertificado->setObjectName("NumeroCertificado");
  NumeroCertificado->setPlaceholderText("Número de série do certificado");
  cbUF->setObjectName("cbUF");
  for (const std::string& uf : TMonitorControlador::ListaUF())
    cbUF->addItem(QString::fromStdString(uf));
  cbUF->setCurrentIndex(15);
  SpeedButton1->setObjectName("SpeedButton1");
  SpeedButton2->setObjectName("SpeedButton2");
  SpeedButton1->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
  SpeedButton1->hide();
  btnConsulta->setObjectName("btnConsulta");
  btnConsulta->setDefault(true);
  TempoMedio->setObjectName("TempoMedio");
  TempoMedio->setOrientation(Qt::Vertical);
  TempoMedio->setRange(0, 5);
  TempoMedio->setValue(0);
  TempoMedio->setTextVisible(false);
  TempoMedio->setFixedWidth(22);

  auto* escala = new QVBoxLayout;
  for (int s = 5; s >= 0; --s) {
    auto* marca = new QLabel(QString::number(s), this);
    marca->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    escala->addWidget(marca);
  }
  auto* barra = new QHBoxLayout;
  barra->addStretch();
  barra->addLayout(escala);
  barra->addWidget(TempoMedio);
  barra->addStretch();
  auto* tempo = new QVBoxLayout;
  auto* Label4 = Titulo("Tempo médio de resposta em segundos", this);
  Label4->setWordWrap(true);
  Label4->setAlignment(Qt::AlignCenter);
  auto* Label11 = new QLabel("(quanto menor mais rápido)", this);
  Label11->setAlignment(Qt::AlignCenter);
  tempo->addWidget(Label4);
  tempo->addWidget(Label11);
  tempo->addLayout(barra, 1);

  // Choices on the left, the response-time bar on the right, the status lines below.
  auto* grade = new QGridLayout;
  grade->setHorizontalSpacing(10);
  grade->addWidget(Titulo("Certificado digital", this), 0, 0, 1, 2);
  grade->addWidget(NumeroCertificado, 1, 0);
  grade->addWidget(SpeedButton2, 1, 1);
  grade->addWidget(Titulo("UF", this), 2, 0, 1, 2);
  auto* linhaUF = new QHBoxLayout;
  linhaUF->addWidget(cbUF);
  linhaUF->addWidget(btnConsulta);
  linhaUF->addWidget(SpeedButton1);
  linhaUF->addStretch();
  grade->addLayout(linhaUF, 3, 0, 1, 2);
  grade->setRowStretch(4, 1);
  grade->addLayout(tempo, 0, 2, 5, 1);
  grade->setColumnStretch(0, 1);

  auto* linhas = new QVBoxLayout;
  linhas->addWidget(Titulo("Status serviço", this));
  linhas->addWidget(MensagemSite);
  linhas->addWidget(Titulo("Obs", this));
  linhas->addWidget(ObsSite);

  auto* painel = new QFrame(this);
  painel->setFrameShape(QFrame::StyledPanel);
  auto* rodape = new QHBoxLayout(painel);
  rodape->setContentsMargins(8, 6, 8, 6);
  rodape->addStretch();
  rodape->addWidget(btnSair);

  auto* principal = new QVBoxLayout(this);
  principal->setContentsMargins(14, 12, 14, 10);
  principal->addLayout(grade, 1);
  principal->addSpacing(6);
  principal->addLayout(linhas);
  principal->addSpacing(6);
  principal->addWidget(painel);
  // The first query runs before the window is shown: lay it out now, so the status lines know
  // their width.
  principal->activate();

  // A coarse timer would round the 15.1-second reminder to whole seconds.
  for (QTimer& timer : FTimers) timer.setTimerType(Qt::PreciseTimer);
  TrayIcon1.Mostrar();
}

void TForm1::Conectar(TMonitorControlador& controlador) {
  FControlador = &controlador;
  connect(btnConsulta, &QPushButton::clicked, this,
          [&controlador] { controlador.btnConsultaClick(); });
  connect(SpeedButton1, &QPushButton::clicked, this,
          [&controlador] { controlador.SpeedButton1Click(); });
  connect(SpeedButton2, &QPushButton::clicked, this,
          [&controlador] { controlador.SpeedButton2Click(); });
  connect(btnSair, &QPushButton::clicked, this, [&controlador] { controlador.btnSairClick(); });
  connect(cbUF, &QComboBox::activated, this, [&controlador] { controlador.cbUFChange(); });
  connect(&TrayIcon1, &TBandejaMonitor::BalaoClicado, this,
          [&controlador] { controlador.TrayIcon1BalloonClick(); });
  connect(&TrayIcon1, &TBandejaMonitor::Restaurar, this,
          [&controlador] { controlador.TrayIcon1DblClick(); });
  connect(&TrayIcon1, &TBandejaMonitor::Fechar, this, [&controlador] { controlador.Sair1Click(); });
  for (std::size_t i = 0; i < FTimers.size(); ++i)
    connect(&FTimers[i], &QTimer::timeout, this,
            [&controlador, i] { controlador.AoTimer(static_cast<TTimerMonitor>(i)); });
}

QWidget* TForm1::Controle(TControle controle) const {
  switch (controle) {
    case TControle::NumeroCertificado:
      return NumeroCertificado;
    case TControle::cbUF:
      return cbUF;
    case TControle::btnConsulta:
      return btnConsulta;
    case TControle::SpeedButton1:
      return SpeedButton1;
    case TControle::TempoMedio:
      return TempoMedio;
    case TControle::MensagemSite:
      return MensagemSite;
    case TControle::ObsSite:
      break;
  }
  return ObsSite;
}

std::string TForm1::Texto(TControle controle) const {
  if (controle == TControle::cbUF) return cbUF->currentText().toStdString();
  if (auto* edicao = qobject_cast<QLineEdit*>(Controle(controle)))
    return edicao->text().toStdString();
  return {};
}

void TForm1::SetTexto(TControle controle, const std::string& texto) {
  if (auto* edicao = qobject_cast<QLineEdit*>(Controle(controle))) {
    edicao->setText(QString::fromStdString(texto));
    edicao->setToolTip(edicao->text());
    edicao->setCursorPosition(0);
    if (edicao == MensagemSite || edicao == ObsSite) CaberNaLinha(edicao);
  }
}

void TForm1::SetCor(TControle controle, TCor cor) {
  QWidget* alvo = Controle(controle);
  QPalette paleta = alvo->palette();
  paleta.setColor(QPalette::Base, QColor(cor.Vermelho, cor.Verde, cor.Azul));
  alvo->setPalette(paleta);
  if (controle == TControle::MensagemSite) TrayIcon1.SetCor(cor);
}

void TForm1::SetVisivel(TControle controle, bool visivel) {
  Controle(controle)->setVisible(visivel);
}

void TForm1::SetHabilitado(TControle controle, bool habilitado) {
  Controle(controle)->setEnabled(habilitado);
}

void TForm1::SetPosicao(TControle, int posicao) { TempoMedio->setValue(std::clamp(posicao, 0, 5)); }

void TForm1::SelecionarItem(TControle, int indice) { cbUF->setCurrentIndex(indice); }

void TForm1::SetTimerAtivo(TTimerMonitor timer, bool ativo) {
  QTimer& t = TimerParaAlterar(timer);
  if (!ativo)
    t.stop();
  else if (!t.isActive())
    t.start();
}

bool TForm1::TimerAtivo(TTimerMonitor timer) const { return Timer(timer).isActive(); }

void TForm1::SetIntervalo(TTimerMonitor timer, int milissegundos) {
  QTimer& t = TimerParaAlterar(timer);
  if (t.isActive())
    t.start(milissegundos);
  else
    t.setInterval(milissegundos);
}

int TForm1::Intervalo(TTimerMonitor timer) const { return Timer(timer).interval(); }

void TForm1::ExibirBalao(const std::string& titulo, const std::string& texto, TTipoBalao tipo) {
  TrayIcon1.Exibir(QString::fromStdString(titulo), QString::fromStdString(texto), tipo);
}

void TForm1::FecharBalao() { TrayIcon1.FecharBalao(); }

void TForm1::MensagemErro(const std::string& texto, const std::string& titulo) {
  QMessageBox::critical(isVisible() ? this : nullptr, QString::fromStdString(titulo),
                        QString::fromStdString(texto));
}

void TForm1::AbrirPagina(const std::string& endereco) {
  QDesktopServices::openUrl(QUrl(QString::fromStdString(endereco)));
}

void TForm1::EsconderJanela() {
  // A text cursor blinking in a window nobody sees would wake the program twice a second; a
  // minimised window is not always deactivated, which would stop it.
  if (QWidget* foco = focusWidget()) foco->clearFocus();
  // Without a notification area a hidden window could never come back.
  if (TBandejaMonitor::TemAreaDeNotificacao())
    hide();
  else
    showMinimized();
}

void TForm1::RestaurarJanela() {
  showNormal();
  raise();
  activateWindow();
}

void TForm1::MostrarIconeBandeja() { TrayIcon1.Mostrar(); }

void TForm1::Encerrar() { QApplication::quit(); }

std::optional<std::size_t> TForm1::SelecionarCertificado(
    const std::vector<TLinhaCertificado>& linhas, const TImportarNoSeletor& importar) {
  TfrSelecionarCertificado dialogo(linhas, importar, this);
  return dialogo.Escolher();
}

void TForm1::closeEvent(QCloseEvent* evento) {
  evento->ignore();
  if (FControlador != nullptr) FControlador->btnSairClick();
}

}  // namespace nivra
