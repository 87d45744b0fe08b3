// TDFeSSLXmlSignMsXml: signing with the facade's certificate, and the defaults of the signature
// node and its prefixes.
#include "security/dfe_ssl_xmlsign_msxml.h"

#include <openssl/evp.h>
#include <openssl/x509.h>
#include <xmlsec/base64.h>
#include <xmlsec/openssl/evp.h>
#include <xmlsec/openssl/x509.h>
#include <xmlsec/templates.h>
#include <xmlsec/xmltree.h>

#include "security/dfe_ssl.h"
#include "security/xml_biblioteca.h"
#include "util/excecoes.h"
#include "util/texto.h"
#include "util/xml_texto.h"

namespace {

struct TLiberaXmlChar {
  void operator()(xmlChar* texto) const { xmlFree(texto); }
};

// An xmlsec key over the certificate's private key, carrying the certificate for KeyInfo. xmlsec
// gets its own references, so a key that lives on a token signs through the token. Null when
// xmlsec refuses the key.
TChaveXmlSec ChaveDeAssinatura(const TCertContext& contexto) {
  if (contexto.ChavePrivada == nullptr || contexto.Certificado == nullptr ||
      EVP_PKEY_up_ref(contexto.ChavePrivada) != 1)
    return nullptr;
  xmlSecKeyDataPtr dados = xmlSecOpenSSLEvpKeyAdopt(contexto.ChavePrivada);
  if (dados == nullptr) {
    EVP_PKEY_free(contexto.ChavePrivada);
    return nullptr;
  }
  TChaveXmlSec chave(xmlSecKeyCreate());
  if (!chave || xmlSecKeySetValue(chave.get(), dados) < 0) {
    xmlSecKeyDataDestroy(dados);
    return nullptr;
  }
  xmlSecKeyDataPtr x509 = xmlSecKeyEnsureData(chave.get(), xmlSecOpenSSLKeyDataX509Id);
  if (x509 == nullptr || X509_up_ref(contexto.Certificado) != 1) return nullptr;
  if (xmlSecOpenSSLKeyDataX509AdoptKeyCert(x509, contexto.Certificado) < 0) {
    X509_free(contexto.Certificado);
    return nullptr;
  }
  return chave;
}

// Whether `no` is a signature element, with a KeyInfo holding an X509Data (added when missing)
// for xmlsec to write the certificate into.
bool PrepararAssinatura(xmlNode* no) {
  if (xmlSecCheckNodeName(no, xmlSecNodeSignature, xmlSecDSigNs) == 0) return false;
  xmlNode* keyInfo = xmlSecTmplSignatureEnsureKeyInfo(no, nullptr);
  if (keyInfo == nullptr) return false;
  return xmlSecFindChild(keyInfo, xmlSecNodeX509Data, xmlSecDSigNs) != nullptr ||
         xmlSecTmplKeyInfoAddX509Data(keyInfo) != nullptr;
}

// The certificate's DER in Base64 on one line.
std::string DERBase64(X509* certificado) {
  unsigned char* der = nullptr;
  const int tamanho = i2d_X509(certificado, &der);
  if (tamanho <= 0) throw ENivraDFeException("Falha ao ler o certificado para Assinatura.");
  std::unique_ptr<xmlChar, TLiberaXmlChar> base64(
      xmlSecBase64Encode(der, static_cast<xmlSecSize>(tamanho), 0));
  OPENSSL_free(der);
  if (!base64) throw ENivraDFeException("Falha ao ler o certificado para Assinatura.");
  return reinterpret_cast<const char*>(base64.get());
}

}  // namespace

TDFeSSLXmlSignMsXml::TDFeSSLXmlSignMsXml(TDFeSSL& ADFeSSL) : TDFeSSLXmlSignClass(ADFeSSL) {
  IniciarBibliotecasXml();
}

std::string TDFeSSLXmlSignMsXml::NoAssinatura(const std::string& SignatureNode) {
  return SignatureNode.empty() ? SignatureNodePadrao : SignatureNode;
}

std::string TDFeSSLXmlSignMsXml::NamespacesSelecao(const std::string& SelectionNamespaces) {
  const std::string declaracao = NamespaceDsPadrao;
  if (SelectionNamespaces.empty()) return declaracao;
  if (SelectionNamespaces.compare(0, declaracao.size(), declaracao) == 0)
    return SelectionNamespaces;
  return declaracao + " " + SelectionNamespaces;
}

std::string TDFeSSLXmlSignMsXml::Assinar(const std::string& ConteudoXML,
                                         const std::string& docElement, const std::string&,
                                         const std::string& SignatureNode,
                                         const std::string& SelectionNamespaces,
                                         const std::string& IdSignature,
                                         const std::string& IdAttr) {
  FpDFeSSL.CarregarCertificadoSeNecessario();
  const TCertContext* contexto = FpDFeSSL.CertContextWinApi();
  const std::string no = NoAssinatura(SignatureNode);
  const std::string namespaces = NamespacesSelecao(SelectionNamespaces);

  // Line breaks go before signing, so that the text delivered without them is the text signed.
  std::string xml = ConteudoXML;
  SubstituirTodos(xml, "\n", "");
  SubstituirTodos(xml, "\r", "");
  if (Maiusculas(xml).find("<SIGNATURE") == std::string::npos || no != SignatureNodePadrao)
    xml = InserirModeloAssinatura(xml, false, docElement, IdSignature, IdAttr);

  TDocXml doc = CarregarDocXml(xml);
  if (!doc) throw ENivraDFeException("Não foi possível carregar XML\r\n" + xml);
  RegistrarIds(doc.get(), IdAttr.empty() ? "Id" : IdAttr);

  LimparErroXmlSec();
  TDSigCtx assinatura = CriarContextoAssinatura();
  if (!assinatura) throw ENivraDFeException("Erro ao criar Elemento para Assinatura");
  xmlNode* noAssinatura = SelecionarNo(doc.get(), no, namespaces);
  if (noAssinatura == nullptr) throw ENivraDFeException("Erro ao encontrar nó para Assinatura");

  assinatura->signKey = contexto != nullptr ? ChaveDeAssinatura(*contexto).release() : nullptr;
  if (assinatura->signKey == nullptr)
    throw ENivraDFeException("Falha ao obter a Chave Privada do Certificado para Assinatura.");
  if (!PrepararAssinatura(noAssinatura) || xmlSecDSigCtxSign(assinatura.get(), noAssinatura) < 0)
    throw ENivraDFeException("Assinatura Falhou.");

  // The declaration the text came with stays in front; the tidying keeps it when it is UTF-8.
  const std::string declaracao = xml.starts_with("<?xml") ? DeclaracaoXML(xml) : "";
  return LimparXMLAssinado(declaracao + SerializarDocXml(doc.get()),
                           DERBase64(contexto->Certificado));
}
