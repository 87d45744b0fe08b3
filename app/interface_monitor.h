// The operations the monitor's logic asks of its window: texts, colours, visibility, timers,
// the notification balloon, message boxes, the browser and the certificate picker. The Qt
// window implements it; tests use a fake.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace nivra {

// The controls the logic reads or changes.
enum class TControle {
  NumeroCertificado,  // edit box with the certificate serial
  cbUF,               // UF list
  btnConsulta,        // "Consultar"
  SpeedButton1,       // "Consultar status SVC"
  TempoMedio,         // average response time bar, 0 to 5
  MensagemSite,       // status line
  ObsSite             // remark line
};

// The four timers of the window.
enum class TTimerMonitor { Timer1, Timer2, Timer3, Timer4 };

// Icon kind of a balloon.
enum class TTipoBalao { Info = 1, Aviso = 2, Erro = 3 };

// A background colour.
struct TCor {
  int Vermelho = 255;
  int Verde = 255;
  int Azul = 255;
  friend bool operator==(const TCor&, const TCor&) = default;
};

// One row of the certificate picker, with the texts of its five columns.
struct TLinhaCertificado {
  std::string RazaoSocial;
  std::string CNPJ;
  std::string Validade;
  std::string Certificadora;
  std::string NumeroSerie;
  friend bool operator==(const TLinhaCertificado&, const TLinhaCertificado&) = default;
};

// Imports the PKCS#12 file at the path, opened with the password, into the certificate store
// and returns the picker's rows read again from the store. Throws ENivraDFeException (or
// another std::exception) with the reason when the import fails.
using TImportarNoSeletor = std::function<std::vector<TLinhaCertificado>(const std::string& arquivo,
                                                                        const std::string& senha)>;

class TInterfaceMonitor {
 public:
  virtual ~TInterfaceMonitor() = default;

  // Current text of an edit box or of the UF list (empty when nothing is selected).
  [[nodiscard]] virtual std::string Texto(TControle controle) const = 0;
  virtual void SetTexto(TControle controle, const std::string& texto) = 0;
  virtual void SetCor(TControle controle, TCor cor) = 0;
  virtual void SetVisivel(TControle controle, bool visivel) = 0;
  virtual void SetHabilitado(TControle controle, bool habilitado) = 0;
  // Position of the bar; values outside its range are clamped by it.
  virtual void SetPosicao(TControle controle, int posicao) = 0;
  // Selects the item at the index of the UF list; -1 selects nothing and empties its text.
  virtual void SelecionarItem(TControle controle, int indice) = 0;

  // Enabling an enabled timer keeps its count; changing the interval restarts the count.
  virtual void SetTimerAtivo(TTimerMonitor timer, bool ativo) = 0;
  [[nodiscard]] virtual bool TimerAtivo(TTimerMonitor timer) const = 0;
  virtual void SetIntervalo(TTimerMonitor timer, int milissegundos) = 0;
  [[nodiscard]] virtual int Intervalo(TTimerMonitor timer) const = 0;

  // Displays the notification balloon (texts already cut to the tray's limits; CR separates
  // lines).
  virtual void ExibirBalao(const std::string& titulo, const std::string& texto,
                           TTipoBalao tipo) = 0;
  // Closes the balloon (or desktop notification) on screen, if any.
  virtual void FecharBalao() = 0;
  // Modal message box with an error icon and a single OK button.
  virtual void MensagemErro(const std::string& texto, const std::string& titulo) = 0;
  // Opens the page in the user's browser.
  virtual void AbrirPagina(const std::string& endereco) = 0;

  // Hides the window (and its taskbar entry) to the notification area, or minimises it when
  // the desktop has none.
  virtual void EsconderJanela() = 0;
  // Shows the window in normal state and brings it to the front.
  virtual void RestaurarJanela() = 0;
  virtual void MostrarIconeBandeja() = 0;
  // Ends the application.
  virtual void Encerrar() = 0;

  // Shows the picker modally with the rows (an empty list shows one empty row). Returns the
  // index of the confirmed row in the rows shown last, or nothing when the user cancelled (or
  // confirmed the empty row). `importar` is empty when importing is not offered.
  [[nodiscard]] virtual std::optional<std::size_t> SelecionarCertificado(
      const std::vector<TLinhaCertificado>& linhas, const TImportarNoSeletor& importar) = 0;
};

}  // namespace nivra
