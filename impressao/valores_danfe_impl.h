// Template part of valores_danfe.h.
#pragma once

#include <string>
#include <type_traits>
#include <variant>

#include "nivranfe/documento/documento_nfe.h"
#include "nivranfe/util/documentos.h"

namespace nivra {

template <class V>
std::string DocumentoDe(const V& escolha) {
  return std::visit(
      [](const auto& valor) -> std::string {
        using T = std::decay_t<decltype(valor)>;
        if constexpr (std::is_same_v<T, nfe::TCNPJ>) {
          return FormatarCNPJCPF(valor.CNPJ);
        } else if constexpr (std::is_same_v<T, nfe::TCPF>) {
          return FormatarCNPJCPF(valor.CPF);
        } else if constexpr (std::is_same_v<T, std::monostate>) {
          return "";
        } else {
          return valor.idEstrangeiro;
        }
      },
      escolha);
}

}  // namespace nivra
