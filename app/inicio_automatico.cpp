// Writing and removing the autostart desktop entry.
#include "app/inicio_automatico.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>
#include <utility>

#include "app/arquivo_ini.h"
#include "nivranfe/util/arquivos.h"
#include "nivranfe/util/excecoes.h"

namespace nivra {

namespace {

const char* const kSecao = "Desktop Entry";

// A path as one argument of an Exec line: in double quotes, with the characters the desktop
// entry rules reserve escaped.
std::string ArgumentoExec(const std::string& caminho) {
  std::string texto = "\"";
  for (const char c : caminho) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') texto += "\\\\";
    texto += c;
  }
  return texto + "\"";
}

[[noreturn]] void Falha(const std::string& arquivo, const std::error_code& erro) {
  throw ENivraDFeException("Não foi possível alterar o início automático \"" + arquivo +
                           "\": " + erro.message());
}

}  // namespace

TInicioAutomatico::TInicioAutomatico(std::string arquivo, std::string programa)
    : FArquivo(std::move(arquivo)), FPrograma(std::move(programa)) {}

bool TInicioAutomatico::Ativo() const {
  std::ifstream entrada(FArquivo, std::ios::binary);
  if (!entrada) return false;
  std::ostringstream texto;
  texto << entrada.rdbuf();
  return LerValorIni(texto.str(), kSecao, "Hidden") != "true";
}

void TInicioAutomatico::Ativar() const {
  std::error_code erro;
  std::filesystem::create_directories(std::filesystem::path(FArquivo).parent_path(), erro);
  if (erro) Falha(FArquivo, erro);
  GravarArquivoAtomico(FArquivo,
                       "[Desktop Entry]\n"
                       "Type=Application\n"
                       "Name=Monitor SEFAZ\n"
                       "Comment=Mostra na área de notificação se o serviço de autorização de "
                       "NF-e está em operação\n"
                       "Exec=" +
                           ArgumentoExec(FPrograma) +
                           "\n"
                           "Icon=monitor-sefaz\n"
                           "Terminal=false\n"
                           "X-GNOME-Autostart-enabled=true\n");
}

void TInicioAutomatico::Desativar() const {
  std::error_code erro;
  std::filesystem::remove(FArquivo, erro);
  if (erro) Falha(FArquivo, erro);
}

}  // namespace nivra
