// Readers of the published address list (XML, through libxml2) and authoriser map (JSON).
#include "tools/tabela_servicos/lista_referencia.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <memory>
#include <stdexcept>

#include "nivranfe/util/texto.h"

namespace nivra {

namespace {

struct LiberarDocumento {
  void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};

std::string_view Nome(const xmlNode* no) { return reinterpret_cast<const char*>(no->name); }

std::string Texto(const xmlNode* no) {
  std::unique_ptr<xmlChar, decltype(xmlFree)> conteudo(xmlNodeGetContent(no), xmlFree);
  if (!conteudo) return {};
  return Aparar(reinterpret_cast<const char*>(conteudo.get()));
}

const xmlNode* Filho(const xmlNode* pai, std::string_view nome) {
  for (const xmlNode* no = pai->children; no != nullptr; no = no->next) {
    if (no->type == XML_ELEMENT_NODE && Nome(no) == nome) return no;
  }
  return nullptr;
}

// JSON scanner over a bounded view: skips spaces and reads the few tokens the map uses.
class TLeitorJson {
 public:
  explicit TLeitorJson(std::string_view texto) : FTexto(texto) {}

  bool Consumir(char c) {
    PularEspacos();
    if (FPos < FTexto.size() && FTexto[FPos] == c) {
      ++FPos;
      return true;
    }
    return false;
  }

  void Exigir(char c) {
    if (!Consumir(c)) Falhar(std::string("esperado '") + c + "'");
  }

  std::string Texto() {
    Exigir('"');
    std::string valor;
    while (FPos < FTexto.size() && FTexto[FPos] != '"') {
      if (FTexto[FPos] == '\\') Falhar("sequência de escape não suportada");
      valor += FTexto[FPos++];
    }
    Exigir('"');
    return valor;
  }

  // Skips one value of any kind (text, object, or a bare word such as a number).
  void PularValor() {
    PularEspacos();
    if (FPos < FTexto.size() && FTexto[FPos] == '"') {
      (void)Texto();
    } else if (Consumir('{')) {
      if (Consumir('}')) return;
      do {
        (void)Texto();
        Exigir(':');
        PularValor();
      } while (Consumir(','));
      Exigir('}');
    } else {
      while (FPos < FTexto.size() && FTexto[FPos] != ',' && FTexto[FPos] != '}') ++FPos;
    }
  }

  [[noreturn]] void Falhar(const std::string& motivo) const {
    throw std::runtime_error("Mapa de autorizadores inválido na posição " + std::to_string(FPos) +
                             ": " + motivo);
  }

 private:
  void PularEspacos() {
    while (FPos < FTexto.size() && (FTexto[FPos] == ' ' || FTexto[FPos] == '\t' ||
                                    FTexto[FPos] == '\r' || FTexto[FPos] == '\n')) {
      ++FPos;
    }
  }

  std::string_view FTexto;
  std::size_t FPos = 0;
};

}  // namespace

std::vector<TEnderecoLista> LerListaEnderecos(std::string_view xml, std::string_view origem) {
  std::unique_ptr<xmlDoc, LiberarDocumento> doc(
      xmlReadMemory(xml.data(), static_cast<int>(xml.size()), nullptr, nullptr,
                    XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
  if (!doc) throw std::runtime_error("Lista de endereços mal formada: " + std::string(origem));
  const xmlNode* raiz = xmlDocGetRootElement(doc.get());

  std::vector<TEnderecoLista> enderecos;
  bool achouUF = false;
  for (const xmlNode* uf = raiz != nullptr ? raiz->children : nullptr; uf != nullptr;
       uf = uf->next) {
    if (uf->type != XML_ELEMENT_NODE || Nome(uf) != "UF") continue;
    achouUF = true;
    const xmlNode* sigla = Filho(uf, "sigla");
    if (sigla == nullptr) continue;
    for (const auto& [elemento, ambiente] : {std::pair{"producao", 'P'}, {"homologacao", 'H'}}) {
      const xmlNode* grupo = Filho(uf, elemento);
      if (grupo == nullptr) continue;
      for (const xmlNode* servico = grupo->children; servico != nullptr; servico = servico->next) {
        if (servico->type != XML_ELEMENT_NODE) continue;
        std::string url = Texto(servico);
        if (url.empty()) continue;
        enderecos.push_back({Texto(sigla), ambiente, std::string(Nome(servico)), std::move(url)});
      }
    }
  }
  if (!achouUF) {
    throw std::runtime_error("Lista de endereços sem elementos UF: " + std::string(origem));
  }
  return enderecos;
}

std::map<std::string, std::string> LerAutorizadores(std::string_view json,
                                                    std::string_view modelo) {
  TLeitorJson leitor(json);
  std::map<std::string, std::string> mapa;
  bool achou = false;
  leitor.Exigir('{');
  if (!leitor.Consumir('}')) {
    do {
      const std::string chave = leitor.Texto();
      leitor.Exigir(':');
      if (chave != modelo || achou) {
        leitor.PularValor();
        continue;
      }
      achou = true;
      leitor.Exigir('{');
      if (leitor.Consumir('}')) continue;
      do {
        std::string uf = leitor.Texto();
        leitor.Exigir(':');
        mapa[std::move(uf)] = leitor.Texto();
      } while (leitor.Consumir(','));
      leitor.Exigir('}');
    } while (leitor.Consumir(','));
    leitor.Exigir('}');
  }
  if (!achou) {
    throw std::runtime_error("Modelo " + std::string(modelo) + " ausente do mapa de autorizadores");
  }
  return mapa;
}

}  // namespace nivra
