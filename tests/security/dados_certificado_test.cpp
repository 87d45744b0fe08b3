// Certificate data: the names and documents derived from distinguished names and from the
// ICP-Brasil other-names, and the serial number's byte order.
#include "nivranfe/security/dados_certificado.h"

#include <gtest/gtest.h>
#include <openssl/asn1.h>

#include <memory>
#include <string>
#include <vector>

#include "nivranfe/security/certificado_x509.h"

namespace nivra {

namespace {

struct CasoNome {
  const char* subject;
  const char* razaoSocial;
  const char* cnpj;
};

TEST(DadosCertificado, SubjectNameGivesRazaoSocialAndCNPJFromTheCommonName) {
  const std::vector<CasoNome> casos = {
      {"C=BR, O=ICP-Brasil, OU=RFB e-CNPJ A1, CN=EMPRESA MODELO LTDA:11222333000181",
       "EMPRESA MODELO LTDA", "11222333000181"},
      // A wrong check digit leaves the CNPJ for the alternative name to give.
      {"C=BR, CN=EMPRESA DIGITO ERRADO LTDA:11222333000182", "EMPRESA DIGITO ERRADO LTDA", ""},
      // Without ":" the name runs to the next ",", or to the end.
      {"CN=Servidor de Integracao, O=Nivra Teste", "Servidor de Integracao", ""},
      {"C=BR, O=Nivra Teste, CN=Servidor de Integracao", "Servidor de Integracao", ""},
      {"C=BR, CN=EMPRESA ALFANUMERICA LTDA:12ABC34501DE35", "EMPRESA ALFANUMERICA LTDA",
       "12ABC34501DE35"},
      {"C=BR, CN=EMPRESA MINUSCULA LTDA:12abc34501de35", "EMPRESA MINUSCULA LTDA", ""},
      // A person's CPF is not a CNPJ.
      {"C=BR, CN=FULANO DE TAL:12345678909", "FULANO DE TAL", ""},
      // Only 14 characters count, reduced to their digits: a formatted CNPJ loses its tail.
      {"CN=EMPRESA:06.157.250/0001-16", "EMPRESA", ""},
      {"CN= EMPRESA COM ESPACO :11222333000181 ", " EMPRESA COM ESPACO ", "11222333000181"},
      // The ":" may lie beyond the common name; positions count from the first "CN=".
      {"CN=NOME, OU=Setor:11222333000181", "NOME, OU=Setor", "11222333000181"},
      {"O=Sem nome comum, OU=x:11222333000181", "", ""},
      {"cn=minusculo:11222333000181", "", ""},
      {"", "", ""},
  };
  for (const CasoNome& caso : casos) {
    TDadosCertificado dados;
    dados.SetSubjectName(caso.subject);
    EXPECT_EQ(dados.SubjectName(), caso.subject);
    EXPECT_EQ(dados.RazaoSocial(), caso.razaoSocial) << caso.subject;
    EXPECT_EQ(dados.CNPJ(), caso.cnpj) << caso.subject;
  }
}

TEST(DadosCertificado, IssuerNameGivesTheAuthorityWithoutTheRFBGenerationMark) {
  const std::vector<std::pair<const char*, const char*>> casos = {
      {"C=BR, O=ICP-Brasil, CN=AC NIVRA TESTE RFB v5", "AC NIVRA TESTE"},
      {"CN=AC SERASA RFB v5, OU=Secretaria da Receita Federal do Brasil - RFB", "AC SERASA"},
      {"CN=AC ESTRANHA DE TESTE, O=Teste", "AC ESTRANHA DE TESTE"},
      {"C=BR, CN= AC SOLTA ", "AC SOLTA"},
      {"C=BR, O=Sem nome comum", ""},
  };
  for (const auto& [issuer, certificadora] : casos) {
    TDadosCertificado dados;
    dados.SetIssuerName(issuer);
    EXPECT_EQ(dados.Certificadora(), certificadora) << issuer;
  }
}

TEST(DadosCertificado, SettingTheSameNameAgainKeepsFieldsSetSince) {
  TDadosCertificado dados;
  dados.SetSubjectName("CN=EMPRESA:11222333000181");
  dados.SetCNPJ("99999999000191");
  dados.SetSubjectName("CN=EMPRESA:11222333000181");
  EXPECT_EQ(dados.CNPJ(), "99999999000191");
  dados.SetIssuerName("CN=AC X RFB v5");
  dados.SetCertificadora("outra");
  dados.SetIssuerName("CN=AC X RFB v5");
  EXPECT_EQ(dados.Certificadora(), "outra");
}

TEST(DadosCertificado, OtherNameTextIsTheStringContentCutAtTheFirstZeroByte) {
  using namespace std::string_literals;
  const std::vector<std::pair<std::string, std::string>> casos = {
      {"\x04\x0E"s
       "11222333000181",
       "11222333000181"},
      // The length byte counts, even when more bytes follow.
      {"\x04\x03"s
       "123456",
       "123"},
      {"\x04\x05"s
       " 12 \x00"s
       "99",
       "12"},
      // The text types are read by their own length, even one that is a printable character:
      // a person's data of 51 characters ("3") keeps its CPF in places 9 to 19.
      {"\x0C\x0E"s
       "11222333000181",
       "11222333000181"},
      {"\x13\x33"s
       "0101199012345678909000000000000000000000000000SSPSP",
       "0101199012345678909000000000000000000000000000SSPSP"},
      {"\x16\x0E"s
       "12ABC34501DE35",
       "12ABC34501DE35"},
      // Long-form lengths.
      {"\x04\x81\x0E"s
       "11222333000181",
       "11222333000181"},
      // Types that carry no text, and truncated encodings, give nothing.
      {"\x30\x0E"s
       "11222333000181",
       ""},
      {"\x04\x82\x00"s, ""},
      {"\x04"s, ""},
      {"", ""},
  };
  for (const auto& [der, texto] : casos) EXPECT_EQ(TextoOutroNome(der), texto);
}

TEST(DadosCertificado, SerialNumberIsTheEncodedBytesMostSignificantFirst) {
  struct Caso {
    long valor;
    const char* texto;
  };
  const std::vector<Caso> casos = {
      {0x01AB, "01AB"}, {0xAB01, "00AB01"}, {0x1002, "1002"}, {0x7F, "7F"}, {0, "00"}};
  for (const Caso& caso : casos) {
    std::unique_ptr<ASN1_INTEGER, void (*)(ASN1_INTEGER*)> numero(ASN1_INTEGER_new(),
                                                                  &ASN1_INTEGER_free);
    ASSERT_EQ(ASN1_INTEGER_set(numero.get(), caso.valor), 1);
    EXPECT_EQ(NumeroSerieCertificado(numero.get()), caso.texto) << caso.valor;
  }
}

}  // namespace

}  // namespace nivra
