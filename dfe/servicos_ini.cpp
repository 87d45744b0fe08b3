// INI text parser of the services table.
#include "nivranfe/dfe/servicos_ini.h"

#include <algorithm>

#include "nivranfe/util/texto.h"
#include "nivranfe/util/texto_arquivo.h"

namespace nivra {

TServicosIni::TServicosIni(std::string_view texto) { Carregar(texto); }

void TServicosIni::Carregar(std::string_view texto) {
  FSecoes.clear();
  FIndice.clear();
  // A UTF-8 byte-order mark would otherwise hide a section header on the first line.
  if (texto.starts_with("\xEF\xBB\xBF")) texto.remove_prefix(3);
  // A repeated section is parsed into a section of its own that lookups never reach.
  TSecao* atual = nullptr;
  // Views into the text: only names, keys and values are copied.
  for (const std::string_view linhaLida : DividirLinhasVisao(texto)) {
    const std::string_view linha = ApararVisao(linhaLida);
    if (linha.empty() || linha.front() == ';') continue;
    if (linha.size() >= 2 && linha.front() == '[' && linha.back() == ']') {
      FSecoes.push_back({std::string(ApararVisao(linha.substr(1, linha.size() - 2))), {}});
      atual = &FSecoes.back();
      FIndice.emplace(Maiusculas(atual->Nome), FSecoes.size() - 1);
      continue;
    }
    if (atual == nullptr) continue;
    const std::size_t igual = linha.find('=');
    if (igual == std::string_view::npos) {
      atual->Entradas.push_back({std::string(linha), {}});
    } else {
      atual->Entradas.push_back({std::string(ApararVisao(linha.substr(0, igual))),
                                 std::string(ApararVisao(linha.substr(igual + 1)))});
    }
  }
}

const TServicosIni::TSecao* TServicosIni::AchaSecao(std::string_view secao) const {
  const auto it = FIndice.find(Maiusculas(secao));
  if (it == FIndice.end()) return nullptr;
  return &FSecoes[it->second];
}

bool TServicosIni::SecaoExiste(std::string_view secao) const {
  const TSecao* s = AchaSecao(secao);
  return s != nullptr && !s->Entradas.empty();
}

std::string TServicosIni::Ler(std::string_view secao, std::string_view chave) const {
  const TSecao* s = AchaSecao(secao);
  if (s == nullptr) return {};
  const auto it = std::find_if(s->Entradas.begin(), s->Entradas.end(),
                               [&](const TEntrada& e) { return IguaisSemCaixa(e.Chave, chave); });
  return it == s->Entradas.end() ? std::string() : it->Valor;
}

const std::vector<TServicosIni::TEntrada>& TServicosIni::Entradas(std::string_view secao) const {
  static const std::vector<TEntrada> kNenhuma;
  const TSecao* s = AchaSecao(secao);
  return s == nullptr ? kNenhuma : s->Entradas;
}

std::vector<std::string> TServicosIni::Secoes() const {
  std::vector<std::string> nomes;
  for (std::size_t i = 0; i < FSecoes.size(); ++i) {
    if (FIndice.at(Maiusculas(FSecoes[i].Nome)) == i) nomes.push_back(FSecoes[i].Nome);
  }
  return nomes;
}

}  // namespace nivra
