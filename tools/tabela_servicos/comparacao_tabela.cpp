// Resolves each listed service in the table and collects the addresses that differ.
#include "tools/tabela_servicos/comparacao_tabela.h"

#include <stdexcept>

#include "nivranfe/dfe/servicos_resolucao.h"
#include "nivranfe/util/excecoes.h"

namespace nivra {

namespace {

// The layout version the component asks the table for.
constexpr double kVersaoLeiaute = 4.00;

// Element names of the list -> service names of the table.
const std::map<std::string, std::string, std::less<>> kServicos = {
    {"NfeStatusServico", "NfeStatusServico"},
    {"NfeAutorizacao", "NfeAutorizacao"},
    {"NfeRetAutorizacao", "NfeRetAutorizacao"},
    {"NfeInutilizacao", "NfeInutilizacao"},
    {"NfeConsultaProtocolo", "NfeConsultaProtocolo"},
    {"RecepcaoEvento", "RecepcaoEvento"},
    {"NfeConsultaCadastro", "NfeConsultaCadastro"},
    {"NfeDistribuicaoDFe", "NFeDistribuicaoDFe"},
    {"NfeConsultaDest", "NfeConsultaDest"},
    {"NfeDownloadNF", "NfeDownloadNF"},
    {"RecepcaoEPEC", "EventoEPEC"},
    {"CscNFCe", "AdministrarCSCNFCe"},
    {"NfeConsultaQR", "URL-QRCode"},
};

std::string ParteDaSecao(const std::string& codigo) {
  if (codigo == "SVCAN") return "SVC-AN";
  if (codigo == "SVCRS") return "SVC-RS";
  return codigo;
}

using TEnderecosPorServico = std::map<std::string, std::string>;

TEnderecosPorServico Esperados(const std::vector<TEnderecoLista>& lista, const std::string& codigo,
                               const std::string& autorizador, char ambiente) {
  TEnderecosPorServico esperados;
  for (const std::string& sigla : {autorizador, codigo}) {
    for (const TEnderecoLista& e : lista) {
      if (e.Sigla == sigla && e.Ambiente == ambiente) esperados[e.Servico] = e.URL;
    }
  }
  return esperados;
}

}  // namespace

TResultadoComparacao CompararTabela(const TServicosIni& tabela, std::string_view nomeTabela,
                                    std::string_view modelo,
                                    const std::vector<TEnderecoLista>& lista,
                                    const std::map<std::string, std::string>& autorizadores) {
  std::string prefixo;
  if (modelo == "55") {
    prefixo = "NFe";
  } else if (modelo == "65") {
    prefixo = "NFCe";
  } else {
    throw std::invalid_argument("Modelo desconhecido: " + std::string(modelo));
  }

  TResultadoComparacao resultado;
  for (const auto& [codigo, autorizador] : autorizadores) {
    for (const char ambiente : {'P', 'H'}) {
      const std::string secao = prefixo + "_" + ParteDaSecao(codigo) + "_" + ambiente;
      for (const auto& [elemento, url] : Esperados(lista, codigo, autorizador, ambiente)) {
        const auto servico = kServicos.find(elemento);
        if (servico == kServicos.end()) {
          resultado.Ignorados.push_back(elemento + " em " + secao);
          continue;
        }
        std::string naTabela;
        try {
          naTabela =
              ResolverEnderecoServico(tabela, nomeTabela, secao, servico->second, kVersaoLeiaute)
                  .URL;
        } catch (const ENivraDFeException& e) {
          naTabela = std::string("erro: ") + e.what();
        }
        ++resultado.Conferidos;
        if (naTabela != url) {
          resultado.Diferencas.push_back({secao, servico->second, naTabela, url});
        }
      }
    }
  }
  return resultado;
}

}  // namespace nivra
