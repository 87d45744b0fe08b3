// Conversion between the document model and JSON, driven by the generated Visitar functions.
#include "nivranfe/documento/json_nfe.h"

#include <nlohmann/json.hpp>
#include <set>

#include "nivranfe/util/excecoes.h"

namespace nivra {

namespace {

using TJSON = nlohmann::ordered_json;

// Fills a JSON object from the members of one group.
class TEscritorJSON : public TVisitanteLeitura<TEscritorJSON> {
 public:
  explicit TEscritorJSON(TJSON& objeto) : FObjeto(objeto) {}

  void Atributo(const std::string& valor, const TInfoCampo& info) { Campo(valor, info); }
  // An empty mandatory field is written as "" so that reading it back does not give the
  // model's initial value instead.
  void Campo(const std::string& valor, const TInfoCampo& info) {
    if (!valor.empty() || (info.OcorrenciasMin > 0 && info.Tipo != TTipoCampoNFe::cXML)) {
      FObjeto[info.Nome] = valor;
    }
  }
  void Campo(const std::vector<std::string>& valores, const TInfoCampo& info) {
    if (!valores.empty()) FObjeto[info.Nome] = valores;
  }
  void Campo(const TDecimal& valor, const TInfoCampo& info) {
    if (!valor.Vazio()) FObjeto[info.Nome] = valor.Texto();
  }
  template <class T>
  void Grupo(const T& grupo, const TInfoGrupo& info) {
    FObjeto[info.Nome] = Objeto(grupo);
  }
  template <class T>
  void Grupo(const std::optional<T>& grupo, const TInfoGrupo& info) {
    if (grupo) Grupo(*grupo, info);
  }
  template <class T>
  void Grupo(const std::vector<T>& grupos, const TInfoGrupo& info) {
    if (grupos.empty()) return;
    TJSON lista = TJSON::array();
    for (const T& grupo : grupos) lista.push_back(Objeto(grupo));
    FObjeto[info.Nome] = std::move(lista);
  }

  template <class T>
  static TJSON Objeto(const T& grupo) {
    TJSON objeto = TJSON::object();
    TEscritorJSON escritor(objeto);
    Visitar(escritor, grupo);
    return objeto;
  }

 private:
  TJSON& FObjeto;
};

// Reads the members of one group out of a JSON object; every member must be used.
class TLeitorJSON {
 public:
  // `documento` opens every error message ("JSON da NF-e").
  TLeitorJSON(const TJSON& objeto, std::string caminho, const char* documento)
      : FObjeto(objeto), FCaminho(std::move(caminho)), FDocumento(documento) {
    if (!FObjeto.is_object()) Erro(FCaminho, "deveria ser um objeto");
  }

  void Atributo(std::string& valor, const TInfoCampo& info) { Campo(valor, info); }
  void Campo(std::string& valor, const TInfoCampo& info) {
    if (const TJSON* membro = Membro(info.Nome)) valor = Texto(*membro, info.Nome);
  }
  void Campo(std::vector<std::string>& valores, const TInfoCampo& info) {
    const TJSON* membro = Membro(info.Nome);
    if (!membro) return;
    if (!membro->is_array()) Erro(Caminho(info.Nome), "deveria ser uma lista");
    for (const TJSON& item : *membro) valores.push_back(Texto(item, info.Nome));
  }
  void Campo(TDecimal& valor, const TInfoCampo& info) {
    const TJSON* membro = Membro(info.Nome);
    if (!membro) return;
    const std::string texto = membro->is_number() ? membro->dump() : Texto(*membro, info.Nome);
    const auto lido = TDecimal::Ler(texto);
    if (!lido) Erro(Caminho(info.Nome), "não é um valor decimal: \"" + texto + "\"");
    valor = *lido;
  }
  template <class T>
  void Grupo(T& grupo, const TInfoGrupo& info) {
    if (const TJSON* membro = Membro(info.Nome)) Ler(*membro, grupo, Caminho(info.Nome));
  }
  template <class T>
  void Grupo(std::optional<T>& grupo, const TInfoGrupo& info) {
    if (const TJSON* membro = Membro(info.Nome)) Ler(*membro, grupo.emplace(), Caminho(info.Nome));
  }
  template <class T>
  void Grupo(std::vector<T>& grupos, const TInfoGrupo& info) {
    const TJSON* membro = Membro(info.Nome);
    if (!membro) return;
    if (!membro->is_array()) Erro(Caminho(info.Nome), "deveria ser uma lista");
    for (size_t i = 0; i < membro->size(); ++i) {
      Ler((*membro)[i], grupos.emplace_back(), Caminho(info.Nome) + "[" + std::to_string(i) + "]");
    }
  }
  template <class T>
  void Sequencia(std::optional<T>& sequencia, const TInfoGrupo& info) {
    if (AlgumMembro(info.Filhos)) Visitar(*this, sequencia.emplace());
  }
  template <class... A>
  void Escolha(std::variant<std::monostate, A...>& escolha, const TInfoEscolha& info) {
    for (size_t i = 0; i < info.Quantidade; ++i) {
      if (!AlgumMembro(info.Alternativas[i].Primeiros)) continue;
      EscolherAlternativa(escolha, i + 1);
      VisitarAlternativa(*this, escolha, info);
      return;
    }
  }
  // A choice picked by the value of a key field (see TInfoEscolha).
  template <class... A>
  void Escolha(std::variant<std::monostate, A...>& escolha, const TInfoEscolha& info,
               const std::string& chave) {
    if (!AlgumMembro(info.Alternativas[0].Primeiros)) return;
    const size_t alternativa = AlternativaDaChave(info, chave);
    if (alternativa == 0) {
      Erro(Caminho(info.Nome), std::string("sem leiaute para ") + info.Chave + " [" + chave + "]");
    }
    EscolherAlternativa(escolha, alternativa);
    VisitarAlternativa(*this, escolha, info);
  }

  // Throws for the members nothing used: not of the layout, or a second alternative.
  void Terminar() const {
    for (const auto& [nome, valor] : FObjeto.items()) {
      if (!FUsados.contains(nome)) Erro(Caminho(nome), "não pertence ao leiaute aqui");
    }
  }

 private:
  template <class T>
  void Ler(const TJSON& objeto, T& grupo, const std::string& caminho) const {
    TLeitorJSON leitor(objeto, caminho, FDocumento);
    Visitar(leitor, grupo);
    leitor.Terminar();
  }
  [[noreturn]] void Erro(const std::string& caminho, const std::string& problema) const {
    throw ENivraDFeException(std::string(FDocumento) + ": " + caminho + " " + problema);
  }
  std::string Caminho(const std::string& nome) const {
    return FCaminho.empty() ? nome : FCaminho + "/" + nome;
  }
  const TJSON* Membro(const char* nome) {
    const auto item = FObjeto.find(nome);
    if (item == FObjeto.end() || item->is_null()) return nullptr;
    FUsados.insert(nome);
    return &*item;
  }
  bool AlgumMembro(std::string_view lista) const {
    for (const auto& [nome, valor] : FObjeto.items()) {
      if (!FUsados.contains(nome) && NaListaLeiaute(lista, nome)) return true;
    }
    return false;
  }
  std::string Texto(const TJSON& valor, const char* nome) const {
    if (valor.is_string()) return valor.get<std::string>();
    if (valor.is_number()) return valor.dump();
    Erro(Caminho(nome), "deveria ser um texto");
  }

  const TJSON& FObjeto;
  std::string FCaminho;
  const char* FDocumento;
  std::set<std::string> FUsados;
};

// The document of a JSON text, `documento` naming it in the messages.
template <class T>
T DeJSON(std::string_view json, const char* documento) {
  const TJSON objeto = TJSON::parse(json, nullptr, false);
  if (objeto.is_discarded()) throw ENivraDFeException(std::string(documento) + " inválido");
  T raiz;
  TLeitorJSON leitor(objeto, "", documento);
  Visitar(leitor, raiz);
  leitor.Terminar();
  return raiz;
}

}  // namespace

std::string NFeParaJSON(const nfe::TNFe& nota, int recuo) {
  return TEscritorJSON::Objeto(nota).dump(recuo);
}

nfe::TNFe NFeDeJSON(std::string_view json) { return DeJSON<nfe::TNFe>(json, "JSON da NF-e"); }

std::string EventoParaJSON(const nfe::evento::Tevento& evento, int recuo) {
  return TEscritorJSON::Objeto(evento).dump(recuo);
}

nfe::evento::Tevento EventoDeJSON(std::string_view json) {
  return DeJSON<nfe::evento::Tevento>(json, "JSON do evento");
}

std::string ProcEventoParaJSON(const nfe::evento::TprocEventoNFe& processado, int recuo) {
  return TEscritorJSON::Objeto(processado).dump(recuo);
}

nfe::evento::TprocEventoNFe ProcEventoDeJSON(std::string_view json) {
  return DeJSON<nfe::evento::TprocEventoNFe>(json, "JSON do procEventoNFe");
}

}  // namespace nivra
