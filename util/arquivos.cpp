// File and folder helpers over the host's file system.
#include "nivranfe/util/arquivos.h"

#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <system_error>
#include <utility>

#include "nivranfe/util/excecoes.h"
#include "nivranfe/util/texto.h"

namespace nivra {

namespace {

struct TFecharArquivo {
  void operator()(std::FILE* arquivo) const { std::fclose(arquivo); }
};

[[noreturn]] void FalhaDeGravacao(const std::string& nome, int erro) {
  throw ENivraDFeException("Não foi possível gravar o arquivo \"" + nome +
                           "\": " + std::generic_category().message(erro));
}

// Closes the descriptor it owns.
struct TDescritor {
  explicit TDescritor(int descritor = -1) : fd(descritor) {}
  TDescritor(const TDescritor&) = delete;
  TDescritor& operator=(const TDescritor&) = delete;
  ~TDescritor() {
    if (fd >= 0) ::close(fd);
  }
  int fd;
};

// The file a path names once its symbolic links are followed (a missing file is named as is),
// so the new content replaces the target and leaves the link in place.
std::filesystem::path DestinoFinal(const std::string& nomeArquivo) {
  std::filesystem::path caminho(nomeArquivo);
  // The kernel's own limit of links followed in one lookup.
  for (int saltos = 0; saltos < 40; ++saltos) {
    std::error_code erro;
    if (!std::filesystem::is_symlink(caminho, erro)) return caminho;
    const std::filesystem::path alvo = std::filesystem::read_symlink(caminho, erro);
    if (erro) FalhaDeGravacao(nomeArquivo, erro.value());
    caminho = alvo.is_absolute() ? alvo : caminho.parent_path() / alvo;
  }
  FalhaDeGravacao(nomeArquivo, ELOOP);
}

// Writes all of `bytes` to `fd`. Returns 0, or the errno of the failure.
int EscreverTudo(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return 0;
}

// Creates a new, short-named file in the folder of `destino` (a long file name still leaves
// room for it). Returns its path; the descriptor goes to `fd`.
std::string CriarTemporario(const std::filesystem::path& destino, const std::string& nomeArquivo,
                            mode_t modo, TDescritor& fd) {
  static std::atomic<unsigned> contador{0};
  const std::filesystem::path pasta = destino.parent_path();
  for (int tentativa = 0;; ++tentativa) {
    const std::string nome =
        ".nv" + std::to_string(::getpid()) + "-" + std::to_string(contador.fetch_add(1)) + ".tmp";
    std::string caminho = (pasta / nome).string();
    fd.fd = ::open(caminho.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, modo);
    if (fd.fd >= 0) return caminho;
    if (errno != EEXIST || tentativa >= 100) FalhaDeGravacao(nomeArquivo, errno);
  }
}

}  // namespace

std::string PastaDoExecutavel() {
  std::error_code erro;
  const std::filesystem::path executavel = std::filesystem::read_symlink("/proc/self/exe", erro);
  if (erro) {
    throw ENivraDFeException("Não foi possível obter a pasta do executável: " + erro.message());
  }
  return CaminhoComBarra(executavel.parent_path().string());
}

std::string VariavelAmbiente(const char* nome) {
  const char* valor = std::getenv(nome);
  return valor == nullptr ? std::string() : std::string(valor);
}

std::string PastaXdg(const std::string& valor, const std::string& home, const std::string& padrao) {
  if (!valor.empty() && valor.front() == '/') return CaminhoComBarra(valor);
  return CaminhoComBarra(home) + padrao;
}

std::string CaminhoComBarra(std::string_view caminho) {
  std::string resultado = Aparar(caminho);
  if (!resultado.empty() && resultado.back() != '/') resultado.push_back('/');
  return resultado;
}

void ListarArquivos(std::string_view mascara, std::vector<std::string>& lista, bool comPasta) {
  lista.clear();
  const size_t barra = mascara.rfind('/');
  const std::string pasta(barra == std::string_view::npos ? "" : mascara.substr(0, barra + 1));
  const std::string padrao(barra == std::string_view::npos ? mascara : mascara.substr(barra + 1));
  std::error_code erro;
  std::filesystem::directory_iterator it(pasta.empty() ? "." : pasta, erro);
  if (erro) return;  // a folder that does not exist or cannot be read has no files to list
  for (; it != std::filesystem::directory_iterator(); it.increment(erro)) {
    if (erro) break;
    const std::string nome = it->path().filename().string();
    if (nome.find("..") != std::string::npos) continue;
    if (!it->is_regular_file(erro) || erro) continue;
    if (fnmatch(padrao.c_str(), nome.c_str(), 0) != 0) continue;
    lista.push_back(comPasta ? pasta + nome : nome);
  }
}

void GravarTextoEmArquivo(const std::string& nomeArquivo, std::string_view conteudo,
                          bool acrescentar, bool quebraLinha) {
  std::unique_ptr<std::FILE, TFecharArquivo> arquivo(
      std::fopen(nomeArquivo.c_str(), acrescentar ? "ab" : "wb"));
  if (!arquivo) FalhaDeGravacao(nomeArquivo, errno);
  std::string bytes(conteudo);
  if (quebraLinha) bytes += "\r\n";
  if (std::fwrite(bytes.data(), 1, bytes.size(), arquivo.get()) != bytes.size()) {
    FalhaDeGravacao(nomeArquivo, errno);
  }
  std::FILE* aberto = arquivo.release();
  if (std::fclose(aberto) != 0) FalhaDeGravacao(nomeArquivo, errno);
}

void GravarArquivoAtomico(const std::string& nomeArquivo, std::string_view bytes, mode_t modoNovo) {
  const std::filesystem::path destino = DestinoFinal(nomeArquivo);
  struct stat atual {};
  const bool existe = ::stat(destino.c_str(), &atual) == 0;
  if (existe) {
    // Refused exactly where opening the file for writing would be refused (without waiting for
    // a reader when it is a pipe).
    const TDescritor sonda(::open(destino.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC));
    if (sonda.fd < 0) FalhaDeGravacao(nomeArquivo, errno);
  }
  TDescritor fd;
  const std::string temporario = CriarTemporario(destino, nomeArquivo, modoNovo, fd);
  int erro = EscreverTudo(fd.fd, bytes);
  if (erro == 0 && existe) {
    // Only the superuser may give the file another owner; anyone else keeps being its owner, as
    // with a plain overwrite of their own file, so a refusal here changes nothing.
    if (::fchown(fd.fd, atual.st_uid, atual.st_gid) != 0 && errno != EPERM) erro = errno;
    if (erro == 0 && ::fchmod(fd.fd, atual.st_mode & 07777) != 0) erro = errno;
  }
  if (erro == 0 && ::fsync(fd.fd) != 0) erro = errno;
  if (::close(std::exchange(fd.fd, -1)) != 0 && erro == 0) erro = errno;
  if (erro == 0 && std::rename(temporario.c_str(), destino.c_str()) != 0) erro = errno;
  if (erro != 0) {
    ::unlink(temporario.c_str());
    FalhaDeGravacao(nomeArquivo, erro);
  }
}

std::string LerArquivoBinario(const std::string& caminho) {
  std::ifstream arquivo(caminho, std::ios::binary);
  if (!arquivo) throw ENivraDFeException("Não foi possível abrir o arquivo \"" + caminho + "\"");
  std::string bytes((std::istreambuf_iterator<char>(arquivo)), std::istreambuf_iterator<char>());
  if (arquivo.bad()) throw ENivraDFeException("Erro ao ler o arquivo \"" + caminho + "\"");
  return bytes;
}

}  // namespace nivra
