// Reading a plain document into its serialised form and the canonical form of its signed element.
#include "nivranfe/security/xml_canonico_simples.h"

#include <libxml/uri.h>

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

namespace nivra {

namespace {

constexpr bool InicioDeNome(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

// The characters of a name after its first, by byte (names are read at every tag).
constexpr auto kParteDeNome = [] {
  std::array<bool, 256> tabela{};
  for (int c = 0; c < 256; ++c) {
    const char caractere = static_cast<char>(c);
    tabela[static_cast<std::size_t>(c)] = InicioDeNome(caractere) ||
                                          (caractere >= '0' && caractere <= '9') ||
                                          caractere == '.' || caractere == '-';
  }
  return tabela;
}();

bool ParteDeNome(char c) { return kParteDeNome[static_cast<unsigned char>(c)]; }

// The length of the UTF-8 character allowed in XML that starts at `s[0]` (non-ASCII), 0 when the
// bytes are not one.
std::size_t CaractereUTF8(std::string_view s) {
  const auto b = [&](std::size_t i) -> unsigned {
    return i < s.size() ? static_cast<unsigned char>(s[i]) : 0U;
  };
  const auto cont = [&](std::size_t i, unsigned min = 0x80, unsigned max = 0xBF) {
    return b(i) >= min && b(i) <= max;
  };
  const unsigned c = b(0);
  if (c >= 0xC2 && c <= 0xDF) return cont(1) ? 2 : 0;
  if (c >= 0xE0 && c <= 0xEF) {
    const bool ok = cont(1, c == 0xE0 ? 0xA0 : 0x80, c == 0xED ? 0x9F : 0xBF) && cont(2);
    // U+FFFE and U+FFFF are not XML characters.
    return ok && !(c == 0xEF && b(1) == 0xBF && b(2) >= 0xBE) ? 3 : 0;
  }
  if (c >= 0xF0 && c <= 0xF4)
    return cont(1, c == 0xF0 ? 0x90 : 0x80, c == 0xF4 ? 0x8F : 0xBF) && cont(2) && cont(3) ? 4 : 0;
  return 0;
}

// The character a reference (the text after "&" up to ";") stands for; 0 when it is not a
// predefined entity or a reference to a printable ASCII character.
char Referencia(std::string_view nome) {
  static constexpr std::pair<std::string_view, char> kEntidades[] = {
      {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
  for (const auto& [entidade, caractere] : kEntidades)
    if (nome == entidade) return caractere;
  if (nome.size() < 2 || nome.size() > 5 || nome[0] != '#') return 0;
  const bool hexa = nome[1] == 'x';
  if (nome.size() == (hexa ? 2u : 1u)) return 0;
  unsigned valor = 0;
  for (char c : nome.substr(hexa ? 2 : 1)) {
    int digito = -1;
    if (c >= '0' && c <= '9') digito = c - '0';
    if (hexa && c >= 'a' && c <= 'f') digito = c - 'a' + 10;
    if (hexa && c >= 'A' && c <= 'F') digito = c - 'A' + 10;
    if (digito < 0) return 0;
    valor = valor * (hexa ? 16 : 10) + static_cast<unsigned>(digito);
  }
  return valor >= 0x20 && valor <= 0x7E ? static_cast<char>(valor) : 0;
}

// An ASCII text character both forms write as it is: any but the control characters other than
// the tab, "&", "<" and ">".
bool Simples(char c) {
  const auto b = static_cast<unsigned char>(c);
  return ((b >= 0x20 && b < 0x80) || c == '\t') && c != '&' && c != '<' && c != '>';
}

// A character of text as both forms write it.
std::string Escapado(char c) {
  switch (c) {
    case '&':
      return "&amp;";
    case '<':
      return "&lt;";
    case '>':
      return "&gt;";
    default:
      return std::string(1, c);
  }
}

bool ComecaComSignature(std::string_view nome) {
  constexpr std::string_view kSignature = "signature";
  if (nome.size() < kSignature.size()) return false;
  for (std::size_t i = 0; i < kSignature.size(); ++i)
    if ((nome[i] | 0x20) != kSignature[i]) return false;
  return true;
}

// Whether libxml2 reads `uri` as a URI with a scheme: its canonical form refuses any other
// namespace (a bad port, say, in "http://a:b/").
bool URIAbsolutaParaLibxml2(std::string_view uri) {
  const std::string texto(uri);
  xmlURI* lida = xmlParseURI(texto.c_str());
  const bool absoluta = lida != nullptr && lida->scheme != nullptr && lida->scheme[0] != '\0';
  xmlFreeURI(lida);
  return absoluta;
}

// Whether `uri` is a scheme, ":" and characters that need no escaping in a URI, and an absolute
// URI for libxml2.
bool URIAbsoluta(std::string_view uri) {
  const std::size_t doisPontos = uri.find(':');
  if (doisPontos == std::string_view::npos || doisPontos == 0 || !InicioDeNome(uri[0]) ||
      uri[0] == '_')
    return false;
  const auto valido = [](std::string_view parte, std::string_view outros) {
    return std::all_of(parte.begin(), parte.end(), [&](char c) {
      return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
             outros.find(c) != std::string_view::npos;
    });
  };
  return valido(uri.substr(0, doisPontos), "+.-") &&
         valido(uri.substr(doisPontos + 1), "._~:/?#@!$()*+,;=-") && URIAbsolutaParaLibxml2(uri);
}

// Whether a reference "#" + `id` can only name the element of that Id (no XPointer).
bool IdSimples(std::string_view id) {
  return !id.empty() && std::all_of(id.begin(), id.end(), [](char c) { return ParteDeNome(c); });
}

// Reads the text once. Both forms are the text itself but for a few spans (references, the
// canonical start tags), so the reader copies the text between those spans in whole runs.
class TLeitorSimples {
 public:
  TLeitorSimples(std::string_view xml, std::string_view docElement)
      : FXml(xml), FDocElement(docElement) {}

  std::optional<TXMLSimples> Ler() {
    FResultado.Serializado.reserve(FXml.size() + 64);
    if (!LerTag() || FPilha.size() != 1 || FPilha[0] != FDocElement) return std::nullopt;
    while (!FPilha.empty()) {
      if (FPos >= FXml.size()) return std::nullopt;
      if (!(FXml[FPos] == '<' ? LerTag() : LerTexto())) return std::nullopt;
    }
    if (FPos != FXml.size() || FPosId == std::string_view::npos || FXml.find("Id=") != FPosId ||
        FCapturando)
      return std::nullopt;
    FSerializado.Trocar(FResultado.Serializado, FXml, FPos, FPos, {});
    return std::move(FResultado);
  }

 private:
  // One form being written: the text before `Ate` is in it already.
  struct TForma {
    std::size_t Ate = 0;
    // Puts `novo` in place of the text from `inicio` to `fim`, after the text not yet copied.
    void Trocar(std::string& destino, std::string_view xml, std::size_t inicio, std::size_t fim,
                std::string_view novo) {
      destino.append(xml.substr(Ate, inicio - Ate)).append(novo);
      Ate = fim;
    }
  };

  // Both forms take `novo` in place of the text from `inicio` to FPos.
  void Trocar(std::size_t inicio, std::string_view novo) {
    FSerializado.Trocar(FResultado.Serializado, FXml, inicio, FPos, novo);
    if (FCapturando) FCanonico.Trocar(FResultado.Canonico, FXml, inicio, FPos, novo);
  }

  std::string_view LerNome() {
    const std::size_t inicio = FPos;
    std::size_t fim = FPos;
    if (fim < FXml.size() && InicioDeNome(FXml[fim]))
      while (fim < FXml.size() && ParteDeNome(FXml[fim])) ++fim;
    FPos = fim;
    return FXml.substr(inicio, fim - inicio);
  }

  bool Consumir(char c) {
    if (FPos >= FXml.size() || FXml[FPos] != c) return false;
    ++FPos;
    return true;
  }

  // Text up to the next tag: plain characters and UTF-8 ones stay as they are, a reference
  // becomes its character as both forms write it.
  bool LerTexto() {
    while (FPos < FXml.size() && FXml[FPos] != '<') {
      // A run of plain characters, scanned with a local index.
      std::size_t fim = FPos;
      while (fim < FXml.size() && Simples(FXml[fim])) ++fim;
      FPos = fim;
      if (FPos >= FXml.size() || FXml[FPos] == '<') break;
      const char c = FXml[FPos];
      if (static_cast<unsigned char>(c) >= 0x80) {
        const std::size_t tamanho = CaractereUTF8(FXml.substr(FPos));
        if (tamanho == 0) return false;
        FPos += tamanho;
      } else if (c == '&') {
        const std::size_t inicio = FPos;
        const std::size_t ponto = FXml.find(';', FPos);
        if (ponto == std::string_view::npos || ponto - FPos > 8) return false;
        const char caractere = Referencia(FXml.substr(FPos + 1, ponto - FPos - 1));
        if (caractere == 0) return false;
        FPos = ponto + 1;
        Trocar(inicio, Escapado(caractere));
      } else {
        // A raw ">" could close "]]>", which XML forbids in text; control characters other
        // than the tab are not plain.
        return false;
      }
    }
    return true;
  }

  bool LerTag() {
    if (!Consumir('<')) return false;
    if (Consumir('/')) {
      const std::string_view nome = LerNome();
      if (FPilha.empty() || nome != FPilha.back() || !Consumir('>')) return false;
      FPilha.pop_back();
      if (FCapturando && FPilha.size() == FProfundidadeId) {
        FCanonico.Trocar(FResultado.Canonico, FXml, FPos, FPos, {});
        FCapturando = false;
      }
      return true;
    }
    const std::size_t inicio = FPos - 1;
    const std::string_view nome = LerNome();
    if (nome.empty() || ComecaComSignature(nome)) return false;
    auto& atributos = FAtributos;
    atributos.clear();
    bool temId = false;
    while (Consumir(' ')) {
      const std::size_t posNome = FPos;
      const std::string_view atributo = LerNome();
      if (atributo.empty() || !Consumir('=') || !Consumir('"')) return false;
      const std::size_t posValor = FPos;
      while (FPos < FXml.size() && FXml[FPos] >= 0x20 && FXml[FPos] <= 0x7E &&
             std::string_view("&<>\"'").find(FXml[FPos]) == std::string_view::npos)
        ++FPos;
      const std::string_view valor = FXml.substr(posValor, FPos - posValor);
      if (!Consumir('"')) return false;
      if (atributo == "xmlns") {
        // Only the root declares a namespace, a default one, with an absolute URI as Canonical
        // XML requires.
        if (!FPilha.empty() || !FNamespace.empty() || !URIAbsoluta(valor)) return false;
        FNamespace = valor;
        continue;
      }
      if (atributo == "Id") {
        if (FPosId != std::string_view::npos || FPilha.empty() || !IdSimples(valor)) return false;
        FPosId = posNome;
        FResultado.Id = valor;
        temId = true;
      }
      atributos.emplace_back(atributo, valor);
    }
    if (!Consumir('>') || FXml.substr(FPos, 2) == "</") return false;
    const bool ordenados = std::is_sorted(atributos.begin(), atributos.end());
    if (!ordenados) std::sort(atributos.begin(), atributos.end());
    if (std::adjacent_find(atributos.begin(), atributos.end(), [](const auto& a, const auto& b) {
          return a.first == b.first;
        }) != atributos.end())
      return false;
    if (temId) {
      FCapturando = true;
      FProfundidadeId = FPilha.size();
      FResultado.Canonico.reserve(FXml.size());
      FCanonico.Ate = inicio;
    }
    // The canonical start tag differs from the text only on the signed element (its namespace)
    // or when the attributes are out of order.
    if (FCapturando && (temId || !ordenados))
      FCanonico.Trocar(FResultado.Canonico, FXml, inicio, FPos, StartTagCanonica(nome, temId));
    FPilha.push_back(nome);
    return true;
  }

  // The start tag as Canonical XML writes it: the namespace on the signed element, the
  // attributes (FAtributos, sorted) by name.
  std::string StartTagCanonica(std::string_view nome, bool elementoAssinado) const {
    std::string tag = "<" + std::string(nome);
    if (elementoAssinado && !FNamespace.empty())
      tag.append(" xmlns=\"").append(FNamespace).append("\"");
    for (const auto& [atributo, valor] : FAtributos)
      tag.append(" ").append(atributo).append("=\"").append(valor).append("\"");
    return tag + '>';
  }

  std::string_view FXml;
  std::string_view FDocElement;
  std::size_t FPos = 0;
  std::vector<std::string_view> FPilha;
  // The attributes of the start tag being read (kept to reuse their storage).
  std::vector<std::pair<std::string_view, std::string_view>> FAtributos;
  std::string_view FNamespace;
  std::size_t FPosId = std::string_view::npos;
  std::size_t FProfundidadeId = 0;
  bool FCapturando = false;
  TForma FSerializado;
  TForma FCanonico;
  TXMLSimples FResultado;
};

}  // namespace

std::optional<TXMLSimples> LerXMLSimples(std::string_view xml, std::string_view docElement) {
  return TLeitorSimples(xml, docElement).Ler();
}

}  // namespace nivra
