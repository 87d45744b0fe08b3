// Locating the executable and the shipped data.
#include "app/comum/pastas_dados.h"

#include <filesystem>
#include <system_error>

std::string PastaExecutavel() {
  std::error_code erro;
  const auto executavel = std::filesystem::read_symlink("/proc/self/exe", erro);
  if (erro) return {};
  return executavel.parent_path().string() + "/";
}

std::string PastaSchemasInstalada() {
  const std::string base = PastaExecutavel();
  if (base.empty()) return {};
  for (const char* relativa : {"schemas/", "../share/nivra/schemas/"}) {
    std::error_code erro;
    const auto pasta = std::filesystem::weakly_canonical(base + relativa, erro);
    if (!erro && std::filesystem::exists(pasta / "consStatServ_v4.00.xsd", erro))
      return pasta.string() + "/";
  }
  return {};
}
