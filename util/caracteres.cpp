// UTF-8 decoding with the Windows-1252 fallback, and UTF-8 encoding.
#include "nivranfe/util/caracteres.h"

#include <algorithm>
#include <array>

namespace nivra {

namespace {

// Windows-1252 characters of the bytes 0x80 to 0x9F; the five bytes the code page leaves
// undefined keep their own code, as the host's conversion does.
constexpr std::array<char32_t, 32> kWindows1252Alto = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool Continuacao(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Length of the valid UTF-8 sequence at the start of texto and its code point; 0 when the bytes
// there are not a valid sequence (overlong forms, surrogates and values past U+10FFFF included).
size_t LerSequencia(std::string_view texto, char32_t& codigo) {
  const auto b0 = static_cast<unsigned char>(texto[0]);
  size_t tamanho = 0;
  char32_t minimo = 0;
  if (b0 < 0x80) {
    codigo = b0;
    return 1;
  }
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    tamanho = 2;
    codigo = b0 & 0x1F;
    minimo = 0x80;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    tamanho = 3;
    codigo = b0 & 0x0F;
    minimo = 0x800;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    tamanho = 4;
    codigo = b0 & 0x07;
    minimo = 0x10000;
  } else {
    return 0;
  }
  if (texto.size() < tamanho) return 0;
  for (size_t i = 1; i < tamanho; ++i) {
    const auto b = static_cast<unsigned char>(texto[i]);
    if (!Continuacao(b)) return 0;
    codigo = (codigo << 6) | (b & 0x3F);
  }
  if (codigo < minimo || codigo > 0x10FFFF || (codigo >= 0xD800 && codigo <= 0xDFFF)) return 0;
  return tamanho;
}

}  // namespace

char32_t CaractereWindows1252(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kWindows1252Alto[byte - 0x80];
  return byte;
}

std::u32string DecodificarCaracteres(std::string_view texto) {
  std::u32string resultado;
  resultado.reserve(texto.size());
  while (!texto.empty()) {
    char32_t codigo = 0;
    size_t tamanho = LerSequencia(texto, codigo);
    if (tamanho == 0) {
      codigo = CaractereWindows1252(static_cast<unsigned char>(texto[0]));
      tamanho = 1;
    }
    resultado.push_back(codigo);
    texto.remove_prefix(tamanho);
  }
  return resultado;
}

size_t ContarCaracteres(std::string_view texto) {
  size_t n = 0;
  while (!texto.empty()) {
    if (static_cast<unsigned char>(texto.front()) < 0x80) {
      ++n;
      texto.remove_prefix(1);
      continue;
    }
    char32_t codigo = 0;
    texto.remove_prefix(std::max<size_t>(LerSequencia(texto, codigo), 1));
    ++n;
  }
  return n;
}

void AcrescentarUTF8(std::string& destino, char32_t codigo) {
  if (codigo < 0x80) {
    destino.push_back(static_cast<char>(codigo));
  } else if (codigo < 0x800) {
    destino.push_back(static_cast<char>(0xC0 | (codigo >> 6)));
    destino.push_back(static_cast<char>(0x80 | (codigo & 0x3F)));
  } else if (codigo < 0x10000) {
    destino.push_back(static_cast<char>(0xE0 | (codigo >> 12)));
    destino.push_back(static_cast<char>(0x80 | ((codigo >> 6) & 0x3F)));
    destino.push_back(static_cast<char>(0x80 | (codigo & 0x3F)));
  } else {
    destino.push_back(static_cast<char>(0xF0 | (codigo >> 18)));
    destino.push_back(static_cast<char>(0x80 | ((codigo >> 12) & 0x3F)));
    destino.push_back(static_cast<char>(0x80 | ((codigo >> 6) & 0x3F)));
    destino.push_back(static_cast<char>(0x80 | (codigo & 0x3F)));
  }
}

std::string CodificarCaracteres(std::u32string_view caracteres) {
  std::string resultado;
  resultado.reserve(caracteres.size());
  for (char32_t codigo : caracteres) AcrescentarUTF8(resultado, codigo);
  return resultado;
}

std::string UTF8Valido(std::string_view texto) {
  std::string resultado;
  resultado.reserve(texto.size());
  while (!texto.empty()) {
    // Runs of ASCII, most of any text, are copied whole.
    size_t ascii = 0;
    while (ascii < texto.size() && static_cast<unsigned char>(texto[ascii]) < 0x80) ++ascii;
    resultado.append(texto.substr(0, ascii));
    texto.remove_prefix(ascii);
    if (texto.empty()) break;
    char32_t codigo = 0;
    const size_t tamanho = LerSequencia(texto, codigo);
    if (tamanho == 0) {
      AcrescentarUTF8(resultado, CaractereWindows1252(static_cast<unsigned char>(texto[0])));
      texto.remove_prefix(1);
    } else {
      resultado.append(texto.substr(0, tamanho));
      texto.remove_prefix(tamanho);
    }
  }
  return resultado;
}

std::string CodificarWindows1252(std::u32string_view caracteres) {
  std::string resultado;
  resultado.reserve(caracteres.size());
  for (const char32_t codigo : caracteres) {
    if (codigo < 0x80 || (codigo >= 0xA0 && codigo <= 0xFF)) {
      resultado.push_back(static_cast<char>(codigo));
      continue;
    }
    const auto* achado = std::find(kWindows1252Alto.begin(), kWindows1252Alto.end(), codigo);
    resultado.push_back(achado == kWindows1252Alto.end()
                            ? '?'
                            : static_cast<char>(0x80 + (achado - kWindows1252Alto.begin())));
  }
  return resultado;
}

}  // namespace nivra
