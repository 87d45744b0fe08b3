// Command-line parsing of documento-nfe.
#include "app/documento_nfe/opcoes.h"

#include <map>

namespace {

const std::map<std::string, TAcaoDocumento> kAcoes = {{"gerar", TAcaoDocumento::Gerar},
                                                      {"json", TAcaoDocumento::Json},
                                                      {"validar", TAcaoDocumento::Validar}};

}  // namespace

TOpcoesDocumento LerOpcoesDocumento(const std::vector<std::string>& argumentos) {
  TOpcoesDocumento opcoes;
  if (const auto pedido = PedidoInformativo(argumentos)) {
    opcoes.Acao =
        *pedido == TPedidoInformativo::Ajuda ? TAcaoDocumento::Ajuda : TAcaoDocumento::Versao;
    return opcoes;
  }
  if (argumentos.empty() || argumentos[0].starts_with("-"))
    throw EOpcaoInvalida("informe a ação: gerar, json ou validar (veja --help)");
  opcoes.Acao = Escolha(std::string("a ação"), argumentos[0], kAcoes);
  if (argumentos.size() < 2 || argumentos[1].starts_with("-"))
    throw EOpcaoInvalida("informe o arquivo: documento-nfe " + argumentos[0] + " ARQUIVO");
  opcoes.Arquivo = argumentos[1];
  std::vector<std::string> resto(argumentos.begin() + 2, argumentos.end());
  // The short form of the output file, as compilers take it.
  for (std::string& argumento : resto) {
    if (argumento == "-o") argumento = "--saida";
  }
  TLeitorArgumentos leitor(resto);
  while (!leitor.Fim()) {
    const std::string opcao = leitor.ProximaOpcao();
    if (opcao == "--saida" && opcoes.Acao == TAcaoDocumento::Gerar) {
      opcoes.Saida = leitor.Valor(opcao);
    } else if (!LerOpcaoConexao(leitor, opcao, opcoes)) {
      throw EOpcaoInvalida("opção desconhecida para " + argumentos[0] + ": " + opcao);
    }
  }
  ValidarOpcoesConexao(opcoes, false);
  return opcoes;
}

std::string TextoAjudaDocumento() {
  return "Uso: documento-nfe AÇÃO ARQUIVO [opções]\n"
         "\n"
         "Ações:\n"
         "  gerar NOTA.json     o XML da NF-e do modelo em JSON, com chave e Id; assinado\n"
         "                      quando um certificado é informado\n"
         "  json NOTA.xml       o modelo da NF-e (NFe ou nfeProc) ou do evento (evento ou\n"
         "                      procEventoNFe) em JSON\n"
         "  validar NOTA.xml    alertas do leiaute, assinatura e schema da NF-e ou do evento\n"
         "\n"
         "Opções:\n"
         "  -o, --saida ARQ     gerar: grava o XML em ARQ (sem ela, na saída padrão)\n"
         "  --pfx ARQ           certificado A1 em arquivo PKCS#12\n"
         "  --certificado SÉRIE certificado do repositório pelo número de série\n"
         "  --schemas PASTA     pasta dos schemas (validar)\n"
         "  --json              resultado em JSON\n"
         "  --help, --version\n"
         "\n"
         "Saída: 0 sem problemas; 1 documento inválido (validar); 3 alertas do leiaute (gerar)\n"
         "ou falha (arquivo ilegível, opção inválida, certificado).\n";
}
