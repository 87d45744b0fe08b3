// Reading and writing "conf.qvl" through the INI helpers, replacing the file atomically.
#include "app/configuracao_monitor.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "app/arquivo_ini.h"
#include "util/arquivos.h"
#include "util/texto_arquivo.h"

namespace {

const char* const kSecao = "config";

[[noreturn]] void Falha(const std::string& caminho, int erro) {
  throw std::runtime_error("Não foi possível gravar o arquivo \"" + caminho +
                           "\": " + std::strerror(erro));
}

// Writes the bytes to a new file beside `destino`, then renames it over `destino`, so a
// reader sees the old file or the whole new one. Throws std::runtime_error with the reason.
void GravarSubstituindo(const std::string& destino, const std::string& bytes) {
  const std::string temporario = destino + "." + std::to_string(::getpid()) + ".tmp";
  const int fd = ::open(temporario.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) Falha(destino, errno);
  int erro = 0;
  for (std::size_t escrito = 0; erro == 0 && escrito < bytes.size();) {
    const ssize_t n = ::write(fd, bytes.data() + escrito, bytes.size() - escrito);
    if (n >= 0)
      escrito += static_cast<std::size_t>(n);
    else if (errno != EINTR)
      erro = errno;
  }
  if (erro == 0 && ::fsync(fd) != 0) erro = errno;
  if (::close(fd) != 0 && erro == 0) erro = errno;
  if (erro == 0 && std::rename(temporario.c_str(), destino.c_str()) != 0) erro = errno;
  if (erro != 0) {
    ::unlink(temporario.c_str());
    Falha(destino, erro);
  }
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
  GravarSubstituindo(FCaminho, texto);
}
