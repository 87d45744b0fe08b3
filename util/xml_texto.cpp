// XML text helpers: entities, the result element of a SOAP answer and the UTF-8 declaration.
#include "nivranfe/util/xml_texto.h"

#include <algorithm>
#include <array>
#include <span>
#include <utility>

#include "nivranfe/util/caracteres.h"
#include "nivranfe/util/excecoes.h"
#include "nivranfe/util/texto.h"

namespace nivra {

namespace {

// Entities decoded from answers, in the order they are replaced ("&amp;" first).
constexpr std::array<std::pair<std::string_view, std::string_view>, 32> kEntidades = {{
    {"&amp;", "&"},    {"&lt;", "<"},     {"&gt;", ">"},     {"&quot;", "\""},  {"&#39;", "'"},
    {"&aacute;", "á"}, {"&Aacute;", "Á"}, {"&acirc;", "â"},  {"&Acirc;", "Â"},  {"&atilde;", "ã"},
    {"&Atilde;", "Ã"}, {"&agrave;", "à"}, {"&Agrave;", "À"}, {"&eacute;", "é"}, {"&Eacute;", "É"},
    {"&ecirc;", "ê"},  {"&Ecirc;", "Ê"},  {"&iacute;", "í"}, {"&Iacute;", "Í"}, {"&oacute;", "ó"},
    {"&Oacute;", "Ó"}, {"&otilde;", "õ"}, {"&Otilde;", "Õ"}, {"&ocirc;", "ô"},  {"&Ocirc;", "Ô"},
    {"&uacute;", "ú"}, {"&Uacute;", "Ú"}, {"&uuml;", "ü"},   {"&Uuml;", "Ü"},   {"&ccedil;", "ç"},
    {"&Ccedil;", "Ç"}, {"&apos;", "'"},
}};

constexpr std::string_view kDeclaracaoUTF8 = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
constexpr std::string_view kBOM = "\xEF\xBB\xBF";

// The xml past a leading UTF-8 byte-order mark and blanks, where a declaration would begin.
std::string_view SemBOMEBrancos(std::string_view xml) {
  if (xml.starts_with(kBOM)) xml.remove_prefix(kBOM.size());
  const size_t inicio = xml.find_first_not_of(" \t\r\n");
  return inicio == std::string_view::npos ? std::string_view() : xml.substr(inicio);
}

int ValorHex(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The characters of the digits of a "&#x" reference, read two at a time (a last lone digit
// alone); each pair is the code of one character of the 8-bit code page.
std::string CaracteresDaReferencia(std::string_view referencia, std::string_view digitos) {
  std::string resultado;
  for (size_t i = 0; i < digitos.size(); i += 2) {
    int codigo = 0;
    for (size_t j = i; j < i + 2 && j < digitos.size(); ++j) {
      const int valor = ValorHex(digitos[j]);
      if (valor < 0) {
        throw ENivraDFeException("Referência de caractere inválida: \"" + std::string(referencia) +
                                 "\"");
      }
      codigo = codigo * 16 + valor;
    }
    AcrescentarUTF8(resultado, CaractereWindows1252(static_cast<unsigned char>(codigo)));
  }
  return resultado;
}

// Position of the first element start and the end of its closing name for the given start and
// end markers (searched on the upper-cased xml); false when either is missing.
bool LocalizarTag(const std::string& xmlMaiusculo, const std::string& inicio,
                  const std::string& fim, size_t& posInicio, size_t& posFim) {
  posInicio = xmlMaiusculo.find(inicio);
  posFim = xmlMaiusculo.find(fim);
  return posInicio != std::string::npos && posFim != std::string::npos;
}

}  // namespace

std::string ConverterEntidadesXML(std::string_view texto, bool Decodificar, bool EhUTF8) {
  // The 8-bit code page here is UTF-8 with the Windows-1252 fallback, so both readings agree.
  static_cast<void>(EhUTF8);
  std::string resultado = UTF8ParaTexto(texto);
  if (Decodificar) {
    for (const auto& [entidade, caractere] : kEntidades) {
      SubstituirTodos(resultado, entidade, caractere);
    }
  } else {
    SubstituirTodos(resultado, "&", "&amp;");
    SubstituirTodos(resultado, "<", "&lt;");
    SubstituirTodos(resultado, ">", "&gt;");
    SubstituirTodos(resultado, "\"", "&quot;");
    SubstituirTodos(resultado, "'", "&#39;");
  }
  return resultado;
}

std::string EntidadesXMLPredefinidas(std::string_view texto) {
  // The table's first five entities, and its last ("&apos;"), are XML's own.
  const auto html = std::span(kEntidades).subspan(5, kEntidades.size() - 6);
  std::string resultado;
  resultado.reserve(texto.size());
  std::size_t pos = 0;
  while (pos < texto.size()) {
    const std::size_t e = texto.find('&', pos);
    resultado.append(texto.substr(pos, e - pos));
    if (e == std::string_view::npos) break;
    // A whole reference up to its ";" (else the lone "&"), so "&amp;ccedil;" is kept as it is.
    const std::string_view resto = texto.substr(e);
    const std::size_t fim = resto.find_first_of(";&", 1);
    const std::string_view referencia = fim != std::string_view::npos && resto[fim] == ';'
                                            ? resto.substr(0, fim + 1)
                                            : resto.substr(0, 1);
    const auto entidade = std::find_if(html.begin(), html.end(),
                                       [&](const auto& par) { return par.first == referencia; });
    resultado.append(entidade != html.end() ? entidade->second : referencia);
    pos = e + referencia.size();
  }
  return resultado;
}

std::string DesescaparXML(std::string_view texto) {
  static constexpr std::array<std::pair<std::string_view, char>, 5> kXML = {
      {{"&lt;", '<'}, {"&gt;", '>'}, {"&amp;", '&'}, {"&quot;", '"'}, {"&apos;", '\''}}};
  std::string resultado;
  resultado.reserve(texto.size());
  std::size_t pos = 0;
  while (pos < texto.size()) {
    const std::size_t e = texto.find('&', pos);
    resultado.append(texto.substr(pos, e - pos));
    if (e == std::string_view::npos) break;
    pos = e + 1;
    const std::string_view resto = texto.substr(e);
    const auto nomeada = std::find_if(
        kXML.begin(), kXML.end(), [&](const auto& par) { return resto.starts_with(par.first); });
    if (nomeada != kXML.end()) {
      resultado += nomeada->second;
      pos = e + nomeada->first.size();
      continue;
    }
    const std::size_t fim = resto.find(';');
    const bool hexa = resto.starts_with("&#x") || resto.starts_with("&#X");
    const std::size_t inicio = hexa ? 3 : 2;
    unsigned long codigo = 0;
    bool valido = resto.starts_with("&#") && fim != std::string_view::npos && fim > inicio &&
                  fim - inicio <= 6;
    for (std::size_t i = inicio; valido && i < fim; ++i) {
      const int digito =
          hexa ? ValorHex(resto[i]) : (resto[i] >= '0' && resto[i] <= '9' ? resto[i] - '0' : -1);
      valido = digito >= 0;
      codigo = codigo * (hexa ? 16 : 10) + static_cast<unsigned long>(digito);
    }
    if (valido && codigo > 0 && codigo <= 0x10FFFF) {
      AcrescentarUTF8(resultado, static_cast<char32_t>(codigo));
      pos = e + fim + 1;
    } else {
      resultado += '&';
    }
  }
  return resultado;
}

std::string DecodificarEntidadesLeitura(std::string_view texto) {
  std::string resultado(texto);
  SubstituirTodos(resultado, "&amp;", "&");
  SubstituirTodos(resultado, "&lt;", "<");
  SubstituirTodos(resultado, "&gt;", ">");
  SubstituirTodos(resultado, "&quot;", "\"");
  SubstituirTodos(resultado, "&#39;", "'");
  // The loop ends: a pass either throws or replaces an all-ASCII reference by fewer ASCII
  // characters than it has (one per two digits), so the count of ASCII characters keeps falling,
  // even where the byte length grows ("&#x8080808080;" gives five three-byte euro signs).
  size_t pos = 0;
  while ((pos = resultado.find("&#x")) != std::string::npos) {
    const size_t fim = resultado.find(';', pos);
    const size_t tamanho = fim == std::string::npos ? resultado.size() - pos : fim - pos + 1;
    const std::string referencia = resultado.substr(pos, tamanho);
    const size_t fimDigitos = fim == std::string::npos ? referencia.size() : referencia.size() - 1;
    const std::string_view digitos = std::string_view(referencia).substr(3, fimDigitos - 3);
    SubstituirTodos(resultado, referencia, CaracteresDaReferencia(referencia, digitos));
  }
  return Aparar(resultado);
}

std::string ConteudoDaTag(std::string_view xml, std::string_view tag, bool comTags) {
  const std::string xmlMaiusculo = Maiusculas(xml);
  const std::string tagMaiuscula = Maiusculas(tag);
  size_t posInicio = 0;
  size_t posFim = 0;
  if (!LocalizarTag(xmlMaiusculo, "<" + tagMaiuscula, "/" + tagMaiuscula, posInicio, posFim) &&
      !LocalizarTag(xmlMaiusculo, "<NS2:" + tagMaiuscula, "/NS2:" + tagMaiuscula, posInicio,
                    posFim)) {
    return {};
  }
  if (comTags) {
    const size_t fecha = xml.find('>', posFim);
    if (fecha == std::string_view::npos || fecha < posInicio) return {};
    return std::string(xml.substr(posInicio, fecha + 1 - posInicio));
  }
  const size_t abre = xml.find('>', posInicio);
  const size_t menor = posFim == 0 ? std::string_view::npos : xml.rfind('<', posFim - 1);
  if (abre == std::string_view::npos || menor == std::string_view::npos || menor <= abre) {
    return {};
  }
  return std::string(xml.substr(abre + 1, menor - abre - 1));
}

std::string PrimeiroConteudoDeTags(const std::vector<std::string>& nomes, std::string_view xml,
                                   bool comTags) {
  for (const std::string& nome : nomes) {
    std::string conteudo = Aparar(ConteudoDaTag(xml, nome, comTags));
    if (!conteudo.empty()) return conteudo;
  }
  return {};
}

std::string TextoParaUTF8(std::string_view texto) { return UTF8Valido(texto); }

std::string UTF8ParaTexto(std::string_view bytes) { return UTF8Valido(bytes); }

bool XMLDeclaraUTF8(std::string_view xml) {
  const std::string inicio = Maiusculas(SemBOMEBrancos(xml).substr(0, 50));
  return inicio.find("ENCODING=\"UTF-8\"") != std::string::npos ||
         inicio.find("ENCODING='UTF-8'") != std::string::npos;
}

std::string GarantirXMLUTF8(std::string_view xml) {
  if (XMLDeclaraUTF8(xml)) return std::string(xml);
  // A leading declaration of another encoding is replaced: two declarations would make the
  // document malformed.
  std::string_view corpo = SemBOMEBrancos(xml);
  if (!corpo.starts_with("<?xml")) corpo = xml.starts_with(kBOM) ? xml.substr(kBOM.size()) : xml;
  if (corpo.starts_with("<?xml")) {
    const size_t fim = corpo.find("?>");
    if (fim != std::string_view::npos) corpo.remove_prefix(fim + 2);
  }
  return std::string(kDeclaracaoUTF8) + TextoParaUTF8(corpo);
}

std::string DeclaracaoXML(std::string_view xml) {
  const size_t inicio = xml.find("<?");
  if (inicio == std::string_view::npos) return {};
  const size_t fim = xml.find("?>", inicio);
  if (fim == std::string_view::npos) return {};
  return std::string(xml.substr(inicio, fim + 2 - inicio));
}

std::string SemDeclaracaoXML(std::string_view xml) {
  std::string resultado(xml);
  const std::string declaracao = DeclaracaoXML(xml);
  if (!declaracao.empty()) resultado.erase(resultado.find(declaracao), declaracao.size());
  return resultado;
}

}  // namespace nivra
