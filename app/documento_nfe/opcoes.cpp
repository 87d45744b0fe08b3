// Command-line parsing of documento-nfe.
#include "app/documento_nfe/opcoes.h"

#include <map>

namespace nivra {

namespace {

const std::map<std::string, TAcaoDocumento> kAcoes = {{"danfe", TAcaoDocumento::Danfe},
                                                      {"email", TAcaoDocumento::Email},
                                                      {"gerar", TAcaoDocumento::Gerar},
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
    throw EOpcaoInvalida("informe a ação: gerar, json, validar, danfe ou email (veja --help)");
  opcoes.Acao = Escolha(std::string("a ação"), argumentos[0], kAcoes);
  if (argumentos.size() < 2 || argumentos[1].starts_with("-"))
    throw EOpcaoInvalida("informe o arquivo: documento-nfe " + argumentos[0] + " ARQUIVO");
  opcoes.Arquivo = argumentos[1];
  std::vector<std::string> resto(argumentos.begin() + 2, argumentos.end());
  // The short form of the output file, as compilers take it.
  for (std::string& argumento : resto) {
    if (argumento == "-o") argumento = "--saida";
  }
  const bool email = opcoes.Acao == TAcaoDocumento::Email;
  const bool imprime = email || opcoes.Acao == TAcaoDocumento::Danfe;
  const bool grava = opcoes.Acao == TAcaoDocumento::Gerar || opcoes.Acao == TAcaoDocumento::Danfe;
  TLeitorArgumentos leitor(resto);
  while (!leitor.Fim()) {
    const std::string opcao = leitor.ProximaOpcao();
    if (opcao == "--saida" && grava) {
      opcoes.Saida = leitor.Valor(opcao);
      continue;
    }
    // Each action's own options first: e-mail's --ca names the mail server's authorities.
    const bool lida = (imprime && LerOpcaoImpressao(leitor, opcao, opcoes.Impressao)) ||
                      (email && LerOpcaoEmail(leitor, opcao, opcoes.Email)) ||
                      LerOpcaoConexao(leitor, opcao, opcoes);
    if (!lida) throw EOpcaoInvalida("opção desconhecida para " + argumentos[0] + ": " + opcao);
  }
  ValidarOpcoesConexao(opcoes, false);
  if (opcoes.Acao == TAcaoDocumento::Email && opcoes.Email.Para.empty())
    throw EOpcaoInvalida("informe o destinatário: --para ENDEREÇO (pode repetir)");
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
         "  danfe DOC.xml       o PDF do documento: DANFE (NF-e), DANFCE (NFC-e), evento\n"
         "                      (carta de correção, cancelamento) ou inutilização\n"
         "  email DOC.xml       envia o XML e o seu PDF por e-mail\n"
         "\n"
         "Opções:\n"
         "  -o, --saida ARQ     gerar: grava o XML em ARQ (sem ela, na saída padrão);\n"
         "                      danfe: grava o PDF em ARQ (sem ela, CHAVE-nfe.pdf na pasta atual)\n"
         "  --pfx ARQ           certificado A1 em arquivo PKCS#12\n"
         "  --certificado SÉRIE certificado do repositório pelo número de série\n"
         "  --schemas PASTA     pasta dos schemas (validar)\n"
         "  --json              resultado em JSON\n"
         "  --help, --version\n"
         "\n"
         "Impressão (danfe, email):\n"
         "  --paisagem          DANFE em folha deitada\n"
         "  --logo ARQ          logotipo do emitente (PNG ou JPEG)\n"
         "  --bobina 80|58      largura do papel do DANFCE em mm (80)\n"
         "  --cancelada         DANFE marcado como NF-e cancelada\n"
         "\n"
         "E-mail (email):\n"
         "  --para ENDEREÇO     destinatário (obrigatório; pode repetir)\n"
         "  --cc ENDEREÇO       cópia (pode repetir)\n"
         "  --assunto TEXTO     assunto (sem ela, a descrição do documento)\n"
         "  --mensagem TEXTO    texto da mensagem\n"
         "  --sem-danfe         só o XML, sem o PDF\n"
         "  --config ARQ        configuração com a seção [Email] (sem ela,\n"
         "                      ~/.config/documento-nfe/documento-nfe.ini, quando existe)\n"
         "  --servidor URL      smtp://HOST[:PORTA] (exige STARTTLS) ou smtps://HOST[:PORTA]\n"
         "  --usuario NOME      login no servidor; a senha vem de NIVRA_SMTP_SENHA ou é\n"
         "                      perguntada no terminal, nunca na linha de comando\n"
         "  --de ENDEREÇO       remetente\n"
         "  --ca ARQ            autoridades que validam o certificado do servidor\n"
         "\n"
         "Saída: 0 sem problemas; 1 documento inválido (validar); 3 alertas do leiaute (gerar)\n"
         "ou falha (arquivo ilegível, opção inválida, certificado, servidor de e-mail).\n";
}

}  // namespace nivra
