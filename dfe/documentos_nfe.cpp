// What an invoice's holder reads out of its XML.
#include "dfe/documentos_nfe.h"

#include "util/chave_acesso.h"
#include "util/texto.h"
#include "util/xml_texto.h"

namespace {

constexpr std::size_t kTamanhoChave = 44;

}  // namespace

std::string NotaFiscal::ChaveAcesso() const {
  const std::string& xml = XML();
  const std::size_t inicio = xml.find("Id=\"NFe");
  if (inicio == std::string::npos) return {};
  const std::string chave = xml.substr(inicio + 7, kTamanhoChave);
  // The key's alphabet (letters only where the issuer's CNPJ is), whatever its check digit.
  const bool formaDeChave = chave.size() == kTamanhoChave &&
                            DigitoChaveAcesso(chave.substr(0, kTamanhoChave - 1)) >= 0 &&
                            TextoSoDeDigitos(chave.substr(kTamanhoChave - 1));
  return formaDeChave ? chave : std::string();
}

int NotaFiscal::tpAmb() const {
  const std::string valor = ConteudoDaTag(XML(), "tpAmb", false);
  return valor == "1" || valor == "2" ? valor[0] - '0' : 0;
}

std::string NotaFiscal::CNPJEmitente() const {
  const std::string chave = ChaveAcesso();
  return chave.empty() ? std::string() : chave.substr(6, 14);
}

std::string NotaFiscal::VersaoXML() const {
  const std::string infNFe = ConteudoDaTag(XML(), "infNFe", true);
  const std::size_t inicio = infNFe.find("versao=\"");
  if (inicio == std::string::npos || inicio > infNFe.find('>')) return {};
  return infNFe.substr(inicio + 8, infNFe.find('"', inicio + 8) - inicio - 8);
}

std::string NotaFiscal::DigestValue() const { return ConteudoDaTag(XML(), "DigestValue", false); }

std::string NotaFiscal::XMLProcessado() const {
  if (FXMLProtocolo.empty()) return {};
  const std::string& xml = XML();
  const std::size_t inicio = xml.find("<NFe");
  const std::size_t fim = xml.rfind("</NFe>");
  if (inicio == std::string::npos || fim == std::string::npos) return {};
  return "<nfeProc xmlns=\"http://www.portalfiscal.inf.br/nfe\" versao=\"4.00\">" +
         xml.substr(inicio, fim + 6 - inicio) + FXMLProtocolo + "</nfeProc>";
}
