// The request pipeline with small service subclasses: order of the steps, failure texts,
// envelope variants, UTF-8 step, retries and the certificate check.
#include "nivranfe/nfe/dfe_web_service.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "nivranfe/util/datahora.h"
#include "nivranfe/util/excecoes.h"
#include "nivranfe/xml/gerador.h"
#include "tests/fakes/crypto_memoria.h"
#include "tests/fakes/mensagem_de.h"
#include "tests/nfe/ambiente_teste.h"

namespace nivra {

namespace {

// A service that provides no step at all.
class TServicoVazio : public TDFeWebService {
 public:
  using TDFeWebService::TDFeWebService;
  int Encerramentos = 0;

 protected:
  void EncerrarServico() override { ++Encerramentos; }
};

// A service whose steps give fixed texts that a test may change.
class TServicoFixo : public TDFeWebService {
 public:
  using TDFeWebService::TDFeWebService;

  std::string URLDefinida = "https://autorizador.example/ws";
  std::string ServicoDefinido = "urn:servico";
  std::string AcaoDefinida = "urn:servico/acao";
  std::string Dados = "<dados>1</dados>";
  std::string Cabecalho = "nfeCabecMsg";
  // When set, the envelope is this text instead of the built one.
  std::string EnvelopePronto;
  int Encerramentos = 0;
  std::vector<std::string> Passos;

  using TDFeWebService::AplicarOpcoesGerador;
  using TDFeWebService::AssinarDados;
  using TDFeWebService::ObterPrefixoArquivo;

 protected:
  void DefinirURL() override {
    Passos.push_back("DefinirURL");
    FPURL = URLDefinida;
  }
  void DefinirServicoEAction() override {
    Passos.push_back("DefinirServicoEAction");
    FPServico = ServicoDefinido;
    FPSoapAction = AcaoDefinida;
    FPHeaderElement = Cabecalho;
  }
  void DefinirDadosMsg() override {
    Passos.push_back("DefinirDadosMsg");
    FPDadosMsg = Dados;
  }
  void MontarEnvelopeSoap() override {
    Passos.push_back("MontarEnvelopeSoap");
    if (EnvelopePronto.empty())
      TDFeWebService::MontarEnvelopeSoap();
    else
      FPEnvelopeSoap = EnvelopePronto;
  }
  std::string GerarVersaoDadosSoap() override { return "<versaoDados>9.99</versaoDados>"; }
  bool TratarResposta() override {
    Passos.push_back("TratarResposta");
    return RetornoWS() == "ok";
  }
  std::string MontarMsgErro(const std::exception&) override { return "Falha do teste:"; }
  void EncerrarServico() override {
    Passos.push_back("EncerrarServico");
    ++Encerramentos;
  }
};

class Pipeline : public AmbienteServico {
 protected:
  void SetUp() override {
    AmbienteServico::SetUp();
    FServico = std::make_unique<TServicoFixo>(*FNFe);
    FHttp->Resposta = "ok";
  }
  std::unique_ptr<TServicoFixo> FServico;
};

TEST_F(Pipeline, RunsTheStepsInOrderAndEndsTheService) {
  EXPECT_TRUE(FServico->Executar());
  EXPECT_EQ(FServico->Passos,
            (std::vector<std::string>{"DefinirURL", "DefinirServicoEAction", "DefinirDadosMsg",
                                      "MontarEnvelopeSoap", "TratarResposta", "EncerrarServico"}));
  EXPECT_EQ(FHttp->Envios, 1);
  EXPECT_EQ(FServico->RetornoWS(), "ok");
  EXPECT_EQ(Log.front(), "Inicio TServicoFixo");
}

TEST_F(Pipeline, EnvelopeWithHeaderWrapsCabecalhoAndDataUnderTheService) {
  FServico->Executar();
  EXPECT_EQ(FServico->EnvelopeSoap(),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
            "<soap12:Envelope xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
            "xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\" "
            "xmlns:soap12=\"http://www.w3.org/2003/05/soap-envelope\">"
            "<soap12:Header><nfeCabecMsg xmlns=\"urn:servico\"><cUF>41</cUF>"
            "<versaoDados>9.99</versaoDados></nfeCabecMsg></soap12:Header>"
            "<soap12:Body><nfeDadosMsg xmlns=\"urn:servico\"><dados>1</dados></nfeDadosMsg>"
            "</soap12:Body></soap12:Envelope>");
}

TEST_F(Pipeline, EmptyHeaderElementLeavesOutTheWholeHeader) {
  FServico->Cabecalho = "";
  FServico->Executar();
  EXPECT_EQ(FHttp->Corpo.find("Header"), std::string::npos);
  EXPECT_NE(FHttp->Corpo.find("<soap12:Body><nfeDadosMsg"), std::string::npos);
}

TEST_F(Pipeline, ActionStarIsSentAsNoAction) {
  FServico->AcaoDefinida = "*";
  EXPECT_TRUE(FServico->Executar());
  EXPECT_EQ(FHttp->SoapAction, "");
  EXPECT_EQ(FServico->SoapAction(), "");
}

TEST_F(Pipeline, EnvelopeDeclaringUtf8IsSentUnchanged) {
  FServico->EnvelopePronto = "<?xml version=\"1.0\" encoding=\"utf-8\"?><e>ação</e>";
  FServico->Executar();
  EXPECT_EQ(FHttp->Corpo, FServico->EnvelopePronto);
}

TEST_F(Pipeline, SignedEnvelopeIsSentUnchanged) {
  FServico->EnvelopePronto = "<e><Signature xmlns=\"x\">a</Signature></e>";
  FServico->Executar();
  EXPECT_EQ(FHttp->Corpo, FServico->EnvelopePronto);
}

struct TCasoPreparo {
  const char* nome;
  std::string url, servico, acao;
  std::string mensagem;
};

class PipelinePreparo : public Pipeline, public ::testing::WithParamInterface<TCasoPreparo> {};

TEST_P(PipelinePreparo, MissingPieceFailsBeforeAnythingIsSentOrEnded) {
  const TCasoPreparo& caso = GetParam();
  FServico->URLDefinida = caso.url;
  FServico->ServicoDefinido = caso.servico;
  FServico->AcaoDefinida = caso.acao;
  EXPECT_EQ(MensagemDe([&] { FServico->Executar(); }), caso.mensagem);
  EXPECT_EQ(FServico->Encerramentos, 0);
  EXPECT_EQ(FHttp->Envios, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, PipelinePreparo,
    ::testing::Values(
        TCasoPreparo{"SemURL", "", "s", "a", "URL não definida para: TServicoFixo"},
        TCasoPreparo{"SemServico", "u", "", "a", "Servico não definido para: TServicoFixo"},
        TCasoPreparo{"SemAcao", "u", "s", "", "SoapAction não definido para: TServicoFixo"}),
    [](const ::testing::TestParamInfo<TCasoPreparo>& info) { return info.param.nome; });

TEST_F(Pipeline, PreparationFailureHandledByTheLogStopsTheRequest) {
  MarcarTratado = true;
  FServico->URLDefinida = "";
  EXPECT_FALSE(FServico->Executar());
  EXPECT_EQ(Log.back(), "ERRO: URL não definida para: TServicoFixo");
  EXPECT_EQ(FHttp->Envios, 0);
  EXPECT_EQ(FServico->Encerramentos, 0);
}

TEST_F(Pipeline, ServiceWithoutStepsNamesTheMissingStepAndItsClass) {
  TServicoVazio servico(*FNFe);
  EXPECT_EQ(MensagemDe([&] { servico.Executar(); }),
            "DefinirURL não implementado para: TServicoVazio");
  EXPECT_EQ(servico.Encerramentos, 0);
}

TEST_F(Pipeline, TransportFailureIsWrappedAndTheServiceStillEnds) {
  FHttp->Falha = std::make_exception_ptr(ENivraDFeException("Erro Interno: 12029"));
  EXPECT_EQ(MensagemDe([&] { FServico->Executar(); }), "Falha do teste:\r\nErro Interno: 12029");
  EXPECT_EQ(FServico->Encerramentos, 1);
}

TEST_F(Pipeline, RetriesAsOftenAsTheHandlerAsksThenPassesTheFailureOn) {
  FHttp->Falha = std::make_exception_ptr(ENivraDFeException("time-out"));
  FHttp->CodigoHTTP = 0;
  FHttp->CodigoInterno = 12002;
  int chamadas = 0;
  FNFe->SetOnTransmitError([&](int httpErro, int erroInterno, const std::string& url,
                               const std::string& enviados, const std::string& acao, bool& retentar,
                               bool& tratado) {
    ++chamadas;
    EXPECT_FALSE(retentar);
    EXPECT_FALSE(tratado);
    EXPECT_EQ(httpErro, 0);
    EXPECT_EQ(erroInterno, 12002);
    EXPECT_EQ(url, "https://autorizador.example/ws");
    EXPECT_EQ(enviados, FHttp->Corpo);
    EXPECT_EQ(acao, "urn:servico/acao");
    retentar = chamadas < 3;
  });
  EXPECT_EQ(MensagemDe([&] { FServico->Executar(); }), "Falha do teste:\r\ntime-out");
  EXPECT_EQ(FHttp->Envios, 3);
  EXPECT_EQ(chamadas, 3);
}

TEST_F(Pipeline, FailureMarkedTreatedGoesOnWithAnEmptyAnswer) {
  FHttp->Falha = std::make_exception_ptr(ENivraDFeException("sem rede"));
  FNFe->SetOnTransmitError([](int, int, const std::string&, const std::string&, const std::string&,
                              bool&, bool& tratado) { tratado = true; });
  EXPECT_FALSE(FServico->Executar());
  EXPECT_EQ(FHttp->Envios, 1);
  EXPECT_EQ(FServico->RetornoWS(), "");
  EXPECT_EQ(FServico->Passos.back(), "EncerrarServico");
}

class PipelineCertificado : public Pipeline {
 protected:
  // Installs a certificate role whose certificate expires at `vencimento`.
  void UsarCertificado(TDateTime vencimento) {
    auto crypto = std::make_unique<TCryptoMemoria>(FNFe->SSL());
    crypto->Certificado.SetNumeroSerie("0A1B2C");
    crypto->Certificado.SetDataVenc(vencimento);
    FNFe->SSL().UsarSSLCryptClass(std::move(crypto));
  }
};

TEST_F(PipelineCertificado, ExpiredCertificateStopsTheRequestBeforeSending) {
  UsarCertificado(CodificarDataHora(2020, 3, 15, 10, 0, 0));
  FNFe->Configuracoes().Certificados().SetNumeroSerie("0A1B2C");
  EXPECT_EQ(MensagemDe([&] { FServico->Executar(); }),
            "Falha do teste:\r\nData de Validade do Certificado já expirou: 15/03/2020");
  EXPECT_THROW(FServico->Executar(), ENivraDFeCertificadoExpirado);
  EXPECT_EQ(FHttp->Envios, 0);
  EXPECT_EQ(FServico->Encerramentos, 2);
}

TEST_F(PipelineCertificado, ACertificateWithoutADateNamesTheCryptoLibrarySetting) {
  // What a crypto role that cannot read certificates gives.
  UsarCertificado(0);
  FNFe->Configuracoes().Certificados().SetNumeroSerie("0A1B2C");
  EXPECT_EQ(MensagemDe([&] { FServico->Executar(); }),
            "Falha do teste:\r\nData de Validade do Certificado não pôde ser lida: escolha a "
            "biblioteca de criptografia em Configuracoes.Geral.SSLCryptLib (ou SSLLib)");
  EXPECT_EQ(FHttp->Envios, 0);
}

TEST_F(PipelineCertificado, ValidCertificateIsSent) {
  UsarCertificado(FAgora + 1.0 / (24 * 60 * 60));
  FNFe->Configuracoes().Certificados().SetNumeroSerie("0A1B2C");
  EXPECT_TRUE(FServico->Executar());
  EXPECT_EQ(FHttp->Envios, 1);
}

TEST_F(PipelineCertificado, NoExpiryCheckWhenCheckingIsOffOrNoCertificateIsSet) {
  UsarCertificado(CodificarDataHora(2020, 3, 15));
  EXPECT_TRUE(FServico->Executar());  // no certificate configured

  FNFe->Configuracoes().Certificados().SetNumeroSerie("0A1B2C");
  FNFe->Configuracoes().Certificados().SetVerificarValidade(false);
  UsarCertificado(CodificarDataHora(2020, 3, 15));
  EXPECT_TRUE(FServico->Executar());
  EXPECT_EQ(FHttp->Envios, 2);
}

TEST_F(Pipeline, SigningFailureIsReportedWithTheErrorPrefix) {
  EXPECT_EQ(MensagemDe([&] { FServico->AssinarDados("<a/>", "a", "b", "Falha ao assinar:"); }),
            "Falha ao assinar:\r\nTDFeSSLXmlSignClass.Assinar, não implementado");
}

TEST_F(Pipeline, SigningStoresTheSignedDocument) {
  FNFe->SSL().SetAntesDeAssinar([](std::string& xml, const std::string&, const std::string&,
                                   const std::string&, const std::string&,
                                   const std::string&) { xml += "<Signature/>"; });
  FServico->AssinarDados("<a/>", "a", "b", "Falha ao assinar:");
  EXPECT_EQ(FServico->DadosMsg(), "<a/><Signature/>");
}

TEST_F(Pipeline, GeneratorOptionsAndTimeZoneComeFromTheConfiguration) {
  auto& conf = FNFe->Configuracoes();
  conf.Geral().SetFormatoAlerta("%MSG%");
  conf.Geral().SetRetirarAcentos(false);
  conf.Geral().SetRetirarEspacos(false);
  conf.Geral().SetIdentarXML(true);
  conf.WebServices().SetQuebradeLinha(";");
  conf.WebServices().TimeZoneConf().SetModoDeteccao(TTimeZoneModoDeteccao::tzManual);
  conf.WebServices().TimeZoneConf().SetTimeZoneStr("-04:00");

  TGerador gerador;
  FServico->AplicarOpcoesGerador(gerador);
  EXPECT_EQ(gerador.Opcoes().FormatoAlerta(), "%MSG%");
  EXPECT_FALSE(gerador.Opcoes().RetirarAcentos());
  EXPECT_FALSE(gerador.Opcoes().RetirarEspacos());
  EXPECT_TRUE(gerador.Opcoes().IdentarXML());
  EXPECT_EQ(gerador.Opcoes().QuebraLinha(), ";");
  EXPECT_EQ(ConfiguracaoFusoHorario().ModoDeteccao(), TTimeZoneModoDeteccao::tzManual);
  EXPECT_EQ(ConfiguracaoFusoHorario().TimeZoneStr(), "-04:00");
  ConfiguracaoFusoHorario().Assign(TTimeZoneConf());
}

TEST_F(Pipeline, FilePrefixIsTheComponentsLocalTimeInFourteenDigits) {
  EXPECT_EQ(FServico->ObterPrefixoArquivo(), "20260609102030");
  FAgora = CodificarDataHora(2027, 1, 2, 3, 4, 5, 999);
  EXPECT_EQ(FServico->ObterPrefixoArquivo(), "20270102030405");
}

}  // namespace

}  // namespace nivra
