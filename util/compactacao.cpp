// gzip through zlib and Base64 through OpenSSL.
#include "nivranfe/util/compactacao.h"

#include <openssl/evp.h>
#include <zlib.h>

#include <memory>
#include <stdexcept>

namespace nivra {

namespace {

// zlib's window bits for a gzip header (16 + 15), and for reading gzip or zlib (32 + 15).
constexpr int kJanelaGZip = 16 + MAX_WBITS;
constexpr int kJanelaAutomatica = 32 + MAX_WBITS;
constexpr std::size_t kBloco = 16384;

struct TFimCompressao {
  void operator()(z_stream* s) const { deflateEnd(s); }
};
struct TFimDescompressao {
  void operator()(z_stream* s) const { inflateEnd(s); }
};

Bytef* Entrada(std::string_view bytes) {
  // zlib does not write through next_in; its interface is not const.
  return reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
}

}  // namespace

std::string CompactarGZip(std::string_view bytes) {
  z_stream fluxo{};
  if (deflateInit2(&fluxo, Z_DEFAULT_COMPRESSION, Z_DEFLATED, kJanelaGZip, 8, Z_DEFAULT_STRATEGY) !=
      Z_OK)
    throw std::runtime_error("Falha ao iniciar a compactação");
  const std::unique_ptr<z_stream, TFimCompressao> dono(&fluxo);
  fluxo.next_in = Entrada(bytes);
  fluxo.avail_in = static_cast<uInt>(bytes.size());
  std::string saida(deflateBound(&fluxo, static_cast<uLong>(bytes.size())), '\0');
  fluxo.next_out = reinterpret_cast<Bytef*>(saida.data());
  fluxo.avail_out = static_cast<uInt>(saida.size());
  if (deflate(&fluxo, Z_FINISH) != Z_STREAM_END) throw std::runtime_error("Falha ao compactar");
  saida.resize(fluxo.total_out);
  return saida;
}

TDescompactadoExcedeLimite::TDescompactadoExcedeLimite(std::size_t limite)
    : std::runtime_error("Dados descompactados excedem o limite de " + std::to_string(limite) +
                         " bytes") {}

std::string DescompactarGZip(std::string_view compactado, std::size_t limite) {
  z_stream fluxo{};
  if (inflateInit2(&fluxo, kJanelaAutomatica) != Z_OK)
    throw std::runtime_error("Falha ao iniciar a descompactação");
  const std::unique_ptr<z_stream, TFimDescompressao> dono(&fluxo);
  fluxo.next_in = Entrada(compactado);
  fluxo.avail_in = static_cast<uInt>(compactado.size());
  std::string saida;
  int resultado = Z_OK;
  while (resultado != Z_STREAM_END) {
    char bloco[kBloco];
    fluxo.next_out = reinterpret_cast<Bytef*>(bloco);
    fluxo.avail_out = sizeof bloco;
    resultado = inflate(&fluxo, Z_NO_FLUSH);
    if (resultado != Z_OK && resultado != Z_STREAM_END)
      throw std::runtime_error("Dados compactados inválidos");
    const std::size_t produzidos = sizeof bloco - fluxo.avail_out;
    if (produzidos > limite - saida.size()) throw TDescompactadoExcedeLimite(limite);
    saida.append(bloco, produzidos);
    if (resultado == Z_OK && fluxo.avail_in == 0 && fluxo.avail_out != 0)
      throw std::runtime_error("Dados compactados inválidos");
  }
  return saida;
}

std::string CodificarBase64(std::string_view bytes) {
  std::string texto(4 * ((bytes.size() + 2) / 3) + 1, '\0');
  const int tamanho = EVP_EncodeBlock(reinterpret_cast<unsigned char*>(texto.data()),
                                      reinterpret_cast<const unsigned char*>(bytes.data()),
                                      static_cast<int>(bytes.size()));
  texto.resize(static_cast<std::size_t>(tamanho));
  return texto;
}

std::string DecodificarBase64(std::string_view texto) {
  std::string limpo;
  for (const char c : texto)
    if (c != ' ' && c != '\r' && c != '\n' && c != '\t') limpo += c;
  if (limpo.size() % 4 != 0) throw std::runtime_error("Base64 inválido");
  std::string bytes(limpo.size() / 4 * 3, '\0');
  const int tamanho = EVP_DecodeBlock(reinterpret_cast<unsigned char*>(bytes.data()),
                                      reinterpret_cast<const unsigned char*>(limpo.data()),
                                      static_cast<int>(limpo.size()));
  if (tamanho < 0) throw std::runtime_error("Base64 inválido");
  // EVP_DecodeBlock counts the "=" padding as zero bytes.
  std::size_t fim = static_cast<std::size_t>(tamanho);
  for (auto c = limpo.rbegin(); c != limpo.rend() && *c == '='; ++c) --fim;
  bytes.resize(fim);
  return bytes;
}

std::string CompactarBase64(std::string_view bytes) {
  return CodificarBase64(CompactarGZip(bytes));
}

std::string DescompactarBase64(std::string_view texto, std::size_t limite) {
  return DescompactarGZip(DecodificarBase64(texto), limite);
}

}  // namespace nivra
