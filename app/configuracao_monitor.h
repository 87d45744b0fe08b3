// The monitor's settings file "conf.qvl": section "config" with the certificate serial
// ("certificado"), the UF ("UF") and, set by hand, the strict check of the authoriser's
// certificate ("verificarServidor=1" and the CA bundle "arquivoCA"), the days the saved
// status queries are kept ("diasPedidosStatus") and the refusal to import a certificate the
// desktop keyring does not protect ("exigirChaveiro=1").
#pragma once

#include <optional>
#include <string>

namespace nivra {

// The values of the settings file, trimmed.
struct TConfiguracaoSalva {
  std::string Certificado;
  std::string UF = "PR";
  bool VerificarServidor = false;  // "verificarServidor" is "1"
  std::string ArquivoCA;
  // "diasPedidosStatus": saved status requests and answers older than this many days are
  // removed; 0 keeps them all. A value that is no whole number gives the default.
  int DiasPedidosStatus = 30;
  bool ExigirChaveiro = false;  // "exigirChaveiro" is "1"
};

class TArquivoConfiguracao {
 public:
  // The file name inside the settings folder.
  static constexpr const char* kNomeArquivo = "conf.qvl";

  // `pasta` is the settings folder, with or without a trailing "/".
  explicit TArquivoConfiguracao(const std::string& pasta);

  // The full path of the file.
  const std::string& Caminho() const { return FCaminho; }

  // The values (the defaults of TConfiguracaoSalva for a missing key); nothing when the file does
  // not exist, cannot be read or has no section "config". Never throws except on allocation.
  [[nodiscard]] std::optional<TConfiguracaoSalva> Ler() const;

  // Writes "certificado" := `certificado` then "UF" := `uf` (unchanged), creating the folder,
  // the file (mode 0600) and the section when needed and keeping every other line. The file is
  // replaced as
  // a whole or not at all. Throws std::runtime_error with the reason when it cannot be written.
  void Gravar(const std::string& certificado, const std::string& uf) const;

 private:
  std::string FCaminho;
};

}  // namespace nivra
