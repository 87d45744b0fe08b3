// The ordered list of folder levels that builds a document folder from a base folder.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace nivra {

// One folder level: none, the CNPJ (letters and digits), the model name, the date parts, the
// caller's literal.
enum class TTagOrdenacaoPath { opNenhum, opCNPJ, opModelo, opData, opLiteral };

// One level of the folder order.
class TOrdenacaoPathItem {
 public:
  TOrdenacaoPathItem() = default;

  TTagOrdenacaoPath Item() const { return FItem; }
  void SetItem(TTagOrdenacaoPath Valor) { FItem = Valor; }
  // Returns "(nenhum)", "CNPJ", "Modelo", "Data" or "Literal" after Item.
  std::string GetDisplayName() const;
  // Copies Item from `Origem`.
  void Assign(const TOrdenacaoPathItem& Origem) { FItem = Origem.FItem; }

 private:
  TTagOrdenacaoPath FItem = TTagOrdenacaoPath::opNenhum;
};

// The folder levels in the order they are built; owns its items.
class TOrdenacaoPath {
 public:
  TOrdenacaoPath() = default;
  TOrdenacaoPath(const TOrdenacaoPath&) = delete;
  TOrdenacaoPath& operator=(const TOrdenacaoPath&) = delete;

  // Appends a new item (opNenhum) and returns it; it lives until Clear or the collection goes.
  TOrdenacaoPathItem& Add();
  // Returns the item at `Index`; throws std::out_of_range past the end.
  TOrdenacaoPathItem& Items(std::size_t Index) { return *FItens.at(Index); }
  const TOrdenacaoPathItem& Items(std::size_t Index) const { return *FItens.at(Index); }
  std::size_t Count() const { return FItens.size(); }
  void Clear() { FItens.clear(); }

 private:
  std::vector<std::unique_ptr<TOrdenacaoPathItem>> FItens;
};

}  // namespace nivra
