// A fresh folder under the system's temporary folder, removed with everything in it at the end
// of the test.
#pragma once

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace nivra {

class TPastaTemporaria {
 public:
  TPastaTemporaria() {
    static std::atomic<int> contador{0};
    FCaminho = std::filesystem::temp_directory_path() /
               ("nivra-teste-" + std::to_string(::getpid()) + "-" + std::to_string(contador++));
    std::filesystem::remove_all(FCaminho);
    std::filesystem::create_directories(FCaminho);
  }
  TPastaTemporaria(const TPastaTemporaria&) = delete;
  TPastaTemporaria& operator=(const TPastaTemporaria&) = delete;
  ~TPastaTemporaria() {
    std::error_code erro;
    // Restore write permission that a test may have taken away, so everything can go.
    std::filesystem::permissions(FCaminho, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, erro);
    std::filesystem::remove_all(FCaminho, erro);
  }

  // The folder with a trailing "/".
  std::string Caminho() const { return FCaminho.string() + "/"; }

  // The bytes of a file.
  static std::string Ler(const std::string& arquivo) {
    std::ifstream entrada(arquivo, std::ios::binary);
    std::ostringstream conteudo;
    conteudo << entrada.rdbuf();
    return conteudo.str();
  }

  static void Escrever(const std::string& arquivo, const std::string& bytes) {
    std::ofstream saida(arquivo, std::ios::binary);
    saida << bytes;
  }

 private:
  std::filesystem::path FCaminho;
};

}  // namespace nivra
