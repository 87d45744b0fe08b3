// Reading the command line of sefaz-simulador.
#include "tools/simulador/opcoes.h"

#include <charconv>
#include <functional>
#include <map>
#include <string_view>
#include <system_error>

namespace nivra {

namespace {

// The integer of the whole text, within [minimo, maximo]; throws EOpcaoInvalida naming the
// option otherwise.
int LerInteiro(std::string_view opcao, std::string_view texto, int minimo, int maximo) {
  int valor = 0;
  const auto [fim, erro] = std::from_chars(texto.data(), texto.data() + texto.size(), valor);
  if (texto.empty() || erro != std::errc() || fim != texto.data() + texto.size() ||
      valor < minimo || valor > maximo) {
    throw EOpcaoInvalida("Valor inválido para " + std::string(opcao) + ": \"" + std::string(texto) +
                         "\" (esperado um número de " + std::to_string(minimo) + " a " +
                         std::to_string(maximo) + ")");
  }
  return valor;
}

// The codes of a comma-separated list such as "107,108,109".
std::vector<int> LerCenario(std::string_view texto, std::string_view opcao = "--cenario") {
  std::vector<int> codigos;
  std::string_view resto = texto;
  while (true) {
    const size_t virgula = resto.find(',');
    codigos.push_back(LerInteiro(opcao, resto.substr(0, virgula), 100, 999));
    if (virgula == std::string_view::npos) {
      return codigos;
    }
    resto.remove_prefix(virgula + 1);
  }
}

// The value of an option that takes one of a fixed set of names.
template <typename T>
T LerEscolha(std::string_view opcao, std::string_view texto,
             const std::map<std::string_view, T>& escolhas) {
  const auto encontrada = escolhas.find(texto);
  if (encontrada != escolhas.end()) {
    return encontrada->second;
  }
  std::string nomes;
  for (const auto& [nome, valor] : escolhas) {
    nomes += (nomes.empty() ? "" : ", ") + std::string(nome);
  }
  throw EOpcaoInvalida("Valor inválido para " + std::string(opcao) + ": \"" + std::string(texto) +
                       "\" (esperado um de: " + nomes + ")");
}

using TLeitorValor = std::function<void(TOpcoesSimulador&, std::string_view)>;

const std::map<std::string_view, TLeitorValor>& OpcoesComValor() {
  static const std::map<std::string_view, TLeitorValor> opcoes{
      {"--porta", [](TOpcoesSimulador& o,
                     std::string_view v) { o.Porta = LerInteiro("--porta", v, 0, 65535); }},
      {"--cert", [](TOpcoesSimulador& o, std::string_view v) { o.Certificado = v; }},
      {"--chave", [](TOpcoesSimulador& o, std::string_view v) { o.Chave = v; }},
      {"--ca-clientes", [](TOpcoesSimulador& o, std::string_view v) { o.CAClientes = v; }},
      {"--cenario", [](TOpcoesSimulador& o, std::string_view v) { o.Cenario = LerCenario(v); }},
      {"--recibo",
       [](TOpcoesSimulador& o, std::string_view v) { o.Recibo = LerCenario(v, "--recibo"); }},
      {"--inutilizacao",
       [](TOpcoesSimulador& o, std::string_view v) {
         o.Inutilizacao = LerCenario(v, "--inutilizacao");
       }},
      {"--resposta", [](TOpcoesSimulador& o, std::string_view v) { o.Resposta = v; }},
      {"--http-status",
       [](TOpcoesSimulador& o, std::string_view v) {
         o.HttpStatus = LerInteiro("--http-status", v, 200, 599);
       }},
      {"--atraso", [](TOpcoesSimulador& o,
                      std::string_view v) { o.AtrasoMs = LerInteiro("--atraso", v, 0, 600000); }},
      {"--registro", [](TOpcoesSimulador& o, std::string_view v) { o.Registro = v; }},
      {"--gotejar", [](TOpcoesSimulador& o,
                       std::string_view v) { o.GotejarMs = LerInteiro("--gotejar", v, 1, 60000); }},
      {"--tmed",
       [](TOpcoesSimulador& o, std::string_view v) { o.TMed = LerInteiro("--tmed", v, 0, 9999); }},
      {"--envelope",
       [](TOpcoesSimulador& o, std::string_view v) {
         o.Envelope = LerEscolha<TEstiloEnvelope>("--envelope", v,
                                                  {{"soap", TEstiloEnvelope::soap},
                                                   {"soapenv", TEstiloEnvelope::soapenv},
                                                   {"env", TEstiloEnvelope::env},
                                                   {"S", TEstiloEnvelope::S}});
       }},
      {"--charset",
       [](TOpcoesSimulador& o, std::string_view v) {
         o.Latin1 = LerEscolha<bool>("--charset", v, {{"utf-8", false}, {"iso-8859-1", true}});
       }},
      {"--falha",
       [](TOpcoesSimulador& o, std::string_view v) {
         o.Falha = LerEscolha<TFalhaSimulada>("--falha", v,
                                              {{"iis-403", TFalhaSimulada::iis403},
                                               {"apache-403", TFalhaSimulada::apache403},
                                               {"400-vazio", TFalhaSimulada::vazio400},
                                               {"soap-500", TFalhaSimulada::soap500}});
       }},
  };
  return opcoes;
}

const std::map<std::string_view, bool TOpcoesSimulador::*>& OpcoesSemValor() {
  static const std::map<std::string_view, bool TOpcoesSimulador::*> opcoes{
      {"--chunked", &TOpcoesSimulador::Chunked},
      {"--sempre-recibo", &TOpcoesSimulador::SempreRecibo},
      {"--fechar-conexao", &TOpcoesSimulador::FecharConexao},
      {"--continue-100", &TOpcoesSimulador::Continue100},
      {"--renegociar", &TOpcoesSimulador::Renegociar},
      {"--dh-1024", &TOpcoesSimulador::DH1024},
      {"--recusar-http2", &TOpcoesSimulador::RecusarHTTP2},
      {"--sem-fim", &TOpcoesSimulador::SemFim},
      {"--help", &TOpcoesSimulador::Ajuda},
      {"--version", &TOpcoesSimulador::Versao},
  };
  return opcoes;
}

}  // namespace

TOpcoesSimulador LerOpcoes(int argc, const char* const* argv) {
  TOpcoesSimulador opcoes;
  for (int i = 1; i < argc; ++i) {
    const std::string_view nome = argv[i];
    if (const auto flag = OpcoesSemValor().find(nome); flag != OpcoesSemValor().end()) {
      opcoes.*(flag->second) = true;
      continue;
    }
    const auto comValor = OpcoesComValor().find(nome);
    if (comValor == OpcoesComValor().end()) {
      throw EOpcaoInvalida("Opção desconhecida: " + std::string(nome));
    }
    if (i + 1 >= argc) {
      throw EOpcaoInvalida("Falta o valor da opção " + std::string(nome));
    }
    comValor->second(opcoes, argv[++i]);
  }
  if (opcoes.Ajuda || opcoes.Versao) {
    return opcoes;
  }
  for (const auto& [valor, nome] :
       {std::pair{&opcoes.Certificado, "--cert"}, std::pair{&opcoes.Chave, "--chave"},
        std::pair{&opcoes.CAClientes, "--ca-clientes"}}) {
    if (valor->empty()) {
      throw EOpcaoInvalida(std::string("Falta a opção obrigatória ") + nome);
    }
  }
  if (opcoes.Renegociar && opcoes.DH1024) {
    throw EOpcaoInvalida("As opções --renegociar e --dh-1024 não podem ser usadas juntas");
  }
  return opcoes;
}

const char* TextoVersao() { return "sefaz-simulador 1.0"; }

const char* TextoAjuda() {
  return R"AJUDA(Uso: sefaz-simulador --cert ARQ --chave ARQ --ca-clientes ARQ [opções]

Autorizador local de NF-e para testes: servidor HTTPS que exige certificado de cliente
assinado pela autoridade de --ca-clientes e responde ao serviço de status (NfeStatusServico,
SOAP 1.2, leiautes 4.00 e 3.10) em qualquer caminho. Quando pronto escreve
"ouvindo em https://127.0.0.1:PORTA"; termina com SIGTERM ou SIGINT.

Servidor:
  --porta N            porta em 127.0.0.1 (0, o padrão, escolhe uma livre)
  --cert ARQ           certificado do servidor (PEM)
  --chave ARQ          chave privada do servidor (PEM)
  --ca-clientes ARQ    autoridade (PEM) que deve assinar o certificado do cliente;
                       sem ele a conexão é recusada no handshake

Respostas:
  --cenario LISTA      códigos de status respondidos em sequência, o último se repete
                       (padrão 107): 107 "Serviço em Operação", 108 "Serviço Paralisado
                       Momentaneamente (curto prazo)", 109 "Serviço Paralisado sem
                       Previsão"; 108 e 109 trazem dhRetorno e xObs
  --recibo LISTA       códigos da consulta de recibo (consReciNFe) em sequência, o
                       último se repete (padrão 104): 104 traz os protocolos do lote,
                       105 "Lote em processamento"
  --inutilizacao LISTA códigos da inutilização (inutNFe) em sequência, o último se
                       repete (padrão 102): 102 "Inutilização de número homologado" com
                       protocolo, 563 "Rejeição: Já existe pedido de Inutilização com a
                       mesma faixa de inutilização"
  --sempre-recibo      responde todo lote (enviNFe) com 103 e um recibo, mesmo síncrono
  --tmed N             tempo médio informado em tMed, em segundos (padrão 1)
  --resposta ARQ       responde a todo pedido com os bytes deste arquivo
  --http-status N      código HTTP da resposta (padrão 200)
  --atraso MS          espera MS milissegundos antes de responder
  --registro ARQ       acrescenta cada pedido ao arquivo (ver abaixo)

Como os autorizadores reais respondem:
  --envelope ESTILO    soap (padrão: <soap:Envelope> com declaração XML),
                       soapenv (<soapenv:Envelope> com <soapenv:Header/> vazio),
                       env (<env:Envelope>, atributos entre aspas simples, sem declaração),
                       S (<S:Envelope>, declaração entre aspas simples)
  --charset NOME       utf-8 (padrão) ou iso-8859-1 (texto codificado em Latin-1)
  --chunked            resposta com Transfer-Encoding: chunked
  --fechar-conexao     Connection: close, a conexão fecha após cada resposta
  --continue-100       envia "HTTP/1.1 100 Continue" antes da resposta
  --falha TIPO         responde com uma falha em vez do status:
                       iis-403 (página HTML do IIS "403 - Forbidden: Access is denied."),
                       apache-403 (página HTML do Apache em ISO-8859-1),
                       400-vazio (400 sem corpo),
                       soap-500 (500 com SOAP Fault em chunked e Reason em branco)
  --renegociar         TLS 1.2; o certificado do cliente só é pedido depois do pedido HTTP,
                       por renegociação
  --dh-1024            TLS 1.2 somente com troca de chaves DHE de 1024 bits
  --recusar-http2      aceita HTTP/2 na negociação ALPN sem falá-lo: um cliente que
                       oferece HTTP/2 falha (sem a opção, o ALPN não escolhe protocolo e o
                       cliente fica no HTTP/1.1)

Servidores hostis (em chunked):
  --gotejar MS         envia o corpo um byte por vez, a cada MS milissegundos
  --sem-fim            resposta que nunca termina: após o corpo, espaços sem fim até o
                       cliente desistir

  --help               mostra esta ajuda
  --version            mostra a versão

Registro: para cada pedido, acrescenta e grava no disco
  PEDIDO <n> <método> <caminho> <versão HTTP>
  <Nome>: <valor>          (um cabeçalho por linha, na ordem alfabética dos nomes)
  CORPO <bytes>
  <o corpo, exatamente com esse número de bytes>
  (linha vazia)

Saída 2 para argumentos inválidos ou falha ao iniciar.
)AJUDA";
}

}  // namespace nivra
