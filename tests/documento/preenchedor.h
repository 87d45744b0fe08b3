// Fills every field, group and choice of a model document with values the layout accepts, so
// one document per alternative index covers every group and every tax situation.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "nivranfe/documento/chave_nfe.h"
#include "nivranfe/documento/decimal.h"
#include "nivranfe/documento/info_leiaute.h"
#include "nivranfe/util/chave_acesso.h"

namespace nivra {

class TPreenchedorNFe {
 public:
  // Every choice takes its alternative `alternativa` modulo the number it has.
  explicit TPreenchedorNFe(size_t alternativa) : FAlternativa(alternativa) {}

  void Atributo(std::string& valor, const TInfoCampo& info) { valor = Texto(info); }
  void Campo(std::string& valor, const TInfoCampo& info) {
    if (info.Tipo != TTipoCampoNFe::cXML) valor = Texto(info);
  }
  void Campo(std::vector<std::string>& valores, const TInfoCampo& info) {
    valores.assign(1, Texto(info));
  }
  void Campo(TDecimal& valor, const TInfoCampo& info) {
    valor = TDecimal(1).Arredondado(info.CasasMin);
  }
  template <class T>
  void Grupo(T& grupo, const TInfoGrupo& /*info*/) {
    Visitar(*this, grupo);
  }
  template <class T>
  void Grupo(std::optional<T>& grupo, const TInfoGrupo& info) {
    Grupo(grupo.emplace(), info);
  }
  template <class T>
  void Grupo(std::vector<T>& grupos, const TInfoGrupo& info) {
    grupos.resize(1);
    Grupo(grupos[0], info);
  }
  template <class T>
  void Sequencia(std::optional<T>& sequencia, const TInfoGrupo& /*info*/) {
    Visitar(*this, sequencia.emplace());
  }
  template <class... A>
  void Escolha(std::variant<std::monostate, A...>& escolha, const TInfoEscolha& info) {
    EscolherAlternativa(escolha, FAlternativa % info.Quantidade + 1);
    std::visit(
        [&](auto& valor) {
          if constexpr (!std::is_same_v<std::decay_t<decltype(valor)>, std::monostate>) {
            Visitar(*this, valor);
          }
        },
        escolha);
  }

 private:
  static std::string Texto(const TInfoCampo& info) {
    // Fields whose text follows a pattern of its own.
    static const std::map<std::string, std::string> kExemplos = {
        {"email", "fiscal@exemplo.com.br"},
        {"dhEmi", "2026-12-10T09:30:00-03:00"},
        {"cEAN", "SEM GTIN"},
        {"cEANTrib", "SEM GTIN"},
        {"NCM", "73181500"},
        {"NVE", "AB1234"},
        {"CFOP", "5102"},
        {"cBenef", "PR800001"},
        {"cCredPresumido", "PR800001"},
        {"cBenefRBC", "PR800001"},
        {"placa", "ABC1D23"},
        {"ref", "12/2026"},
        {"competApur", "2026-12"},
        {"cListServ", "01.01"},
        {"nFCI", "12345678-ABCD-1234-ABCD-123456789012"},
        {"cProdANVISA", "ISENTO"},
        {"Id", ""},
        {"AAMM", "2612"},
        {"UF", "PR"},
        {"versao", "4.00"},
        {"hashCSRT", "QUJDREVGR0hJSktMTU5PUFFSU1Q="},
        {"IE", "1234567890"},
        {"idEstrangeiro", "ABCDE"},
        {"qrCode", "https://www.fazenda.pr.gov.br/nfce/qrcode?p=" + Chave() + "|2|2|1|" +
                       std::string(40, 'F')},
        {"chNFe", ""},
        {"dVenc", "2026-12-31"},
        {"dPag", "2026-12-10"},
        {"cMun", "4106902"},
        {"cMunFG", "4106902"},
    };
    const auto exemplo = kExemplos.find(info.Nome);
    // An example stands unless the field lists other accepted values (an event's versao).
    if (exemplo != kExemplos.end() && !exemplo->second.empty() &&
        (*info.Valores == '\0' || NaListaLeiaute(info.Valores, exemplo->second))) {
      return exemplo->second;
    }
    const std::string formato = info.Formato;
    if (formato == "cnpj") return "12ABC34501DE35";
    if (formato == "cpf") return "12345678909";
    if (formato == "chave") {
      const std::string prefixo =
          "41261212ABC34501DE35550010000001231"
          "00000001";
      return prefixo + std::to_string(DigitoChaveAcesso(prefixo));
    }
    if (*info.Valores) {
      const std::string valores = info.Valores;
      return valores.substr(1, valores.find('|', 1) - 1);
    }
    switch (info.Tipo) {
      case TTipoCampoNFe::cDataHora:
        return "2026-12-10T09:30:00-03:00";
      case TTipoCampoNFe::cData:
        return "2026-12-10";
      case TTipoCampoNFe::cDigitos:
        return std::string(static_cast<size_t>(std::max(info.Minimo, 1)), '1');
      case TTipoCampoNFe::cBase64:
        return "QUJD";
      default:
        return std::string(static_cast<size_t>(std::max(info.Minimo, 1)), 'A');
    }
  }

  static std::string Chave() {
    const std::string prefixo =
        "41261212ABC34501DE35550010000001231"
        "00000001";
    return prefixo + std::to_string(DigitoChaveAcesso(prefixo));
  }

  size_t FAlternativa;
};

}  // namespace nivra
