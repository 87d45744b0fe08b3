// The document component: construction, log and error facilities, status, the NF-e answers,
// the services table load, e-mail and printing hand-offs and the links that clear themselves.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "nivranfe/dfe/nivra_nfe.h"
#include "nivranfe/security/dfe_ssl.h"
#include "nivranfe/util/excecoes.h"
#include "tests/fakes/danfe_gravador.h"
#include "tests/fakes/mail_gravador.h"
#include "tests/fakes/mensagem_de.h"
#include "tests/fakes/pasta_temporaria.h"

namespace nivra {

namespace {

// A component whose log lines are recorded and whose handler marks them handled on request.
class NivraNFeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    nfe.SetOnGerarLog([this](const std::string& linha, bool& tratado) {
      linhas.push_back(linha);
      tratado = marcarTratado;
    });
  }

  TNivraNFe nfe;
  std::vector<std::string> linhas;
  bool marcarTratado = false;
};

TEST(NivraNFeConstrucao, FacadeStartsWithTheConfigurationAndTheNFeNamespace) {
  TNivraNFe nfe;
  EXPECT_EQ(nfe.SSL().NameSpaceURI(), "http://www.portalfiscal.inf.br/nfe");
  EXPECT_EQ(nfe.GetNameSpaceURI(), "http://www.portalfiscal.inf.br/nfe");
  EXPECT_EQ(nfe.SSL().TimeOut(), 5000);
  EXPECT_EQ(nfe.SSL().SSLCryptLib(), TSSLCryptLib::cryNone);
  EXPECT_EQ(nfe.Status(), TStatusNivraNFe::stIdle);
  EXPECT_EQ(nfe.MAIL(), nullptr);
  EXPECT_EQ(nfe.DANFE(), nullptr);

  TNivraDFe dfe;
  EXPECT_EQ(dfe.SSL().NameSpaceURI(), "");
  EXPECT_EQ(dfe.GetNomeModeloDFe(), "");
}

TEST_F(NivraNFeTest, FazerLogSkipsEmptyMessagesAndReportsTheHandlersAnswer) {
  bool tratado = true;
  nfe.FazerLog("", tratado);
  EXPECT_FALSE(tratado);
  EXPECT_TRUE(linhas.empty());

  marcarTratado = true;
  nfe.FazerLog("linha", tratado);
  EXPECT_TRUE(tratado);
  EXPECT_EQ(linhas, std::vector<std::string>{"linha"});
}

TEST(NivraNFeLog, FazerLogWithoutHandlerIsNotHandled) {
  TNivraNFe nfe;
  bool tratado = true;
  nfe.FazerLog("linha", tratado);
  EXPECT_FALSE(tratado);
}

TEST_F(NivraNFeTest, GerarExceptionLogsAndRaisesTheTextWithTheCause) {
  const ENivraDFeException causa("Y");
  EXPECT_EQ(MensagemDe([&] { nfe.GerarException("X", &causa); }), "X\r\nY");
  EXPECT_EQ(linhas, std::vector<std::string>{"ERRO: X\r\nY"});

  EXPECT_THROW(nfe.GerarException("só a mensagem"), ENivraDFeException);
  EXPECT_EQ(linhas.back(), "ERRO: só a mensagem");
}

TEST_F(NivraNFeTest, GerarExceptionReturnsWhenTheHandlerTookIt) {
  marcarTratado = true;
  EXPECT_NO_THROW(nfe.GerarException("X"));
  EXPECT_EQ(linhas, std::vector<std::string>{"ERRO: X"});
}

TEST_F(NivraNFeTest, StatusChangeFiresOncePerActualChange) {
  std::vector<TStatusNivraNFe> vistos;
  nfe.SetOnStatusChange([&](TNivraDFe& sender) {
    EXPECT_EQ(&sender, &nfe);
    vistos.push_back(nfe.Status());
  });
  nfe.SetStatus(TStatusNivraNFe::stIdle);
  nfe.SetStatus(TStatusNivraNFe::stNFeStatusServico);
  nfe.SetStatus(TStatusNivraNFe::stNFeStatusServico);
  nfe.SetStatus(TStatusNivraNFe::stIdle);
  EXPECT_EQ(vistos, (std::vector<TStatusNivraNFe>{TStatusNivraNFe::stNFeStatusServico,
                                                  TStatusNivraNFe::stIdle}));
}

TEST(NivraNFeRespostas, StatusCodeClasses) {
  for (int cStat = 0; cStat <= 999; ++cStat) {
    const bool confirmada = cStat == 100 || cStat == 110 || cStat == 150 || cStat == 301 ||
                            cStat == 302 || cStat == 303;
    EXPECT_EQ(TNivraNFe::CstatConfirmada(cStat), confirmada) << cStat;
    EXPECT_EQ(TNivraNFe::CstatProcessado(cStat), confirmada) << cStat;
    EXPECT_EQ(TNivraNFe::CstatCancelada(cStat), cStat == 101 || cStat == 151 || cStat == 155)
        << cStat;
  }
}

TEST(NivraNFeRespostas, EhAutorizacao) {
  struct Caso {
    TkovVersaoDF versao;
    TkovModeloDF modelo;
    int uf;
    bool esperado;
  };
  const Caso casos[] = {
      {TkovVersaoDF::ve200, TkovModeloDF::moNFe, 41, false},
      {TkovVersaoDF::ve300, TkovModeloDF::moNFe, 35, false},
      {TkovVersaoDF::ve310, TkovModeloDF::moNFe, 13, true},
      {TkovVersaoDF::ve400, TkovModeloDF::moNFe, 35, true},
      {TkovVersaoDF::ve400, TkovModeloDF::moNFCe, 13, false},
      {TkovVersaoDF::ve200, TkovModeloDF::moNFCe, 13, false},
      {TkovVersaoDF::ve200, TkovModeloDF::moNFCe, 41, true},
  };
  for (const Caso& c : casos) {
    EXPECT_EQ(TNivraNFe::EhAutorizacao(c.versao, c.modelo, c.uf), c.esperado)
        << static_cast<int>(c.versao) << " " << static_cast<int>(c.modelo) << " " << c.uf;
  }
}

TEST(NivraNFeRespostas, ModelNameFollowsTheConfiguredModelAndChoosesTheTableSections) {
  TNivraNFe nfe;
  TPastaTemporaria schemas;
  TPastaTemporaria::Escrever(schemas.Caminho() + "consStatServ_v4.00.xsd", "<xs:schema/>");
  nfe.Configuracoes().Arquivos().SetPathSchemas(schemas.Caminho());
  nfe.Configuracoes().Geral().SetVersaoDF(TkovVersaoDF::ve400);
  nfe.Configuracoes().WebServices().SetParams(
      {"[NFe_SP_H]", "NfeStatusServico_4.00=https://nfe/status", "[NFCe_SP_H]",
       "NfeStatusServico_4.00=https://nfce/status"});
  const struct {
    TkovModeloDF modelo;
    const char* nome;
    const char* url;
  } casos[] = {
      {TkovModeloDF::moNFe, "NFe", "https://nfe/status"},
      {TkovModeloDF::moNFCe, "NFCe", "https://nfce/status"},
  };
  for (const auto& caso : casos) {
    nfe.Configuracoes().Geral().SetModeloDF(caso.modelo);
    EXPECT_EQ(nfe.GetNomeModeloDFe(), caso.nome);
    double versao = 0;
    std::string url, servico, soapAction;
    nfe.LerServicoDeParams(TLayOut::LayNfeStatusServico, versao, url, servico, soapAction);
    EXPECT_EQ(url, caso.url) << caso.nome;
  }
}

TEST(NivraNFeRespostas, ServiceNamesMapToSchemaNames) {
  TNivraNFe nfe;
  EXPECT_EQ(nfe.NomeServicoToNomeSchema("NfeStatusServico"), "consStatServ");
  EXPECT_EQ(nfe.NomeServicoToNomeSchema("nfestatusservico"), "consStatServ");
  EXPECT_EQ(nfe.NomeServicoToNomeSchema("RecepcaoEvento"), "envEvento");
  EXPECT_EQ(nfe.NomeServicoToNomeSchema("URL-QRCode"), "");
  TNivraDFe dfe;
  EXPECT_EQ(dfe.NomeServicoToNomeSchema("NfeStatusServico"), "");
}

TEST(NivraNFeParametros, TableIsParsedOnceUntilAReloadIsAsked) {
  TNivraNFe nfe;
  nfe.Configuracoes().WebServices().SetParams({"[NFe_SP_H]", "NfeConsultaCadastro=https://a"});
  double versao = 0;
  std::string url;
  nfe.LerServicoChaveDeParams("NFe_SP_H", "NfeConsultaCadastro", versao, url);
  EXPECT_EQ(url, "https://a");

  nfe.Configuracoes().WebServices().SetParams({"[NFe_SP_H]", "NfeConsultaCadastro=https://b"});
  nfe.CarregarParametros(true);
  nfe.LerServicoChaveDeParams("NFe_SP_H", "NfeConsultaCadastro", versao, url);
  EXPECT_EQ(url, "https://a");

  nfe.CarregarParametros(false);
  nfe.LerServicoChaveDeParams("NFe_SP_H", "NfeConsultaCadastro", versao, url);
  EXPECT_EQ(url, "https://b");
}

TEST(NivraNFeParametros, EmptyParamsAreFilledFromTheEmbeddedTable) {
  TNivraNFe nfe;
  nfe.Configuracoes().Arquivos().SetIniServicos("/nao/existe/NivraNFeServicos.ini");
  nfe.CarregarParametros(true);
  EXPECT_FALSE(nfe.Configuracoes().WebServices().Params().empty());
}

TEST(NivraNFeEmail, WithoutMailTheHandOffIsRefused) {
  TNivraNFe nfe;
  EXPECT_EQ(MensagemDe([&] { nfe.EnviarEmail("a@b.c", "assunto"); }),
            "Componente NivraMail não associado");
  EXPECT_EQ(nfe.Status(), TStatusNivraNFe::stIdle);
}

TEST(NivraNFeEmail, MessageIsFilledAndSentWithStatusAroundIt) {
  TNivraNFe nfe;
  TMailGravador mail;
  nfe.SetMAIL(&mail);
  std::vector<TStatusNivraNFe> vistos;
  nfe.SetOnStatusChange([&](TNivraDFe&) { vistos.push_back(nfe.Status()); });

  mail.AdicionarDestinatario("sobra@anterior");  // cleared before filling
  const std::vector<std::string> mensagem{"<b>Olá</b>", "segue a <i>nota</i>"};
  const std::vector<std::string> cc{"c1@x", "c2@x"};
  const std::vector<std::string> anexos{"/tmp/a.pdf"};
  const std::vector<std::string> responder{"r@x"};
  const std::string xml = "<NFe/>";
  nfe.EnviarEmail("para@x", "Assunto", &mensagem, &cc, &anexos, &xml, "nota.xml", &responder);

  ASSERT_EQ(mail.Enviadas.size(), 1u);
  const TMailGravador::TMensagem& m = mail.Enviadas[0];
  EXPECT_EQ(m.Destinatarios, std::vector<std::string>{"para@x"});
  EXPECT_EQ(m.Assunto, "Assunto");
  EXPECT_EQ(m.Corpo, "<b>Olá</b>\r\nsegue a <i>nota</i>\r\n");
  EXPECT_EQ(m.CorpoAlternativo, "Olá\r\nsegue a nota\r\n");
  EXPECT_EQ(m.Copias, cc);
  EXPECT_EQ(m.ResponderPara, responder);
  ASSERT_EQ(m.Anexos.size(), 2u);
  EXPECT_EQ(m.Anexos[0].Nome, "nota.xml");
  EXPECT_EQ(m.Anexos[0].Dados, "<NFe/>");
  EXPECT_EQ(m.Anexos[1].Arquivo, "/tmp/a.pdf");
  EXPECT_EQ(vistos,
            (std::vector<TStatusNivraNFe>{TStatusNivraNFe::stNFeEmail, TStatusNivraNFe::stIdle}));
}

TEST(NivraNFeEmail, FailedSendStillReturnsToIdle) {
  TNivraNFe nfe;
  TNivraMail mail;  // no server set: refused before connecting
  nfe.SetMAIL(&mail);
  EXPECT_EQ(MensagemDe([&] { nfe.EnviarEmail("para@x", "Assunto"); }),
            "Servidor de e-mail (Host) não informado");
  EXPECT_EQ(nfe.Status(), TStatusNivraNFe::stIdle);
}

TEST(NivraNFeEmail, DestroyedMailIsUnlinkedAndLaterHandOffIsRefused) {
  TNivraNFe nfe;
  {
    TMailGravador mail;
    nfe.SetMAIL(&mail);
    EXPECT_EQ(nfe.MAIL(), &mail);
  }
  EXPECT_EQ(nfe.MAIL(), nullptr);
  EXPECT_THROW(nfe.EnviarEmail("para@x", "Assunto"), ENivraDFeException);
}

TEST(NivraNFeEmail, ReplacedMailNoLongerAffectsTheLink) {
  TNivraNFe nfe;
  TMailGravador segundo;
  {
    TMailGravador primeiro;
    nfe.SetMAIL(&primeiro);
    nfe.SetMAIL(&segundo);
    nfe.SetMAIL(&segundo);
  }
  EXPECT_EQ(nfe.MAIL(), &segundo);
  nfe.EnviarEmail("para@x", "Assunto");
  EXPECT_EQ(segundo.Enviadas.size(), 1u);
}

TEST(NivraNFeImpressao, PrintingWithoutDanfeGoesThroughGerarException) {
  TNivraNFe nfe;
  using Operacao = void (TNivraNFe::*)();
  for (Operacao op : {&TNivraNFe::ImprimirEvento, &TNivraNFe::ImprimirEventoPDF,
                      &TNivraNFe::ImprimirInutilizacao, &TNivraNFe::ImprimirInutilizacaoPDF}) {
    EXPECT_EQ(MensagemDe([&] { (nfe.*op)(); }), "Componente DANFE não associado.");
  }
  std::vector<std::string> linhas;
  nfe.SetOnGerarLog([&](const std::string& l, bool& tratado) {
    linhas.push_back(l);
    tratado = true;
  });
  EXPECT_NO_THROW(nfe.ImprimirEvento());
  EXPECT_EQ(linhas, std::vector<std::string>{"ERRO: Componente DANFE não associado."});
}

TEST(NivraNFeImpressao, PrintingIsForwardedToTheLinkedDanfe) {
  TNivraNFe nfe;
  TDANFEGravador danfe;
  nfe.SetDANFE(&danfe);
  EXPECT_EQ(danfe.NivraNFe(), &nfe);
  nfe.ImprimirEvento();
  nfe.ImprimirEventoPDF();
  nfe.ImprimirInutilizacao();
  nfe.ImprimirInutilizacaoPDF();
  EXPECT_EQ(danfe.Chamadas,
            (std::vector<std::string>{"ImprimirEvento", "ImprimirEventoPDF", "ImprimirInutilizacao",
                                      "ImprimirInutilizacaoPDF"}));
}

TEST(NivraNFeImpressao, BaseDanfeNamesTheMissingOperation) {
  TNivraNFe nfe;
  TNivraNFeDANFEClass danfe;
  nfe.SetDANFE(&danfe);
  EXPECT_EQ(MensagemDe([&] { nfe.ImprimirInutilizacaoPDF(); }),
            "Método \"ImprimirInutilizacaoPDF\" não implementado em: TNivraNFeDANFEClass");
}

TEST(NivraNFeImpressao, DanfeLinksMoveAndClearOnDestruction) {
  TNivraNFe nfe;
  TDANFEGravador primeiro;
  nfe.SetDANFE(&primeiro);
  {
    TDANFEGravador segundo;
    nfe.SetDANFE(&segundo);
    EXPECT_EQ(primeiro.NivraNFe(), nullptr);
    EXPECT_EQ(segundo.NivraNFe(), &nfe);
  }
  EXPECT_EQ(nfe.DANFE(), nullptr);
  EXPECT_THROW(nfe.ImprimirEvento(), ENivraDFeException);

  {
    auto outro = std::make_unique<TNivraNFe>();
    outro->SetDANFE(&primeiro);
  }
  EXPECT_EQ(primeiro.NivraNFe(), nullptr);
}

TEST(NivraNFeImpressao, DestroyingAComponentKeepsTheLinkAnotherComponentMadeSince) {
  TDANFEGravador danfe;
  TNivraNFe segundo;
  {
    TNivraNFe primeiro;
    primeiro.SetDANFE(&danfe);
    segundo.SetDANFE(&danfe);
  }
  EXPECT_EQ(danfe.NivraNFe(), &segundo);
  EXPECT_EQ(segundo.DANFE(), &danfe);
}

TEST(NivraNFeImpressao, DirectLinkOfThePrintingComponentIsClearedWithEitherSide) {
  TDANFEGravador danfe;
  {
    TNivraNFe nfe;
    danfe.SetNivraNFe(&nfe);
  }
  EXPECT_EQ(danfe.NivraNFe(), nullptr);

  // The other way round: the component outlives a printing component linked to it.
  TNivraNFe nfe;
  {
    TDANFEGravador temporario;
    temporario.SetNivraNFe(&nfe);
  }
  danfe.SetNivraNFe(&nfe);
  EXPECT_EQ(danfe.NivraNFe(), &nfe);
}

TEST(NivraNFeAssinatura, AntesDeAssinarIsTheFacadesEvent) {
  TNivraNFe nfe;
  EXPECT_FALSE(nfe.OnAntesDeAssinar());
  nfe.SetOnAntesDeAssinar([](std::string& xml, const std::string&, const std::string&,
                             const std::string&, const std::string&,
                             const std::string&) { xml = "assinado"; });
  ASSERT_TRUE(nfe.SSL().AntesDeAssinar());
  std::string xml = "x";
  nfe.SSL().AntesDeAssinar()(xml, "", "", "", "", "");
  EXPECT_EQ(xml, "assinado");
}

}  // namespace

}  // namespace nivra
