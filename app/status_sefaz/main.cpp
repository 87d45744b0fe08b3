// status-sefaz: asks an authoriser whether its NF-e service is in operation, for servers,
// scripts and monitoring systems.
#include <iostream>
#include <string>
#include <vector>

#include "app/linha_comando/opcoes_conexao.h"
#include "app/linha_comando/programa.h"
#include "app/linha_comando/senha_terminal.h"
#include "app/status_sefaz/certificados.h"
#include "app/status_sefaz/consulta_status.h"
#include "app/status_sefaz/consulta_todas.h"
#include "app/status_sefaz/opcoes.h"
#include "app/status_sefaz/protecao_certificados.h"
#include "app/status_sefaz/saida.h"
#include "app/status_sefaz/saida_todas.h"

#ifndef NIVRA_VERSAO
#define NIVRA_VERSAO "0"
#endif

namespace {

int ConsultarTodasAsUFs(const TOpcoesStatus& opcoes) {
  const std::vector<TResultadoAutorizador> resultados =
      ConsultarTodas(opcoes, SenhaDoCertificado(opcoes));
  std::cout << (opcoes.Json ? JsonTodas(resultados) : TabelaTodas(resultados));
  return CodigoSaidaTodas(resultados);
}

int Consultar(const TOpcoesStatus& opcoes) {
  if (opcoes.Todas) return ConsultarTodasAsUFs(opcoes);
  TNivraNFe nfe;
  const std::string senha = SenhaDoCertificado(opcoes);
  ConfigurarComponente(nfe, opcoes, senha);
  const TResultadoStatus resultado = ConsultarStatus(nfe);
  if (!resultado.Erro.empty()) std::cerr << resultado.Erro << "\n";
  std::cout << (opcoes.Json ? JsonResultado(resultado) : TextoResultado(resultado));
  return CodigoSaida(resultado);
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
