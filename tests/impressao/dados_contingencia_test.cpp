// The "dados da NF-e" of a security-form contingency, checked against values composed by hand
// field by field, and the documents whose fields do not fit.
#include "nivranfe/impressao/dados_contingencia.h"

#include <gtest/gtest.h>

#include <string>

#include "nivranfe/util/excecoes.h"
#include "tests/documento/nota_teste.h"
#include "tests/fakes/mensagem_de.h"

namespace nivra {

namespace {

struct TCasoDados {
  const char* Nome;
  void (*Ajustar)(nfe::TinfNFe&);
  const char* Esperado;
};

const TCasoDados kCasos[] = {
    // 41 | 5 | 11222333000181 | 00000000000030 | 1 (vICMS 0,05) | 2 (no ST) | 10 | 2
    {"RecipientCNPJ", [](nfe::TinfNFe&) {}, "415112223330001810000000000003012102"},
    // The recipient's UF (SP, 35), a CPF on 14, an amount in the millions, ST without own ICMS.
    {"RecipientCPFInAnotherUF",
     [](nfe::TinfNFe& n) {
       n.ide.tpEmis = "2";
       n.ide.dhEmi = "2026-12-31T23:59:00-03:00";
       n.dest->CNPJ_CPF_idEstrangeiro = nfe::TCPF{"12345678909"};
       n.dest->enderDest->UF = "SP";
       n.total.ICMSTot.vNF = "1234567.89";
       n.total.ICMSTot.vICMS = 0;
       n.total.ICMSTot.vST = "10";
     },
     "352000123456789090000012345678921316"},
    // Abroad: the issuer's UF and no document.
    {"ForeignRecipient",
     [](nfe::TinfNFe& n) {
       n.dest->CNPJ_CPF_idEstrangeiro = nfe::TidEstrangeiro{"X-998877"};
       n.dest->enderDest->UF = "EX";
     },
     "415000000000000000000000000003012100"},
    // An alphanumeric CNPJ keeps its letters; the check digit weighs them as the key does.
    {"AlphanumericRecipient",
     [](nfe::TinfNFe& n) {
       n.ide.tpEmis = "2";
       n.dest->CNPJ_CPF_idEstrangeiro = nfe::TCNPJ{"12ABC34501DE35"};
     },
     "41212ABC34501DE350000000000003012109"},
};

TEST(DadosContingencia, ComposeEveryFieldAndTheCheckDigit) {
  for (const TCasoDados& caso : kCasos) {
    nfe::TNFe nota = NotaDeTeste();
    nota.infNFe.ide.tpEmis = "5";
    caso.Ajustar(nota.infNFe);
    const std::string dados = DadosNFeContingencia(nota.infNFe);
    EXPECT_EQ(dados, caso.Esperado) << caso.Nome;
    EXPECT_EQ(dados.size(), 36U) << caso.Nome;
  }
}

TEST(DadosContingencia, OnlySecurityFormsCarryThem) {
  for (const char* tpEmis : {"2", "5"}) EXPECT_TRUE(ContingenciaEmFormularioSeguranca(tpEmis));
  for (const char* tpEmis : {"1", "3", "4", "6", "7", "9", "", "25"})
    EXPECT_FALSE(ContingenciaEmFormularioSeguranca(tpEmis)) << tpEmis;
}

TEST(DadosContingencia, FieldsThatDoNotFitAreNamed) {
  struct TCaso {
    void (*Ajustar)(nfe::TinfNFe&);
    const char* Campo;
  };
  const TCaso casos[] = {
      {[](nfe::TinfNFe& n) { n.total.ICMSTot.vNF = "1000000000000.00"; }, "vNF"},
      {[](nfe::TinfNFe& n) { n.total.ICMSTot.vNF = "-1"; }, "vNF"},
      {[](nfe::TinfNFe& n) { n.ide.dhEmi = "2026-12"; }, "dhEmi"},
      {[](nfe::TinfNFe& n) { n.ide.tpEmis = ""; }, "tpEmis"},
      {[](nfe::TinfNFe& n) {
         n.dest.reset();
         n.ide.cUF = "4";
       },
       "cUF"},
  };
  for (const TCaso& caso : casos) {
    nfe::TNFe nota = NotaDeTeste();
    nota.infNFe.ide.tpEmis = "5";
    caso.Ajustar(nota.infNFe);
    const std::string mensagem = MensagemDe([&] { (void)DadosNFeContingencia(nota.infNFe); });
    EXPECT_NE(mensagem.find(std::string(caso.Campo) + " inválido"), std::string::npos) << mensagem;
  }
}

}  // namespace

}  // namespace nivra
