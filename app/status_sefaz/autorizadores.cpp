// Listing the distinct status endpoints of a services table.
#include "app/status_sefaz/autorizadores.h"

#include <algorithm>
#include <exception>
#include <map>

#include "app/contingencia_svc.h"
#include "nivranfe/dfe/servicos_resolucao.h"
#include "nivranfe/util/uf.h"

namespace nivra {

namespace {

constexpr std::string_view kServico = "NfeStatusServico";
constexpr double kVersao = 4.00;

// The authoriser's part of the section that holds the service's address, following "Usar" from
// `secao` as the resolution does ("NFe_SVRS_P" gives "SVRS").
std::string NomeDoAutorizador(const TServicosIni& tabela, std::string secao,
                              std::string_view modelo) {
  for (int passos = 0; passos < 16; ++passos) {
    double versao = kVersao;
    if (!LerChaveDeServico(tabela, secao, kServico, versao).empty()) break;
    const std::string usar = tabela.Ler(secao, "Usar");
    if (usar.empty()) break;
    secao = usar;
  }
  const std::size_t inicio = modelo.size() + 1;
  if (secao.size() <= inicio + 2) return secao;
  return secao.substr(inicio, secao.size() - inicio - 2);
}

// The endpoint of the section of `parteUF`, or an entry carrying the failure.
TAutorizador Resolver(const TServicosIni& tabela, std::string_view nomeRecurso,
                      std::string_view modelo, TkovTipoAmbiente ambiente,
                      const std::string& parteUF) {
  TAutorizador autorizador;
  autorizador.Nome = parteUF;
  try {
    const std::string secao = NomeSecaoServicos(modelo, parteUF, ambiente);
    autorizador.URL = ResolverEnderecoServico(tabela, nomeRecurso, secao, kServico, kVersao).URL;
    autorizador.Nome = NomeDoAutorizador(tabela, secao, modelo);
  } catch (const std::exception& erro) {
    autorizador.Erro = erro.what();
  }
  return autorizador;
}

// Adds `novo` to the entry with the same address, or as a new entry.
void Juntar(std::vector<TAutorizador>& lista, std::map<std::string, std::size_t>& porURL,
            TAutorizador novo) {
  const auto existente = novo.URL.empty() ? porURL.end() : porURL.find(novo.URL);
  if (existente == porURL.end()) {
    if (!novo.URL.empty()) porURL.emplace(novo.URL, lista.size());
    lista.push_back(std::move(novo));
    return;
  }
  TAutorizador& destino = lista[existente->second];
  if (("/" + destino.Nome + "/").find("/" + novo.Nome + "/") == std::string::npos)
    destino.Nome += "/" + novo.Nome;
  destino.UFs.insert(destino.UFs.end(), novo.UFs.begin(), novo.UFs.end());
}

}  // namespace

std::vector<TAutorizador> ListarAutorizadores(const TServicosIni& tabela,
                                              std::string_view nomeRecurso, std::string_view modelo,
                                              TkovTipoAmbiente ambiente) {
  std::vector<TAutorizador> lista;
  std::map<std::string, std::size_t> porURL;
  std::vector<std::string> doSVCAN;
  std::vector<std::string> doSVCRS;
  for (const TUFInfo& uf : TabelaUF()) {
    const std::string sigla(uf.Sigla);
    TAutorizador autorizador = Resolver(tabela, nomeRecurso, modelo, ambiente, sigla);
    autorizador.UFs = {sigla};
    Juntar(lista, porURL, std::move(autorizador));
    (AtendidaPeloSVCRS(sigla) ? doSVCRS : doSVCAN).push_back(sigla);
  }
  const struct {
    const char* Nome;
    TkovTipoEmissao Forma;
    std::vector<std::string>& UFs;
  } contingencias[] = {{"SVC-AN", TkovTipoEmissao::teSVCAN, doSVCAN},
                       {"SVC-RS", TkovTipoEmissao::teSVCRS, doSVCRS}};
  for (const auto& contingencia : contingencias) {
    if (!tabela.SecaoExiste(NomeSecaoServicos(modelo, contingencia.Nome, ambiente))) continue;
    TAutorizador autorizador = Resolver(tabela, nomeRecurso, modelo, ambiente, contingencia.Nome);
    autorizador.UFs = contingencia.UFs;
    autorizador.FormaEmissao = contingencia.Forma;
    Juntar(lista, porURL, std::move(autorizador));
  }
  for (TAutorizador& autorizador : lista) {
    std::sort(autorizador.UFs.begin(), autorizador.UFs.end());
    autorizador.UFs.erase(std::unique(autorizador.UFs.begin(), autorizador.UFs.end()),
                          autorizador.UFs.end());
  }
  std::stable_sort(lista.begin(), lista.end(), [](const TAutorizador& a, const TAutorizador& b) {
    return a.UFs.front() < b.UFs.front();
  });
  return lista;
}

}  // namespace nivra
