// Writes the event batch.
#include "nivranfe/nfe/env_evento.h"

#include <algorithm>
#include <array>

#include "nivranfe/nfe/campos_resposta.h"
#include "nivranfe/util/caracteres.h"
#include "nivranfe/util/chave_acesso.h"
#include "nivranfe/util/excecoes.h"
#include "nivranfe/util/fuso_horario.h"
#include "nivranfe/util/texto.h"
#include "nivranfe/util/uf.h"

namespace nivra {

namespace {

struct TTipoEvento {
  TkovTpEvento Tipo;
  const char* Codigo;
  const char* Descricao;
};

constexpr std::array kTipos{
    TTipoEvento{TkovTpEvento::teCCe, "110110", "Carta de Correcao"},
    TTipoEvento{TkovTpEvento::teCancelamento, "110111", "Cancelamento"},
    TTipoEvento{TkovTpEvento::teEPECNFe, "110140", "EPEC"},
    TTipoEvento{TkovTpEvento::teManifDestConfirmacao, "210200", "Confirmacao da Operacao"},
    TTipoEvento{TkovTpEvento::teManifDestCiencia, "210210", "Ciencia da Operacao"},
    TTipoEvento{TkovTpEvento::teManifDestDesconhecimento, "210220", "Desconhecimento da Operacao"},
    TTipoEvento{TkovTpEvento::teManifDestOperNaoRealizada, "210240", "Operacao nao Realizada"},
    TTipoEvento{TkovTpEvento::tePedProrrog1, "111500", "Pedido de Prorrogacao"},
    TTipoEvento{TkovTpEvento::tePedProrrog2, "111501", "Pedido de Prorrogacao"},
    TTipoEvento{TkovTpEvento::teCanPedProrrog1, "111502", "Cancelamento de Pedido de Prorrogacao"},
    TTipoEvento{TkovTpEvento::teCanPedProrrog2, "111503", "Cancelamento de Pedido de Prorrogacao"},
};

const TTipoEvento& TipoEvento(TkovTpEvento Tipo) {
  const auto* item = std::find_if(kTipos.begin(), kTipos.end(),
                                  [Tipo](const TTipoEvento& t) { return t.Tipo == Tipo; });
  if (item == kTipos.end()) throw ENivraNFeException("Tipo de evento não suportado");
  return *item;
}

// The condition of use a correction letter must carry, word for word.
constexpr const char* kCondicaoUsoCCe =
    "A Carta de Correcao e disciplinada pelo paragrafo 1o-A do art. 7o do Convenio S/N, de 15 "
    "de dezembro de 1970 e pode ser utilizada para regularizacao de erro ocorrido na emissao de "
    "documento fiscal, desde que o erro nao esteja relacionado com: I - as variaveis que "
    "determinam o valor do imposto tais como: base de calculo, aliquota, diferenca de preco, "
    "quantidade, valor da operacao ou da prestacao; II - a correcao de dados cadastrais que "
    "implique mudanca do remetente ou do destinatario; III - a data de emissao ou de saida.";

// The trimmed text's length in characters, or an error naming the field when it lies outside
// minimo to maximo.
std::string ErroDeTamanho(const std::string& Campo, const std::string& Texto, std::size_t minimo,
                          std::size_t maximo) {
  const std::size_t tamanho = ContarCaracteres(Aparar(Texto));
  if (tamanho >= minimo && tamanho <= maximo) return {};
  return Campo + " do evento deve ter de " + std::to_string(minimo) + " a " +
         std::to_string(maximo) + " caracteres (tem " + std::to_string(tamanho) + ")";
}

}  // namespace

std::string ErroDoEvento(const TInfEventoNFe& Evento) {
  if (!FormaDeChaveAcesso(Evento.chNFe)) return "Chave \"" + Evento.chNFe + "\" inválida.";
  switch (Evento.tpEvento) {
    case TkovTpEvento::teCancelamento:
      if (!ProtocoloNoPadrao(Evento.nProt))
        return "Protocolo \"" + Evento.nProt + "\" do evento inválido: deve ter 15 dígitos";
      return ErroDeTamanho("Justificativa", Evento.xJust, 15, 255);
    case TkovTpEvento::teManifDestOperNaoRealizada:
      return ErroDeTamanho("Justificativa", Evento.xJust, 15, 255);
    case TkovTpEvento::teCCe:
      return ErroDeTamanho("Correção", Evento.xCorrecao, 15, 1000);
    default:
      return {};
  }
}

std::string CodigoTipoEvento(TkovTpEvento Tipo) { return TipoEvento(Tipo).Codigo; }

std::string DescricaoTipoEvento(TkovTpEvento Tipo) { return TipoEvento(Tipo).Descricao; }

std::optional<TkovTpEvento> TipoEventoDoCodigo(const std::string& Codigo) {
  for (const TTipoEvento& t : kTipos)
    if (Codigo == t.Codigo) return t.Tipo;
  return std::nullopt;
}

bool EventoNacional(TkovTpEvento Tipo) {
  switch (Tipo) {
    case TkovTpEvento::teCCe:
    case TkovTpEvento::teCancelamento:
    case TkovTpEvento::tePedProrrog1:
    case TkovTpEvento::tePedProrrog2:
    case TkovTpEvento::teCanPedProrrog1:
    case TkovTpEvento::teCanPedProrrog2:
      return false;
    default:
      return true;
  }
}

std::string IdEvento(const TInfEventoNFe& Evento) {
  return "ID" + CodigoTipoEvento(Evento.tpEvento) + Evento.chNFe +
         InteiroComZeros(Evento.nSeqEvento, 2);
}

void TEnvEventoPedido::Escrever() {
  auto& g = Gerador();
  AbrirRaiz("envEvento");
  g.wCampo(TkovTipoCampo::tcStr, "HP03", "idLote", 1, 15, 1, std::to_string(idLote),
           "Identificador do lote");
  for (TInfEventoNFe& evento : Evento) EscreverEvento(evento);
  g.wGrupo("/envEvento");
}

void TEnvEventoPedido::EscreverEvento(TInfEventoNFe& Evento) {
  auto& g = Gerador();
  Evento.Id = IdEvento(Evento);
  // Each event is signed apart from the batch, so it declares the namespace itself.
  g.wGrupo("evento xmlns=\"http://www.portalfiscal.inf.br/nfe\" versao=\"" + Versao() + "\"");
  g.wGrupo("infEvento Id=\"" + Evento.Id + "\"");
  g.wCampo(TkovTipoCampo::tcInt, "HP08", "cOrgao", 2, 2, 1, int64_t{Evento.cOrgao},
           "Código do órgão de recepção do Evento");
  g.wCampo(TkovTipoCampo::tcStr, "HP09", "tpAmb", 1, 1, 1, TipoAmbienteParaTexto(Evento.tpAmb),
           "Identificação do Ambiente");
  const std::string documento = SomenteLetrasEDigitos(Evento.CNPJ);
  if (documento.size() == 11)
    g.wCampo(TkovTipoCampo::tcStr, "HP11", "CPF", 11, 11, 1, documento, "CPF");
  else
    g.wCampo(TkovTipoCampo::tcStr, "HP10", "CNPJ", 14, 14, 1, documento, "CNPJ");
  g.wCampo(TkovTipoCampo::tcStr, "HP12", "chNFe", 44, 44, 1, Evento.chNFe, "Chave de Acesso");
  const std::string uf = CodigoUFParaSigla(Evento.cOrgao);
  g.wCampo(
      TkovTipoCampo::tcStr, "HP13", "dhEvento", 25, 25, 1,
      FormatarDataHora("yyyy-mm-ddThh:nn:ss", Evento.dhEvento) + FusoHorarioUF(uf, Evento.dhEvento),
      "Data e Hora do Evento");
  g.wCampo(TkovTipoCampo::tcStr, "HP14", "tpEvento", 6, 6, 1, CodigoTipoEvento(Evento.tpEvento),
           "Tipo do Evento");
  g.wCampo(TkovTipoCampo::tcInt, "HP15", "nSeqEvento", 1, 2, 1, int64_t{Evento.nSeqEvento},
           "Sequencial do evento");
  g.wCampo(TkovTipoCampo::tcStr, "HP16", "verEvento", 1, 4, 1, Evento.versaoEvento,
           "Versão do Evento");
  g.wGrupo("detEvento versao=\"" + Evento.versaoEvento + "\"");
  g.wCampo(TkovTipoCampo::tcStr, "HP19", "descEvento", 4, 60, 1,
           DescricaoTipoEvento(Evento.tpEvento), "Descrição do Evento");
  if (Evento.tpEvento == TkovTpEvento::teCCe) {
    g.wCampo(TkovTipoCampo::tcStr, "HP20", "xCorrecao", 15, 1000, 1, Evento.xCorrecao, "Correção");
    g.wCampo(TkovTipoCampo::tcStr, "HP20a", "xCondUso", 1, 1000, 1, std::string(kCondicaoUsoCCe),
             "Condição de uso");
  } else if (Evento.tpEvento == TkovTpEvento::teCancelamento) {
    g.wCampo(TkovTipoCampo::tcStr, "HP20", "nProt", 15, 15, 1, Evento.nProt, "Protocolo");
    g.wCampo(TkovTipoCampo::tcStr, "HP21", "xJust", 15, 255, 1, Evento.xJust, "Justificativa");
  } else if (Evento.tpEvento == TkovTpEvento::teManifDestOperNaoRealizada) {
    g.wCampo(TkovTipoCampo::tcStr, "HP21", "xJust", 15, 255, 1, Evento.xJust, "Justificativa");
  }
  g.wGrupo("/detEvento");
  g.wGrupo("/infEvento");
  g.wGrupo("/evento");
}

}  // namespace nivra
