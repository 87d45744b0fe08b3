// Writes a document of the generated model through the XML generator: each field with its
// type, sizes, occurrence and accepted values, so what is wrong comes back as the generator's
// alerts, naming the field and its group.
#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "nivranfe/documento/decimal.h"
#include "nivranfe/documento/info_leiaute.h"
#include "nivranfe/xml/gerador.h"

namespace nivra {

// The visitor the generated Visitar functions drive to write a document. The gerador must
// outlive it.
class TEscritorNFe {
 public:
  explicit TEscritorNFe(TGerador& gerador) : FGerador(gerador) {}

  // Attributes are written with their group's opening tag (see Grupo).
  void Atributo(const std::string& /*valor*/, const TInfoCampo& /*info*/) {}
  // Most fields of a document are empty and optional: they are passed over here, inline.
  void Campo(const std::string& valor, const TInfoCampo& info) {
    if (!valor.empty() || info.OcorrenciasMin > 0) CampoPresente(valor, info);
  }
  void Campo(const std::vector<std::string>& valores, const TInfoCampo& info);
  void Campo(const TDecimal& valor, const TInfoCampo& info) {
    if (!valor.Vazio() || info.OcorrenciasMin > 0) CampoPresente(valor, info);
  }

  template <class T>
  void Grupo(const T& grupo, const TInfoGrupo& info) {
    TColetorAtributos atributos(*this);
    Visitar(atributos, grupo);
    FGerador.wGrupo(FTag.assign(info.Nome).append(atributos.Texto));
    Visitar(*this, grupo);
    FGerador.wGrupo(FTag.assign("/").append(info.Nome));
  }
  template <class T>
  void Grupo(const std::optional<T>& grupo, const TInfoGrupo& info) {
    if (grupo) Grupo(*grupo, info);
  }
  template <class T>
  void Grupo(const std::vector<T>& grupos, const TInfoGrupo& info) {
    Ocorrencias(grupos.size(), info.Nome, info.OcorrenciasMin, info.OcorrenciasMax);
    for (const T& grupo : grupos) Grupo(grupo, info);
  }
  template <class T>
  void Sequencia(const std::optional<T>& sequencia, const TInfoGrupo& /*info*/) {
    if (sequencia) Visitar(*this, *sequencia);
  }
  template <class... A>
  void Escolha(const std::variant<std::monostate, A...>& escolha, const TInfoEscolha& info) {
    if (escolha.index() == 0) {
      if (info.OcorrenciasMin > 0) Alerta(info.Nome, "Nenhuma das alternativas informada");
      return;
    }
    VisitarAlternativa(*this, escolha, info);
  }
  // A choice picked by the value of a key field (see TInfoEscolha): the alternative set must be
  // the one that value selects.
  template <class... A>
  void Escolha(const std::variant<std::monostate, A...>& escolha, const TInfoEscolha& info,
               const std::string& chave) {
    Escolha(escolha, info);
    if (escolha.index() != 0 &&
        !NaListaLeiaute(info.Alternativas[escolha.index() - 1].Chaves, chave)) {
      Alerta(info.Nome, std::string("Grupo não corresponde a ") + info.Chave + " [" + chave + "]");
    }
  }

 private:
  // Gathers the attributes of one group as ` nome="valor"` text; everything else is skipped.
  struct TColetorAtributos {
    explicit TColetorAtributos(TEscritorNFe& escritor) : Escritor(escritor) {}
    void Atributo(const std::string& valor, const TInfoCampo& info);
    template <class... T>
    void Campo(const T&... /*ignorado*/) {}
    template <class... T>
    void Grupo(const T&... /*ignorado*/) {}
    template <class... T>
    void Sequencia(const T&... /*ignorado*/) {}
    template <class... T>
    void Escolha(const T&... /*ignorado*/) {}
    TEscritorNFe& Escritor;
    std::string Texto;
  };

  // A field with a value, or a mandatory one.
  void CampoPresente(const std::string& valor, const TInfoCampo& info);
  void CampoPresente(const TDecimal& valor, const TInfoCampo& info);
  void Ocorrencias(size_t quantidade, const char* nome, int minimo, int maximo);
  void Alerta(const std::string& nome, const std::string& mensagem);
  // The alerts of the accepted values and the check-digit rule of a field with text.
  void VerificarConteudo(const std::string& valor, const TInfoCampo& info);

  TGerador& FGerador;
  // The value handed to the generator, kept so that its text storage is reused field after field.
  TVariante FValor;
  // The group tag handed to the generator, kept for the same reason.
  std::string FTag;
};

}  // namespace nivra
