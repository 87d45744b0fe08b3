// The shared command-line options.
#include "app/linha_comando/opcoes_conexao.h"

#include "app/linha_comando/senha_terminal.h"
#include "nivranfe/util/uf.h"

namespace nivra {

bool LerOpcaoConexao(TLeitorArgumentos& leitor, const std::string& opcao, TOpcoesConexao& opcoes) {
  if (opcao == "--uf") {
    opcoes.UF = leitor.Valor(opcao);
    if (BuscarUF(opcoes.UF) == nullptr)
      throw EOpcaoInvalida("UF inválida: \"" + opcoes.UF +
                           "\" (use a sigla em maiúsculas, ex.: PR)");
  } else if (opcao == "--ambiente") {
    opcoes.Ambiente = Escolha<TkovTipoAmbiente>(opcao, leitor.Valor(opcao),
                                                {{"producao", TkovTipoAmbiente::taProducao},
                                                 {"homologacao", TkovTipoAmbiente::taHomologacao}});
  } else if (opcao == "--certificado") {
    opcoes.NumeroSerie = leitor.Valor(opcao);
  } else if (opcao == "--pfx") {
    opcoes.ArquivoPFX = leitor.Valor(opcao);
  } else if (opcao == "--servicos") {
    opcoes.ArquivoServicos = leitor.Valor(opcao);
  } else if (opcao == "--schemas") {
    opcoes.PastaSchemas = leitor.Valor(opcao);
  } else if (opcao == "--salvar") {
    opcoes.PastaSalvar = leitor.Valor(opcao);
  } else if (opcao == "--timeout") {
    opcoes.TimeOut = Milissegundos(opcao, leitor.Valor(opcao));
  } else if (opcao == "--verificar-servidor") {
    leitor.SemValor(opcao);
    opcoes.VerificarServidor = true;
  } else if (opcao == "--ca") {
    opcoes.ArquivoCA = leitor.Valor(opcao);
  } else if (opcao == "--json") {
    leitor.SemValor(opcao);
    opcoes.Json = true;
  } else {
    return false;
  }
  return true;
}

void ValidarOpcoesConexao(const TOpcoesConexao& opcoes, bool exigirCertificado) {
  if (!opcoes.ArquivoCA.empty() && !opcoes.VerificarServidor)
    throw EOpcaoInvalida("a opção --ca só vale com --verificar-servidor");
  if (!opcoes.NumeroSerie.empty() && !opcoes.ArquivoPFX.empty())
    throw EOpcaoInvalida("use --certificado ou --pfx, não os dois");
  if (exigirCertificado && opcoes.NumeroSerie.empty() && opcoes.ArquivoPFX.empty())
    throw EOpcaoInvalida(
        "informe o certificado: --certificado NUMERO_DE_SERIE (do repositório) ou --pfx ARQUIVO");
}

std::string SenhaDoCertificado(const TOpcoesConexao& opcoes) {
  return LerSenha(opcoes.ArquivoPFX.empty() ? "PIN do token (Enter se não houver): "
                                            : "Senha do certificado: ");
}

}  // namespace nivra
