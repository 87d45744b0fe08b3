// TDFeSSLXmlSignMsXml: signing with the facade's certificate, and the defaults of the signature
// node and its prefixes.
#include "nivranfe/security/dfe_ssl_xmlsign_msxml.h"

#include <xmlsec/templates.h>
#include <xmlsec/xmltree.h>

#include <algorithm>
#include <optional>
#include <string_view>

#include "nivranfe/security/assinatura_direta.h"
#include "nivranfe/security/dfe_ssl.h"
#include "nivranfe/security/xml_biblioteca.h"
#include "nivranfe/security/xmlsec_chaves.h"
#include "nivranfe/util/excecoes.h"
#include "nivranfe/util/texto.h"
#include "nivranfe/util/xml_texto.h"

namespace nivra {

namespace {

// Whether `no` is a signature element, with a KeyInfo holding an X509Data (added when missing)
// for xmlsec to write the certificate into.
bool PrepararAssinatura(xmlNode* no) {
  if (xmlSecCheckNodeName(no, xmlSecNodeSignature, xmlSecDSigNs) == 0) return false;
  xmlNode* keyInfo = xmlSecTmplSignatureEnsureKeyInfo(no, nullptr);
  if (keyInfo == nullptr) return false;
  return xmlSecFindChild(keyInfo, xmlSecNodeX509Data, xmlSecDSigNs) != nullptr ||
         xmlSecTmplKeyInfoAddX509Data(keyInfo) != nullptr;
}

// The xmlsec key that signs for `contexto`. xmlsec sees only the public half of a token key:
// then `externa` is set and the key is a stand-in, whose signature value must be made again
// with the token key itself. Null when xmlsec refuses the keys.
TChaveXmlSec ChaveParaAssinar(const TCertContext& contexto, bool& externa) {
  TChaveXmlSec chave = ChaveXmlSec(contexto.ChavePrivada, contexto.Certificado);
  externa = chave && !XmlSecAssinaCom(chave.get());
  if (externa) chave = ChaveXmlSec(ChaveSubstituta(), contexto.Certificado);
  return chave;
}

// Whether `parte` occurs in `texto` ignoring the letter case of a to z.
bool ContemSemCaixa(std::string_view texto, std::string_view parte) {
  const auto maiuscula = [](char c) { return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c; };
  return std::search(texto.begin(), texto.end(), parte.begin(), parte.end(),
                     [&](char a, char b) { return maiuscula(a) == maiuscula(b); }) != texto.end();
}

// The text without line breaks.
std::string SemQuebrasDeLinha(const std::string& texto) {
  std::string resultado = texto;
  // Most documents have none: two fast searches spare the pass over every character.
  if (resultado.find('\n') != std::string::npos || resultado.find('\r') != std::string::npos)
    std::erase_if(resultado, [](char c) { return c == '\n' || c == '\r'; });
  return resultado;
}

}  // namespace

TDFeSSLXmlSignMsXml::TDFeSSLXmlSignMsXml(TDFeSSL& ADFeSSL) : TDFeSSLXmlSignClass(ADFeSSL) {}

std::string TDFeSSLXmlSignMsXml::NoAssinatura(const std::string& SignatureNode) {
  return SignatureNode.empty() ? SignatureNodePadrao : SignatureNode;
}

std::string TDFeSSLXmlSignMsXml::NamespacesSelecao(const std::string& SelectionNamespaces) {
  const std::string_view declaracao = NamespaceDsPadrao;
  if (SelectionNamespaces.empty()) return std::string(declaracao);
  if (SelectionNamespaces.starts_with(declaracao)) return SelectionNamespaces;
  return std::string(declaracao) + " " + SelectionNamespaces;
}

std::string TDFeSSLXmlSignMsXml::Assinar(
    const std::string& ConteudoXML, const std::string& docElement, const std::string& infElement,
    const std::string& SignatureNode, const std::string& SelectionNamespaces,
    const std::string& IdSignature, const std::string& IdAttr) {
  const TCertContext* contexto = FpDFeSSL.CertContextWinApi();
  // A plain document with the default signature is signed from its text, as xmlsec would.
  if (contexto != nullptr && NoAssinatura(SignatureNode) == SignatureNodePadrao &&
      NamespacesSelecao(SelectionNamespaces) == NamespaceDsPadrao && IdSignature.empty() &&
      (IdAttr.empty() || IdAttr == "Id")) {
    std::optional<std::string> assinado =
        AssinarDireto(SemQuebrasDeLinha(ConteudoXML), docElement, contexto->ChavePrivada,
                      contexto->CertificadoBase64, FpDFeSSL.SSLDgst() == TSSLDgst::dgstSHA256);
    if (assinado) return std::move(*assinado);
  }
  return AssinarComXmlSec(ConteudoXML, docElement, infElement, SignatureNode, SelectionNamespaces,
                          IdSignature, IdAttr);
}

std::string TDFeSSLXmlSignMsXml::AssinarComXmlSec(const std::string& ConteudoXML,
                                                  const std::string& docElement, const std::string&,
                                                  const std::string& SignatureNode,
                                                  const std::string& SelectionNamespaces,
                                                  const std::string& IdSignature,
                                                  const std::string& IdAttr) {
  IniciarBibliotecasXml();
  FpDFeSSL.CarregarCertificadoSeNecessario();
  const TCertContext* contexto = FpDFeSSL.CertContextWinApi();
  const std::string no = NoAssinatura(SignatureNode);
  const std::string namespaces = NamespacesSelecao(SelectionNamespaces);

  // Line breaks go before signing, so that the text delivered without them is the text signed.
  std::string xml = SemQuebrasDeLinha(ConteudoXML);
  if (!ContemSemCaixa(xml, "<signature") || no != SignatureNodePadrao)
    xml = InserirModeloAssinatura(xml, false, docElement, IdSignature, IdAttr);

  TDocXml doc = CarregarDocXml(xml);
  if (!doc) throw ENivraDFeException("Não foi possível carregar XML\r\n" + xml);
  RegistrarIds(doc.get(), IdAttr.empty() ? "Id" : IdAttr);

  LimparErroXmlSec();
  TDSigCtx assinatura = CriarContextoAssinatura();
  if (!assinatura) throw ENivraDFeException("Erro ao criar Elemento para Assinatura");
  xmlNode* noAssinatura = SelecionarNo(doc.get(), no, namespaces);
  if (noAssinatura == nullptr) throw ENivraDFeException("Erro ao encontrar nó para Assinatura");

  const std::string certificado = contexto != nullptr ? contexto->CertificadoBase64 : std::string();
  bool chaveExterna = false;
  TChaveXmlSec chave = certificado.empty() ? nullptr : ChaveParaAssinar(*contexto, chaveExterna);
  if (!chave)
    throw ENivraDFeException("Falha ao obter a Chave Privada do Certificado para Assinatura.");
  if (chaveExterna) assinatura->flags |= XMLSEC_DSIG_FLAGS_STORE_SIGNATURE;
  assinatura->signKey = chave.release();
  if (!PrepararAssinatura(noAssinatura) || xmlSecDSigCtxSign(assinatura.get(), noAssinatura) < 0 ||
      (chaveExterna &&
       !RefazerValorAssinatura(assinatura.get(), noAssinatura, contexto->ChavePrivada)))
    throw ENivraDFeException("Assinatura Falhou.");

  // The tidying strips line breaks: those of the signed text must reach it as references.
  ProtegerQuebrasDeLinha(doc.get());
  // The declaration the text came with stays in front; the tidying keeps it when it is UTF-8.
  const std::string declaracao = xml.starts_with("<?xml") ? DeclaracaoXML(xml) : "";
  return LimparXMLAssinado(declaracao + SerializarDocXml(doc.get()), certificado);
}

}  // namespace nivra
