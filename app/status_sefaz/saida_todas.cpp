// Table and JSON forms of the results of every authoriser.
#include "app/status_sefaz/saida_todas.h"

#include <array>
#include <cmath>

#include "app/status_sefaz/saida.h"

namespace nivra {

namespace {

constexpr std::size_t kColunas = 6;
using TLinha = std::array<std::string, kColunas>;

// Characters on screen: UTF-8 continuation bytes take no column.
std::size_t Largura(const std::string& texto) {
  std::size_t largura = 0;
  for (const char c : texto)
    if ((static_cast<unsigned char>(c) & 0xC0U) != 0x80U) ++largura;
  return largura;
}

// A message on one line: line breaks become single spaces.
std::string NumaLinha(const std::string& texto) {
  std::string linha;
  for (const char c : texto) {
    if (c == '\r') continue;
    linha += c == '\n' ? ' ' : c;
  }
  return linha;
}

std::string Juntar(const std::vector<std::string>& ufs) {
  std::string lista;
  for (const std::string& uf : ufs) lista += (lista.empty() ? "" : ",") + uf;
  return lista;
}

long Inteiro(double milissegundos) { return std::lround(milissegundos); }

TLinha Linha(const TResultadoAutorizador& r) {
  const bool falhou = !r.Resultado.Erro.empty();
  return {r.Autorizador.Nome,
          Juntar(r.Autorizador.UFs),
          falhou ? "-" : std::to_string(r.Resultado.cStat),
          NumaLinha(falhou ? r.Resultado.Erro : r.Resultado.xMotivo),
          falhou ? "-" : std::to_string(r.Resultado.tMed),
          std::to_string(Inteiro(r.Milissegundos)) + " ms"};
}

}  // namespace

std::string TabelaTodas(const std::vector<TResultadoAutorizador>& resultados) {
  std::vector<TLinha> linhas{{"AUTORIZADOR", "UFS", "CSTAT", "XMOTIVO", "TMED", "TEMPO"}};
  for (const TResultadoAutorizador& r : resultados) linhas.push_back(Linha(r));
  std::array<std::size_t, kColunas> larguras{};
  for (const TLinha& linha : linhas)
    for (std::size_t c = 0; c < kColunas; ++c)
      larguras[c] = std::max(larguras[c], Largura(linha[c]));
  std::string texto;
  for (const TLinha& linha : linhas) {
    std::string escrita;
    for (std::size_t c = 0; c < kColunas; ++c) {
      escrita += linha[c];
      if (c + 1 < kColunas) escrita += std::string(larguras[c] - Largura(linha[c]) + 2, ' ');
    }
    texto += escrita + "\n";
  }
  return texto;
}

std::string JsonTodas(const std::vector<TResultadoAutorizador>& resultados) {
  nlohmann::ordered_json lista = nlohmann::ordered_json::array();
  for (const TResultadoAutorizador& r : resultados) {
    nlohmann::ordered_json objeto = {{"autorizador", r.Autorizador.Nome},
                                     {"ufs", r.Autorizador.UFs}};
    objeto.update(ObjetoJsonResultado(r.Resultado));
    objeto["ms"] = Inteiro(r.Milissegundos);
    lista.push_back(std::move(objeto));
  }
  return TextoJson(lista);
}

}  // namespace nivra
