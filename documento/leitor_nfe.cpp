// Field reading of the document reader over a libxml2 tree.
#include "nivranfe/documento/leitor_nfe.h"

#include <libxml/tree.h>

#include <cstring>
#include <memory>

#include "nivranfe/util/excecoes.h"

namespace nivra {

namespace {

_xmlNode* ElementoAPartir(_xmlNode* no) {
  while (no && no->type != XML_ELEMENT_NODE) no = no->next;
  return no;
}

std::string Nome(const _xmlNode* no) { return reinterpret_cast<const char*>(no->name); }

std::string Conteudo(_xmlNode* no) {
  std::unique_ptr<xmlChar, decltype(xmlFree)> texto(xmlNodeGetContent(no), xmlFree);
  return texto ? reinterpret_cast<const char*>(texto.get()) : std::string();
}

// The element and everything under it as XML text (namespace declarations it carries included).
std::string XMLDoNo(_xmlNode* no) {
  std::unique_ptr<xmlBuffer, decltype(&xmlBufferFree)> buffer(xmlBufferCreate(), &xmlBufferFree);
  if (!buffer || xmlNodeDump(buffer.get(), no->doc, no, 0, 0) < 0) {
    throw ENivraDFeException("Não foi possível copiar o elemento " + Nome(no));
  }
  return reinterpret_cast<const char*>(xmlBufferContent(buffer.get()));
}

}  // namespace

TLeitorNFe::TLeitorNFe(_xmlNode* elemento, std::string caminho, const char* filhos,
                       std::vector<std::string>& avisos)
    : FElemento(elemento),
      FAtual(ElementoAPartir(elemento->children)),
      FCaminho(std::move(caminho)),
      FFilhos(filhos),
      FAvisos(avisos) {}

void TLeitorNFe::PularDesconhecidos() {
  // Each child is looked up in the group's list once, however many members ask about it.
  if (FAtual == FConferido) return;
  while (FAtual && !NaListaLeiaute(FFilhos, reinterpret_cast<const char*>(FAtual->name))) {
    FAvisos.push_back("Elemento desconhecido ignorado: " + FCaminho + "/" + Nome(FAtual));
    FAtual = ElementoAPartir(FAtual->next);
  }
  FConferido = FAtual;
}

_xmlNode* TLeitorNFe::Proximo(const char* nome) {
  // Most members are present in order: the name comparison alone settles them.
  if (FAtual && std::strcmp(reinterpret_cast<const char*>(FAtual->name), nome) == 0) return FAtual;
  PularDesconhecidos();
  return FAtual && std::strcmp(reinterpret_cast<const char*>(FAtual->name), nome) == 0 ? FAtual
                                                                                       : nullptr;
}

_xmlNode* TLeitorNFe::Tomar(const char* nome) {
  _xmlNode* no = Proximo(nome);
  if (no) FAtual = ElementoAPartir(FAtual->next);
  return no;
}

size_t TLeitorNFe::Seguidos(const char* nome) const {
  size_t quantidade = 0;
  for (_xmlNode* no = FAtual; no && std::strcmp(reinterpret_cast<const char*>(no->name), nome) == 0;
       no = ElementoAPartir(no->next))
    ++quantidade;
  return quantidade;
}

bool TLeitorNFe::ProximoEm(const char* lista) {
  PularDesconhecidos();
  return FAtual && NaListaLeiaute(lista, Nome(FAtual));
}

void TLeitorNFe::PularSemLeiaute(const TInfoEscolha& info, const std::string& chave) {
  while (ProximoEm(info.Alternativas[0].Primeiros)) {
    FAvisos.push_back("Elemento sem leiaute para " + std::string(info.Chave) + " [" + chave +
                      "] ignorado: " + FCaminho + "/" + Nome(FAtual));
    FAtual = ElementoAPartir(FAtual->next);
  }
}

void TLeitorNFe::Atributo(std::string& valor, const TInfoCampo& info) {
  std::unique_ptr<xmlChar, decltype(xmlFree)> texto(
      xmlGetProp(FElemento, reinterpret_cast<const xmlChar*>(info.Nome)), xmlFree);
  // What the document lacks is not taken from the model's initial values.
  valor = texto ? reinterpret_cast<const char*>(texto.get()) : "";
}

void TLeitorNFe::Campo(std::string& valor, const TInfoCampo& info) {
  _xmlNode* no = Tomar(info.Nome);
  if (!no) {
    valor.clear();
    return;
  }
  valor = info.Tipo == TTipoCampoNFe::cXML ? XMLDoNo(no) : Conteudo(no);
}

void TLeitorNFe::Campo(std::vector<std::string>& valores, const TInfoCampo& info) {
  while (_xmlNode* no = Tomar(info.Nome)) valores.push_back(Conteudo(no));
}

void TLeitorNFe::Campo(TDecimal& valor, const TInfoCampo& info) {
  _xmlNode* no = Tomar(info.Nome);
  if (!no) return;
  const std::string texto = Conteudo(no);
  // An empty element holds no value: the writer writes a missing mandatory amount that way.
  if (texto.empty()) return;
  const auto lido = TDecimal::Ler(texto);
  if (!lido) {
    throw ENivraDFeException("Valor decimal inválido em " + FCaminho + "/" + info.Nome + ": \"" +
                             texto + "\"");
  }
  valor = *lido;
}

void TLeitorNFe::Terminar() {
  for (; FAtual; FAtual = ElementoAPartir(FAtual->next)) {
    FAvisos.push_back("Elemento fora de ordem ignorado: " + FCaminho + "/" + Nome(FAtual));
  }
}

}  // namespace nivra
