// Asking every authoriser at once: one component per query on a small pool of threads.
#include "app/status_sefaz/consulta_todas.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <optional>
#include <thread>

#include "nivranfe/security/arquivo_pfx.h"
#include "nivranfe/security/dfe_ssl.h"
#include "nivranfe/util/excecoes.h"
#include "nivranfe/util/texto_arquivo.h"

namespace nivra {

namespace {

// Enough threads for every endpoint of the table to be in flight at once.
constexpr std::size_t kMaximoSimultaneas = 32;

// What every query takes from the first component instead of reading it again: the services
// table's lines and the certificate.
struct TCompartilhado {
  std::vector<std::string> Params;
  // The certificate, key and chain as PKCS#12 data without password; nullopt for a key on a
  // token, which cannot leave it.
  std::optional<std::string> PFX;
};

// Loads the certificate of `nfe` once and exports it in clear for the other components of this
// process: each then reads it without the key derivations of a protected file (most of a
// query's own CPU time otherwise).
std::optional<std::string> CertificadoEmMemoria(TNivraNFe& nfe, const std::string& senha) {
  std::string protegido;
  try {
    protegido = nfe.SSL().SSLCryptClass().CertPFXData();
  } catch (const ENivraDFeExceptionNoPrivateKey&) {
    return std::nullopt;
  }
  const TConteudoPFX conteudo = LerPFX(protegido, senha);
  return GerarPFXAberto(conteudo.Certificado.get(), conteudo.Chave.get(), conteudo.Cadeia);
}

TResultadoAutorizador Consultar(const TAutorizador& autorizador, const TOpcoesStatus& opcoes,
                                const std::string& senha, const TCompartilhado& compartilhado) {
  const auto inicio = std::chrono::steady_clock::now();
  TResultadoAutorizador resultado{autorizador, {}, 0};
  if (autorizador.URL.empty()) {
    resultado.Resultado.Erro = autorizador.Erro;
  } else {
    TOpcoesStatus daConsulta = opcoes;
    daConsulta.UF = autorizador.UFs.front();
    daConsulta.FormaEmissao = autorizador.FormaEmissao;
    if (compartilhado.PFX) {
      daConsulta.ArquivoPFX.clear();
      daConsulta.NumeroSerie.clear();
    }
    try {
      TNivraNFe nfe;
      ConfigurarComponente(nfe, daConsulta, compartilhado.PFX ? "" : senha);
      nfe.Configuracoes().WebServices().SetParams(compartilhado.Params);
      if (compartilhado.PFX) nfe.Configuracoes().Certificados().SetDadosPFX(*compartilhado.PFX);
      resultado.Resultado = ConsultarStatus(nfe);
    } catch (const std::exception& erro) {
      resultado.Resultado.Erro = erro.what();
    }
  }
  resultado.Milissegundos =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - inicio).count();
  return resultado;
}

// The component every query copies: configured from the options, its services table loaded.
void Preparar(TNivraNFe& modelo, const TOpcoesStatus& opcoes, const std::string& senha) {
  ConfigurarComponente(modelo, opcoes, senha);
  modelo.CarregarParametros(true);
}

std::vector<TAutorizador> Listar(TNivraNFe& modelo, TkovTipoAmbiente ambiente) {
  auto& webServices = modelo.Configuracoes().WebServices();
  const TServicosIni tabela(JuntarLinhas(webServices.Params()));
  return ListarAutorizadores(tabela, webServices.ResourceName(), modelo.GetNomeModeloDFe(),
                             ambiente);
}

std::vector<TResultadoAutorizador> ConsultarLista(TNivraNFe& modelo,
                                                  const std::vector<TAutorizador>& autorizadores,
                                                  const TOpcoesStatus& opcoes,
                                                  const std::string& senha) {
  const TCompartilhado compartilhado{modelo.Configuracoes().WebServices().Params(),
                                     CertificadoEmMemoria(modelo, senha)};
  std::vector<TResultadoAutorizador> resultados(autorizadores.size());
  std::atomic<std::size_t> proximo{0};
  const auto trabalhar = [&] {
    for (std::size_t i = proximo++; i < autorizadores.size(); i = proximo++)
      resultados[i] = Consultar(autorizadores[i], opcoes, senha, compartilhado);
  };
  const std::size_t simultaneas =
      compartilhado.PFX ? std::min(autorizadores.size(), kMaximoSimultaneas) : std::size_t{1};
  {
    std::vector<std::jthread> trabalhadores;
    for (std::size_t t = 1; t < simultaneas; ++t) trabalhadores.emplace_back(trabalhar);
    trabalhar();
  }
  return resultados;
}

}  // namespace

std::vector<TResultadoAutorizador> ConsultarTodas(const TOpcoesStatus& opcoes,
                                                  const std::string& senha) {
  TNivraNFe modelo;
  Preparar(modelo, opcoes, senha);
  return ConsultarLista(modelo, Listar(modelo, opcoes.Ambiente), opcoes, senha);
}

std::vector<TAutorizador> AutorizadoresDasOpcoes(const TOpcoesStatus& opcoes) {
  TNivraNFe modelo;
  Preparar(modelo, opcoes, "");
  return Listar(modelo, opcoes.Ambiente);
}

std::vector<TResultadoAutorizador> ConsultarAutorizadores(
    const TOpcoesStatus& opcoes, const std::string& senha,
    const std::vector<TAutorizador>& autorizadores) {
  TNivraNFe modelo;
  Preparar(modelo, opcoes, senha);
  return ConsultarLista(modelo, autorizadores, opcoes, senha);
}

int CodigoSaidaTodas(const std::vector<TResultadoAutorizador>& resultados) {
  int pior = resultados.empty() ? 3 : 0;
  for (const TResultadoAutorizador& r : resultados) pior = std::max(pior, CodigoSaida(r.Resultado));
  return pior;
}

}  // namespace nivra
