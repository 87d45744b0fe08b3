// Key composition, writing and reading of the NF-e document.
#include "documento/documento_nfe.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <limits>
#include <memory>
#include <random>

#include "documento/chave_nfe.h"
#include "documento/escritor_nfe.h"
#include "documento/leitor_nfe.h"
#include "util/excecoes.h"

namespace {

const char* const kNamespaceNFe = "http://www.portalfiscal.inf.br/nfe";

uint32_t SorteioPadrao() {
  static thread_local std::mt19937 gerador{std::random_device{}()};
  return std::uniform_int_distribution<uint32_t>(0, 99999999)(gerador);
}

std::string OitoDigitos(uint32_t numero) {
  std::string texto = std::to_string(numero % 100000000);
  return std::string(8 - texto.size(), '0') + texto;
}

std::string Obrigatorio(const std::string& valor, const char* nome) {
  if (valor.empty()) throw ENivraDFeException("Campo " + std::string(nome) + " não informado");
  return valor;
}

template <class T>
TXMLGeradoNFe Gerar(const T& raiz, const TInfoGrupo& info) {
  TGerador gerador;
  gerador.Opcoes().SetRetirarAcentos(false);
  gerador.Opcoes().SetRetirarEspacos(false);
  TEscritorNFe escritor(gerador);
  // The root carries the namespace; its own attributes follow it.
  escritor.Grupo(raiz, info);
  std::string xml = gerador.ArquivoFormatoXML();
  const std::string abertura = "<" + std::string(info.Nome);
  xml.insert(abertura.size(), " xmlns=\"" + std::string(kNamespaceNFe) + "\"");
  return {std::move(xml), gerador.ListaDeAlertas()};
}

using TDocumentoXml = std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)>;

xmlNode* Procurar(xmlNode* no, std::string_view nome) {
  for (; no; no = no->next) {
    if (no->type != XML_ELEMENT_NODE) continue;
    if (reinterpret_cast<const char*>(no->name) == nome) return no;
    if (xmlNode* achado = Procurar(no->children, nome)) return achado;
  }
  return nullptr;
}

template <class T>
void LerRaiz(xmlNode* no, T& raiz, const TInfoGrupo& info, std::vector<std::string>& avisos) {
  TLeitorNFe leitor(no, info.Nome, info.Filhos, avisos);
  nfe::Visitar(leitor, raiz);
  leitor.Terminar();
}

}  // namespace

std::string ComporChaveNFe(nfe::TNFe& nota, const TSorteioNFe& sorteio) {
  auto& ide = nota.infNFe.ide;
  const std::string dhEmi = Obrigatorio(ide.dhEmi, "dhEmi");
  if (dhEmi.size() < 7) throw ENivraDFeException("Campo dhEmi inválido: \"" + dhEmi + "\"");
  std::string documento;
  if (const auto* cnpj = std::get_if<nfe::TCNPJ>(&nota.infNFe.emit.CNPJ_CPF)) {
    documento = cnpj->CNPJ;
  } else if (const auto* cpf = std::get_if<nfe::TCPF>(&nota.infNFe.emit.CNPJ_CPF)) {
    documento = cpf->CPF;
  }
  Obrigatorio(documento, "CNPJ/CPF do emitente");
  const std::string nNF = Obrigatorio(ide.nNF, "nNF");
  if (ide.cNF.empty()) {
    const auto& sortear = sorteio ? sorteio : TSorteioNFe(&SorteioPadrao);
    // The code that protects the key from guessing is never the invoice's own number.
    do {
      ide.cNF = OitoDigitos(sortear());
    } while (std::stoull(ide.cNF) == std::stoull(nNF));
  }
  const TPartesChaveNFe partes{Obrigatorio(ide.cUF, "cUF"),
                               dhEmi.substr(2, 2) + dhEmi.substr(5, 2),
                               documento,
                               Obrigatorio(ide.mod, "mod"),
                               Obrigatorio(ide.serie, "serie"),
                               nNF,
                               Obrigatorio(ide.tpEmis, "tpEmis"),
                               ide.cNF};
  const std::string prefixo = PrefixoChaveNFe(partes);
  ide.cDV = std::to_string(DigitoModulo11Alfanumerico(prefixo));
  nota.infNFe.Id = "NFe" + prefixo + ide.cDV;
  return prefixo + ide.cDV;
}

TXMLGeradoNFe GerarXMLNFe(const nfe::TNFe& nota) { return Gerar(nota, nfe::leiaute::kRaizNFe); }

TXMLGeradoNFe GerarXMLProtNFe(const nfe::TprotNFe& protocolo) {
  return Gerar(protocolo, nfe::leiaute::kRaizprotNFe);
}

TNFeLida LerXMLNFe(std::string_view xml) {
  if (xml.size() > static_cast<size_t>(std::numeric_limits<int>::max())) {
    throw ENivraDFeException("Documento grande demais");
  }
  TDocumentoXml documento(
      xmlReadMemory(xml.data(), static_cast<int>(xml.size()), nullptr, nullptr,
                    XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_HUGE),
      &xmlFreeDoc);
  if (!documento) throw ENivraDFeException("Documento NF-e não é um XML válido");
  xmlNode* raiz = xmlDocGetRootElement(documento.get());
  xmlNode* elementoNFe = Procurar(raiz, "NFe");
  if (!elementoNFe) throw ENivraDFeException("Documento não contém o elemento NFe");
  TNFeLida lida;
  lida.XMLOriginal = std::string(xml);
  LerRaiz(elementoNFe, lida.NFe, nfe::leiaute::kRaizNFe, lida.Avisos);
  if (xmlNode* protocolo = Procurar(raiz, "protNFe")) {
    LerRaiz(protocolo, lida.protNFe.emplace(), nfe::leiaute::kRaizprotNFe, lida.Avisos);
  }
  return lida;
}
