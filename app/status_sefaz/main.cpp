// status-sefaz: asks an authoriser whether its NF-e service is in operation, for servers,
// scripts and monitoring systems.
#include <chrono>
#include <iostream>
#include <string>
#include <vector>

#include "app/linha_comando/opcoes_conexao.h"
#include "app/linha_comando/programa.h"
#include "app/linha_comando/senha_terminal.h"
#include "app/status_sefaz/certificados.h"
#include "app/status_sefaz/consulta_status.h"
#include "app/status_sefaz/consulta_todas.h"
#include "app/status_sefaz/historico_resultados.h"
#include "app/status_sefaz/opcoes.h"
#include "app/status_sefaz/protecao_certificados.h"
#include "app/status_sefaz/saida.h"
#include "app/status_sefaz/saida_monitoramento.h"
#include "app/status_sefaz/saida_todas.h"
#include "nivranfe/util/arquivos.h"

#ifndef NIVRA_VERSAO
#define NIVRA_VERSAO "0"
#endif

using namespace nivra;

namespace {

// The single query of the options' UF (or contingency authoriser), timed like those of --todas.
TResultadoAutorizador ConsultarUma(const TOpcoesStatus& opcoes) {
  TNivraNFe nfe;
  const std::string senha = SenhaDoCertificado(opcoes);
  ConfigurarComponente(nfe, opcoes, senha);
  TResultadoAutorizador resultado;
  resultado.Autorizador.Nome = opcoes.FormaEmissao == TkovTipoEmissao::teSVCAN   ? "SVC-AN"
                               : opcoes.FormaEmissao == TkovTipoEmissao::teSVCRS ? "SVC-RS"
                                                                                 : opcoes.UF;
  resultado.Autorizador.UFs = {opcoes.UF};
  const auto inicio = std::chrono::steady_clock::now();
  resultado.Resultado = ConsultarStatus(nfe);
  resultado.Milissegundos =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - inicio).count();
  if (!resultado.Resultado.Erro.empty()) std::cerr << resultado.Resultado.Erro << "\n";
  return resultado;
}

std::string TextoDaSaida(const TOpcoesStatus& opcoes,
                         const std::vector<TResultadoAutorizador>& resultados) {
  switch (opcoes.Saida.Formato) {
    case TFormatoStatus::Prometheus:
      return TextoPrometheus(resultados, opcoes.Ambiente, opcoes.Modelo);
    case TFormatoStatus::Nagios:
      return LinhaNagios(resultados);
    case TFormatoStatus::Json:
      return opcoes.Todas ? JsonTodas(resultados) : JsonResultado(resultados.front().Resultado);
    case TFormatoStatus::Texto:
      break;
  }
  return opcoes.Todas ? TabelaTodas(resultados) : TextoResultado(resultados.front().Resultado);
}

int Consultar(const TOpcoesStatus& opcoes) {
  const std::vector<TResultadoAutorizador> resultados =
      opcoes.Todas ? ConsultarTodas(opcoes, SenhaDoCertificado(opcoes))
                   : std::vector{ConsultarUma(opcoes)};
  if (!opcoes.Saida.ArquivoHistorico.empty()) {
    THistoricoStatus historico(opcoes.Saida.ArquivoHistorico, std::cerr);
    GravarResultados(historico, resultados, opcoes.Ambiente, opcoes.Modelo, InstanteAtual());
  }
  const std::string texto = TextoDaSaida(opcoes, resultados);
  if (opcoes.Saida.Arquivo.empty())
    std::cout << texto;
  else
    GravarArquivoAtomico(opcoes.Saida.Arquivo, texto, 0644);
  return CodigoSaidaTodas(resultados);
}

int Executar(const TOpcoesStatus& opcoes) {
  switch (opcoes.Acao) {
    case TAcaoStatus::Ajuda:
      std::cout << TextoAjuda();
      return 0;
    case TAcaoStatus::Versao:
      std::cout << "status-sefaz " << NIVRA_VERSAO << "\n";
      return 0;
    case TAcaoStatus::ListarCertificados: {
      TNivraNFe nfe;
      nfe.Configuracoes().Geral().SetSSLLib(TSSLLib::libWinCrypt);
      ListarCertificados(nfe, std::cout);
      return 0;
    }
    case TAcaoStatus::ImportarCertificado:
      ImportarCertificado(opcoes.ArquivoImportar, LerSenha("Senha do arquivo: "),
                          opcoes.ExigirChaveiro ? TProtecaoEntrada::ExigirChaveiro
                                                : TProtecaoEntrada::SeHouverChaveiro,
                          std::cout);
      return 0;
    case TAcaoStatus::ProtegerCertificados:
      return ProtegerCertificados(std::cout);
    case TAcaoStatus::RemoverCertificado:
      RemoverCertificado(opcoes.SerieRemover, std::cout);
      return 0;
    case TAcaoStatus::Consultar:
      break;
  }
  return Consultar(opcoes);
}

}  // namespace

int main(int argc, char** argv) {
  return ExecutarPrograma(
      "status-sefaz", argc, argv,
      [](const std::vector<std::string>& argumentos) { return Executar(LerOpcoes(argumentos)); });
}
