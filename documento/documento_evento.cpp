// Id composition, writing and reading of the NF-e event documents.
#include "nivranfe/documento/documento_evento.h"

#include <algorithm>

#include "nivranfe/util/chave_acesso.h"
#include "nivranfe/util/excecoes.h"

namespace nivra {

namespace {

bool SoDigitos(std::string_view texto) {
  return !texto.empty() &&
         std::all_of(texto.begin(), texto.end(), [](char c) { return c >= '0' && c <= '9'; });
}

[[noreturn]] void CampoInvalido(const char* nome, const std::string& valor) {
  throw ENivraDFeException("Campo " + std::string(nome) + " inválido para o Id do evento: \"" +
                           valor + "\"");
}

}  // namespace

std::string IdEvento(const nfe::evento::TinfEvento& infEvento) {
  if (infEvento.tpEvento.size() != 6 || !SoDigitos(infEvento.tpEvento)) {
    CampoInvalido("tpEvento", infEvento.tpEvento);
  }
  if (!ChaveNFeValida(infEvento.chNFe)) CampoInvalido("chNFe", infEvento.chNFe);
  const std::string& sequencia = infEvento.nSeqEvento;
  if (sequencia.size() > 2 || !SoDigitos(sequencia) || std::stoi(sequencia) == 0) {
    CampoInvalido("nSeqEvento", sequencia);
  }
  return "ID" + infEvento.tpEvento + infEvento.chNFe + (sequencia.size() == 1 ? "0" : "") +
         sequencia;
}

std::string ComporIdEvento(nfe::evento::Tevento& evento) {
  evento.infEvento.Id = IdEvento(evento.infEvento);
  return evento.infEvento.Id;
}

TXMLGeradoNFe GerarXMLEvento(const nfe::evento::Tevento& evento) {
  TXMLGeradoNFe gerado = GerarXMLRaiz(evento, nfe::evento::leiaute::kRaizevento);
  // The fields the Id is made of are checked by the writer on their own.
  try {
    const std::string esperado = IdEvento(evento.infEvento);
    if (evento.infEvento.Id != esperado) {
      gerado.Alertas.push_back("infEvento/Id: [" + evento.infEvento.Id +
                               "] não corresponde a tpEvento, chNFe e nSeqEvento (" + esperado +
                               ")");
    }
  } catch (const ENivraDFeException&) {
  }
  return gerado;
}

TXMLGeradoNFe GerarXMLRetEvento(const nfe::evento::TretEvento& retorno) {
  return GerarXMLRaiz(retorno, nfe::evento::leiaute::kRaizretEvento);
}

TXMLGeradoNFe GerarXMLProcEventoNFe(const nfe::evento::TprocEventoNFe& processado) {
  return GerarXMLRaiz(processado, nfe::evento::leiaute::kRaizprocEventoNFe);
}

bool DocumentoDeEvento(std::string_view xml) {
  try {
    const TDocumentoXML documento(xml, "Documento");
    return !documento.Procurar("NFe") && documento.Procurar("evento");
  } catch (const ENivraDFeException&) {
    return false;
  }
}

TEventoLido LerXMLEvento(std::string_view xml) {
  const TDocumentoXML documento(xml, "Documento de evento");
  _xmlNode* elementoEvento = documento.Procurar("evento");
  if (!elementoEvento) throw ENivraDFeException("Documento não contém o elemento evento");
  TEventoLido lido;
  lido.XMLOriginal = std::string(xml);
  LerRaiz(elementoEvento, lido.evento, nfe::evento::leiaute::kRaizevento, lido.Avisos);
  if (_xmlNode* retorno = documento.Procurar("retEvento")) {
    LerRaiz(retorno, lido.retEvento.emplace(), nfe::evento::leiaute::kRaizretEvento, lido.Avisos);
  }
  return lido;
}

}  // namespace nivra
