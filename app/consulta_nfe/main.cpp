// consulta-nfe: the read-only NF-e queries from a shell or a script: a document's situation, a
// taxpayer's registration, the national distribution of documents.
#include <iostream>
#include <string>
#include <vector>

#include "app/consulta_nfe/consultas.h"
#include "app/consulta_nfe/opcoes.h"
#include "app/consulta_nfe/saida.h"
#include "app/linha_comando/componente.h"
#include "app/linha_comando/programa.h"

#ifndef NIVRA_VERSAO
#define NIVRA_VERSAO "0"
#endif

using namespace nivra;

namespace {

TResultadoConsulta Executar(TNivraNFe& nfe, const TOpcoesConsulta& opcoes) {
  // A bad key is refused before the password is asked and before anything is sent.
  if (opcoes.Acao == TAcaoConsulta::Situacao) VerificarChave(nfe, opcoes.Chave);
  ConfigurarComponente(nfe, opcoes, SenhaDoCertificado(opcoes));
  if (opcoes.Acao == TAcaoConsulta::Cadastro) return ConsultarCadastro(nfe, opcoes);
  if (opcoes.Acao == TAcaoConsulta::Situacao) return ConsultarSituacao(nfe, opcoes.Chave);
  // The documents received are saved where the requests and answers go.
  nfe.Configuracoes().Arquivos().SetSalvar(!opcoes.PastaSalvar.empty());
  nfe.Configuracoes().Arquivos().SetSalvarEvento(!opcoes.PastaSalvar.empty());
  return ConsultarDistribuicao(nfe, opcoes);
}

int Consultar(const TOpcoesConsulta& opcoes) {
  TNivraNFe nfe;
  TResultadoConsulta resultado;
  try {
    resultado = Executar(nfe, opcoes);
  } catch (const std::exception& erro) {
    resultado.Desfecho = TDesfecho::Falha;
    resultado.Erro = erro.what();
  }
  if (!resultado.Erro.empty()) std::cerr << resultado.Erro << "\n";
  std::cout << (opcoes.Json ? JsonConsulta(opcoes.Acao, resultado)
                            : TextoConsulta(opcoes.Acao, resultado));
  return CodigoSaidaConsulta(resultado);
}

int Programa(const std::vector<std::string>& argumentos) {
  const TOpcoesConsulta opcoes = LerOpcoesConsulta(argumentos);
  if (opcoes.Acao == TAcaoConsulta::Ajuda) {
    std::cout << TextoAjudaConsulta();
    return 0;
  }
  if (opcoes.Acao == TAcaoConsulta::Versao) {
    std::cout << "consulta-nfe " << NIVRA_VERSAO << "\n";
    return 0;
  }
  return Consultar(opcoes);
}

}  // namespace

int main(int argc, char** argv) { return ExecutarPrograma("consulta-nfe", argc, argv, Programa); }
