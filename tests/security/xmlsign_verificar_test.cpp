// Verifying received signatures and validating against the shipped schemas with
// TDFeSSLXmlSignMsXml: documents signed by xmlsec1 and by us, tampered documents, and every
// message.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "nivranfe/util/texto.h"
#include "tests/fakes/documentos_assinatura.h"
#include "tests/fakes/mensagem_de.h"
#include "tests/security/ambiente_assinatura.h"

namespace nivra {

namespace {

class Verificacao : public AmbienteAssinatura {
 protected:
  // Verifies through the facade; MsgErro goes to FMsgErro.
  bool Verificar(const std::string& xml, const std::string& SignatureNode = "") {
    FMsgErro = "lixo de antes";
    return FSSL.VerificarAssinatura(xml, FMsgErro, "", SignatureNode);
  }
  bool Validar(const std::string& xml, const std::string& schema = "envEvento_v1.00.xsd") {
    FMsgErro = "lixo de antes";
    return FSSL.Validar(xml, std::string(NIVRA_SCHEMAS) + schema, FMsgErro);
  }
  std::string FMsgErro;
};

// `xml` with the first `de` replaced by `para`.
std::string Trocar(std::string xml, const std::string& de, const std::string& para) {
  const auto pos = xml.find(de);
  EXPECT_NE(pos, std::string::npos) << de;
  if (pos != std::string::npos) xml.replace(pos, de.size(), para);
  return xml;
}

TEST_F(Verificacao, DocumentsSignedByXmlSec1Verify) {
  for (TSSLDgst dgst : {TSSLDgst::dgstSHA1, TSSLDgst::dgstSHA256}) {
    FSSL.SetSSLDgst(dgst);
    const std::string modelo =
        FSSL.SSLXmlSignClass().InserirModeloAssinatura(NFeTeste(), true, "NFe");
    const std::string assinado = FXmlSec1.Assina(modelo, "infNFe");
    ASSERT_FALSE(assinado.empty());
    EXPECT_TRUE(Verificar(assinado)) << FMsgErro;
    EXPECT_EQ(FMsgErro, "");
  }
}

TEST_F(Verificacao, DocumentsWeSignVerify) {
  EXPECT_TRUE(Verificar(AssinarNFe())) << FMsgErro;
  EXPECT_TRUE(Verificar(FSSL.Assinar(EventoTeste(), "evento", "infEvento"))) << FMsgErro;
}

TEST_F(Verificacao, TamperedDocumentsFail) {
  const std::string assinado = FXmlSec1.Assina(
      FSSL.SSLXmlSignClass().InserirModeloAssinatura(NFeTeste(), true, "NFe"), "infNFe");
  ASSERT_FALSE(assinado.empty());
  const std::string outroCertificado = CertificadoPKI("pessoa");
  struct Caso {
    const char* nome;
    std::string xml;
  };
  const std::vector<Caso> casos = {
      {"content", Trocar(assinado, "VENDA DE MERCADORIA", "VENDA DE MERCADORIAS")},
      {"attribute", Trocar(assinado, "versao=\"4.00\"", "versao=\"3.10\"")},
      {"signature value", Trocar(assinado, "<SignatureValue>", "<SignatureValue>AAAA")},
      {"other signer", assinado.substr(0, assinado.find("<X509Certificate>") + 17) +
                           outroCertificado + assinado.substr(assinado.find("</X509Certificate>"))},
  };
  for (const auto& caso : casos) {
    EXPECT_FALSE(Verificar(caso.xml)) << caso.nome;
    EXPECT_TRUE(FMsgErro.starts_with("Erro ao verificar assinatura do arquivo: ") &&
                FMsgErro.size() > 41)
        << caso.nome << ": " << FMsgErro;
  }
}

TEST_F(Verificacao, EachUnreadablePartHasItsMessage) {
  const std::string assinado = AssinarNFe();
  const std::string semX509 = assinado.substr(0, assinado.find("<X509Data>")) +
                              assinado.substr(assinado.find("</KeyInfo>"));
  struct Caso {
    const char* nome;
    std::string xml;
    std::string no;
    std::string mensagem;
  };
  const std::vector<Caso> casos = {
      {"malformed", "<NFe><infNFe>", "", "Não foi possível carregar o arquivo."},
      {"no signature", NFeTeste(), "", "Não foi possível ler o nó de Assinatura (.//ds:Signature)"},
      {"other node", assinado, "//ds:Nada", "Não foi possível ler o nó de Assinatura (//ds:Nada)"},
      {"no certificate", semX509, "", "Erro ao ler <X509Data> da Assinatura"},
      {"certificate not Base64 DER", Trocar(assinado, "<X509Certificate>", "<X509Certificate>%%"),
       "", "Erro obter a Chave Publica de <X509Certificate>"},
  };
  for (const auto& caso : casos) {
    EXPECT_FALSE(Verificar(caso.xml, caso.no)) << caso.nome;
    EXPECT_EQ(FMsgErro, caso.mensagem) << caso.nome;
  }
}

TEST_F(Verificacao, SignatureNodeMayUseThePrefixesTheCallerDeclares) {
  const std::string assinado = AssinarNFe();
  std::string msg;
  EXPECT_TRUE(FSSL.VerificarAssinatura(assinado, msg, "", "/nfe:NFe/ds:Signature",
                                       "xmlns:nfe='http://www.portalfiscal.inf.br/nfe'"))
      << msg;
  EXPECT_FALSE(FSSL.VerificarAssinatura(assinado, msg, "", "/nfe:NFe/ds:Signature", ""));
  EXPECT_EQ(msg, "Não foi possível ler o nó de Assinatura (/nfe:NFe/ds:Signature)");
}

TEST_F(Verificacao, ReferenceOutsideTheDocumentIsNotFollowed) {
  const std::string assinado = FXmlSec1.Assina(
      FSSL.SSLXmlSignClass().InserirModeloAssinatura(NFeTeste(), true, "NFe"), "infNFe");
  const std::string externo =
      Trocar(assinado, std::string("URI=\"#") + IdNFeTeste, "URI=\"file:///etc/hostname");
  EXPECT_FALSE(Verificar(externo));
  EXPECT_TRUE(FMsgErro.starts_with("Erro ao verificar assinatura do arquivo: ")) << FMsgErro;
}

TEST_F(Verificacao, SignedEventIsValidUnderTheShippedSchema) {
  EXPECT_TRUE(Validar(FSSL.Assinar(EventoTeste(), "evento", "infEvento"))) << FMsgErro;
  EXPECT_EQ(FMsgErro, "");
}

TEST_F(Verificacao, InvalidEventsFailWithTheValidatorsReason) {
  struct Caso {
    const char* nome;
    std::string xml;
    std::string trecho;
  };
  const std::vector<Caso> casos = {
      {"unsigned", EventoTeste(), "evento"},
      {"environment out of range",
       FSSL.Assinar(Trocar(EventoTeste(), "<tpAmb>2</tpAmb>", "<tpAmb>3</tpAmb>"), "evento",
                    "infEvento"),
       "tpAmb"},
      {"other namespace",
       Trocar(FSSL.Assinar(EventoTeste(), "evento", "infEvento"), NameSpaceNFeTeste, "urn:outro"),
       "envEvento"},
  };
  for (const auto& caso : casos) {
    EXPECT_FALSE(Validar(caso.xml)) << caso.nome;
    EXPECT_NE(FMsgErro.find(caso.trecho), std::string::npos) << caso.nome << ": " << FMsgErro;
  }
}

TEST_F(Verificacao, MalformedDocumentGivesCodeLineAndPosition) {
  EXPECT_FALSE(Validar("<envEvento>\n  <idLote>1</lote>\n</envEvento>"));
  EXPECT_TRUE(
      FMsgErro.starts_with("Não foi possível carregar o arquivo.\r\nErr: 76, Lin: 2, Pos: "))
      << FMsgErro;
  EXPECT_NE(FMsgErro.find(" - Opening and ending tag mismatch: idLote"), std::string::npos)
      << FMsgErro;
}

TEST_F(Verificacao, SchemaThatCannotServeIsRefused) {
  EXPECT_EQ(MensagemDe([&] { (void)Validar(EventoTeste(), "xmldsig-core-schema_v1.01.xsd"); }),
            std::string("O Schema ") + NIVRA_SCHEMAS +
                "xmldsig-core-schema_v1.01.xsd não é do namespace \"" + NameSpaceNFeTeste + "\"");
  TPastaTemporaria pasta;
  TPastaTemporaria::Escrever(pasta.Caminho() + "ruim.xsd", "<nada/>");
  EXPECT_TRUE(
      MensagemDe([&] {
        (void)FSSL.Validar(EventoTeste(), pasta.Caminho() + "ruim.xsd", FMsgErro);
      }).starts_with("Não foi possível carregar o Schema: " + pasta.Caminho() + "ruim.xsd\r\n"));
}

}  // namespace

}  // namespace nivra
