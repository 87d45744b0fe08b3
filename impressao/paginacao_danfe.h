// How a DANFE is spread over sheets: which products each sheet lists and which part of the
// additional data it shows, decided before drawing so every sheet can say "FOLHA n/m".
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace nivra {

// The height in millimetres a text takes wrapped to a width.
using TMedidorTexto = std::function<double(std::string_view texto, double largura)>;

// The room of the sheets, in millimetres.
struct TEspacosDANFE {
  double TabelaPrimeira = 0;      // product rows on the first sheet
  double AdicionaisPrimeira = 0;  // additional text on the first sheet
  double CorpoSeguintes = 0;      // below the header of a continuation sheet
  double CustoTabela = 0;         // a table's block title and column titles
  double CustoAdicionais = 0;     // the additional block's title and field title
  double LarguraAdicionais = 0;   // width of the additional text
};

// One sheet: products [ItemInicio, ItemFim) and its part of the additional text.
struct TFolhaDANFE {
  size_t ItemInicio = 0;
  size_t ItemFim = 0;
  std::string Adicionais;
};

// The sheets for products of the given row heights and the additional text. Every sheet after
// the first takes at least one product or one word, so the plan always ends; a word taller
// than a sheet is printed cut.
[[nodiscard]] std::vector<TFolhaDANFE> PaginarDANFE(const std::vector<double>& Alturas,
                                                    std::string_view Adicionais,
                                                    const TEspacosDANFE& Espacos,
                                                    const TMedidorTexto& Medir);

// The length of the longest start of Texto, ended at a blank, that fits Altura at Largura;
// Texto's whole length when it all fits. When not even the first word fits: that word's
// length if Obrigatorio, else 0.
[[nodiscard]] size_t ParteQueCabe(std::string_view Texto, double Largura, double Altura,
                                  const TMedidorTexto& Medir, bool Obrigatorio);

}  // namespace nivra
