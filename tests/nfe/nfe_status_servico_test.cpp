// The status service end to end through the recording HTTP double: envelope, service and
// action per layout, reading of the answers, failures, events and saved files.
#include "nivranfe/nfe/nfe_status_servico.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <regex>
#include <string>
#include <vector>

#include "nivranfe/nfe/webservices.h"
#include "nivranfe/util/datahora.h"
#include "nivranfe/util/excecoes.h"
#include "nivranfe/util/fuso_horario.h"
#include "nivranfe/util/xml_texto.h"
#include "tests/fakes/locale_virgula.h"
#include "tests/fakes/mensagem_de.h"
#include "tests/nfe/ambiente_teste.h"

namespace nivra {

namespace {

const std::string kNFe = "http://www.portalfiscal.inf.br/nfe";
const std::string kErroStatus =
    "WebService Consulta Status serviço:\r\n- Inativo ou Inoperante tente novamente.\r\n";
const std::string kAtributosEnvelope =
    "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
    "xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\" "
    "xmlns:soap12=\"http://www.w3.org/2003/05/soap-envelope\"";

class StatusServico : public AmbienteServico {
 protected:
  TNFeStatusServico& Servico() { return FNFe->WebServices().StatusServico(); }

  // Answers every send with a 107 of Paraná.
  void ResponderEmOperacao() {
    FHttp->Resposta = RespostaSoap(
        "nfeResultMsg", RetConsStatServ(107, "Servico em Operacao", DataHoraXML(FAgora)));
  }
};

TEST_F(StatusServico, Layout400EnvelopeHasNoHeaderAndGoesToTheTableAddress) {
  ResponderEmOperacao();
  EXPECT_TRUE(Servico().Executar());

  EXPECT_EQ(FHttp->Corpo,
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?><soap12:Envelope " + kAtributosEnvelope +
                "><soap12:Body><nfeDadosMsg xmlns=\"" + kNFe +
                "/wsdl/NFeStatusServico4\"><consStatServ xmlns=\"" + kNFe +
                "\" versao=\"4.00\"><tpAmb>1</tpAmb><cUF>41</cUF><xServ>STATUS</xServ>"
                "</consStatServ></nfeDadosMsg></soap12:Body></soap12:Envelope>");
  EXPECT_EQ(FHttp->URL, "https://nfe.sefa.pr.gov.br/nfe/NFeStatusServico4");
  EXPECT_EQ(FHttp->SoapAction, kNFe + "/wsdl/NFeStatusServico4/nfeStatusServicoNF");
  EXPECT_EQ(FHttp->MimeType, "application/soap+xml; charset=utf-8");
  EXPECT_EQ(Servico().VersaoServico(), "4.00");
  EXPECT_EQ(Servico().HeaderElement(), "nfeCabecMsg");
}

TEST_F(StatusServico, Layout310EnvelopeCarriesTheHeaderUnderTheSameNamespace) {
  FNFe->Configuracoes().Geral().SetVersaoDF(TkovVersaoDF::ve310);
  ResponderEmOperacao();
  EXPECT_TRUE(Servico().Executar());

  const std::string servico = kNFe + "/wsdl/NfeStatusServico2";
  EXPECT_EQ(FHttp->Corpo,
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?><soap12:Envelope " + kAtributosEnvelope +
                "><soap12:Header><nfeCabecMsg xmlns=\"" + servico +
                "\"><cUF>41</cUF><versaoDados>3.10</versaoDados></nfeCabecMsg></soap12:Header>"
                "<soap12:Body><nfeDadosMsg xmlns=\"" +
                servico + "\"><consStatServ xmlns=\"" + kNFe +
                "\" versao=\"3.10\"><tpAmb>1</tpAmb><cUF>41</cUF><xServ>STATUS</xServ>"
                "</consStatServ></nfeDadosMsg></soap12:Body></soap12:Envelope>");
  EXPECT_EQ(FHttp->URL, "https://nfe.sefa.pr.gov.br/nfe/NFeStatusServico3");
  EXPECT_EQ(FHttp->SoapAction, servico);
}

TEST_F(StatusServico, EmbeddedTableAndShippedSchemasGiveTheParanaProductionRequest) {
  auto& conf = FNFe->Configuracoes();
  conf.WebServices().SetParams({});  // the first lookup falls back to the embedded table
  conf.Arquivos().SetPathSchemas(std::string(NIVRA_SOURCE_DIR) + "/resources/schemas/");
  ResponderEmOperacao();
  EXPECT_TRUE(Servico().Executar());
  EXPECT_EQ(FHttp->URL, "https://nfe.sefa.pr.gov.br/nfe/NFeStatusServico4");
  EXPECT_EQ(Servico().DadosMsg(),
            "<consStatServ xmlns=\"" + kNFe +
                "\" versao=\"4.00\"><tpAmb>1</tpAmb><cUF>41</cUF><xServ>STATUS</xServ>"
                "</consStatServ>");
}

TEST_F(StatusServico, EachRequestOfTheSameObjectMatchesItsOwnLayout) {
  ResponderEmOperacao();
  ASSERT_TRUE(Servico().Executar());
  EXPECT_EQ(FHttp->Corpo.find("soap12:Header"), std::string::npos);

  FNFe->Configuracoes().Geral().SetVersaoDF(TkovVersaoDF::ve310);
  ASSERT_TRUE(Servico().Executar());
  EXPECT_NE(FHttp->Corpo.find("<soap12:Header><nfeCabecMsg"), std::string::npos);

  FNFe->Configuracoes().Geral().SetVersaoDF(TkovVersaoDF::ve400);
  ASSERT_TRUE(Servico().Executar());
  EXPECT_EQ(FHttp->Corpo.find("soap12:Header"), std::string::npos);
}

TEST_F(StatusServico, VersionTextKeepsThePointUnderACommaLocale) {
  const LocaleComVirgula locale;
  if (!LocaleComVirgula::Ativo()) GTEST_SKIP() << "no locale with a decimal comma";
  char amostra[16];
  std::snprintf(amostra, sizeof amostra, "%.2f", 4.0);
  EXPECT_EQ(std::string(amostra), "4,00");  // the locale really is in force
  ResponderEmOperacao();
  EXPECT_TRUE(Servico().Executar());
  EXPECT_EQ(Servico().VersaoServico(), "4.00");
  EXPECT_NE(FHttp->Corpo.find("versao=\"4.00\""), std::string::npos);
}

// A status service that asks for its own TLS protocol while its request runs.
class TStatusComProtocolo : public TNFeStatusServico {
 public:
  using TNFeStatusServico::TNFeStatusServico;
  TSSLType DuranteOEnvio = TSSLType::LT_all;

 protected:
  void DefinirDadosMsg() override {
    TNFeStatusServico::DefinirDadosMsg();
    FPDFeOwner.SSL().SetSSLType(TSSLType::LT_TLSv1_2);
  }
  bool TratarResposta() override {
    DuranteOEnvio = FPDFeOwner.SSL().SSLType();
    return TNFeStatusServico::TratarResposta();
  }
};

TEST_F(StatusServico, ProtocolChangedByTheServiceIsRestoredAfterwards) {
  FNFe->SSL().SetSSLType(TSSLType::LT_TLSv1_1);
  TStatusComProtocolo servico(*FNFe);
  ResponderEmOperacao();
  EXPECT_TRUE(servico.Executar());
  EXPECT_EQ(servico.DuranteOEnvio, TSSLType::LT_TLSv1_2);
  EXPECT_EQ(FNFe->SSL().SSLType(), TSSLType::LT_TLSv1_1);

  FHttp->Falha = std::make_exception_ptr(ENivraDFeException("falhou"));
  EXPECT_THROW(servico.Executar(), ENivraDFeException);
  EXPECT_EQ(FNFe->SSL().SSLType(), TSSLType::LT_TLSv1_1);
}

TEST_F(StatusServico, EveryRequestPresentsTheClientCertificate) {
  FNFe->SSL().SetUseCertificateHTTP(false);
  ResponderEmOperacao();
  Servico().Executar();
  EXPECT_TRUE(FNFe->SSL().UseCertificateHTTP());
  EXPECT_TRUE(FHttp->CertificadoLidoAoEnviar);
}

TEST_F(StatusServico, HomologationRequestCarriesEnvironmentTwo) {
  FNFe->Configuracoes().WebServices().SetAmbiente(TkovTipoAmbiente::taHomologacao);
  ResponderEmOperacao();
  Servico().Executar();
  EXPECT_EQ(FHttp->URL, "https://homologacao.nfe.sefa.pr.gov.br/nfe/NFeStatusServico4");
  EXPECT_NE(FHttp->Corpo.find("<tpAmb>2</tpAmb>"), std::string::npos);
}

TEST_F(StatusServico, ActionStarFromTheTableSendsNoAction) {
  FNFe->Configuracoes().WebServices().SetUF("SP");
  ResponderEmOperacao();
  EXPECT_TRUE(Servico().Executar());
  EXPECT_EQ(FHttp->SoapAction, "");
  EXPECT_EQ(Servico().Servico(), kNFe + "/wsdl/NFeStatusServico4");
  EXPECT_NE(FHttp->Corpo.find("<nfeDadosMsg xmlns=\"" + kNFe + "/wsdl/NFeStatusServico4\">"),
            std::string::npos);
}

struct TCasoAcao {
  const char* nome;
  const char* uf;
  TkovTipoEmissao emissao;
  const char* servico;  // after the namespace and "/wsdl/"
  const char* acao;     // after the service
};

class StatusServicoAcao310 : public StatusServico,
                             public ::testing::WithParamInterface<TCasoAcao> {};

TEST_P(StatusServicoAcao310, ServiceAndActionFollowUFAndEmission) {
  const TCasoAcao& caso = GetParam();
  auto& conf = FNFe->Configuracoes();
  conf.Geral().SetVersaoDF(TkovVersaoDF::ve310);
  conf.Geral().SetFormaEmissao(caso.emissao);
  conf.WebServices().SetUF(caso.uf);
  ResponderEmOperacao();
  Servico().Executar();
  const std::string servico = kNFe + "/wsdl/" + caso.servico;
  EXPECT_EQ(Servico().Servico(), servico);
  EXPECT_EQ(FHttp->SoapAction, servico + caso.acao);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, StatusServicoAcao310,
    ::testing::Values(TCasoAcao{"BahiaNormal", "BA", TkovTipoEmissao::teNormal, "NfeStatusServico",
                                "/NfeStatusServicoNF"},
                      TCasoAcao{"BahiaContingencia", "BA", TkovTipoEmissao::teContingencia,
                                "NfeStatusServico2", ""},
                      TCasoAcao{"ParanaNormal", "PR", TkovTipoEmissao::teNormal,
                                "NfeStatusServico2", ""}),
    [](const ::testing::TestParamInfo<TCasoAcao>& info) { return info.param.nome; });

struct TCasoResposta {
  const char* nome;
  std::string resposta;
  int cStat;
  std::string xMotivo;
};

class StatusServicoResposta : public StatusServico,
                              public ::testing::WithParamInterface<TCasoResposta> {};

TEST_P(StatusServicoResposta, ReadsStatusAndReason) {
  const TCasoResposta& caso = GetParam();
  FHttp->Resposta = caso.resposta;
  EXPECT_EQ(Servico().Executar(), caso.cStat == 107);
  EXPECT_EQ(Servico().cStat(), caso.cStat);
  EXPECT_EQ(Servico().xMotivo(), caso.xMotivo);
  EXPECT_EQ(Servico().RetornoWS(), caso.resposta);
}

const std::string kRetorno310 =
    "<retConsStatServ versao=\"3.10\" xmlns=\"http://www.portalfiscal.inf.br/nfe\"><tpAmb>2</tpAmb>"
    "<verAplic>SP_NFE_PL_008f</verAplic><cStat>107</cStat><xMotivo>Serviço em Operação</xMotivo>"
    "<cUF>35</cUF><dhRecbto>2015-05-31T12:24:12-03:00</dhRecbto><tMed>1</tMed></retConsStatServ>";

INSTANTIATE_TEST_SUITE_P(
    Casos, StatusServicoResposta,
    ::testing::Values(
        TCasoResposta{"Layout400",
                      RespostaSoap("nfeResultMsg", RetConsStatServ(107, "Servico em Operacao",
                                                                   "2026-01-10T10:00:00-03:00")),
                      107, "Servico em Operacao"},
        TCasoResposta{"Layout310ComPrefixoSoap",
                      RespostaSoap("nfeStatusServicoNF2Result", kRetorno310, "soap"), 107,
                      "Serviço em Operação"},
        TCasoResposta{"ElementoBahia",
                      RespostaSoap("NfeStatusServicoNFResult",
                                   RetConsStatServ(108, "Servico Paralisado Momentaneamente",
                                                   "2026-01-10T10:00:00-03:00")),
                      108, "Servico Paralisado Momentaneamente"},
        TCasoResposta{"NomesEmMaiusculas",
                      RespostaSoap("NFERESULTMSG",
                                   "<retConsStatServ versao=\"4.00\"><TPAMB>1</TPAMB>"
                                   "<CSTAT>107</CSTAT><XMOTIVO>Servico em Operacao</XMOTIVO>"
                                   "</retConsStatServ>"),
                      107, "Servico em Operacao"},
        TCasoResposta{"AcentosComoEntidades",
                      RespostaSoap("nfeResultMsg",
                                   RetConsStatServ(107, "Servi&ccedil;o em Opera&ccedil;&atilde;o",
                                                   "2026-01-10T10:00:00-03:00")),
                      107, "Serviço em Operação"},
        TCasoResposta{"RetornoEscapadoNoCorpo",
                      RespostaSoap("nfeResultMsg",
                                   "&lt;retConsStatServ versao=\"4.00\"&gt;&lt;cStat&gt;107&lt;/"
                                   "cStat&gt;&lt;xMotivo&gt;Servi&ccedil;o&lt;/xMotivo&gt;&lt;/"
                                   "retConsStatServ&gt;"),
                      107, "Serviço"}),
    [](const ::testing::TestParamInfo<TCasoResposta>& info) { return info.param.nome; });

TEST_F(StatusServico, OperatingAnswerFillsEveryFieldAndAdjustsTheWait) {
  FNFe->Configuracoes().WebServices().SetAjustaAguardaConsultaRet(true);
  FHttp->Resposta = RespostaSoap(
      "nfeResultMsg", RetConsStatServ(107, "Servico em Operacao", "2026-01-10T10:20:30-02:00", 3,
                                      "", "Sem observacao"));
  EXPECT_TRUE(Servico().Executar());
  EXPECT_EQ(Servico().versao(), "4.00");
  EXPECT_EQ(Servico().tpAmb(), TkovTipoAmbiente::taProducao);
  EXPECT_EQ(Servico().verAplic(), "PR-v4_7_9");
  EXPECT_EQ(Servico().cUF(), 41);
  // The offset is ignored: the clock time is kept as written.
  EXPECT_DOUBLE_EQ(Servico().dhRecbto(), CodificarDataHora(2026, 1, 10, 10, 20, 30));
  EXPECT_EQ(Servico().TMed(), 3);
  EXPECT_EQ(Servico().dhRetorno(), 0);
  EXPECT_EQ(Servico().xObs(), "Sem observacao");
  EXPECT_EQ(Servico().Msg(), "Servico em Operacao\r\nSem observacao");
  EXPECT_EQ(FNFe->Configuracoes().WebServices().AguardarConsultaRet(), 3000u);
}

TEST_F(StatusServico, HugeAverageTimeGivesTheLongestWaitInsteadOfWrappingAround) {
  FNFe->Configuracoes().WebServices().SetAjustaAguardaConsultaRet(true);
  FHttp->Resposta = RespostaSoap(
      "nfeResultMsg",
      RetConsStatServ(107, "Servico em Operacao", "2026-01-10T10:20:30-03:00", 2000000000));
  Servico().Executar();
  EXPECT_EQ(FNFe->Configuracoes().WebServices().AguardarConsultaRet(), 4294967295u);
}

TEST_F(StatusServico, WaitIsLeftAloneWhenAdjustingIsOff) {
  FNFe->Configuracoes().WebServices().SetAguardarConsultaRet(777);
  ResponderEmOperacao();
  Servico().Executar();
  EXPECT_EQ(FNFe->Configuracoes().WebServices().AguardarConsultaRet(), 777u);
}

TEST_F(StatusServico, ParalysedAnswerReturnsFalseWithTheForecast) {
  FHttp->Resposta = RespostaSoap(
      "nfeResultMsg",
      RetConsStatServ(108, "Servico Paralisado Momentaneamente", "2026-01-10T10:20:30-03:00", 0,
                      "2026-01-10T12:00:00-03:00", "Manutencao programada"));
  EXPECT_FALSE(Servico().Executar());
  EXPECT_EQ(Servico().cStat(), 108);
  EXPECT_DOUBLE_EQ(Servico().dhRetorno(), CodificarDataHora(2026, 1, 10, 12, 0, 0));
  EXPECT_EQ(Servico().Msg(), "Servico Paralisado Momentaneamente\r\nManutencao programada");
}

TEST_F(StatusServico, MalformedReceiptTimeKeepsTheFieldsReadBeforeIt) {
  FHttp->Resposta =
      RespostaSoap("nfeResultMsg", RetConsStatServ(107, "Servico em Operacao", "10/01/2026", 2));
  EXPECT_TRUE(Servico().Executar());
  EXPECT_EQ(Servico().cStat(), 107);
  EXPECT_EQ(Servico().dhRecbto(), 0);
  EXPECT_EQ(Servico().TMed(), 0);
}

TEST_F(StatusServico, TransportFailureRaisesTheServiceTextAndLeavesTheFieldsEmpty) {
  ResponderEmOperacao();
  ASSERT_TRUE(Servico().Executar());
  FHttp->Falha = std::make_exception_ptr(ENivraDFeException("Erro Interno: 12002\r\nErro HTTP: 0"));
  Mudancas.clear();
  EXPECT_EQ(MensagemDe([&] { Servico().Executar(); }),
            kErroStatus + "Erro Interno: 12002\r\nErro HTTP: 0");
  EXPECT_EQ(Servico().cStat(), 0);
  EXPECT_EQ(Servico().xMotivo(), "");
  EXPECT_EQ(Servico().Msg(), "");
  EXPECT_EQ(Servico().tpAmb(), TkovTipoAmbiente::taProducao);
  EXPECT_EQ(Servico().cUF(), 41);
  EXPECT_EQ(FNFe->Status(), TStatusNivraNFe::stIdle);
  EXPECT_EQ(Mudancas, (std::vector<TStatusNivraNFe>{TStatusNivraNFe::stNFeStatusServico,
                                                    TStatusNivraNFe::stIdle}));
  EXPECT_EQ(Log.back(), "ERRO: " + kErroStatus + "Erro Interno: 12002\r\nErro HTTP: 0");
}

TEST_F(StatusServico, FailureHandledByTheLogReturnsFalseWithoutRaising) {
  MarcarTratado = true;
  FHttp->Falha = std::make_exception_ptr(ENivraDFeException("sem rota"));
  EXPECT_FALSE(Servico().Executar());
  EXPECT_EQ(Log.back(), "ERRO: " + kErroStatus + "sem rota");
  EXPECT_EQ(FNFe->Status(), TStatusNivraNFe::stIdle);
}

TEST_F(StatusServico, SuccessfulRunChangesTheStatusTwice) {
  ResponderEmOperacao();
  Servico().Executar();
  EXPECT_EQ(Mudancas, (std::vector<TStatusNivraNFe>{TStatusNivraNFe::stNFeStatusServico,
                                                    TStatusNivraNFe::stIdle}));
}

TEST_F(StatusServico, LookupFailureEscapesUnwrappedWithoutStatusChange) {
  FNFe->Configuracoes().WebServices().SetUF("AC");  // no section in the test table
  const std::string mensagem = MensagemDe([&] { Servico().Executar(); });
  EXPECT_EQ(mensagem.rfind("Sessão \"NFe_AC_P\"", 0), 0u) << mensagem;
  EXPECT_TRUE(Mudancas.empty());
  EXPECT_EQ(FHttp->Envios, 0);
  EXPECT_EQ(Servico().HeaderElement(), "nfeCabecMsg");
  EXPECT_EQ(Log, std::vector<std::string>{"Inicio TNFeStatusServico"});
}

TEST_F(StatusServico, LogsTheStartAndTheSummary) {
  FHttp->Resposta = RespostaSoap(
      "nfeResultMsg", RetConsStatServ(108, "Servico Paralisado", "2026-01-10T10:20:30-03:00", 2,
                                      "2026-01-10T12:00:00-03:00", "Obs"));
  Servico().Executar();
  ASSERT_EQ(Log.size(), 2u);
  EXPECT_EQ(Log[0], "Inicio TNFeStatusServico");
  EXPECT_EQ(Log[1],
            "Versão Layout: 4.00 \r\nAmbiente: 1\r\nVersão Aplicativo: PR-v4_7_9 \r\n"
            "Status Código: 108\r\nStatus Descrição: Servico Paralisado\r\nUF: PR\r\n"
            "Recebimento: 10/01/2026 10:20:30\r\nTempo Médio: 2\r\n"
            "Retorno: 10/01/2026 12:00:00\r\nObservação: Obs\r\n");
}

TEST_F(StatusServico, SummaryIsShownOnlyWhenVisualizarIsOnAndNoHandlerTookIt) {
  std::vector<std::string> avisos;
  FNFe->SetOnExibirAviso([&](const std::string& texto) { avisos.push_back(texto); });
  FNFe->Configuracoes().WebServices().SetVisualizar(true);
  ResponderEmOperacao();

  MarcarTratado = true;
  Servico().Executar();
  EXPECT_TRUE(avisos.empty());

  MarcarTratado = false;
  Servico().Executar();
  ASSERT_EQ(avisos.size(), 1u);
  EXPECT_EQ(avisos[0].rfind("Versão Layout: 4.00", 0), 0u);

  FNFe->Configuracoes().WebServices().SetVisualizar(false);
  Servico().Executar();
  EXPECT_EQ(avisos.size(), 1u);
}

TEST_F(StatusServico, NoticeGoesOnlyToTheComponentThatShowsIt) {
  std::vector<std::string> avisos;
  FNFe->SetOnExibirAviso([&](const std::string& texto) { avisos.push_back(texto); });
  TNivraNFe outro;
  std::vector<std::string> outros;
  outro.SetOnExibirAviso([&](const std::string& texto) { outros.push_back(texto); });
  FNFe->Configuracoes().WebServices().SetVisualizar(true);
  ResponderEmOperacao();
  Servico().Executar();
  EXPECT_EQ(avisos.size(), 1u);
  EXPECT_TRUE(outros.empty());
}

TEST_F(StatusServico, SavesRequestAndAnswerDocumentsWithTimeStampedNames) {
  FNFe->Configuracoes().WebServices().SetSalvar(false);
  ResponderEmOperacao();
  Servico().Executar();
  const auto arquivos = ArquivosSalvos();
  ASSERT_EQ(arquivos.size(), 2u);
  EXPECT_TRUE(std::regex_match(arquivos[0], std::regex(R"(\d{14}-ped-sta\.xml)")));
  EXPECT_TRUE(std::regex_match(arquivos[1], std::regex(R"(\d{14}-sta\.xml)")));
  EXPECT_NE(LerArquivo(arquivos[0]).find(Servico().DadosMsg()), std::string::npos);
  EXPECT_NE(LerArquivo(arquivos[1]).find(Servico().RetWS()), std::string::npos);
}

TEST_F(StatusServico, SavesTheEnvelopesTooWhenWebServicesSalvarIsOn) {
  FNFe->Configuracoes().WebServices().SetSalvar(true);
  ResponderEmOperacao();
  Servico().Executar();
  const auto arquivos = ArquivosSalvos();
  ASSERT_EQ(arquivos.size(), 4u);
  EXPECT_TRUE(std::regex_match(arquivos[0], std::regex(R"(\d{14}-ped-sta-soap\.xml)")));
  EXPECT_TRUE(std::regex_match(arquivos[1], std::regex(R"(\d{14}-ped-sta\.xml)")));
  EXPECT_TRUE(std::regex_match(arquivos[2], std::regex(R"(\d{14}-sta-soap\.xml)")));
  EXPECT_TRUE(std::regex_match(arquivos[3], std::regex(R"(\d{14}-sta\.xml)")));
  const std::string declaracao = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
  EXPECT_EQ(LerArquivo(arquivos[0]), FHttp->Corpo);
  EXPECT_EQ(LerArquivo(arquivos[1]), declaracao + Servico().DadosMsg());
  EXPECT_EQ(LerArquivo(arquivos[2]), FHttp->Resposta);
  EXPECT_EQ(LerArquivo(arquivos[3]), declaracao + Servico().RetWS());
}

TEST_F(StatusServico, AnswerInIso88591IsArchivedAsTheUTF8TextDecodedFromIt) {
  FNFe->Configuracoes().WebServices().SetSalvar(true);
  FHttp->Resposta = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>" +
                    SemDeclaracaoXML(RespostaSoap(
                        "nfeResultMsg",
                        RetConsStatServ(107, "Servi\xE7o em Opera\xE7\xE3o", DataHoraXML(FAgora))));
  Servico().Executar();
  EXPECT_EQ(Servico().xMotivo(), "Serviço em Operação");
  const auto arquivos = ArquivosSalvos();
  ASSERT_EQ(arquivos.size(), 4u);
  for (const std::string& resposta : {arquivos[2], arquivos[3]}) {
    const std::string salvo = LerArquivo(resposta);
    EXPECT_EQ(salvo.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>", 0), 0u) << resposta;
    EXPECT_EQ(salvo.find("<?xml", 1), std::string::npos) << resposta;
    EXPECT_EQ(TextoParaUTF8(salvo), salvo) << resposta << " is not valid UTF-8";
    EXPECT_NE(salvo.find("Serviço em Operação"), std::string::npos) << resposta;
  }
}

TEST_F(StatusServico, SavesNothingWhenSalvarIsOff) {
  FNFe->Configuracoes().Geral().SetSalvar(false);
  ResponderEmOperacao();
  Servico().Executar();
  EXPECT_TRUE(ArquivosSalvos().empty());
}

TEST_F(StatusServico, EnvelopesAloneAreSavedWhenOnlyWebServicesSalvarIsOn) {
  FNFe->Configuracoes().Geral().SetSalvar(false);
  FNFe->Configuracoes().WebServices().SetSalvar(true);
  ResponderEmOperacao();
  Servico().Executar();
  const auto arquivos = ArquivosSalvos();
  ASSERT_EQ(arquivos.size(), 2u);
  EXPECT_TRUE(std::regex_match(arquivos[0], std::regex(R"(\d{14}-ped-sta-soap\.xml)")));
  EXPECT_TRUE(std::regex_match(arquivos[1], std::regex(R"(\d{14}-sta-soap\.xml)")));
}

TEST_F(StatusServico, SavingFailurePassesUnchangedAndTheServiceStillEnds) {
  // A plain file where the folder should be: the request cannot be saved.
  TPastaTemporaria::Escrever((FPasta / "bloqueio").string(), "x");
  FNFe->Configuracoes().Arquivos().SetPathSalvar((FPasta / "bloqueio" / "Docs").string() + "/");
  ResponderEmOperacao();
  const std::string mensagem = MensagemDe([&] { Servico().Executar(); });
  // Not wrapped in the service's text: saving comes before the guarded send.
  EXPECT_EQ(mensagem.rfind("Erro ao salvar.\r\n", 0), 0u) << mensagem;
  EXPECT_EQ(FHttp->Envios, 0);
  EXPECT_EQ(Servico().cStat(), 0);
  EXPECT_EQ(Servico().HeaderElement(), "nfeCabecMsg");
  EXPECT_EQ(FNFe->Status(), TStatusNivraNFe::stIdle);
  EXPECT_EQ(Mudancas, (std::vector<TStatusNivraNFe>{TStatusNivraNFe::stNFeStatusServico,
                                                    TStatusNivraNFe::stIdle}));
}

TEST_F(StatusServico, RequestIsSavedEvenWhenSendingFails) {
  FHttp->Falha = std::make_exception_ptr(ENivraDFeException("falhou"));
  EXPECT_THROW(Servico().Executar(), ENivraDFeException);
  const auto arquivos = ArquivosSalvos();
  ASSERT_EQ(arquivos.size(), 1u);
  EXPECT_TRUE(std::regex_match(arquivos[0], std::regex(R"(\d{14}-ped-sta\.xml)")));
}

// Receipt-time correction of the SVRS authoriser.
struct TCasoRecebimento {
  const char* nome;
  const char* uf;
  int minutosAtras;
  bool corrigido;
};

class StatusServicoRecebimento : public StatusServico,
                                 public ::testing::WithParamInterface<TCasoRecebimento> {};

TEST_P(StatusServicoRecebimento, SubtractsOneHourOnlyForSvrsClocksOffByMoreThan50Minutes) {
  const TCasoRecebimento& caso = GetParam();
  FNFe->Configuracoes().WebServices().SetUF(caso.uf);
  const TDateTime recebido = FAgora - caso.minutosAtras / (24.0 * 60.0);
  FHttp->Resposta = RespostaSoap(
      "nfeResultMsg", "<retConsStatServ versao=\"4.00\"><cStat>107</cStat><cUF>" +
                          std::to_string(FNFe->Configuracoes().WebServices().UFCodigo()) +
                          "</cUF><dhRecbto>" + DataHoraXML(recebido) +
                          "</dhRecbto></retConsStatServ>");
  Servico().Executar();
  const TDateTime esperado = caso.corrigido ? recebido - 1.0 / 24.0 : recebido;
  EXPECT_NEAR(Servico().dhRecbto(), esperado, 1e-7);
}

// SE (no summer time) is answered by SVRS through the table's redirection; PR by its own
// authoriser.
INSTANTIATE_TEST_SUITE_P(Casos, StatusServicoRecebimento,
                         ::testing::Values(TCasoRecebimento{"SvrsAtrasado55", "SE", 55, true},
                                           TCasoRecebimento{"SvrsAdiantado55", "SE", -55, true},
                                           TCasoRecebimento{"SvrsAtrasado45", "SE", 45, false},
                                           TCasoRecebimento{"OutroAutorizador", "PR", 55, false}),
                         [](const ::testing::TestParamInfo<TCasoRecebimento>& info) {
                           return info.param.nome;
                         });

TEST_F(StatusServico, SvrsReceiptTimeIsKeptForAUFInDaylightSaving) {
  FAgora = CodificarDataHora(2027, 1, 20, 10, 20, 30);
  const TDateTime recebido = FAgora - 55 / (24.0 * 60.0);
  ASSERT_TRUE(EmHorarioDeVerao("SC", recebido));
  FNFe->Configuracoes().WebServices().SetUF("SC");
  FHttp->Resposta = RespostaSoap("nfeResultMsg",
                                 "<retConsStatServ versao=\"4.00\"><cStat>107</cStat><cUF>42"
                                 "</cUF><dhRecbto>" +
                                     DataHoraXML(recebido) + "</dhRecbto></retConsStatServ>");
  Servico().Executar();
  EXPECT_NEAR(Servico().dhRecbto(), recebido, 2e-5);
}

TEST_F(StatusServico, SvrsAnswerWithoutReceiptTimeKeepsTheZeroDate) {
  FNFe->Configuracoes().WebServices().SetUF("SE");
  FHttp->Resposta = RespostaSoap(
      "nfeResultMsg", "<retConsStatServ versao=\"4.00\"><cStat>107</cStat></retConsStatServ>");
  Servico().Executar();
  EXPECT_EQ(Servico().dhRecbto(), 0);
}

}  // namespace

}  // namespace nivra
