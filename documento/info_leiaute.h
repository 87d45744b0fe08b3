// What the layout table says about each field, group and choice of a document; the generated
// model hands these to the visitors (writer, reader, JSON) together with each member.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>

namespace nivra {

// How a field's text is checked.
enum class TTipoCampoNFe { cTexto, cDigitos, cDecimal, cDataHora, cData, cBase64, cXML };

// A field or attribute: its element name, sizes (characters, or integer digits and decimal
// places), occurrences, accepted values ("|a|b|", empty for any) and check-digit rule ("cnpj",
// "cpf", "chave" or empty).
struct TInfoCampo {
  const char* Nome;
  TTipoCampoNFe Tipo;
  int Minimo;
  int Maximo;
  int OcorrenciasMin;
  int OcorrenciasMax;
  int Inteiros;
  int CasasMin;
  int CasasMax;
  bool NaoZero;
  const char* Valores;
  const char* Formato;
};

// A group (or a sequence without an element of its own): its name, occurrences and the names
// of every element it may hold directly, as "|a|b|".
struct TInfoGrupo {
  const char* Nome;
  int OcorrenciasMin;
  int OcorrenciasMax;
  const char* Filhos;
};

// One alternative of a choice: the group written under its own element (Grupo), or members
// written straight into the parent (Grupo null); Primeiros lists the element names it may
// start with, as "|a|b|"; Chaves, the values of the choice's key field that select it.
struct TInfoAlternativa {
  const TInfoGrupo* Grupo;
  const char* Primeiros;
  const char* Chaves;
};

// A choice: at most one alternative is set; OcorrenciasMin 1 makes one mandatory. A choice with
// a Chave (the name of a field read before it) takes the alternative whose Chaves hold that
// field's value, since its alternatives share their element name (an event's detEvento); the
// visitors then get the field's value as a third argument of Escolha.
struct TInfoEscolha {
  const char* Nome;
  int OcorrenciasMin;
  const TInfoAlternativa* Alternativas;
  std::size_t Quantidade;
  const char* Chave;
};

// Whether the bar list ("|a|b|") holds nome.
[[nodiscard]] inline bool NaListaLeiaute(std::string_view lista, std::string_view nome) {
  for (size_t pos = lista.find(nome); pos != std::string_view::npos;
       pos = lista.find(nome, pos + 1)) {
    if (pos > 0 && lista[pos - 1] == '|' && pos + nome.size() < lista.size() &&
        lista[pos + nome.size()] == '|') {
      return true;
    }
  }
  return false;
}

// The alternative (1-based, 0 for none) whose key values hold `chave`.
[[nodiscard]] inline std::size_t AlternativaDaChave(const TInfoEscolha& info,
                                                    std::string_view chave) {
  for (std::size_t i = 0; i < info.Quantidade; ++i) {
    if (!chave.empty() && NaListaLeiaute(info.Alternativas[i].Chaves, chave)) return i + 1;
  }
  return 0;
}

// Sets a choice's variant to a default-built alternative `indice` (0 is none).
template <size_t I = 0, class V>
void EscolherAlternativa(V& escolha, size_t indice) {
  if constexpr (I < std::variant_size_v<V>) {
    if (I == indice) {
      escolha.template emplace<I>();
    } else {
      EscolherAlternativa<I + 1>(escolha, indice);
    }
  }
}

// Hands the alternative set in `escolha` (nothing when none) to the visitor: a group
// alternative through visitante.Grupo(valor, its TInfoGrupo), an alternative without an element
// of its own through the model's Visitar, member by member into the parent.
template <class V, class E>
void VisitarAlternativa(V& visitante, E& escolha, const TInfoEscolha& info) {
  if (escolha.index() == 0) return;
  const TInfoAlternativa& alternativa = info.Alternativas[escolha.index() - 1];
  std::visit(
      [&](auto& valor) {
        if constexpr (!std::is_same_v<std::decay_t<decltype(valor)>, std::monostate>) {
          if (alternativa.Grupo) {
            visitante.Grupo(valor, *alternativa.Grupo);
          } else {
            Visitar(visitante, valor);
          }
        }
      },
      escolha);
}

// What a visitor that only reads the model does with a sequence and a choice: the sequence's
// members are visited in place, the chosen alternative as VisitarAlternativa hands it over (an
// empty choice gives nothing), whatever key a choice is picked by. V derives from it.
template <class V>
struct TVisitanteLeitura {
  template <class T>
  void Sequencia(const std::optional<T>& sequencia, const TInfoGrupo& /*info*/) {
    if (sequencia) Visitar(static_cast<V&>(*this), *sequencia);
  }
  template <class... A>
  void Escolha(const std::variant<std::monostate, A...>& escolha, const TInfoEscolha& info) {
    VisitarAlternativa(static_cast<V&>(*this), escolha, info);
  }
  template <class... A>
  void Escolha(const std::variant<std::monostate, A...>& escolha, const TInfoEscolha& info,
               const std::string& /*chave*/) {
    VisitarAlternativa(static_cast<V&>(*this), escolha, info);
  }
};

}  // namespace nivra
