// Signing with TDFeSSLXmlSignMsXml through the facade: what the signed text looks like, that the
// independent xmlsec1 command accepts it, the template rules and the failures.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "tests/fakes/documentos_assinatura.h"
#include "tests/fakes/mensagem_de.h"
#include "tests/security/ambiente_assinatura.h"

namespace nivra {

namespace {

class Assinatura : public AmbienteAssinatura {};

TEST_F(Assinatura, SignedInvoiceVerifiesWithXmlSec1AndKeepsItsText) {
  const std::string assinado = AssinarNFe();
  EXPECT_TRUE(FXmlSec1.Verifica(assinado, "infNFe")) << assinado;
  EXPECT_NE(assinado.find("<xNome>EMPRESA MODELO AÇÃO LTDA</xNome>"), std::string::npos);
  EXPECT_NE(assinado.find(std::string("<Reference URI=\"#") + IdNFeTeste + "\">"),
            std::string::npos);
  // The signature closes the document element, right after the signed element.
  EXPECT_NE(assinado.find("</infNFe><Signature xmlns=\"http://www.w3.org/2000/09/xmldsig#\">"),
            std::string::npos);
  EXPECT_TRUE(assinado.ends_with("</Signature></NFe>")) << assinado;
}

TEST_F(Assinatura, KeyInfoHoldsOnlyTheSignersCertificateAndTheTextHasNoLineBreaks) {
  const std::string assinado = AssinarNFe();
  EXPECT_EQ(Ocorrencias(assinado, "<X509Data>"), 1);
  EXPECT_EQ(Ocorrencias(assinado, "<X509Certificate>"), 1);
  EXPECT_NE(assinado.find("<KeyInfo><X509Data><X509Certificate>" + CertificadoPKI("empresa") +
                          "</X509Certificate></X509Data></KeyInfo>"),
            std::string::npos);
  EXPECT_EQ(assinado.find_first_of("\r\n"), std::string::npos);
}

TEST_F(Assinatura, IndentedDocumentIsSignedAsDeliveredWithoutLineBreaks) {
  const std::string indentado =
      "<NFe xmlns=\"http://www.portalfiscal.inf.br/nfe\">\r\n  <infNFe Id=\"NFe1\">\r\n"
      "    <ide><cUF>41</cUF></ide>\n  </infNFe>\n</NFe>";
  const std::string assinado = AssinarNFe(indentado);
  EXPECT_EQ(assinado.find_first_of("\r\n"), std::string::npos);
  EXPECT_TRUE(FXmlSec1.Verifica(assinado, "infNFe")) << assinado;
}

TEST_F(Assinatura, EncodedLineBreaksAreSignedAndDeliveredAsReferences) {
  struct Caso {
    const char* dentro;    // the text of infCpl as given
    const char* entregue;  // as it stands in the signed text
  };
  const std::vector<Caso> casos = {
      {"A&#10;B", "A&#10;B"},
      {"A&#xA;&#xA;B&#10;", "A&#10;&#10;B&#10;"},
      {"&#13;&#10;A", "&#13;&#10;A"},
      {"A&#9;B", "A\tB"},
  };
  for (const auto& caso : casos) {
    SCOPED_TRACE(caso.dentro);
    std::string nfe = NFeTeste();
    nfe.insert(nfe.find("</infNFe>"),
               std::string("<infAdic><infCpl>") + caso.dentro + "</infCpl></infAdic>");
    const std::string assinado = AssinarNFe(nfe);
    EXPECT_NE(assinado.find(std::string("<infCpl>") + caso.entregue + "</infCpl>"),
              std::string::npos)
        << assinado;
    EXPECT_EQ(assinado.find_first_of("\r\n"), std::string::npos);
    EXPECT_TRUE(FXmlSec1.Verifica(assinado, "infNFe")) << assinado;
    std::string erro;
    EXPECT_TRUE(FSSL.VerificarAssinatura(assinado, erro, "")) << erro;
  }
}

TEST_F(Assinatura, DigestChoiceNamesTheAlgorithmsAndTheSignatureHolds) {
  struct Caso {
    TSSLDgst dgst;
    const char* metodo;
    const char* digest;
  };
  const std::vector<Caso> casos = {
      {TSSLDgst::dgstSHA256, "http://www.w3.org/2001/04/xmldsig-more#rsa-sha256",
       "http://www.w3.org/2001/04/xmlenc#sha256"},
      {TSSLDgst::dgstSHA1, "http://www.w3.org/2000/09/xmldsig#rsa-sha1",
       "http://www.w3.org/2000/09/xmldsig#sha1"},
      {TSSLDgst::dgstSHA512, "http://www.w3.org/2000/09/xmldsig#rsa-sha1",
       "http://www.w3.org/2000/09/xmldsig#sha1"},
  };
  for (const auto& caso : casos) {
    FSSL.SetSSLDgst(caso.dgst);
    const std::string assinado = AssinarNFe();
    EXPECT_NE(assinado.find(std::string("<SignatureMethod Algorithm=\"") + caso.metodo),
              std::string::npos)
        << caso.metodo;
    EXPECT_NE(assinado.find(std::string("<DigestMethod Algorithm=\"") + caso.digest),
              std::string::npos)
        << caso.digest;
    EXPECT_TRUE(FXmlSec1.Verifica(assinado, "infNFe")) << caso.metodo;
  }
}

TEST_F(Assinatura, DocumentWithoutIdIsSignedWhole) {
  const std::string assinado =
      FSSL.Assinar("<lote><item>1</item></lote>", "lote", "", "", "", "", "");
  EXPECT_NE(assinado.find("<Reference URI=\"\">"), std::string::npos);
  EXPECT_TRUE(FXmlSec1.Verifica(assinado, "lote")) << assinado;
}

TEST_F(Assinatura, TemplateAlreadyInTheDocumentIsSignedInPlace) {
  const std::string modelo = FSSL.SSLXmlSignClass().InserirModeloAssinatura(NFeTeste(), true, "NFe",
                                                                            " Id=\"assinatura1\"");
  const std::string assinado = AssinarNFe(modelo);
  EXPECT_EQ(Ocorrencias(assinado, "<Signature "), 1);
  EXPECT_NE(assinado.find("<Signature xmlns=\"http://www.w3.org/2000/09/xmldsig#\" "
                          "Id=\"assinatura1\">"),
            std::string::npos);
  EXPECT_EQ(Ocorrencias(assinado, "<X509Certificate>"), 1);
  EXPECT_TRUE(FXmlSec1.Verifica(assinado, "infNFe")) << assinado;
}

TEST_F(Assinatura, OtherSignatureNodeGetsASecondTemplateBeforeTheDocumentEnd) {
  const std::string primeira = AssinarNFe();
  const std::string segunda =
      FSSL.Assinar(primeira, "NFe", "infNFe", "(.//ds:Signature)[2]", "", "", "");
  EXPECT_EQ(Ocorrencias(segunda, "<Signature "), 2);
  // The first signature is left as it was; the second one is complete too.
  EXPECT_EQ(segunda.substr(0, segunda.find("</Signature>")),
            primeira.substr(0, primeira.find("</Signature>")));
  EXPECT_EQ(Ocorrencias(segunda, "<DigestValue></DigestValue>"), 0);
  EXPECT_EQ(Ocorrencias(segunda, "<SignatureValue></SignatureValue>"), 0);
}

TEST_F(Assinatura, FacadeKeepsTheUTF8DeclarationOfTheInput) {
  struct Caso {
    const char* declaracao;
    const char* esperada;
  };
  const std::vector<Caso> casos = {
      {"<?xml version=\"1.0\" encoding=\"UTF-8\"?>", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"},
      {"<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"yes\"?>",
       "<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"yes\"?>"},
      {"<?xml version=\"1.0\"?>", ""},
      {"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>", ""},
      {"", ""},
  };
  for (const auto& caso : casos) {
    const std::string assinado = AssinarNFe(caso.declaracao + NFeTeste());
    EXPECT_EQ(assinado.substr(0, assinado.find("<NFe")), caso.esperada) << caso.declaracao;
    EXPECT_TRUE(FXmlSec1.Verifica(assinado, "infNFe")) << caso.declaracao;
  }
}

TEST_F(Assinatura, SignedEventVerifiesWithXmlSec1) {
  const std::string assinado = FSSL.Assinar(EventoTeste(), "evento", "infEvento");
  EXPECT_NE(assinado.find("</infEvento><Signature "), std::string::npos);
  EXPECT_TRUE(FXmlSec1.Verifica(assinado, "infEvento")) << assinado;
}

TEST_F(Assinatura, FailuresNameTheirStep) {
  struct Caso {
    const char* nome;
    std::string xml;
    std::string docElement;
    std::string signatureNode;
    std::string mensagem;
  };
  const std::vector<Caso> casos = {
      {"closing tag missing", NFeTeste(), "nfe", "", "Não encontrei final do elemento: </nfe>"},
      {"no opening quote", "<a Id=x></a>", "a", "", "Não encontrei inicio do URI: aspas inicial"},
      {"no closing quote", "<a Id=\"x></a>", "a", "", "Não encontrei inicio do URI: aspas final"},
      {"malformed", "<a Id=\"x\"><b></a>", "a", "",
       "Não foi possível carregar XML\r\n<a Id=\"x\"><b><Signature "},
      {"node not found", NFeTeste(), "NFe", ".//ds:Nenhum", "Erro ao encontrar nó para Assinatura"},
      {"reference to no element", "<a><b>Id=\"z\"</b></a>", "a", "", "Assinatura Falhou."},
  };
  for (const auto& caso : casos) {
    const std::string mensagem = MensagemDe(
        [&] { (void)FSSL.Assinar(caso.xml, caso.docElement, "", caso.signatureNode, "", "", ""); });
    EXPECT_TRUE(mensagem.starts_with(caso.mensagem)) << caso.nome << ": " << mensagem;
  }
}

TEST_F(Assinatura, CryptoWithoutPrivateKeyCannotSign) {
  FSSL.UsarSSLCryptClass(nullptr);
  EXPECT_EQ(MensagemDe([&] { (void)AssinarNFe(); }),
            "Falha ao obter a Chave Privada do Certificado para Assinatura.");
}

TEST(AssinaturaParalela, ThreadsSignAndVerifyAtTheSameTime) {
  constexpr int kThreads = 4;
  std::vector<std::string> mensagens(kThreads);
  std::vector<std::thread> threads;
  for (int i = 0; i < kThreads; ++i) {
    threads.emplace_back([&mensagens, i] {
      try {
        TDFeSSL ssl;
        ssl.UsarSSLCryptClass(std::make_unique<TCryptoPFX>(ssl));
        ssl.SetArquivoPFX(PastaPKITeste() + "empresa.pfx");
        ssl.SetSenha(SenhaPKITeste);
        ssl.SetSSLXmlSignLib(TSSLXmlSignLib::xsMsXml);
        for (int n = 0; n < 5; ++n) {
          const std::string assinado = ssl.Assinar(NFeTeste(), "NFe", "infNFe");
          std::string& msg = mensagens[static_cast<std::size_t>(i)];
          if (!ssl.VerificarAssinatura(assinado, msg)) return;
          // Each thread reads its own failure reason.
          (void)ssl.VerificarAssinatura("<a/>", msg);
          if (msg != "Não foi possível ler o nó de Assinatura (.//ds:Signature)") return;
          msg.clear();
        }
      } catch (const std::exception& e) {
        mensagens[static_cast<std::size_t>(i)] = e.what();
      }
    });
  }
  for (auto& t : threads) t.join();
  for (const auto& msg : mensagens) EXPECT_EQ(msg, "");
}

}  // namespace

}  // namespace nivra
