// What the services do to the loaded documents, end to end against sefaz-simulador: signing and
// checking them before a lot goes, printing the confirmed ones, the lot result's key and
// protocol, and rewriting a cancelled document after a query.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "nivranfe/documento/documento_nfe.h"
#include "nivranfe/util/xml_texto.h"
#include "tests/documento/nota_teste.h"
#include "tests/fakes/danfe_gravador.h"
#include "tests/fakes/mensagem_de.h"
#include "tests/nfe/ambiente_simulador.h"

namespace nivra {

namespace {

// An invoice schema that checks what the test documents hold: a number of 1 to 9 digits not
// starting with 0, and the signature after infNFe.
constexpr const char* kSchemaNota = R"(<?xml version="1.0" encoding="UTF-8"?>
<xs:schema xmlns:xs="http://www.w3.org/2001/XMLSchema"
           xmlns="http://www.portalfiscal.inf.br/nfe"
           targetNamespace="http://www.portalfiscal.inf.br/nfe" elementFormDefault="qualified">
  <xs:element name="NFe">
    <xs:complexType>
      <xs:sequence>
        <xs:element name="infNFe">
          <xs:complexType>
            <xs:sequence>
              <xs:element name="ide">
                <xs:complexType>
                  <xs:sequence>
                    <xs:element name="cUF" type="xs:string"/>
                    <xs:element name="nNF">
                      <xs:simpleType>
                        <xs:restriction base="xs:string">
                          <xs:pattern value="[1-9][0-9]{0,8}"/>
                        </xs:restriction>
                      </xs:simpleType>
                    </xs:element>
                    <xs:element name="tpAmb" type="xs:string"/>
                  </xs:sequence>
                </xs:complexType>
              </xs:element>
              <xs:any processContents="skip" maxOccurs="unbounded"/>
            </xs:sequence>
            <xs:attribute name="Id" type="xs:ID" use="required"/>
            <xs:attribute name="versao" type="xs:string" use="required"/>
          </xs:complexType>
        </xs:element>
        <xs:any namespace="http://www.w3.org/2000/09/xmldsig#" processContents="skip"/>
      </xs:sequence>
    </xs:complexType>
  </xs:element>
</xs:schema>
)";

class ServicosDocumentos : public AmbienteSimulador {
 protected:
  // Points the component at a schema folder holding only the invoice schema above.
  void UsarSchemaNota() {
    const std::string pasta = FPasta.Caminho() + "schemas/";
    std::filesystem::create_directories(pasta);
    TPastaTemporaria::Escrever(pasta + "nfe_v4.00.xsd", kSchemaNota);
    FNFe->Configuracoes().Arquivos().SetPathSchemas(pasta);
  }
};

TEST_F(ServicosDocumentos, UnsignedDocumentIsSignedAndCheckedBeforeTheLotGoes) {
  Iniciar();
  UsarSchemaNota();
  FNFe->NotasFiscais().Add().SetXML(XMLNota(21));
  CarregarNota(22);
  const std::string assinadaAntes = FNFe->NotasFiscais().Items(1).XML();

  EXPECT_TRUE(FNFe->Enviar(1));
  const NotaFiscal& nova = FNFe->NotasFiscais().Items(0);
  EXPECT_FALSE(nova.DigestValue().empty());
  // The authoriser's digest matched the signature made here.
  EXPECT_EQ(nova.cStat(), 100);
  // A document that came signed is sent as it came.
  EXPECT_EQ(FNFe->NotasFiscais().Items(1).XML(), assinadaAntes);
  std::string msg;
  EXPECT_TRUE(FNFe->SSL().VerificarAssinatura(nova.XML(), msg, "infNFe")) << msg;
  EXPECT_NE(Documentos().at(0).find(nova.DigestValue()), std::string::npos);
}

TEST_F(ServicosDocumentos, DocumentThatCannotBeSignedOrIsOutsideTheSchemaStopsTheLot) {
  struct Caso {
    int numero;  // 0 is outside the schema
    bool semCertificado;
    const char* inicio;
    const char* causa;
  };
  for (const Caso& caso :
       {Caso{0, false, "Falha na validação dos dados da nota ", "nNF"},
        Caso{30, true, "Falha ao assinar Nota Fiscal Eletrônica ", "inexistente.pfx"}}) {
    Iniciar();
    UsarSchemaNota();
    CarregarNota(23);
    FNFe->NotasFiscais().Add().SetXML(XMLNota(caso.numero));
    if (caso.semCertificado)
      FNFe->Configuracoes().Certificados().SetArquivoPFX(FPasta.Caminho() + "inexistente.pfx");
    const std::string mensagem = MensagemDe([&] { FNFe->Enviar(2); });
    EXPECT_TRUE(mensagem.starts_with(caso.inicio + ChaveTeste(caso.numero) + "\r\n")) << mensagem;
    EXPECT_NE(mensagem.find(caso.causa), std::string::npos) << mensagem;
    EXPECT_TRUE(FSimulador->Pedidos().empty());
  }
}

TEST_F(ServicosDocumentos, DocumentBuiltFromTheModelIsWrittenSignedAndSent) {
  Iniciar();
  NotaFiscal& nota = FNFe->NotasFiscais().Add(NotaDeTeste());
  ASSERT_TRUE(nota.Alertas().empty()) << ::testing::PrintToString(nota.Alertas());
  EXPECT_TRUE(FNFe->Enviar(4));
  EXPECT_EQ(nota.cStat(), 100);
  std::string msg;
  EXPECT_TRUE(FNFe->SSL().VerificarAssinatura(nota.XML(), msg, "infNFe")) << msg;
  EXPECT_NE(Documentos().at(0).find(nota.DigestValue()), std::string::npos);
  EXPECT_EQ(LerXMLNFe(nota.XML()).NFe.infNFe.Id, "NFe" + nota.ChaveAcesso());
}

TEST_F(ServicosDocumentos, DocumentWithGeneratorAlertsIsNeitherSignedNorSent) {
  Iniciar();
  nfe::TNFe modelo = NotaDeTeste();
  modelo.infNFe.emit.xNome.clear();
  FNFe->NotasFiscais().Add(modelo);
  const std::string mensagem = MensagemDe([&] { FNFe->Enviar(5); });
  EXPECT_TRUE(mensagem.starts_with("Falha na validação dos dados da nota " +
                                   FNFe->NotasFiscais().Items(0).ChaveAcesso() + "\r\n"))
      << mensagem;
  EXPECT_NE(mensagem.find("<emit> ID:/xNome(xNome) - Nenhum valor informado"), std::string::npos)
      << mensagem;
  EXPECT_TRUE(FNFe->NotasFiscais().Items(0).DigestValue().empty());
  EXPECT_TRUE(FSimulador->Pedidos().empty());
}

TEST_F(ServicosDocumentos, WithoutAnInvoiceSchemaTheLotGoesAndTheLogSaysSo) {
  Iniciar();  // the shipped schemas hold no invoice schema
  std::vector<std::string> linhas;
  FNFe->SetOnGerarLog([&](const std::string& linha, bool&) { linhas.push_back(linha); });
  CarregarNota(24);
  EXPECT_TRUE(FNFe->Enviar(3));
  const std::string esperada = "Schema nfe não encontrado em \"" +
                               FNFe->Configuracoes().Arquivos().PathSchemas() +
                               "\": documento não validado";
  EXPECT_NE(std::find(linhas.begin(), linhas.end(), esperada), linhas.end());
}

TEST_F(ServicosDocumentos, ConfirmedDocumentsArePrintedOnlyWhenAsked) {
  for (const bool imprimir : {true, false}) {
    Iniciar();
    TDANFEGravador danfe;
    FNFe->SetDANFE(&danfe);
    CarregarNota(25);
    CarregarNota(26);
    EXPECT_TRUE(FNFe->Enviar(4, imprimir));
    const std::vector<std::string> esperadas =
        imprimir ? std::vector<std::string>{"ImprimirDANFE " + ChaveTeste(25),
                                            "ImprimirDANFE " + ChaveTeste(26)}
                 : std::vector<std::string>{};
    EXPECT_EQ(danfe.Chamadas, esperadas) << imprimir;
    FNFe->SetDANFE(nullptr);
  }
}

TEST_F(ServicosDocumentos, LotResultKeepsTheKeyAndProtocolOfItsLastDocument) {
  Iniciar({"--recibo", "104"});
  CarregarNota(27);
  CarregarNota(28);
  EXPECT_TRUE(FNFe->Enviar(5));
  const auto& retorno = FNFe->WebServices().Retorno();
  EXPECT_EQ(retorno.ChaveNFe(), ChaveTeste(28));
  EXPECT_EQ(retorno.Protocolo(), FNFe->NotasFiscais().Items(1).Protocolo());
  EXPECT_EQ(retorno.Protocolo().size(), 15u);
}

TEST_F(ServicosDocumentos, QueryOfACancelledDocumentRewritesItsFileOnlyWhenAsked) {
  for (const bool atualizar : {true, false}) {
    Iniciar();
    FNFe->Configuracoes().Arquivos().SetSalvar(true);
    FNFe->Configuracoes().Geral().SetAtualizarXMLCancelado(atualizar);
    CarregarNota(29);
    EXPECT_TRUE(FNFe->Cancelamento("Pedido cancelado pelo cliente", 6));
    const NotaFiscal& nota = FNFe->NotasFiscais().Items(0);
    ASSERT_EQ(nota.cStat(), 100);

    EXPECT_TRUE(FNFe->Consultar());
    const auto& consulta = FNFe->WebServices().Consulta();
    EXPECT_EQ(consulta.cStat(), 101);
    // The authorisation protocol the answer carried beside the cancellation.
    const std::string autorizacao = consulta.Protocolo();
    const auto salvos = Salvos(ChaveTeste(29) + "-nfe.xml");
    ASSERT_EQ(salvos.size(), 1u) << atualizar;
    const std::string arquivo = TPastaTemporaria::Ler(FPasta.Caminho() + "Docs/" + salvos[0]);
    const std::string protocolo = ConteudoDaTag(arquivo, "protNFe", true);
    if (atualizar) {
      EXPECT_EQ(nota.cStat(), 101);
      EXPECT_EQ(nota.xMotivo(), "Cancelamento de NF-e homologado");
      EXPECT_NE(nota.Protocolo(), autorizacao);
      EXPECT_EQ(nota.Protocolo().size(), 15u);
      EXPECT_NE(protocolo.find("<cStat>101</cStat>"), std::string::npos) << protocolo;
      EXPECT_NE(protocolo.find("<nProt>" + nota.Protocolo() + "</nProt>"), std::string::npos);
    } else {
      EXPECT_EQ(nota.cStat(), 100);
      EXPECT_EQ(nota.Protocolo(), autorizacao);
      EXPECT_NE(protocolo.find("<cStat>100</cStat>"), std::string::npos) << protocolo;
    }
  }
}

}  // namespace

}  // namespace nivra
