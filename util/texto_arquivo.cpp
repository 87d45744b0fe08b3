// Line-oriented text and text files.
#include "nivranfe/util/texto_arquivo.h"

#include "nivranfe/util/arquivos.h"
#include "nivranfe/util/caracteres.h"
#include "nivranfe/util/excecoes.h"
#include "nivranfe/util/xml_texto.h"

namespace nivra {

namespace {

constexpr char32_t kSubstituto = 0xFFFD;

// The UTF-8 text of UTF-16 code units, big-endian when grandeExtremidade is set.
std::string DecodificarUTF16(std::string_view bytes, bool grandeExtremidade) {
  auto unidade = [&](size_t i) -> char32_t {
    const auto a = static_cast<unsigned char>(bytes[i]);
    const auto b = static_cast<unsigned char>(bytes[i + 1]);
    return grandeExtremidade ? (char32_t{a} << 8) | b : (char32_t{b} << 8) | a;
  };
  std::string texto;
  size_t i = 0;
  while (i + 1 < bytes.size()) {
    const char32_t u = unidade(i);
    i += 2;
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < bytes.size()) {
      const char32_t baixa = unidade(i);
      if (baixa >= 0xDC00 && baixa <= 0xDFFF) {
        i += 2;
        AcrescentarUTF8(texto, 0x10000 + ((u - 0xD800) << 10) + (baixa - 0xDC00));
        continue;
      }
    }
    AcrescentarUTF8(texto, u >= 0xD800 && u <= 0xDFFF ? kSubstituto : u);
  }
  if (i < bytes.size()) AcrescentarUTF8(texto, kSubstituto);
  return texto;
}

}  // namespace

std::vector<std::string_view> DividirLinhasVisao(std::string_view texto) {
  std::vector<std::string_view> linhas;
  size_t inicio = 0;
  while (inicio < texto.size()) {
    // A plain scan: find_first_of with a set searches the set once per byte.
    size_t fim = inicio;
    while (fim < texto.size() && texto[fim] != '\r' && texto[fim] != '\n') ++fim;
    linhas.push_back(texto.substr(inicio, fim - inicio));
    if (fim == texto.size()) break;
    inicio = fim + (texto.compare(fim, 2, "\r\n") == 0 ? 2 : 1);
  }
  return linhas;
}

std::vector<std::string> DividirLinhas(std::string_view texto) {
  const std::vector<std::string_view> visoes = DividirLinhasVisao(texto);
  return {visoes.begin(), visoes.end()};
}

std::string JuntarLinhas(const std::vector<std::string>& linhas) {
  std::string texto;
  for (const std::string& linha : linhas) texto += linha + "\r\n";
  return texto;
}

std::string DecodificarTextoArquivo(std::string_view bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) return UTF8ParaTexto(bytes.substr(3));
  if (bytes.starts_with("\xFF\xFE")) return DecodificarUTF16(bytes.substr(2), false);
  if (bytes.starts_with("\xFE\xFF")) return DecodificarUTF16(bytes.substr(2), true);
  return UTF8ParaTexto(bytes);
}

std::string LerArquivoTexto(const std::string& caminho) {
  return DecodificarTextoArquivo(LerArquivoBinario(caminho));
}

}  // namespace nivra
