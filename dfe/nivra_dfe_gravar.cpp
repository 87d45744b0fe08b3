// TNivraDFe::Gravar: saving an XML text as a UTF-8 file, replaced as a whole or not at all.
#include <filesystem>
#include <stdexcept>
#include <string>

#include "nivranfe/dfe/nivra_dfe.h"
#include "nivranfe/util/arquivos.h"
#include "nivranfe/util/texto.h"
#include "nivranfe/util/xml_texto.h"

namespace nivra {

namespace {

const char* const kMarcadorRemovido = "<-><->";

}  // namespace

bool TNivraDFe::Gravar(const std::string& NomeArquivo, const std::string& ConteudoXML,
                       const std::string& aPath, bool ConteudoEhUTF8) {
  try {
    const std::string& nome = NomeArquivo;
    if (nome.empty()) throw std::runtime_error("Nome de arquivo não informado");
    // Names are often built from what an authoriser answered: none may leave its folder.
    if (nome.find_first_of("/\\") != std::string::npos || nome.find("..") != std::string::npos)
      throw std::runtime_error("Nome de arquivo \"" + nome + "\" recusado: não pode indicar pasta");

    std::string pasta = aPath;
    if (pasta.empty()) pasta = FPConfiguracoes->Arquivos().PathSalvar();
    pasta = CaminhoComBarra(pasta);

    std::string conteudo = ConteudoXML;
    SubstituirTodos(conteudo, kMarcadorRemovido, "");
    // Text that is not valid UTF-8 is read as the 8-bit code page whatever ConteudoEhUTF8 says,
    // so the file always holds the UTF-8 its declaration promises.
    static_cast<void>(ConteudoEhUTF8);
    const std::string bytes = GarantirXMLUTF8(TextoParaUTF8(conteudo));

    std::error_code erro;
    std::filesystem::create_directories(pasta, erro);
    if (erro) {
      throw std::runtime_error("Não foi possível criar a pasta \"" + pasta +
                               "\": " + erro.message());
    }
    // Signed documents and the exchanges with the authoriser are the business's own: other
    // users of the machine do not read them.
    GravarArquivoAtomico(pasta + nome, bytes, 0600);
    return true;
  } catch (const std::exception& e) {
    GerarException("Erro ao salvar.", &e);
    return false;
  }
}

}  // namespace nivra
