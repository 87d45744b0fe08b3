// Sending a batch of events.
#include "nivranfe/nfe/nfe_env_evento.h"

#include <algorithm>

#include "nivranfe/dfe/configuracoes_nfe.h"
#include "nivranfe/nfe/documentos_pedido.h"
#include "nivranfe/nfe/env_evento.h"
#include "nivranfe/util/chave_acesso.h"
#include "nivranfe/util/numeros.h"
#include "nivranfe/util/texto.h"
#include "nivranfe/util/uf.h"
#include "nivranfe/util/xml_texto.h"

namespace nivra {

TNFeEnvEvento::TNFeEnvEvento(TNivraNFe& AOwner, TEventoNFe& AEvento)
    : TNFeServicoRetorno(AOwner), FEvento(AEvento) {
  TNFeEnvEvento::Clear();
}

void TNFeEnvEvento::Clear() {
  TNFeServicoRetorno::Clear();
  FPStatus = TStatusNivraNFe::stNFeEvento;
  FPLayout = TLayOut::LayNFeEvento;
  FPArqEnv = "ped-eve";
  FPArqResp = "eve";
  FProcEventos.clear();
}

void TNFeEnvEvento::DefinirURL() {
  // The first step of a request: a bad key or CNPJ stops it before anything is built or sent.
  for (const TInfEventoNFe& evento : FEvento.Evento) {
    ValidarChaveNFe(evento.chNFe);
    if (!evento.CNPJ.empty()) ValidarCNPJouCPF(evento.CNPJ);
  }
  const TInfEventoNFe* primeiro = FEvento.Evento.empty() ? nullptr : &FEvento.Evento.front();
  const std::string chave = primeiro != nullptr ? primeiro->chNFe : std::string();
  bool ok = false;
  const bool temChave = FormaDeChaveAcesso(chave);
  const TkovModeloDF modelo =
      temChave ? TextoParaModelo(ok, chave.substr(20, 2)) : FPConfiguracoesNFe.Geral().ModeloDF();
  std::string uf;
  if (primeiro != nullptr && EventoNacional(primeiro->tpEvento)) {
    FPLayout = TLayOut::LayNFeEventoAN;
    uf = "AN";
  } else {
    FPLayout = TLayOut::LayNFeEvento;
    uf = UFOuContingencia(temChave ? CUFParaSigla(CodigoUFDaChave(chave))
                                   : FPConfiguracoes.WebServices().UF());
  }
  DefinirURLPara(ModeloParaPrefixo(modelo), uf,
                 primeiro != nullptr ? primeiro->tpAmb : FPConfiguracoes.WebServices().Ambiente(),
                 VersaoParaNumero(FPConfiguracoesNFe.Geral().VersaoDF()));
}

void TNFeEnvEvento::DefinirServicoEAction() {
  if (FPConfiguracoesNFe.Geral().VersaoDF() == TkovVersaoDF::ve400)
    DefinirServicoEAcao("NFeRecepcaoEvento4", "/nfeRecepcaoEvento");
  else
    DefinirServicoEAcao("RecepcaoEvento", "");
}

void TNFeEnvEvento::DefinirDadosMsg() {
  for (const TInfEventoNFe& evento : FEvento.Evento)
    if (const std::string erro = ErroDoEvento(evento); !erro.empty()) Falhar(erro);
  TEnvEventoPedido pedido;
  pedido.idLote = FidLote;
  pedido.Evento = FEvento.Evento;
  pedido.SetVersao(FPVersaoServico);
  AplicarOpcoesGerador(pedido.Gerador());
  // An event the generator has doubts about is refused here, as the authoriser would.
  if (!pedido.GerarXML()) {
    std::string alertas;
    for (const std::string& alerta : pedido.Gerador().ListaDeAlertas())
      alertas += (alertas.empty() ? "" : "\r\n") + alerta;
    Falhar(alertas);
  }
  FCNPJ = pedido.Evento.empty() ? std::string() : SomenteLetrasEDigitos(pedido.Evento.front().CNPJ);
  const std::string lote = TextoParaUTF8(pedido.Gerador().ArquivoFormatoXML());

  // Each event is signed on its own and put back in its place.
  const std::size_t inicioEventos = lote.find("<evento ");
  std::string assinado = lote.substr(0, std::min(inicioEventos, lote.rfind("</envEvento>")));
  FEventosAssinados.clear();
  for (std::size_t pos = inicioEventos; pos != std::string::npos;
       pos = lote.find("<evento ", pos)) {
    const std::size_t fim = lote.find("</evento>", pos) + 9;
    AssinarDados(lote.substr(pos, fim - pos), "evento", "infEvento",
                 "Falha ao assinar o Envio de Evento ");
    FEventosAssinados.push_back(SemDeclaracaoXML(FPDadosMsg));
    assinado += FEventosAssinados.back();
    pos = fim;
  }
  FPDadosMsg = assinado + "</envEvento>";

  if (!FPDFeOwner.ValidarNoSchema(FPDadosMsg, "envEvento", TextoParaDecimal(FPVersaoServico, 0),
                                  FPMsg))
    Falhar(ENivraDFeFalhaSchema(FPMsg));

  for (std::size_t i = 0; i < pedido.Evento.size(); ++i) FEvento.Evento[i].Id = pedido.Evento[i].Id;
}

bool TNFeEnvEvento::TratarResposta() {
  LerResposta({"nfeRecepcaoEventoResult", "nfeRecepcaoEventoNFResult", "nfeResultMsg"},
              "retEnvEvento");
  auto& arquivos = FPConfiguracoesNFe.Arquivos();
  for (TInfEventoNFe& evento : FEvento.Evento) {
    evento.cStatRetorno = 0;
    evento.xMotivoRetorno.clear();
    evento.nProtRetorno.clear();
  }
  for (const TRetEventoRetorno& ret : FRetorno.retEvento) {
    for (std::size_t i = 0; i < FEvento.Evento.size(); ++i) {
      TInfEventoNFe& evento = FEvento.Evento[i];
      if (evento.chNFe != ret.chNFe || CodigoTipoEvento(evento.tpEvento) != ret.tpEvento ||
          evento.nSeqEvento != ret.nSeqEvento)
        continue;
      evento.cStatRetorno = ret.cStat;
      evento.xMotivoRetorno = ret.xMotivo;
      evento.nProtRetorno = ret.nProt;
      if (!EventoRegistrado(ret.cStat)) continue;
      const std::string proc =
          "<procEventoNFe versao=\"" + FPVersaoServico +
          "\" xmlns=\"http://www.portalfiscal.inf.br/nfe\">" +
          (i < FEventosAssinados.size() ? FEventosAssinados[i] : std::string()) + ret.XML +
          "</procEventoNFe>";
      FProcEventos.push_back(proc);
      if (arquivos.Salvar())
        (void)FPDFeOwner.Gravar(IdSemPrefixo(evento.Id) + "-procEventoNFe.xml", proc,
                                arquivos.GetPathEvento(evento.tpEvento, FCNPJ));
    }
  }
  if (FRetorno.cStat != 128) return false;
  // A processed batch may still hold refused events: each must be registered on its own.
  std::string recusados;
  for (const TInfEventoNFe& evento : FEvento.Evento) {
    if (EventoRegistrado(evento.cStatRetorno)) continue;
    const std::string resposta =
        evento.cStatRetorno == 0
            ? std::string("sem resposta do autorizador")
            : std::to_string(evento.cStatRetorno) + " - " + evento.xMotivoRetorno;
    recusados += (recusados.empty() ? "" : "\r\n") + std::string("Evento ") +
                 CodigoTipoEvento(evento.tpEvento) + " da chave " + evento.chNFe + " (sequência " +
                 std::to_string(evento.nSeqEvento) + ") não registrado: " + resposta;
  }
  if (recusados.empty()) return true;
  FPMsg = recusados;
  return false;
}

std::string TNFeEnvEvento::PastaArquivos() {
  const TkovTpEvento tipo =
      FEvento.Evento.empty() ? TkovTpEvento::teCCe : FEvento.Evento.front().tpEvento;
  return FPConfiguracoesNFe.Arquivos().GetPathEvento(tipo, FCNPJ);
}

}  // namespace nivra
