// File and folder helpers over the host's file system.
#include "util/arquivos.h"

#include <fnmatch.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <system_error>

#include "util/excecoes.h"
#include "util/texto.h"

namespace {

struct TFecharArquivo {
  void operator()(std::FILE* arquivo) const { std::fclose(arquivo); }
};

[[noreturn]] void FalhaDeGravacao(const std::string& nome, int erro) {
  throw ENivraDFeException("Não foi possível gravar o arquivo \"" + nome +
                           "\": " + std::generic_category().message(erro));
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

std::string LerArquivoBinario(const std::string& caminho) {
  std::ifstream arquivo(caminho, std::ios::binary);
  if (!arquivo) throw ENivraDFeException("Não foi possível abrir o arquivo \"" + caminho + "\"");
  std::string bytes((std::istreambuf_iterator<char>(arquivo)), std::istreambuf_iterator<char>());
  if (arquivo.bad()) throw ENivraDFeException("Erro ao ler o arquivo \"" + caminho + "\"");
  return bytes;
}
