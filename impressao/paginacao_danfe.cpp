// The sheets of a DANFE.
#include "nivranfe/impressao/paginacao_danfe.h"

namespace nivra {

namespace {

constexpr double kMinimoAdicionais = 10;  // less room than this: the text goes to a new sheet

std::string_view SemBrancosIniciais(std::string_view texto) {
  const size_t inicio = texto.find_first_not_of(" \n");
  return inicio == std::string_view::npos ? std::string_view() : texto.substr(inicio);
}

// Takes products from `item` while they fit `livre` (at least one when `algum`); returns
// the height taken.
double TomarItens(const std::vector<double>& alturas, double livre, bool algum, size_t& item) {
  double usado = 0;
  while (item < alturas.size() && (usado + alturas[item] <= livre || (algum && usado == 0))) {
    usado += alturas[item];
    ++item;
  }
  return usado;
}

}  // namespace

size_t ParteQueCabe(std::string_view Texto, double Largura, double Altura,
                    const TMedidorTexto& Medir, bool Obrigatorio) {
  if (Medir(Texto, Largura) <= Altura) return Texto.size();
  // The ends of the words, the whole text being the last; search the last start that fits.
  std::vector<size_t> fins;
  for (size_t i = 1; i < Texto.size(); ++i) {
    if ((Texto[i] == ' ' || Texto[i] == '\n') && Texto[i - 1] != ' ' && Texto[i - 1] != '\n')
      fins.push_back(i);
  }
  size_t cabem = 0;  // how many of fins fit
  size_t naoCabem = fins.size();
  while (naoCabem > cabem) {
    const size_t meio = (cabem + naoCabem + 1) / 2;
    if (Medir(Texto.substr(0, fins[meio - 1]), Largura) <= Altura)
      cabem = meio;
    else
      naoCabem = meio - 1;
  }
  if (cabem > 0) return fins[cabem - 1];
  return Obrigatorio ? (fins.empty() ? Texto.size() : fins.front()) : 0;
}

std::vector<TFolhaDANFE> PaginarDANFE(const std::vector<double>& Alturas,
                                      std::string_view Adicionais, const TEspacosDANFE& Espacos,
                                      const TMedidorTexto& Medir) {
  std::vector<TFolhaDANFE> folhas;
  size_t item = 0;
  std::string_view resto = SemBrancosIniciais(Adicionais);
  const auto tomarTexto = [&](TFolhaDANFE& folha, double altura, bool obrigatorio) {
    const size_t n = ParteQueCabe(resto, Espacos.LarguraAdicionais, altura, Medir, obrigatorio);
    folha.Adicionais = std::string(resto.substr(0, n));
    resto = SemBrancosIniciais(resto.substr(n));
  };

  TFolhaDANFE& primeira = folhas.emplace_back();
  TomarItens(Alturas, Espacos.TabelaPrimeira, false, item);
  primeira.ItemFim = item;
  if (!resto.empty()) tomarTexto(primeira, Espacos.AdicionaisPrimeira, false);

  while (item < Alturas.size() || !resto.empty()) {
    TFolhaDANFE& folha = folhas.emplace_back();
    double livre = Espacos.CorpoSeguintes;
    folha.ItemInicio = item;
    if (item < Alturas.size())
      livre -= Espacos.CustoTabela + TomarItens(Alturas, livre - Espacos.CustoTabela, true, item);
    folha.ItemFim = item;
    const bool semItens = folha.ItemFim == folha.ItemInicio;
    if (!resto.empty() && (semItens || livre >= Espacos.CustoAdicionais + kMinimoAdicionais))
      tomarTexto(folha, livre - Espacos.CustoAdicionais, semItens);
  }
  return folhas;
}

}  // namespace nivra
