// Reading and writing "conf.qvl" through the INI helpers, replacing the file atomically.
#include "app/configuracao_monitor.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "app/arquivo_ini.h"
#include "nivranfe/util/arquivos.h"
#include "nivranfe/util/texto_arquivo.h"

namespace nivra {

namespace {

const char* const kSecao = "config";

[[noreturn]] void Falha(const std::string& caminho, int erro) {
  throw std::runtime_error("Não foi possível gravar o arquivo \"" + caminho +
                           "\": " + std::strerror(erro));
}

// The decoded text of the file; nothing when it does not exist or cannot be read.
std::optional<std::string> LerTexto(const std::string& caminho) {
  std::ifstream entrada(caminho, std::ios::binary);
  if (!entrada) return std::nullopt;
  std::ostringstream bytes;
  bytes << entrada.rdbuf();
  if (entrada.bad()) return std::nullopt;
  return DecodificarTextoArquivo(bytes.str());
}

}  // namespace

TArquivoConfiguracao::TArquivoConfiguracao(const std::string& pasta)
    : FCaminho(CaminhoComBarra(pasta) + kNomeArquivo) {}

std::optional<TConfiguracaoSalva> TArquivoConfiguracao::Ler() const {
  const auto texto = LerTexto(FCaminho);
  if (!texto || !SecaoIniExiste(*texto, kSecao)) return std::nullopt;
  TConfiguracaoSalva valores;
  valores.Certificado = LerValorIni(*texto, kSecao, "certificado").value_or("");
  valores.UF = LerValorIni(*texto, kSecao, "UF").value_or("PR");
  valores.VerificarServidor = LerValorIni(*texto, kSecao, "verificarServidor") == "1";
  valores.ArquivoCA = LerValorIni(*texto, kSecao, "arquivoCA").value_or("");
  const std::string dias = LerValorIni(*texto, kSecao, "diasPedidosStatus").value_or("");
  if (!dias.empty() && dias.size() < 6 &&
      std::all_of(dias.begin(), dias.end(), [](unsigned char c) { return std::isdigit(c); }))
    valores.DiasPedidosStatus = std::stoi(dias);
  valores.ExigirChaveiro = LerValorIni(*texto, kSecao, "exigirChaveiro") == "1";
  return valores;
}

void TArquivoConfiguracao::Gravar(const std::string& certificado, const std::string& uf) const {
  std::error_code erroPasta;
  std::filesystem::create_directories(std::filesystem::path(FCaminho).parent_path(), erroPasta);
  if (erroPasta) Falha(FCaminho, erroPasta.value());

  std::string texto;
  std::error_code erroExiste;
  if (std::filesystem::exists(FCaminho, erroExiste)) {
    const auto atual = LerTexto(FCaminho);
    // An existing file that cannot be read is left alone rather than replaced by two lines.
    if (!atual) Falha(FCaminho, EACCES);
    texto = *atual;
  }
  texto = GravarValorIni(texto, kSecao, "certificado", certificado);
  texto = GravarValorIni(texto, kSecao, "UF", uf);
  GravarArquivoAtomico(FCaminho, texto, 0600);
}

}  // namespace nivra
