// Reading the printed fields of events and voidings with libxml2 and XPath.
#include "nivranfe/impressao/leitura_eventos.h"

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xpath.h>

#include <memory>
#include <string>

#include "nivranfe/util/excecoes.h"

namespace nivra {

namespace {

constexpr size_t kTamanhoMaximo = size_t{1024} * 1024;

struct TLiberaDoc {
  void operator()(xmlDoc* d) const { xmlFreeDoc(d); }
};
struct TLiberaContextoXPath {
  void operator()(xmlXPathContext* c) const { xmlXPathFreeContext(c); }
};
struct TLiberaResultado {
  void operator()(xmlXPathObject* o) const { xmlXPathFreeObject(o); }
};
struct TLiberaTexto {
  void operator()(xmlChar* t) const { xmlFree(t); }
};

// A parsed document whose element texts are read by a path of element names from the root
// ("/procEventoNFe/evento/infEvento/chNFe"), whatever their namespace.
class TXmlLido {
 public:
  TXmlLido(std::string_view xml, const std::string& tipo) {
    if (xml.size() > kTamanhoMaximo)
      throw ENivraDFeException("XML de " + tipo + " inválido: maior que 1 MiB");
    // No network, no entity expansion: the text comes from outside.
    FDoc.reset(xmlReadMemory(xml.data(), static_cast<int>(xml.size()), nullptr, nullptr,
                             XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
    if (!FDoc) {
      const xmlError* erro = xmlGetLastError();
      std::string motivo = erro != nullptr && erro->message != nullptr ? erro->message : "";
      while (!motivo.empty() && (motivo.back() == '\n' || motivo.back() == ' ')) motivo.pop_back();
      throw ENivraDFeException("XML de " + tipo +
                               " inválido: " + (motivo.empty() ? "não é XML" : motivo));
    }
    FContexto.reset(xmlXPathNewContext(FDoc.get()));
    if (!FContexto) throw ENivraDFeException("XML de " + tipo + " inválido: sem memória");
  }

  // The local name of the root element.
  std::string Raiz() const {
    const xmlNode* raiz = xmlDocGetRootElement(FDoc.get());
    return raiz != nullptr ? reinterpret_cast<const char*>(raiz->name) : "";
  }

  // The text of the first element (or, for a last step "@name", attribute) at `caminho`; empty
  // when there is none.
  std::string Valor(std::string_view caminho) const {
    std::string expressao;
    for (size_t inicio = 1; inicio <= caminho.size();) {
      size_t fim = caminho.find('/', inicio);
      if (fim == std::string_view::npos) fim = caminho.size();
      const std::string_view passo = caminho.substr(inicio, fim - inicio);
      expressao += passo.starts_with('@') ? "/" + std::string(passo)
                                          : "/*[local-name()='" + std::string(passo) + "']";
      inicio = fim + 1;
    }
    std::unique_ptr<xmlXPathObject, TLiberaResultado> resultado(xmlXPathEvalExpression(
        reinterpret_cast<const xmlChar*>(expressao.c_str()), FContexto.get()));
    if (!resultado || resultado->nodesetval == nullptr || resultado->nodesetval->nodeNr == 0)
      return {};
    std::unique_ptr<xmlChar, TLiberaTexto> texto(
        xmlNodeGetContent(resultado->nodesetval->nodeTab[0]));
    return texto ? reinterpret_cast<const char*>(texto.get()) : "";
  }

 private:
  std::unique_ptr<xmlDoc, TLiberaDoc> FDoc;
  std::unique_ptr<xmlXPathContext, TLiberaContextoXPath> FContexto;
};

}  // namespace

TEventoImpresso LerEventoImpresso(std::string_view XML) {
  const TXmlLido xml(XML, "evento");
  const std::string raiz = xml.Raiz();
  std::string evento;
  std::string retorno;
  if (raiz == "procEventoNFe") {
    evento = "/procEventoNFe/evento/infEvento/";
    retorno = "/procEventoNFe/retEvento/infEvento/";
  } else if (raiz == "evento") {
    evento = "/evento/infEvento/";
  }
  if (evento.empty() || xml.Valor(evento + "chNFe").empty())
    throw ENivraDFeException("XML não é um evento de NF-e (procEventoNFe ou evento)");

  TEventoImpresso e;
  const auto campo = [&](const char* nome) { return xml.Valor(evento + nome); };
  const auto detalhe = [&](const char* nome) { return xml.Valor(evento + "detEvento/" + nome); };
  e.Id = campo("@Id");
  e.cOrgao = campo("cOrgao");
  e.tpAmb = campo("tpAmb");
  e.CNPJCPF = campo("CNPJ").empty() ? campo("CPF") : campo("CNPJ");
  e.chNFe = campo("chNFe");
  e.dhEvento = campo("dhEvento");
  e.tpEvento = campo("tpEvento");
  e.nSeqEvento = campo("nSeqEvento");
  e.verEvento = campo("verEvento");
  e.descEvento = detalhe("descEvento");
  e.xCorrecao = detalhe("xCorrecao");
  e.xCondUso = detalhe("xCondUso");
  e.nProt = detalhe("nProt");
  e.xJust = detalhe("xJust");
  e.chNFeRef = detalhe("chNFeRef");
  if (!retorno.empty()) {
    e.cStat = xml.Valor(retorno + "cStat");
    e.xMotivo = xml.Valor(retorno + "xMotivo");
    e.nProtEvento = xml.Valor(retorno + "nProt");
    e.dhRegEvento = xml.Valor(retorno + "dhRegEvento");
  }
  return e;
}

TInutilizacaoImpressa LerInutilizacaoImpressa(std::string_view XML) {
  const TXmlLido xml(XML, "inutilização");
  const std::string raiz = xml.Raiz();
  std::string pedido;
  std::string retorno;
  if (raiz == "ProcInutNFe" || raiz == "procInutNFe") {
    pedido = "/" + raiz + "/inutNFe/infInut/";
    retorno = "/" + raiz + "/retInutNFe/infInut/";
  } else if (raiz == "inutNFe") {
    pedido = "/inutNFe/infInut/";
  }
  if (pedido.empty() || xml.Valor(pedido + "nNFIni").empty())
    throw ENivraDFeException("XML não é uma inutilização de NF-e (ProcInutNFe ou inutNFe)");

  TInutilizacaoImpressa i;
  const auto campo = [&](const char* nome) { return xml.Valor(pedido + nome); };
  i.Id = campo("@Id");
  i.tpAmb = campo("tpAmb");
  i.cUF = campo("cUF");
  i.ano = campo("ano");
  i.CNPJ = campo("CNPJ").empty() ? campo("CPF") : campo("CNPJ");
  i.mod = campo("mod");
  i.serie = campo("serie");
  i.nNFIni = campo("nNFIni");
  i.nNFFin = campo("nNFFin");
  i.xJust = campo("xJust");
  if (!retorno.empty()) {
    i.cStat = xml.Valor(retorno + "cStat");
    i.xMotivo = xml.Valor(retorno + "xMotivo");
    i.nProt = xml.Valor(retorno + "nProt");
    i.dhRecbto = xml.Valor(retorno + "dhRecbto");
  }
  return i;
}

}  // namespace nivra
