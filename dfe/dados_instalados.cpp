// The installed data folder, found relative to the library or program that holds the component.
#include "nivranfe/dfe/dados_instalados.h"

#include <dlfcn.h>

#include <filesystem>
#include <system_error>
#include <vector>

#include "nivranfe/util/arquivos.h"

namespace nivra {

namespace {

// An object of this file: its address tells which loaded file holds the component.
const char kMarca = 0;

bool Existe(const std::filesystem::path& caminho) {
  std::error_code erro;
  return std::filesystem::exists(caminho, erro);
}

}  // namespace

std::string PastaDadosInstalados() {
  std::vector<std::filesystem::path> candidatos;
  Dl_info info{};
  if (dladdr(&kMarca, &info) != 0 && info.dli_fname != nullptr) {
    const std::filesystem::path modulo(info.dli_fname);
    // Only a shared library: the main program is found through its own folder below.
    if (modulo.filename().string().find(".so") != std::string::npos)
      candidatos.push_back(modulo.parent_path() / NIVRA_DADOS_DE_LIBDIR);
  }
  try {
    candidatos.emplace_back(std::filesystem::path(PastaDoExecutavel()) / NIVRA_DADOS_DE_BINDIR);
  } catch (const std::exception&) {
    // Without the executable's folder only the library's place is left.
  }
  for (const auto& pasta : candidatos) {
    std::error_code erro;
    if (std::filesystem::is_directory(pasta, erro))
      return CaminhoComBarra(pasta.lexically_normal().string());
  }
  return "";
}

std::string LocalPadrao(const std::string& nome, const std::string& nomeInstalado) {
  std::string aoLado = PastaDoExecutavel() + nome;
  if (Existe(aoLado)) return aoLado;
  const std::string dados = PastaDadosInstalados();
  if (!dados.empty() && Existe(dados + nomeInstalado)) return dados + nomeInstalado;
  return aoLado;
}

}  // namespace nivra
