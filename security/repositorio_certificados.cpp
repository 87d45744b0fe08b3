// The certificate store folder.
#include "security/repositorio_certificados.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>

#include "security/certificado_x509.h"
#include "util/arquivos.h"
#include "util/excecoes.h"

namespace {

namespace fs = std::filesystem;

std::string Ambiente(const char* nome) {
  const char* valor = std::getenv(nome);
  return valor != nullptr ? valor : "";
}

[[noreturn]] void FalhaGravacao(const std::string& arquivo, int erro) {
  throw ENivraDFeException("Falha ao gravar o certificado em " + arquivo + ": " +
                           std::strerror(erro));
}

// Creates the folder (and its parents) with the store's mode when it is missing.
void CriarPasta(const std::string& pasta) {
  std::error_code erro;
  fs::create_directories(pasta, erro);
  if (erro) FalhaGravacao(pasta, erro.value());
  if (::chmod(pasta.c_str(), 0700) != 0) FalhaGravacao(pasta, errno);
}

// Writes the bytes to a new file beside `destino` (mode 0600) and renames it over `destino`,
// so the store never holds half an entry.
void GravarEntrada(const std::string& destino, const std::string& bytes) {
  const std::string temporario = destino + "." + std::to_string(::getpid()) + ".tmp";
  const int fd = ::open(temporario.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) FalhaGravacao(destino, errno);
  int erro = 0;
  for (std::size_t escrito = 0; erro == 0 && escrito < bytes.size();) {
    const ssize_t n = ::write(fd, bytes.data() + escrito, bytes.size() - escrito);
    if (n < 0 && errno != EINTR) erro = errno;
    if (n > 0) escrito += static_cast<std::size_t>(n);
  }
  if (erro == 0 && ::fsync(fd) != 0) erro = errno;
  if (::close(fd) != 0 && erro == 0) erro = errno;
  if (erro == 0 && ::rename(temporario.c_str(), destino.c_str()) != 0) erro = errno;
  if (erro != 0) {
    ::unlink(temporario.c_str());
    FalhaGravacao(destino, erro);
  }
}

}  // namespace

std::string PastaRepositorioCertificados(TSSLStoreLocation local) {
  if (const std::string pasta = Ambiente("NIVRA_CERT_STORE"); !pasta.empty())
    return CaminhoComBarra(pasta);
  if (local == TSSLStoreLocation::slLocalMachine) return "/etc/nivra/certificados/";
  std::string dados = Ambiente("XDG_DATA_HOME");
  if (dados.empty()) dados = CaminhoComBarra(Ambiente("HOME")) + ".local/share";
  return CaminhoComBarra(dados) + "nivra/certificados/";
}

TDadosCertificado ImportarCertificadoPFX(const std::string& arquivoPFX, const std::string& senha,
                                         TSSLStoreLocation local) {
  std::error_code erro;
  if (!fs::is_regular_file(arquivoPFX, erro))
    throw ENivraDFeException("Arquivo: " + arquivoPFX + " não encontrado");
  const TConteudoPFX conteudo = LerPFX(LerArquivoBinario(arquivoPFX), senha);
  TDadosCertificado dados;
  PreencherDadosCertificado(conteudo.Certificado.get(), dados);
  dados.SetTipo(TSSLTipoCertificado::tpcA1);
  const std::string pasta = PastaRepositorioCertificados(local);
  CriarPasta(pasta);
  GravarEntrada(pasta + dados.NumeroSerie() + ".pfx",
                GerarPFX(conteudo.Certificado.get(), conteudo.Chave.get(), conteudo.Cadeia, ""));
  return dados;
}

bool LerRepositorioCertificados(TSSLStoreLocation local,
                                std::vector<TEntradaRepositorio>& entradas) {
  entradas.clear();
  const std::string pasta = PastaRepositorioCertificados(local);
  std::error_code erro;
  if (!fs::exists(pasta, erro)) return !erro;
  std::vector<std::string> arquivos;
  for (fs::directory_iterator it(pasta, erro), fim; !erro && it != fim; it.increment(erro)) {
    const fs::path& caminho = it->path();
    if (it->is_regular_file() && (caminho.extension() == ".pfx" || caminho.extension() == ".p12"))
      arquivos.push_back(caminho.string());
  }
  if (erro) return false;
  std::sort(arquivos.begin(), arquivos.end());
  for (const std::string& arquivo : arquivos) {
    try {
      entradas.push_back({arquivo, LerPFX(LerArquivoBinario(arquivo), "")});
    } catch (const std::exception& e) {
      std::cerr << "nivra: certificado " << arquivo << " ignorado: " << e.what() << '\n';
    }
  }
  return true;
}
