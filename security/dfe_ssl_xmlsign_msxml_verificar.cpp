// TDFeSSLXmlSignMsXml: schema validation and the verification of a received signature.
#include <libxml/schemasInternals.h>
#include <libxml/xmlschemas.h>
#include <openssl/x509.h>
#include <xmlsec/base64.h>
#include <xmlsec/openssl/x509.h>

#include "nivranfe/security/dfe_ssl.h"
#include "nivranfe/security/dfe_ssl_xmlsign_msxml.h"
#include "nivranfe/security/xml_biblioteca.h"
#include "nivranfe/util/excecoes.h"
#include "nivranfe/util/texto.h"

namespace nivra {

namespace {

struct TLiberaSchemaParser {
  void operator()(xmlSchemaParserCtxt* ctx) const { xmlSchemaFreeParserCtxt(ctx); }
};
struct TLiberaSchema {
  void operator()(xmlSchema* schema) const { xmlSchemaFree(schema); }
};
struct TLiberaValidador {
  void operator()(xmlSchemaValidCtxt* ctx) const { xmlSchemaFreeValidCtxt(ctx); }
};
struct TLiberaXmlChar {
  void operator()(xmlChar* texto) const { xmlFree(texto); }
};

// Keeps the first message libxml2 reports through a schema context.
void GuardarPrimeiroErro(void* destino, xmlError* erro) {
  auto* texto = static_cast<std::string*>(destino);
  if (texto->empty() && erro != nullptr && erro->message != nullptr) *texto = Aparar(erro->message);
}

// The schema of the file `arquivo`, whose target namespace must be `namespaceURI`.
std::unique_ptr<xmlSchema, TLiberaSchema> CarregarSchema(const std::string& arquivo,
                                                         const std::string& namespaceURI) {
  std::string erro;
  std::unique_ptr<xmlSchemaParserCtxt, TLiberaSchemaParser> parser(
      xmlSchemaNewParserCtxt(arquivo.c_str()));
  if (parser) xmlSchemaSetParserStructuredErrors(parser.get(), GuardarPrimeiroErro, &erro);
  std::unique_ptr<xmlSchema, TLiberaSchema> schema(parser ? xmlSchemaParse(parser.get()) : nullptr);
  if (!schema)
    throw ENivraDFeFalhaSchema("Não foi possível carregar o Schema: " + arquivo + "\r\n" + erro);
  const char* alvo = reinterpret_cast<const char*>(schema->targetNamespace);
  if (namespaceURI != (alvo != nullptr ? alvo : ""))
    throw ENivraDFeFalhaSchema("O Schema " + arquivo + " não é do namespace \"" + namespaceURI +
                               "\"");
  return schema;
}

// An xmlsec key over the public key of the certificate written in Base64 in `no`; null when
// the text is no certificate.
TChaveXmlSec ChaveDoCertificado(xmlNode* no) {
  std::unique_ptr<xmlChar, TLiberaXmlChar> texto(xmlNodeGetContent(no));
  xmlSecSize tamanho = 0;
  if (!texto || xmlSecBase64DecodeInPlace(texto.get(), &tamanho) < 0) return nullptr;
  const unsigned char* der = texto.get();
  std::unique_ptr<X509, decltype(&X509_free)> certificado(
      d2i_X509(nullptr, &der, static_cast<long>(tamanho)), &X509_free);
  if (!certificado) return nullptr;
  xmlSecKeyDataPtr dados = xmlSecOpenSSLX509CertGetKey(certificado.get());
  if (dados == nullptr) return nullptr;
  TChaveXmlSec chave(xmlSecKeyCreate());
  if (!chave || xmlSecKeySetValue(chave.get(), dados) < 0) {
    xmlSecKeyDataDestroy(dados);
    return nullptr;
  }
  return chave;
}

}  // namespace

bool TDFeSSLXmlSignMsXml::Validar(const std::string& ConteudoXML, const std::string& ArqSchema,
                                  std::string& MsgErro) {
  IniciarBibliotecasXml();
  TFalhaCargaXml falha;
  TDocXml doc = CarregarDocXml(ConteudoXML, &falha);
  if (!doc) {
    MsgErro = "Não foi possível carregar o arquivo.\r\nErr: " + std::to_string(falha.Codigo) +
              ", Lin: " + std::to_string(falha.Linha) + ", Pos: " + std::to_string(falha.Posicao) +
              " - " + falha.Motivo;
    return false;
  }
  auto schema = CarregarSchema(ArqSchema, FpDFeSSL.NameSpaceURI());
  std::unique_ptr<xmlSchemaValidCtxt, TLiberaValidador> validador(
      xmlSchemaNewValidCtxt(schema.get()));
  if (!validador) throw ENivraDFeException("Não foi possível criar o validador de Schema");
  MsgErro.clear();
  xmlSchemaSetValidStructuredErrors(validador.get(), GuardarPrimeiroErro, &MsgErro);
  const int resultado = xmlSchemaValidateDoc(validador.get(), doc.get());
  if (resultado != 0 && MsgErro.empty())
    MsgErro = "Erro interno do validador: " + std::to_string(resultado);
  return resultado == 0;
}

bool TDFeSSLXmlSignMsXml::VerificarAssinatura(const std::string& ConteudoXML, std::string& MsgErro,
                                              const std::string&, const std::string& SignatureNode,
                                              const std::string& SelectionNamespaces,
                                              const std::string&, const std::string& IdAttr) {
  IniciarBibliotecasXml();
  const std::string no = NoAssinatura(SignatureNode);
  const std::string namespaces = NamespacesSelecao(SelectionNamespaces);

  TDocXml doc = CarregarDocXml(ConteudoXML);
  if (!doc) {
    MsgErro = "Não foi possível carregar o arquivo.";
    return false;
  }
  RegistrarIds(doc.get(), IdAttr.empty() ? "Id" : IdAttr);
  LimparErroXmlSec();
  TDSigCtx assinatura = CriarContextoAssinatura();
  if (!assinatura) {
    MsgErro = "Erro ao criar Elemento para Assinatura";
    return false;
  }
  xmlNode* noAssinatura = SelecionarNo(doc.get(), no, namespaces);
  if (noAssinatura == nullptr) {
    MsgErro = "Não foi possível ler o nó de Assinatura (" + no + ")";
    return false;
  }
  xmlNode* noCertificado = SelecionarNo(doc.get(), ".//ds:KeyInfo/ds:X509Data/ds:X509Certificate",
                                        namespaces, noAssinatura);
  if (noCertificado == nullptr) {
    MsgErro = "Erro ao ler <X509Data> da Assinatura";
    return false;
  }
  assinatura->signKey = ChaveDoCertificado(noCertificado).release();
  if (assinatura->signKey == nullptr) {
    MsgErro = "Erro obter a Chave Publica de <X509Certificate>";
    return false;
  }
  if (xmlSecDSigCtxVerify(assinatura.get(), noAssinatura) < 0) {
    MsgErro = "Erro ao verificar assinatura do arquivo: " + ErroXmlSec();
    return false;
  }
  if (assinatura->status != xmlSecDSigStatusSucceeded) {
    // A signature that does not match its content must not read as an unexplained refusal.
    MsgErro = "Erro ao verificar assinatura do arquivo: Assinatura inválida";
    return false;
  }
  return true;
}

}  // namespace nivra
