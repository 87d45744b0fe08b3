// The text routines every XML-signature class shares: the empty signature template and the
// tidying of a signed document.
#include <string_view>

#include "nivranfe/security/dfe_ssl.h"
#include "nivranfe/security/dfe_ssl_xmlsign.h"
#include "nivranfe/security/uris_assinatura.h"
#include "nivranfe/util/excecoes.h"
#include "nivranfe/util/texto.h"
#include "nivranfe/util/xml_texto.h"

namespace nivra {

namespace {

// The URI of the element the signature covers: "#" + the value of the first `IdAttr` attribute,
// empty (the whole document) when the document has none.
std::string URIReferencia(const std::string& xml, const std::string& IdAttr) {
  const std::string atributo = (IdAttr.empty() ? std::string("Id") : IdAttr) + "=";
  const std::size_t pos = xml.find(atributo);
  if (pos == std::string::npos) return "";
  const std::size_t inicio = xml.find('"', pos + atributo.size());
  if (inicio == std::string::npos)
    throw ENivraDFeException("Não encontrei inicio do URI: aspas inicial");
  const std::size_t fim = xml.find('"', inicio + 1);
  if (fim == std::string::npos)
    throw ENivraDFeException("Não encontrei inicio do URI: aspas final");
  return "#" + xml.substr(inicio + 1, fim - inicio - 1);
}

// Replaces what lies between the first `abre` from `desde` and the last `fecha` after it by
// `conteudo`; returns false, leaving the text alone, when either is missing.
bool TrocarConteudo(std::string& xml, std::size_t desde, std::string_view abre,
                    std::string_view fecha, const std::string& conteudo) {
  const std::size_t inicio = xml.find(abre, desde);
  if (inicio == std::string::npos) return false;
  const std::size_t fim = xml.rfind(fecha);
  if (fim == std::string::npos || fim < inicio + abre.size()) return false;
  xml.replace(inicio + abre.size(), fim - inicio - abre.size(), conteudo);
  return true;
}

}  // namespace

std::string TDFeSSLXmlSignClass::InserirModeloAssinatura(const std::string& ConteudoXML,
                                                         bool AddX509Data,
                                                         const std::string& docElement,
                                                         const std::string& IdSignature,
                                                         const std::string& IdAttr) const {
  const std::string uri = URIReferencia(ConteudoXML, IdAttr);
  const std::string fechamento = "</" + docElement + ">";
  const std::size_t pos = ConteudoXML.rfind(fechamento);
  if (pos == std::string::npos)
    throw ENivraDFeException("Não encontrei final do elemento: " + fechamento);

  const bool sha256 = FpDFeSSL.SSLDgst() == TSSLDgst::dgstSHA256;
  const std::string c14n(kUriC14N);
  std::string modelo =
      "<Signature xmlns=\"" + std::string(kUriDSig) + "\"" + IdSignature +
      "><SignedInfo><CanonicalizationMethod Algorithm=\"" + c14n +
      "\" /><SignatureMethod Algorithm=\"" + std::string(sha256 ? kUriRsaSha256 : kUriRsaSha1) +
      "\" /><Reference URI=\"" + uri + "\"><Transforms><Transform Algorithm=\"" +
      std::string(kUriEnveloped) + "\" /><Transform Algorithm=\"" + c14n +
      "\" /></Transforms><DigestMethod Algorithm=\"" + std::string(sha256 ? kUriSha256 : kUriSha1) +
      "\" /><DigestValue></DigestValue></Reference></SignedInfo>"
      "<SignatureValue></SignatureValue><KeyInfo>";
  if (AddX509Data) modelo += "<X509Data><X509Certificate></X509Certificate></X509Data>";
  modelo += "</KeyInfo></Signature>";
  return ConteudoXML.substr(0, pos) + modelo + ConteudoXML.substr(pos);
}

std::string TDFeSSLXmlSignClass::LimparXMLAssinado(const std::string& ConteudoXML,
                                                   const std::string& X509Certificate) {
  std::string xml = ConteudoXML;
  if (!XMLDeclaraUTF8(xml)) {
    const std::size_t inicio = xml.find("<?");
    const std::size_t fim = inicio == std::string::npos ? inicio : xml.find("?>", inicio);
    if (fim != std::string::npos) xml.erase(inicio, fim + 2 - inicio);
  }
  SubstituirTodos(xml, "\n", "");
  SubstituirTodos(xml, "\r", "");

  const std::size_t valor = xml.rfind("<SignatureValue>");
  if (valor == std::string::npos) return xml;

  if (!X509Certificate.empty()) {
    const std::string certificado = "<X509Certificate>" + X509Certificate + "</X509Certificate>";
    if (!TrocarConteudo(xml, valor, "<X509Data>", "</X509Data>", certificado))
      TrocarConteudo(xml, valor, "<KeyInfo>", "</KeyInfo>",
                     "<X509Data>" + certificado + "</X509Data>");
  } else {
    // Only the last certificate element stays.
    const std::size_t primeiro = xml.find("<X509Certificate>", valor);
    if (primeiro != std::string::npos) {
      const std::size_t ultimo = xml.rfind("<X509Certificate>");
      xml.erase(primeiro, ultimo - primeiro);
    }
  }

  // Base64 values lose any wrapping.
  const std::size_t fimKeyInfo = xml.find("</KeyInfo>", valor);
  if (fimKeyInfo != std::string::npos) {
    std::string trecho = xml.substr(valor, fimKeyInfo - valor);
    SubstituirTodos(trecho, " ", "");
    xml.replace(valor, fimKeyInfo - valor, trecho);
  }
  return xml;
}

}  // namespace nivra
