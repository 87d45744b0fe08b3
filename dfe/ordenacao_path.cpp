// The ordered list of folder levels.
#include "nivranfe/dfe/ordenacao_path.h"

namespace nivra {

std::string TOrdenacaoPathItem::GetDisplayName() const {
  switch (FItem) {
    case TTagOrdenacaoPath::opCNPJ:
      return "CNPJ";
    case TTagOrdenacaoPath::opModelo:
      return "Modelo";
    case TTagOrdenacaoPath::opData:
      return "Data";
    case TTagOrdenacaoPath::opLiteral:
      return "Literal";
    case TTagOrdenacaoPath::opNenhum:
      break;
  }
  return "(nenhum)";
}

TOrdenacaoPathItem& TOrdenacaoPath::Add() {
  return *FItens.emplace_back(std::make_unique<TOrdenacaoPathItem>());
}

}  // namespace nivra
