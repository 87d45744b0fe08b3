// Command-line parsing of consulta-nfe.
#include "app/consulta_nfe/opcoes.h"

#include <map>
#include <optional>
#include <set>

#include "nivranfe/util/chave_acesso.h"
#include "nivranfe/util/documentos.h"
#include "nivranfe/util/texto.h"

namespace nivra {

namespace {

const std::map<std::string, TAcaoConsulta> kServicos = {
    {"situacao", TAcaoConsulta::Situacao},
    {"cadastro", TAcaoConsulta::Cadastro},
    {"distribuicao", TAcaoConsulta::Distribuicao}};

const std::map<std::string, TTipoDocumento> kDocumentos = {
    {"--cnpj", TTipoDocumento::CNPJ}, {"--cpf", TTipoDocumento::CPF}, {"--ie", TTipoDocumento::IE}};

const std::map<std::string, TPontoDistribuicao> kPontos = {
    {"--ultimo-nsu", TPontoDistribuicao::UltimoNSU},
    {"--nsu", TPontoDistribuicao::NSU},
    {"--chave", TPontoDistribuicao::Chave}};

// The options of kDocumentos and kPontos each service takes.
const std::map<TAcaoConsulta, std::set<std::string>> kProprias = {
    {TAcaoConsulta::Situacao, {}},
    {TAcaoConsulta::Cadastro, {"--cnpj", "--cpf", "--ie"}},
    {TAcaoConsulta::Distribuicao, {"--cnpj", "--cpf", "--ultimo-nsu", "--nsu", "--chave"}}};

// One of a group of options that exclude each other: another of the group is refused, the same
// one again replaces its value as any option does.
template <typename T>
void Escolher(std::optional<T>& escolhido, T valor, std::string& nomeEscolhido,
              const std::string& opcao) {
  if (escolhido && nomeEscolhido != opcao)
    throw EOpcaoInvalida("use " + nomeEscolhido + " ou " + opcao + ", não os dois");
  escolhido = valor;
  nomeEscolhido = opcao;
}

// A value as it is sent: upper case (the letters of a CNPJ, a key or "ISENTO" are capitals),
// and a CNPJ, CPF or IE without the ".", "/" and "-" people write in them.
std::string Normalizado(const std::string& opcao, const std::string& valor) {
  const std::string maiusculo = Maiusculas(valor);
  return kDocumentos.contains(opcao) ? CNPJSemMascara(maiusculo) : maiusculo;
}

bool IEValida(const std::string& ie) {
  return ie == "ISENTO" || (TextoSoDeDigitos(ie) && ie.size() >= 2 && ie.size() <= 14);
}

bool NSUValido(const std::string& nsu) { return TextoSoDeDigitos(nsu) && nsu.size() <= 15; }

// How each checked option's value must look, for the refusal's message.
struct TRegraValor {
  bool (*Valido)(const std::string&);
  const char* Forma;
};

const std::map<std::string, TRegraValor> kRegras = {
    {"--cnpj",
     {[](const std::string& v) { return CNPJValido(v); },
      "CNPJ de 14 caracteres, letras só nas 12 primeiras, com os dígitos verificadores certos"}},
    {"--cpf",
     {[](const std::string& v) { return CPFValido(v); },
      "CPF de 11 dígitos com os dígitos verificadores certos"}},
    {"--ie", {&IEValida, "de 2 a 14 dígitos, ou ISENTO"}},
    {"--ultimo-nsu", {&NSUValido, "número de 1 a 15 dígitos"}},
    {"--nsu", {&NSUValido, "número de 1 a 15 dígitos"}},
    {"--chave",
     {[](const std::string& v) { return ChaveNFeValida(v); },
      "chave de acesso de 44 caracteres de NF-e ou NFC-e, com o dígito verificador certo"}}};

// The option's value as it is sent; throws EOpcaoInvalida naming it when it is not valid.
std::string ValorConferido(const std::string& opcao, const std::string& valor) {
  std::string normalizado = Normalizado(opcao, valor);
  const TRegraValor& regra = kRegras.at(opcao);
  if (!regra.Valido(normalizado))
    throw EOpcaoInvalida("valor inválido para " + opcao + ": \"" + valor + "\" (" + regra.Forma +
                         ")");
  return normalizado;
}

TAcaoConsulta Servico(const std::vector<std::string>& argumentos) {
  if (argumentos.empty() || argumentos[0].starts_with("--"))
    throw EOpcaoInvalida("informe o serviço: situacao, cadastro ou distribuicao (veja --help)");
  return Escolha(std::string("o serviço"), argumentos[0], kServicos);
}

}  // namespace

TOpcoesConsulta LerOpcoesConsulta(const std::vector<std::string>& argumentos) {
  TOpcoesConsulta opcoes;
  if (const auto pedido = PedidoInformativo(argumentos)) {
    opcoes.Acao =
        *pedido == TPedidoInformativo::Ajuda ? TAcaoConsulta::Ajuda : TAcaoConsulta::Versao;
    return opcoes;
  }
  opcoes.Acao = Servico(argumentos);
  std::size_t inicio = 1;
  if (opcoes.Acao == TAcaoConsulta::Situacao) {
    if (argumentos.size() < 2 || argumentos[1].starts_with("--"))
      throw EOpcaoInvalida("informe a chave de acesso: consulta-nfe situacao CHAVE");
    opcoes.Chave = argumentos[1];
    inicio = 2;
  }
  const std::vector<std::string> resto(argumentos.begin() + static_cast<long>(inicio),
                                       argumentos.end());
  TLeitorArgumentos leitor(resto);
  std::optional<TTipoDocumento> documento;
  std::optional<TPontoDistribuicao> ponto;
  std::string nomeDocumento;
  std::string nomePonto;
  const std::set<std::string>& proprias = kProprias.at(opcoes.Acao);
  while (!leitor.Fim()) {
    const std::string opcao = leitor.ProximaOpcao();
    if (LerOpcaoConexao(leitor, opcao, opcoes)) continue;
    if (!kDocumentos.contains(opcao) && !kPontos.contains(opcao))
      throw EOpcaoInvalida("opção desconhecida: " + opcao + " (veja --help)");
    if (!proprias.contains(opcao))
      throw EOpcaoInvalida("a opção " + opcao + " não vale para " + argumentos[0]);
    if (const auto tipo = kDocumentos.find(opcao); tipo != kDocumentos.end()) {
      Escolher(documento, tipo->second, nomeDocumento, opcao);
      opcoes.Documento = leitor.Valor(opcao);
    } else {
      Escolher(ponto, kPontos.at(opcao), nomePonto, opcao);
      opcoes.Valor = leitor.Valor(opcao);
    }
  }
  if (opcoes.Acao != TAcaoConsulta::Situacao && !documento)
    throw EOpcaoInvalida(opcoes.Acao == TAcaoConsulta::Cadastro
                             ? "informe o contribuinte: --cnpj, --cpf ou --ie"
                             : "informe o interessado: --cnpj ou --cpf");
  if (opcoes.Acao == TAcaoConsulta::Distribuicao && !ponto)
    throw EOpcaoInvalida("informe de onde começar: --ultimo-nsu, --nsu ou --chave");
  opcoes.TipoDocumento = documento.value_or(TTipoDocumento::CNPJ);
  opcoes.Ponto = ponto.value_or(TPontoDistribuicao::UltimoNSU);
  if (documento) opcoes.Documento = ValorConferido(nomeDocumento, opcoes.Documento);
  if (ponto) opcoes.Valor = ValorConferido(nomePonto, opcoes.Valor);
  ValidarOpcoesConexao(opcoes, true);
  return opcoes;
}

std::string TextoAjudaConsulta() {
  return R"(Uso: consulta-nfe SERVIÇO [argumentos] [opções]
Consultas de NF-e que não alteram nada na SEFAZ.

Serviços:
  situacao CHAVE                situação de uma NF-e pela chave de acesso: protocolo,
                                cancelamento e eventos
  cadastro (--cnpj N | --cpf N | --ie N) [--uf UF]
                                cadastro de um contribuinte na UF (padrão PR)
  distribuicao (--cnpj N | --cpf N) (--ultimo-nsu N | --nsu N | --chave CHAVE)
                                documentos de interesse do CNPJ ou CPF no ambiente nacional:
                                os posteriores a um NSU, o de um NSU ou o de uma chave

CNPJ e chave podem ter letras (CNPJ alfanumérico, ex.: 12ABC34501DE35); o que é digitado passa
a maiúsculas. Um CNPJ, CPF, IE, NSU ou chave inválido é recusado antes de qualquer pedido.

Autorizador:
  --uf UF                       sigla da UF (padrão PR): a do cadastro e a do interessado
                                da distribuição; a situação usa a UF da chave
  --ambiente producao|homologacao
                                ambiente consultado (padrão producao)

Certificado (senha ou PIN na variável NIVRA_SENHA, ou perguntado no terminal):
  --certificado NUMERO_SERIE    certificado do repositório (A1) ou de um token (A3)
  --pfx ARQUIVO                 arquivo PKCS#12 (.pfx, .p12)

Outros:
  --servicos ARQ.ini            tabela de serviços que substitui a embutida
  --schemas PASTA               pasta dos schemas XSD
  --salvar PASTA                arquiva os pedidos e as respostas nesta pasta; na distribuição,
                                também os documentos recebidos
  --timeout MS                  tempo limite da requisição (padrão 10000)
  --verificar-servidor          verifica a cadeia e o nome do certificado do autorizador
  --ca ARQ                      com --verificar-servidor: confia só nas autoridades deste
                                arquivo PEM (sem ele, nas do sistema)
  --json                        resultado como um objeto JSON

  --help, --version

Saída: primeira linha "CSTAT - XMOTIVO", depois os demais campos.
Código de saída: 0 quando a SEFAZ respondeu com um código de sucesso do serviço (situação:
autorizada ou cancelada; cadastro: 111 ou 112; distribuição: 137 ou 138), 1 quando respondeu
com outro código, 3 para uma falha (a mensagem vai para a saída de erro).
)";
}

}  // namespace nivra
