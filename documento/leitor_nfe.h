// Reads a document of the generated model out of a libxml2 tree, each field by its path in the
// layout. Elements the layout does not have (fields of older revisions) are skipped and reported.
#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "nivranfe/documento/decimal.h"
#include "nivranfe/documento/info_leiaute.h"

struct _xmlNode;  // NOLINT(bugprone-reserved-identifier): libxml2's own name

namespace nivra {

// The visitor the generated Visitar functions drive to read one group's children. The element
// and the warnings list must outlive it.
class TLeitorNFe {
 public:
  // Reads the children of `elemento`, whose path in the document is `caminho`; `filhos` lists
  // the element names the group may hold ("|a|b|"); what is skipped goes to `avisos`.
  TLeitorNFe(_xmlNode* elemento, std::string caminho, const char* filhos,
             std::vector<std::string>& avisos);

  // A field or attribute the document lacks is left empty, whatever the model's initial value.
  void Atributo(std::string& valor, const TInfoCampo& info);
  // Throws ENivraDFeException, naming the element's path, when a decimal is not a number; an
  // empty decimal element leaves the amount empty.
  void Campo(std::string& valor, const TInfoCampo& info);
  void Campo(std::vector<std::string>& valores, const TInfoCampo& info);
  void Campo(TDecimal& valor, const TInfoCampo& info);

  template <class T>
  void Grupo(T& grupo, const TInfoGrupo& info) {
    if (_xmlNode* no = Tomar(info.Nome)) Ler(grupo, no, info);
  }
  template <class T>
  void Grupo(std::optional<T>& grupo, const TInfoGrupo& info) {
    if (_xmlNode* no = Tomar(info.Nome)) Ler(grupo.emplace(), no, info);
  }
  template <class T>
  void Grupo(std::vector<T>& grupos, const TInfoGrupo& info) {
    // A document may hold hundreds of items: the vector grows once, not item by item.
    grupos.reserve(grupos.size() + Seguidos(info.Nome));
    while (_xmlNode* no = Tomar(info.Nome)) Ler(grupos.emplace_back(), no, info);
  }
  template <class T>
  void Sequencia(std::optional<T>& sequencia, const TInfoGrupo& info) {
    if (ProximoEm(info.Filhos)) Visitar(*this, sequencia.emplace());
  }
  template <class... A>
  void Escolha(std::variant<std::monostate, A...>& escolha, const TInfoEscolha& info) {
    for (size_t i = 0; i < info.Quantidade; ++i) {
      if (!ProximoEm(info.Alternativas[i].Primeiros)) continue;
      EscolherAlternativa(escolha, i + 1);
      VisitarAlternativa(*this, escolha, info);
      return;
    }
  }
  // A choice picked by the value of a key field (see TInfoEscolha); an element no alternative
  // has a layout for is skipped and reported.
  template <class... A>
  void Escolha(std::variant<std::monostate, A...>& escolha, const TInfoEscolha& info,
               const std::string& chave) {
    const size_t alternativa = AlternativaDaChave(info, chave);
    if (alternativa == 0) {
      PularSemLeiaute(info, chave);
    } else if (ProximoEm(info.Alternativas[alternativa - 1].Primeiros)) {
      EscolherAlternativa(escolha, alternativa);
      VisitarAlternativa(*this, escolha, info);
    }
  }

  // Reports the children left unread (out of the layout's order).
  void Terminar();

 private:
  template <class T>
  void Ler(T& grupo, _xmlNode* no, const TInfoGrupo& info) {
    TLeitorNFe filho(no, FCaminho + "/" + info.Nome, info.Filhos, FAvisos);
    Visitar(filho, grupo);
    filho.Terminar();
  }
  // The current child when its name is `nome`; skips and reports children the group never
  // holds.
  _xmlNode* Proximo(const char* nome);
  // Proximo, moving past the child it returns.
  _xmlNode* Tomar(const char* nome);
  // How many children in a row, from the current one, are named `nome`.
  size_t Seguidos(const char* nome) const;
  // Whether the current child's name is in the bar list.
  bool ProximoEm(const char* lista);
  void PularDesconhecidos();
  // Skips the elements a keyed choice's alternatives start with (they share them).
  void PularSemLeiaute(const TInfoEscolha& info, const std::string& chave);

  _xmlNode* FElemento;
  _xmlNode* FAtual;
  // The child PularDesconhecidos last found in the group's list.
  _xmlNode* FConferido = nullptr;
  std::string FCaminho;
  const char* FFilhos;
  std::vector<std::string>& FAvisos;
};

}  // namespace nivra
