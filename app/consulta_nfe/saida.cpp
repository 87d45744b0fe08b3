// Text and JSON forms of the results of consulta-nfe.
#include "app/consulta_nfe/saida.h"

#include <nlohmann/json.hpp>

#include "app/linha_comando/saida_comum.h"
#include "nivranfe/util/texto.h"
#include "nivranfe/util/xml_texto.h"

namespace nivra {

namespace {

using TJson = nlohmann::ordered_json;

std::string Campo(const std::string& xml, const std::string& tag) {
  return Aparar(ConteudoDaTag(xml, tag, false));
}

// The cancellation of an older answer (retCancNFe), as "CSTAT - XMOTIVO" and its protocol.
struct TCancelamento {
  std::string cStat;
  std::string xMotivo;
  std::string nProt;
};

TCancelamento Cancelamento(const TRetornoNFe& retorno) {
  const std::string& xml = retorno.retCancNFe;
  return {Campo(xml, "cStat"), Campo(xml, "xMotivo"), Campo(xml, "nProt")};
}

void TextoSituacao(std::string& texto, const TResultadoConsulta& resultado) {
  const TRetornoNFe& r = resultado.Retorno;
  AcrescentarCampo(texto, "chNFe", r.chNFe);
  AcrescentarCampo(texto, "protocolo", resultado.Protocolo);
  AcrescentarCampo(texto, "dhRecbto", DataHoraISO(r.dhRecbto, r.FusoRecbto));
  if (!r.retCancNFe.empty()) {
    const TCancelamento c = Cancelamento(r);
    AcrescentarCampo(texto, "cancelamento", c.cStat + " - " + c.xMotivo + "; protocolo " + c.nProt);
  }
  for (const TRetEventoRetorno& e : r.retEvento)
    AcrescentarCampo(texto, "evento " + e.tpEvento + " (" + std::to_string(e.nSeqEvento) + ")",
                     std::to_string(e.cStat) + " - " + e.xMotivo + "; protocolo " + e.nProt);
}

void TextoCadastro(std::string& texto, const TResultadoConsulta& resultado) {
  bool primeiro = true;
  for (const TInfCadRetorno& contribuinte : resultado.Retorno.infCad) {
    if (!primeiro) texto += "\n";
    primeiro = false;
    for (const auto& [campo, valor] : contribuinte) AcrescentarCampo(texto, campo, valor);
  }
}

void TextoDistribuicao(std::string& texto, const TResultadoConsulta& resultado) {
  AcrescentarCampo(texto, "ultNSU", resultado.Retorno.ultNSU);
  AcrescentarCampo(texto, "maxNSU", resultado.Retorno.maxNSU);
  for (const TDocZipRetorno& documento : resultado.Retorno.docZip)
    texto += documento.NSU + " " + documento.schema + "\n";
}

void JsonSituacao(TJson& objeto, const TResultadoConsulta& resultado) {
  const TRetornoNFe& r = resultado.Retorno;
  objeto["chNFe"] = r.chNFe;
  objeto["protocolo"] = resultado.Protocolo;
  objeto["cancelamento"] = nullptr;
  if (!r.retCancNFe.empty()) {
    const TCancelamento c = Cancelamento(r);
    objeto["cancelamento"] = {{"cStat", c.cStat}, {"xMotivo", c.xMotivo}, {"nProt", c.nProt}};
  }
  TJson eventos = TJson::array();
  for (const TRetEventoRetorno& e : r.retEvento)
    eventos.push_back({{"tpEvento", e.tpEvento},
                       {"nSeqEvento", e.nSeqEvento},
                       {"cStat", e.cStat},
                       {"xMotivo", e.xMotivo},
                       {"nProt", e.nProt}});
  objeto["eventos"] = eventos;
}

void JsonCadastro(TJson& objeto, const TResultadoConsulta& resultado) {
  TJson contribuintes = TJson::array();
  for (const TInfCadRetorno& contribuinte : resultado.Retorno.infCad) {
    TJson campos = TJson::object();
    for (const auto& [campo, valor] : contribuinte) campos[campo] = valor;
    contribuintes.push_back(campos);
  }
  objeto["contribuintes"] = contribuintes;
}

void JsonDistribuicao(TJson& objeto, const TResultadoConsulta& resultado) {
  objeto["ultNSU"] = resultado.Retorno.ultNSU;
  objeto["maxNSU"] = resultado.Retorno.maxNSU;
  TJson documentos = TJson::array();
  for (const TDocZipRetorno& documento : resultado.Retorno.docZip)
    documentos.push_back({{"NSU", documento.NSU}, {"schema", documento.schema}});
  objeto["documentos"] = documentos;
}

}  // namespace

std::string TextoConsulta(TAcaoConsulta acao, const TResultadoConsulta& resultado) {
  if (resultado.Desfecho == TDesfecho::Falha) return {};
  std::string texto =
      std::to_string(resultado.Retorno.cStat) + " - " + resultado.Retorno.xMotivo + "\n";
  if (acao == TAcaoConsulta::Situacao) TextoSituacao(texto, resultado);
  if (acao == TAcaoConsulta::Cadastro) TextoCadastro(texto, resultado);
  if (acao == TAcaoConsulta::Distribuicao) TextoDistribuicao(texto, resultado);
  AcrescentarCampo(texto, "url", resultado.URL);
  return texto;
}

std::string JsonConsulta(TAcaoConsulta acao, const TResultadoConsulta& resultado) {
  const TRetornoNFe& r = resultado.Retorno;
  TJson objeto = {{"cStat", r.cStat},
                  {"xMotivo", r.xMotivo},
                  {"versao", r.versao},
                  {"tpAmb", CodigoAmbiente(r.tpAmb)},
                  {"verAplic", r.verAplic},
                  {"cUF", r.cUF},
                  {"dhRecbto", DataHoraJson(r.dhRecbto, r.FusoRecbto)}};
  if (acao == TAcaoConsulta::Situacao) JsonSituacao(objeto, resultado);
  if (acao == TAcaoConsulta::Cadastro) JsonCadastro(objeto, resultado);
  if (acao == TAcaoConsulta::Distribuicao) JsonDistribuicao(objeto, resultado);
  objeto["url"] = resultado.URL;
  if (resultado.Desfecho == TDesfecho::Falha) objeto["erro"] = resultado.Erro;
  return TextoJson(objeto);
}

}  // namespace nivra
