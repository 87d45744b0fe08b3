// Key lookup and redirection walk of the services table.
#include "nivranfe/dfe/servicos_resolucao.h"

#include <algorithm>
#include <vector>

#include "nivranfe/util/excecoes.h"
#include "nivranfe/util/numeros.h"
#include "nivranfe/util/texto.h"

namespace nivra {

namespace {

// Reads URL, namespace and action of `servico` in `secao`; `versao` follows each of the three
// lookups, so a namespace section without the service leaves it at 0.
TEnderecoServico LerSecao(const TServicosIni& ini, const std::string& secao,
                          std::string_view servico, double versao) {
  // Without a "WSDL" or "SoapAction" key there is no section to read: a section without a name
  // in the table must not stand in for it.
  const auto lerDaSecaoNomeada = [&](const char* chave) {
    const std::string nomeada = ini.Ler(secao, chave);
    return nomeada.empty() ? std::string() : LerChaveDeServico(ini, nomeada, servico, versao);
  };
  TEnderecoServico endereco;
  endereco.URL = LerChaveDeServico(ini, secao, servico, versao);
  endereco.Servico = lerDaSecaoNomeada("WSDL");
  endereco.SoapAction = lerDaSecaoNomeada("SoapAction");
  endereco.Versao = versao;
  return endereco;
}

std::string EntreAspas(std::string_view texto) { return "\"" + std::string(texto) + "\""; }

}  // namespace

std::string ChaveDeServico(std::string_view servico, double versao) {
  return std::string(servico) + "_" + DecimalParaTexto('.', "0.00", versao);
}

std::string NomeSecaoServicos(std::string_view modeloDFe, std::string_view uf,
                              TkovTipoAmbiente tipoAmbiente) {
  if (modeloDFe.empty()) throw ENivraDFeException("ModeloDFe não pode ser vazio");
  if (uf.empty()) throw ENivraDFeException("UF não pode ser vazia");
  const char* sufixo = tipoAmbiente == TkovTipoAmbiente::taProducao ? "P" : "H";
  return std::string(modeloDFe) + "_" + std::string(uf) + "_" + sufixo;
}

std::string LerChaveDeServico(const TServicosIni& ini, std::string_view secao,
                              std::string_view servico, double& versao) {
  if (!ini.SecaoExiste(secao)) return {};
  const double desejada = versao;
  double achada = 0;
  std::string chave = ChaveDeServico(servico, desejada);
  if (!ini.Ler(secao, chave).empty()) achada = desejada;

  if (achada == 0) {
    const std::string prefixo = std::string(servico) + "_";
    for (const TServicosIni::TEntrada& entrada : ini.Entradas(secao)) {
      if (entrada.Chave.compare(0, prefixo.size(), prefixo) != 0) continue;
      const double numero = TextoParaDecimal(entrada.Chave.substr(prefixo.size()), 0);
      if (numero > achada && numero <= desejada) {
        achada = numero;
        chave = entrada.Chave;
      }
    }
  }

  versao = achada;
  return ini.Ler(secao, achada <= 0 ? std::string(servico) : chave);
}

TEnderecoServico ResolverEnderecoServico(const TServicosIni& ini, std::string_view nomeRecurso,
                                         const std::string& secao, std::string_view servico,
                                         double versao) {
  std::string atual = secao;
  TEnderecoServico endereco = LerSecao(ini, atual, servico, versao);
  std::vector<std::string> visitadas;
  while (endereco.URL.empty()) {
    if (!atual.empty()) {
      // Whole names, compared as the table compares them: a section whose name merely
      // appears inside a visited one is not a repetition.
      const bool repetida =
          std::any_of(visitadas.begin(), visitadas.end(),
                      [&](const std::string& visitada) { return IguaisSemCaixa(visitada, atual); });
      if (repetida) {
        throw ENivraDFeException("Redirecionamento circular detectado: Sessão " +
                                 EntreAspas(atual) + " no arquivo " + EntreAspas(nomeRecurso));
      }
      visitadas.push_back(atual);
    }
    // An empty name ends the chain even when the table holds a section without a name; walking
    // into that section would go round forever, as an empty name is never marked as visited.
    if (atual.empty() || !ini.SecaoExiste(atual)) {
      throw ENivraDFeException("Sessão " + EntreAspas(atual) + ", não encontrada no arquivo " +
                               EntreAspas(nomeRecurso));
    }
    atual = ini.Ler(atual, "Usar");
    if (!atual.empty()) endereco = LerSecao(ini, atual, servico, versao);
  }
  return endereco;
}

}  // namespace nivra
