// The certificate picker dialog.
#include "app/qt/dialogo_certificados.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <exception>

#include "app/monitor_controlador.h"

namespace nivra {

TfrSelecionarCertificado::TfrSelecionarCertificado(const std::vector<TLinhaCertificado>& linhas,
                                                   TImportarNoSeletor importar, QWidget* pai)
    : QDialog(pai, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      StringGrid1(new QTableWidget(this)),
      FImportar(std::move(importar)) {
  setWindowTitle("Selecione o certificado");
  setFixedSize(774, 251);

  StringGrid1->setObjectName("StringGrid1");
  StringGrid1->setColumnCount(5);
  StringGrid1->setHorizontalHeaderLabels(
      {"Razão Social", "CNPJ", "Validade", "Certificadora", "Num.Série"});
  // Narrower than the full texts need, so all five fit without scrolling; the user can widen
  // any column and the last one takes the rest.
  const int larguras[] = {240, 115, 85, 140, 170};
  for (int coluna = 0; coluna < 5; ++coluna) StringGrid1->setColumnWidth(coluna, larguras[coluna]);
  StringGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  StringGrid1->horizontalHeader()->setStretchLastSection(true);
  StringGrid1->verticalHeader()->hide();
  StringGrid1->verticalHeader()->setDefaultSectionSize(24);
  StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
  StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
  StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  StringGrid1->setAlternatingRowColors(true);
  Preencher(linhas);

  auto* botoes = new QDialogButtonBox(this);
  QPushButton* BitBtn2 = botoes->addButton(QDialogButtonBox::Ok);
  QPushButton* BitBtn1 = botoes->addButton("Cancelar", QDialogButtonBox::RejectRole);
  BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
  BitBtn2->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
  if (FImportar) {
    QPushButton* importarBotao = botoes->addButton("Importar...", QDialogButtonBox::ActionRole);
    connect(importarBotao, &QPushButton::clicked, this, &TfrSelecionarCertificado::Importar);
  }
  connect(BitBtn2, &QPushButton::clicked, this, [this] {
    b_selecionou = true;
    accept();
  });
  connect(BitBtn1, &QPushButton::clicked, this, [this] {
    b_selecionou = false;
    reject();
  });
  connect(StringGrid1, &QTableWidget::cellDoubleClicked, BitBtn2, &QPushButton::click);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 8, 8, 8);
  layout->addWidget(StringGrid1);
  layout->addWidget(botoes);
}

void TfrSelecionarCertificado::Preencher(const std::vector<TLinhaCertificado>& linhas) {
  FLinhas = linhas.size();
  StringGrid1->setRowCount(std::max<int>(1, static_cast<int>(linhas.size())));
  StringGrid1->clearContents();
  for (std::size_t i = 0; i < linhas.size(); ++i) {
    const TLinhaCertificado& l = linhas[i];
    const std::string colunas[] = {l.RazaoSocial, l.CNPJ, l.Validade, l.Certificadora,
                                   l.NumeroSerie};
    for (int c = 0; c < 5; ++c)
      StringGrid1->setItem(static_cast<int>(i), c,
                           new QTableWidgetItem(QString::fromStdString(colunas[c])));
  }
  StringGrid1->selectRow(0);
}

void TfrSelecionarCertificado::Importar() {
  const QString arquivo = QFileDialog::getOpenFileName(
      this, "Importar certificado", QString(), "Certificado PKCS#12 (*.pfx *.p12);;Todos (*)");
  if (arquivo.isEmpty()) return;
  bool confirmou = false;
  QString senha =
      QInputDialog::getText(this, "Importar certificado",
                            "Senha do certificado:", QLineEdit::Password, QString(), &confirmou);
  if (!confirmou) return;
  std::string senhaUtf8 = senha.toStdString();
  senha.fill(QChar(' '));
  try {
    Preencher(FImportar(arquivo.toStdString(), senhaUtf8));
  } catch (const std::exception& e) {
    QMessageBox::critical(this, TMonitorControlador::kTituloAplicacao, e.what());
  }
  // The password is kept nowhere once the import is over.
  std::fill(senhaUtf8.begin(), senhaUtf8.end(), '\0');
}

std::optional<std::size_t> TfrSelecionarCertificado::Escolher() {
  exec();
  const int linha = StringGrid1->currentRow();
  if (!b_selecionou || linha < 0 || static_cast<std::size_t>(linha) >= FLinhas) return std::nullopt;
  return static_cast<std::size_t>(linha);
}

}  // namespace nivra
