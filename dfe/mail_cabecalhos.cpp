// The header texts of an outgoing e-mail.
#include "nivranfe/dfe/mail_cabecalhos.h"

#include <array>
#include <cmath>
#include <cstdio>

#include "nivranfe/util/caracteres.h"
#include "nivranfe/util/compactacao.h"
#include "nivranfe/util/excecoes.h"
#include "nivranfe/util/texto.h"

namespace nivra {

namespace {

bool AsciiImprimivel(std::string_view texto) {
  for (const char c : texto) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 32 || b > 126) return false;
  }
  return true;
}

bool CaractereProibidoNoEndereco(char c) {
  const auto b = static_cast<unsigned char>(c);
  return b <= 32 || b >= 127 || std::string_view("<>(),;\"\\").find(c) != std::string_view::npos;
}

// The display name as a quoted string, or as encoded words when it is not plain ASCII.
std::string FormatarNome(std::string_view nome) {
  if (!AsciiImprimivel(nome)) return CodificarTextoCabecalho(nome);
  std::string citado = "\"";
  for (const char c : nome) {
    if (c == '"' || c == '\\') citado += '\\';
    citado += c;
  }
  return citado + "\"";
}

}  // namespace

TEnderecoMail LerEnderecoMail(std::string_view texto) {
  const std::string_view aparado = ApararVisao(texto);
  TEnderecoMail resultado;
  std::string_view endereco = aparado;
  const size_t abre = aparado.rfind('<');
  if (abre != std::string_view::npos && aparado.ends_with('>')) {
    std::string_view nome = ApararVisao(aparado.substr(0, abre));
    if (nome.size() >= 2 && nome.front() == '"' && nome.back() == '"')
      nome = nome.substr(1, nome.size() - 2);
    resultado.Nome = std::string(nome);
    endereco = aparado.substr(abre + 1, aparado.size() - abre - 2);
  }
  const size_t arroba = endereco.find('@');
  bool valido = arroba != std::string_view::npos && arroba > 0 && arroba + 1 < endereco.size() &&
                endereco.find('@', arroba + 1) == std::string_view::npos;
  for (const char c : endereco) valido = valido && !CaractereProibidoNoEndereco(c);
  for (const char c : resultado.Nome) valido = valido && c != '\r' && c != '\n';
  if (!valido) throw ENivraDFeException("Endereço de e-mail inválido: " + std::string(texto));
  resultado.Endereco = std::string(endereco);
  return resultado;
}

std::string FormatarEnderecoMail(const TEnderecoMail& endereco) {
  if (endereco.Nome.empty()) return endereco.Endereco;
  return FormatarNome(endereco.Nome) + " <" + endereco.Endereco + ">";
}

std::string CodificarTextoCabecalho(std::string_view texto) {
  if (AsciiImprimivel(texto)) return std::string(texto);
  // Each word carries whole characters: 39 bytes of UTF-8 become 52 characters of Base64, 64
  // with "=?UTF-8?B?" and "?=", so a line with a header name of up to 13 characters stays
  // within 78.
  constexpr size_t kBytesPorPalavra = 39;
  std::string resultado;
  std::string pedaco;
  const auto fecharPalavra = [&] {
    if (pedaco.empty()) return;
    if (!resultado.empty()) resultado += "\r\n ";
    resultado += "=?UTF-8?B?" + CodificarBase64(pedaco) + "?=";
    pedaco.clear();
  };
  for (char32_t c : DecodificarCaracteres(texto)) {
    if (c == U'\r' || c == U'\n' || c == U'\t') c = U' ';
    std::string bytes;
    AcrescentarUTF8(bytes, c);
    if (pedaco.size() + bytes.size() > kBytesPorPalavra) fecharPalavra();
    pedaco += bytes;
  }
  fecharPalavra();
  return resultado;
}

std::string DataMail(TDateTime quando, std::string_view fuso) {
  static constexpr std::array<const char*, 7> kDias{"Sun", "Mon", "Tue", "Wed",
                                                    "Thu", "Fri", "Sat"};
  static constexpr std::array<const char*, 12> kMeses{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                      "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const TCamposDataHora c = DecodificarDataHora(quando);
  // Day 0 of TDateTime (1899-12-30) was a Saturday.
  const auto dias = static_cast<long>(std::floor(quando));
  const int diaSemana = static_cast<int>(((dias % 7) + 7 + 6) % 7);
  std::string offset = "+0000";
  if (fuso.size() == 6 && (fuso[0] == '+' || fuso[0] == '-'))
    offset = std::string(fuso.substr(0, 3)) + std::string(fuso.substr(4, 2));
  char texto[64];
  std::snprintf(texto, sizeof texto, "%s, %02d %s %04d %02d:%02d:%02d %s", kDias[diaSemana], c.Dia,
                kMeses[c.Mes - 1], c.Ano, c.Hora, c.Minuto, c.Segundo, offset.c_str());
  return texto;
}

std::string DisposicaoAnexo(std::string_view nome) {
  if (AsciiImprimivel(nome)) {
    std::string citado;
    for (const char c : nome) {
      if (c == '"' || c == '\\') citado += '\\';
      citado += c;
    }
    return "attachment; filename=\"" + citado + "\"";
  }
  std::string codificado;
  for (const char c : CodificarCaracteres(DecodificarCaracteres(nome))) {
    const auto b = static_cast<unsigned char>(c);
    const bool livre = (b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') ||
                       std::string_view("!#$&+-.^_`|~").find(c) != std::string_view::npos;
    if (livre) {
      codificado += c;
    } else {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%%%02X", b);
      codificado += hex;
    }
  }
  return "attachment; filename*=UTF-8''" + codificado;
}

std::string TipoAnexo(std::string_view nome) {
  const size_t ponto = nome.rfind('.');
  const std::string extensao =
      ponto == std::string_view::npos ? std::string() : Maiusculas(nome.substr(ponto + 1));
  if (extensao == "XML") return "application/xml";
  if (extensao == "PDF") return "application/pdf";
  return "application/octet-stream";
}

}  // namespace nivra
