// Text helpers on UTF-8 strings; character rules work on code points.
#include "nivranfe/util/texto.h"

#include <utility>

#include "nivranfe/util/caracteres.h"
#include "nivranfe/util/xml_texto.h"

namespace nivra {

namespace {

bool Digito(char c) { return c >= '0' && c <= '9'; }
bool Letra(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool BrancoOuControle(char c) { return static_cast<unsigned char>(c) <= ' '; }

// The ASCII letter the Latin-1 accented letter folds to, or 0 when it is not one of them.
char LetraSemAcento(char32_t c) {
  // Latin-1 letters from U+00C0 to U+00FF; "?" marks the ones left as they are.
  static constexpr std::string_view kDobras =
      "AAAAA?"
      "?C"
      "EEEE"
      "IIII"
      "?N"
      "OOOOO"
      "??"
      "UUUU"
      "???"
      "aaaaa?"
      "?c"
      "eeee"
      "iiii"
      "?n"
      "ooooo"
      "??"
      "uuuu"
      "???";
  if (c < 0xC0 || c > 0xFF) return 0;
  const char letra = kDobras[c - 0xC0];
  return letra == '?' ? 0 : letra;
}

std::string Completar(std::string_view texto, int n, char preenchimento, bool aEsquerda) {
  const std::u32string caracteres = DecodificarCaracteres(texto);
  const size_t alvo = n > 0 ? static_cast<size_t>(n) : 0;
  if (caracteres.size() >= alvo) return CodificarCaracteres(caracteres.substr(0, alvo));
  const std::string enchimento(alvo - caracteres.size(), preenchimento);
  const std::string original = CodificarCaracteres(caracteres);
  return aEsquerda ? enchimento + original : original + enchimento;
}

}  // namespace

bool TextoVazio(std::string_view texto) { return texto.empty(); }

bool TextoPreenchido(std::string_view texto) { return !texto.empty(); }

std::string Aparar(std::string_view texto) { return std::string(ApararVisao(texto)); }

std::string_view ApararVisao(std::string_view texto) {
  while (!texto.empty() && BrancoOuControle(texto.front())) texto.remove_prefix(1);
  while (!texto.empty() && BrancoOuControle(texto.back())) texto.remove_suffix(1);
  return texto;
}

std::string Maiusculas(std::string_view texto) {
  std::string resultado(texto);
  for (char& c : resultado) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return resultado;
}

bool IguaisSemCaixa(std::string_view a, std::string_view b) {
  return a.size() == b.size() && Maiusculas(a) == Maiusculas(b);
}

void SubstituirTodos(std::string& texto, std::string_view de, std::string_view para) {
  if (de.empty()) return;
  std::string resultado;
  size_t inicio = 0;
  size_t pos = 0;
  while ((pos = texto.find(de, inicio)) != std::string::npos) {
    resultado.append(texto, inicio, pos - inicio);
    resultado.append(para);
    inicio = pos + de.size();
  }
  if (inicio == 0) return;
  resultado.append(texto, inicio);
  texto = std::move(resultado);
}

std::string SomenteDigitos(std::string_view texto) {
  std::string resultado;
  for (char c : texto) {
    if (Digito(c)) resultado.push_back(c);
  }
  return resultado;
}

std::string SomenteLetrasEDigitos(std::string_view texto) {
  std::string resultado;
  for (char c : texto) {
    if (Digito(c) || Letra(c)) resultado.push_back(c);
  }
  return resultado;
}

bool TextoSoDeDigitos(std::string_view texto) {
  if (texto.empty()) return false;
  for (char c : texto) {
    if (!Digito(c)) return false;
  }
  return true;
}

std::string CompletarEsquerda(std::string_view texto, int n, char preenchimento) {
  return Completar(texto, n, preenchimento, true);
}

std::string CompletarDireita(std::string_view texto, int n, char preenchimento) {
  return Completar(texto, n, preenchimento, false);
}

std::string ZerosAEsquerda(std::string_view texto, int n) {
  return CompletarEsquerda(Aparar(texto), n, '0');
}

std::string ZerosAEsquerda(int64_t valor, int n) {
  return CompletarEsquerda(std::to_string(valor), n, '0');
}

std::string InteiroComZeros(int32_t valor, int n) {
  if (n <= 0) return {};
  const std::string texto = std::string(static_cast<size_t>(n), '0') + std::to_string(valor);
  return texto.substr(texto.size() - static_cast<size_t>(n));
}

std::string ConteudoEntre(std::string_view texto, std::string_view inicio, std::string_view fim) {
  const size_t pos = texto.find(inicio);
  if (pos == std::string_view::npos) return {};
  const std::string_view depois = texto.substr(pos + inicio.size());
  const size_t posFim = depois.find(fim);
  if (posFim == std::string_view::npos) return {};
  return std::string(depois.substr(0, posFim));
}

bool TagNaLista(std::string_view tag, std::string_view lista) {
  // An item matches where it begins the tag or the text after any "|" inside the tag.
  const auto comecaAlgumTrecho = [tag](std::string_view item) {
    size_t inicio = 0;
    while (!tag.substr(inicio).starts_with(item)) {
      inicio = tag.find('|', inicio);
      if (inicio == std::string_view::npos) return false;
      ++inicio;
    }
    return true;
  };
  size_t barra = lista.find('|');
  while (barra != std::string_view::npos) {
    const size_t proxima = lista.find('|', barra + 1);
    if (proxima == std::string_view::npos) break;
    const std::string_view item = lista.substr(barra + 1, proxima - barra - 1);
    if (!item.empty() && comecaAlgumTrecho(item)) return true;
    barra = proxima;
  }
  return false;
}

int32_t UltimaPosicao(std::string_view sub, std::string_view texto) {
  if (sub.empty()) return 0;
  const size_t pos = texto.rfind(sub);
  return pos == std::string_view::npos ? 0 : static_cast<int32_t>(pos + 1);
}

std::string RemoverAcentos(std::string_view texto) {
  std::string resultado;
  resultado.reserve(texto.size());
  for (char32_t c : DecodificarCaracteres(texto)) {
    if (const char letra = LetraSemAcento(c); letra != 0) {
      resultado.push_back(letra);
    } else if (c == 8 || c == 10 || c == 13 || (c >= 32 && c <= 126)) {
      resultado.push_back(static_cast<char>(c));
    } else {
      resultado.push_back(' ');
    }
  }
  return resultado;
}

std::string TrocarQuebrasDeLinha(std::string_view texto, std::string_view quebra) {
  if (texto.find_first_not_of(' ') == std::string_view::npos) return std::string(texto);
  std::string resultado(texto);
  SubstituirTodos(resultado, "\r\n", "\n");
  SubstituirTodos(resultado, "\r", "\n");
  if (quebra != "\n") SubstituirTodos(resultado, "\n", quebra);
  return resultado;
}

bool TextoCampoPronto(std::string_view texto, bool RetirarEspacos) {
  if (texto.starts_with(' ') || texto.ends_with(' ')) return false;
  char anterior = 0;
  for (const char c : texto) {
    if (c < ' ' || c > '~' || c == '&' || c == '<' || c == '>' || c == '"' || c == '\'') {
      return false;
    }
    if (RetirarEspacos && c == ' ' && anterior == ' ') return false;
    anterior = c;
  }
  return true;
}

std::string PrepararTextoCampo(bool RetirarEspacos, std::string_view texto, bool RetirarAcentos,
                               bool SubstituirQuebras, std::string_view QuebraLinha) {
  if (TextoCampoPronto(texto, RetirarEspacos)) return std::string(texto);
  std::string resultado = RetirarAcentos ? RemoverAcentos(texto) : std::string(texto);
  resultado = ConverterEntidadesXML(resultado, false);
  if (RetirarEspacos) {
    while (resultado.find("  ") != std::string::npos) SubstituirTodos(resultado, "  ", " ");
  }
  if (SubstituirQuebras) resultado = TrocarQuebrasDeLinha(resultado, QuebraLinha);
  return Aparar(resultado);
}

std::string BytesParaHex(std::string_view bytes) {
  static constexpr std::string_view kDigitos = "0123456789ABCDEF";
  std::string resultado;
  resultado.reserve(bytes.size() * 2);
  for (char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    resultado.push_back(kDigitos[b >> 4]);
    resultado.push_back(kDigitos[b & 0x0F]);
  }
  return resultado;
}

std::string EmbaralharComChave(std::string_view texto, std::string_view chave) {
  std::string resultado(texto);
  if (chave.empty()) return resultado;
  for (size_t i = 0; i < resultado.size(); ++i) {
    const char k = chave[i % chave.size()];
    if (resultado[i] != k) resultado[i] = static_cast<char>(resultado[i] ^ k);
  }
  return resultado;
}

}  // namespace nivra
