// TNivraDFe::Gravar: saving an XML text as a UTF-8 file, replaced as a whole or not at all.
#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "dfe/nivra_dfe.h"
#include "util/arquivos.h"
#include "util/texto.h"
#include "util/xml_texto.h"

namespace {

const char* const kDeclaracaoUTF8 = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
const char* const kMarcadorRemovido = "<-><->";

[[noreturn]] void FalhaDoSistema(const std::string& acao, const std::string& caminho, int erro) {
  throw std::runtime_error(acao + " \"" + caminho + "\": " + std::strerror(erro));
}

// The bytes of the file: the text unchanged when it declares UTF-8; otherwise the UTF-8
// declaration followed by its UTF-8 bytes. A declaration of another encoding at the start is
// dropped, since it would contradict the bytes and two declarations make the file unreadable.
std::string ConteudoUTF8(const std::string& xml, bool ConteudoEhUTF8) {
  if (XMLDeclaraUTF8(xml)) return xml;
  std::string corpo = ConteudoEhUTF8 ? xml : TextoParaUTF8(xml);
  if (corpo.rfind("<?xml", 0) == 0) corpo = SemDeclaracaoXML(corpo);
  return kDeclaracaoUTF8 + corpo;
}

// Writes all of `bytes` to `fd`. Returns 0, or the errno of the failure.
int EscreverTudo(int fd, const std::string& bytes) {
  std::size_t escrito = 0;
  while (escrito < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + escrito, bytes.size() - escrito);
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    escrito += static_cast<std::size_t>(n);
  }
  return 0;
}

// Writes the bytes to a new file beside `destino` and renames it over `destino`, so readers
// see the old file or the whole new one, never a part. Throws std::runtime_error with the
// system's reason.
void GravarSubstituindo(const std::string& destino, const std::string& bytes) {
  static std::atomic<unsigned> contador{0};
  std::string temporario;
  int fd = -1;
  for (int tentativa = 0; fd < 0; ++tentativa) {
    temporario = destino + "." + std::to_string(::getpid()) + "." +
                 std::to_string(contador.fetch_add(1)) + ".tmp";
    fd = ::open(temporario.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && (errno != EEXIST || tentativa >= 100))
      FalhaDoSistema("Não foi possível criar o arquivo", destino, errno);
  }
  int erro = EscreverTudo(fd, bytes);
  if (erro == 0 && ::fsync(fd) != 0) erro = errno;
  if (::close(fd) != 0 && erro == 0) erro = errno;
  if (erro == 0 && std::rename(temporario.c_str(), destino.c_str()) != 0) erro = errno;
  if (erro != 0) {
    ::unlink(temporario.c_str());
    FalhaDoSistema("Não foi possível gravar o arquivo", destino, erro);
  }
}

}  // namespace

bool TNivraDFe::Gravar(const std::string& NomeArquivo, const std::string& ConteudoXML,
                       const std::string& aPath, bool ConteudoEhUTF8) {
  try {
    const std::size_t barra = NomeArquivo.rfind('/');
    const std::string nome =
        barra == std::string::npos ? NomeArquivo : NomeArquivo.substr(barra + 1);
    if (nome.empty()) throw std::runtime_error("Nome de arquivo não informado");

    std::string pasta =
        barra == std::string::npos ? std::string() : NomeArquivo.substr(0, barra + 1);
    if (pasta.empty()) pasta = aPath;
    if (pasta.empty()) pasta = FPConfiguracoes->Arquivos().PathSalvar();
    pasta = CaminhoComBarra(pasta);

    std::string conteudo = ConteudoXML;
    SubstituirTodos(conteudo, kMarcadorRemovido, "");
    const std::string bytes = ConteudoUTF8(conteudo, ConteudoEhUTF8);

    std::error_code erro;
    std::filesystem::create_directories(pasta, erro);
    if (erro) FalhaDoSistema("Não foi possível criar a pasta", pasta, erro.value());

    GravarSubstituindo(pasta + nome, bytes);
    return true;
  } catch (const std::exception& e) {
    GerarException("Erro ao salvar.", &e);
    return false;
  }
}
