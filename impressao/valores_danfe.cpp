// Amounts, taxes and texts of the DANFE.
#include "nivranfe/impressao/valores_danfe.h"

#include <optional>
#include <variant>
#include <vector>

namespace nivra {

namespace {

// Visits a part of the model and keeps each field's first value under the name of the
// outermost group it lies in ("ICMS/vBC").
class TColetorImposto : public TVisitanteLeitura<TColetorImposto> {
 public:
  explicit TColetorImposto(TCamposImposto& campos) : FCampos(campos) {}

  void Atributo(const std::string& /*valor*/, const TInfoCampo& /*info*/) {}
  void Campo(const std::string& valor, const TInfoCampo& info) { Guardar(valor, info); }
  void Campo(const std::vector<std::string>& /*valores*/, const TInfoCampo& /*info*/) {}
  void Campo(const TDecimal& valor, const TInfoCampo& info) {
    if (!valor.Vazio()) Guardar(valor.Texto(), info);
  }
  template <class T>
  void Grupo(const T& grupo, const TInfoGrupo& info) {
    const bool externo = FGrupo.empty();
    if (externo) FGrupo = info.Nome;
    Visitar(*this, grupo);
    if (externo) FGrupo.clear();
  }
  template <class T>
  void Grupo(const std::optional<T>& grupo, const TInfoGrupo& info) {
    if (grupo) Grupo(*grupo, info);
  }
  template <class T>
  void Grupo(const std::vector<T>& grupos, const TInfoGrupo& info) {
    for (const T& grupo : grupos) Grupo(grupo, info);
  }

 private:
  void Guardar(const std::string& valor, const TInfoCampo& info) {
    if (!valor.empty()) FCampos.emplace(FGrupo + "/" + info.Nome, valor);
  }

  TCamposImposto& FCampos;
  std::string FGrupo;
};

}  // namespace

std::string FormatarValor(const TDecimal& valor, int casas) {
  if (valor.Vazio()) return "";
  std::string texto = valor.Texto(casas);
  const bool negativo = !texto.empty() && texto[0] == '-';
  if (negativo) texto.erase(0, 1);
  const size_t ponto = texto.find('.');
  std::string inteiros = texto.substr(0, ponto);
  std::string resultado;
  for (size_t i = 0; i < inteiros.size(); ++i) {
    if (i > 0 && (inteiros.size() - i) % 3 == 0) resultado += '.';
    resultado += inteiros[i];
  }
  if (ponto != std::string::npos) resultado += "," + texto.substr(ponto + 1);
  return negativo ? "-" + resultado : resultado;
}

std::string FormatarQuantidade(const TDecimal& valor, int minimo) {
  return FormatarValor(valor, valor.Casas() > minimo ? valor.Casas() : minimo);
}

std::string FormatarCEP(std::string_view cep) {
  if (cep.size() != 8) return std::string(cep);
  return std::string(cep.substr(0, 5)) + "-" + std::string(cep.substr(5));
}

TCamposImposto CamposImposto(const nfe::Timposto& imposto) {
  TCamposImposto campos;
  TColetorImposto coletor(campos);
  Visitar(coletor, imposto);
  return campos;
}

std::string DescricaoFrete(std::string_view modFrete) {
  static const std::map<std::string, std::string, std::less<>> kDescricoes{
      {"0", "0 - POR CONTA DO EMITENTE"},
      {"1", "1 - POR CONTA DO DESTINATÁRIO"},
      {"2", "2 - POR CONTA DE TERCEIROS"},
      {"3", "3 - PRÓPRIO POR CONTA DO REMETENTE"},
      {"4", "4 - PRÓPRIO POR CONTA DO DESTINATÁRIO"},
      {"9", "9 - SEM OCORRÊNCIA DE TRANSPORTE"}};
  const auto achado = kDescricoes.find(modFrete);
  return achado == kDescricoes.end() ? std::string(modFrete) : achado->second;
}

std::string Endereco(std::string_view xLgr, std::string_view nro, std::string_view xCpl) {
  std::string texto(xLgr);
  if (!nro.empty()) texto += ", " + std::string(nro);
  if (!xCpl.empty()) texto += " - " + std::string(xCpl);
  return texto;
}

}  // namespace nivra
