// The certificate picker "Selecione o certificado": a grid of the usable certificates, OK,
// "Cancelar" and, when offered, "Importar..." for a PKCS#12 file.
#pragma once

#include <QDialog>
#include <QTableWidget>
#include <optional>
#include <vector>

#include "app/interface_monitor.h"

class QPushButton;

namespace nivra {

class TfrSelecionarCertificado : public QDialog {
  Q_OBJECT

 public:
  // Fills the grid with the rows (one empty row when there are none); `importar` may be empty.
  TfrSelecionarCertificado(const std::vector<TLinhaCertificado>& linhas,
                           TImportarNoSeletor importar, QWidget* pai);

  // Runs the dialog. Returns the selected row when the user confirmed a filled row.
  [[nodiscard]] std::optional<std::size_t> Escolher();

 private:
  void Preencher(const std::vector<TLinhaCertificado>& linhas);
  // Asks for a file and its password and imports it; errors are shown and the dialog stays.
  void Importar();

  QTableWidget* StringGrid1;
  TImportarNoSeletor FImportar;
  std::size_t FLinhas = 0;
  bool b_selecionou = false;
};

}  // namespace nivra
