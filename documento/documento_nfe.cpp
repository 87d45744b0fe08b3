// Key composition, writing and reading of the NF-e document.
#include "nivranfe/documento/documento_nfe.h"

#include <random>

#include "nivranfe/documento/chave_nfe.h"
#include "nivranfe/util/chave_acesso.h"
#include "nivranfe/util/excecoes.h"

namespace nivra {

namespace {

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
  ide.cDV = std::to_string(DigitoChaveAcesso(prefixo));
  nota.infNFe.Id = "NFe" + prefixo + ide.cDV;
  return prefixo + ide.cDV;
}

TXMLGeradoNFe GerarXMLNFe(const nfe::TNFe& nota) {
  return GerarXMLRaiz(nota, nfe::leiaute::kRaizNFe);
}

TXMLGeradoNFe GerarXMLProtNFe(const nfe::TprotNFe& protocolo) {
  return GerarXMLRaiz(protocolo, nfe::leiaute::kRaizprotNFe);
}

TNFeLida LerXMLNFe(std::string_view xml) {
  const TDocumentoXML documento(xml, "Documento NF-e");
  _xmlNode* elementoNFe = documento.Procurar("NFe");
  if (!elementoNFe) throw ENivraDFeException("Documento não contém o elemento NFe");
  TNFeLida lida;
  lida.XMLOriginal = std::string(xml);
  LerRaiz(elementoNFe, lida.NFe, nfe::leiaute::kRaizNFe, lida.Avisos);
  if (_xmlNode* protocolo = documento.Procurar("protNFe")) {
    LerRaiz(protocolo, lida.protNFe.emplace(), nfe::leiaute::kRaizprotNFe, lida.Avisos);
  }
  return lida;
}

}  // namespace nivra
