// TSignature: the NF-e signature element written by the generator.
#include "nivranfe/xml/signature.h"

#include <gtest/gtest.h>

#include <string>

namespace nivra {

namespace {

std::string Assinatura(const std::string& uri, const std::string& digest, const std::string& valor,
                       const std::string& certificado) {
  return "<Signature xmlns=\"http://www.w3.org/2000/09/xmldsig#\"><SignedInfo>"
         "<CanonicalizationMethod Algorithm=\"http://www.w3.org/TR/2001/REC-xml-c14n-20010315\"/>"
         "<SignatureMethod Algorithm=\"http://www.w3.org/2000/09/xmldsig#rsa-sha1\"/>"
         "<Reference URI=\"#NFe" +
         uri +
         "\"><Transforms>"
         "<Transform Algorithm=\"http://www.w3.org/2000/09/xmldsig#enveloped-signature\"/>"
         "<Transform Algorithm=\"http://www.w3.org/TR/2001/REC-xml-c14n-20010315\"/>"
         "</Transforms><DigestMethod Algorithm=\"http://www.w3.org/2000/09/xmldsig#sha1\"/>"
         "<DigestValue>" +
         digest + "</DigestValue></Reference></SignedInfo><SignatureValue>" + valor +
         "</SignatureValue><KeyInfo><X509Data><X509Certificate>" + certificado +
         "</X509Certificate></X509Data></KeyInfo></Signature>";
}

TEST(Signature, WritesTheValuesUnescapedInTheNFeSignatureElement) {
  TSignature s;
  s.SetURI("41261211222333000181550010000000011000000010");
  s.SetDigestValue("a+b/c=");
  s.SetSignatureValue("x<y");
  const std::string certificado(2400, 'M');
  s.SetX509Certificate(certificado);
  s.Gerador().SetArquivoFormatoXML("resto de antes");
  EXPECT_TRUE(s.GerarXML());
  EXPECT_EQ(
      s.Gerador().ArquivoFormatoXML(),
      Assinatura("41261211222333000181550010000000011000000010", "a+b/c=", "x<y", certificado));
}

TEST(Signature, EmptyValuesGiveStartAndEndTags) {
  TSignature s;
  EXPECT_TRUE(s.GerarXML());
  EXPECT_EQ(s.Gerador().ArquivoFormatoXML(), Assinatura("", "", "", ""));
}

TEST(Signature, DigestLongerThanTheLimitIsAnAlert) {
  TSignature s;
  s.SetDigestValue(std::string(1000, 'A'));
  EXPECT_FALSE(s.GerarXML());
  ASSERT_EQ(s.Gerador().ListaDeAlertas().size(), 1u);
  EXPECT_NE(s.Gerador().ListaDeAlertas()[0].find("Digest Value"), std::string::npos);
}

TEST(Signature, AssignCopiesAndClearEmptiesTheFourValues) {
  TSignature a;
  a.SetURI("1");
  a.SetDigestValue("2");
  a.SetSignatureValue("3");
  a.SetX509Certificate("4");
  TSignature b;
  b.Assign(a);
  EXPECT_EQ(b.URI() + b.DigestValue() + b.SignatureValue() + b.X509Certificate(), "1234");
  b.Clear();
  EXPECT_EQ(b.URI() + b.DigestValue() + b.SignatureValue() + b.X509Certificate(), "");
  EXPECT_EQ(a.URI(), "1");
}

}  // namespace

}  // namespace nivra
