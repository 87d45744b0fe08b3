// INI text: sections, keys and values, read and changed line by line.
#include "app/arquivo_ini.h"

#include <vector>

#include "nivranfe/util/texto.h"
#include "nivranfe/util/texto_arquivo.h"

namespace nivra {

namespace {

// The name of a section line ("[name]"), or nothing for any other line.
std::optional<std::string> NomeSecao(std::string_view linha) {
  const std::string aparada = Aparar(linha);
  if (aparada.size() < 2 || aparada.front() != '[') return std::nullopt;
  const std::size_t fim = aparada.find(']');
  if (fim == std::string::npos) return std::nullopt;
  return Aparar(std::string_view(aparada).substr(1, fim - 1));
}

// Whether the line is "chave=..." (the key trimmed, any letter case).
bool LinhaDaChave(std::string_view linha, std::string_view chave) {
  const std::size_t igual = linha.find('=');
  return igual != std::string_view::npos && IguaisSemCaixa(Aparar(linha.substr(0, igual)), chave);
}

bool SecaoChamada(std::string_view linha, std::string_view secao) {
  const auto nome = NomeSecao(linha);
  return nome && IguaisSemCaixa(*nome, secao);
}

}  // namespace

bool SecaoIniExiste(std::string_view texto, std::string_view secao) {
  for (const std::string& linha : DividirLinhas(texto))
    if (SecaoChamada(linha, secao)) return true;
  return false;
}

std::optional<std::string> LerValorIni(std::string_view texto, std::string_view secao,
                                       std::string_view chave) {
  const std::vector<std::string> linhas = DividirLinhas(texto);
  std::size_t i = 0;
  while (i < linhas.size() && !SecaoChamada(linhas[i], secao)) ++i;
  for (++i; i < linhas.size() && !NomeSecao(linhas[i]); ++i) {
    if (LinhaDaChave(linhas[i], chave))
      return Aparar(std::string_view(linhas[i]).substr(linhas[i].find('=') + 1));
  }
  return std::nullopt;
}

std::string GravarValorIni(std::string_view texto, std::string_view secao, std::string_view chave,
                           std::string_view valor) {
  std::string limpo(valor);
  for (char& c : limpo)
    if (c == '\r' || c == '\n') c = ' ';
  const std::string entrada = std::string(chave) + "=" + limpo;
  const std::string quebra = texto.find("\r\n") != std::string_view::npos ? "\r\n" : "\n";

  std::vector<std::string> linhas = DividirLinhas(texto);
  std::size_t i = 0;
  while (i < linhas.size() && !SecaoChamada(linhas[i], secao)) ++i;
  if (i == linhas.size()) {
    linhas.push_back("[" + std::string(secao) + "]");
    linhas.push_back(entrada);
  } else {
    std::size_t ultimaEntrada = i;
    bool substituida = false;
    for (std::size_t j = i + 1; j < linhas.size() && !NomeSecao(linhas[j]); ++j) {
      if (LinhaDaChave(linhas[j], chave)) {
        linhas[j] = entrada;
        substituida = true;
        break;
      }
      if (!Aparar(linhas[j]).empty()) ultimaEntrada = j;
    }
    if (!substituida)
      linhas.insert(linhas.begin() + static_cast<std::ptrdiff_t>(ultimaEntrada) + 1, entrada);
  }

  std::string resultado;
  for (const std::string& linha : linhas) resultado += linha + quebra;
  return resultado;
}

}  // namespace nivra
