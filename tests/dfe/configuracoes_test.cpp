// The configuration tree: initial values, setter rules, the pushes into the security facade,
// the library table, the services text and the Assign copies.
#include "nivranfe/dfe/configuracoes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "nivranfe/dfe/nivra_nfe.h"
#include "nivranfe/resources/recursos.h"
#include "nivranfe/security/dfe_ssl.h"
#include "nivranfe/util/arquivos.h"
#include "nivranfe/util/excecoes.h"
#include "tests/fakes/mensagem_de.h"
#include "tests/fakes/pasta_temporaria.h"

namespace nivra {

namespace {

class ConfiguracoesTest : public ::testing::Test {
 protected:
  TNivraNFe nfe;
  TConfiguracoesNFe& conf = nfe.Configuracoes();
};

TEST_F(ConfiguracoesTest, FreshNFeRootHasTheDocumentedInitialValues) {
  const TWebServicesConf& ws = conf.WebServices();
  EXPECT_EQ(ws.UF(), "SP");
  EXPECT_EQ(ws.UFCodigo(), 35);
  EXPECT_EQ(ws.Ambiente(), TkovTipoAmbiente::taHomologacao);
  EXPECT_EQ(ws.AmbienteCodigo(), 2);
  EXPECT_EQ(ws.TimeOut(), 5000);
  EXPECT_EQ(ws.Tentativas(), 5);
  EXPECT_EQ(ws.IntervaloTentativas(), 1000u);
  EXPECT_EQ(ws.AguardarConsultaRet(), 0u);
  EXPECT_EQ(ws.ResourceName(), "NivraNFeServicos");
  EXPECT_EQ(ws.QuebradeLinha(), "|");
  EXPECT_FALSE(ws.Salvar());
  EXPECT_FALSE(ws.Visualizar());
  EXPECT_EQ(conf.Geral().ModeloDF(), TkovModeloDF::moNFe);
  EXPECT_EQ(conf.Geral().ModeloDFCodigo(), 55);
  // The layout every authoriser takes; 3.10 is retired.
  EXPECT_EQ(conf.Geral().VersaoDF(), TkovVersaoDF::ve400);
  EXPECT_EQ(conf.Geral().FormaEmissaoCodigo(), 1);
  EXPECT_EQ(conf.Geral().SSLLib(), TSSLLib::libNone);
  EXPECT_TRUE(conf.Geral().Salvar());
  EXPECT_TRUE(conf.Geral().IncluirQRCodeXMLNFCe());
  EXPECT_TRUE(conf.Certificados().VerificarValidade());
  EXPECT_TRUE(conf.Arquivos().Salvar());
  EXPECT_EQ(conf.Arquivos().OrdenacaoPath().Count(), 0u);
}

TEST_F(ConfiguracoesTest, BaseComponentUsesTheGenericResourceName) {
  TNivraDFe dfe;
  EXPECT_EQ(dfe.Configuracoes().WebServices().ResourceName(), "NivraServicos");
}

TEST(ConfiguracoesRaiz, RootWithoutOwningComponentIsRefused) {
  TDFeSSL ssl;
  EXPECT_EQ(MensagemDe([&] { TConfiguracoes semDono(nullptr, ssl); }),
            "Owner de TConfiguracoes deve ser do tipo TNivraDFe");
}

TEST_F(ConfiguracoesTest, UFAcceptsOnlyTheExactAbbreviationsAndSetsTheirCode) {
  struct Caso {
    const char* valor;
    const char* uf;
    int codigo;
  };
  // Each step starts from the previous state: refused values keep it.
  const Caso casos[] = {{"pr", "SP", 35},  {"PR", "PR", 41}, {"EX", "PR", 41}, {"", "PR", 41},
                        {" AC", "PR", 41}, {"AC", "AC", 12}, {"TO", "TO", 17}, {"DF", "DF", 53}};
  for (const Caso& c : casos) {
    conf.WebServices().SetUF(c.valor);
    EXPECT_EQ(conf.WebServices().UF(), c.uf) << c.valor;
    EXPECT_EQ(conf.WebServices().UFCodigo(), c.codigo) << c.valor;
  }
}

TEST_F(ConfiguracoesTest, CodesFollowEnvironmentEmissionTypeAndModel) {
  conf.WebServices().SetAmbiente(TkovTipoAmbiente::taProducao);
  EXPECT_EQ(conf.WebServices().AmbienteCodigo(), 1);
  conf.Geral().SetFormaEmissao(TkovTipoEmissao::teSVCRS);
  EXPECT_EQ(conf.Geral().FormaEmissaoCodigo(), 7);
  conf.Geral().SetFormaEmissao(TkovTipoEmissao::teOffLine);
  EXPECT_EQ(conf.Geral().FormaEmissaoCodigo(), 9);
  conf.Geral().SetModeloDF(TkovModeloDF::moNFCe);
  EXPECT_EQ(conf.Geral().ModeloDFCodigo(), 65);
}

TEST_F(ConfiguracoesTest, RetriesAndIntervalAreRaisedToTheirMinimums) {
  struct Caso {
    int tentativas;
    int esperado;
  };
  for (const Caso& c : {Caso{0, 5}, Caso{-3, 5}, Caso{1, 1}, Caso{9, 9}}) {
    conf.WebServices().SetTentativas(c.tentativas);
    EXPECT_EQ(conf.WebServices().Tentativas(), c.esperado) << c.tentativas;
  }
  struct CasoIntervalo {
    uint32_t valor;
    uint32_t esperado;
  };
  for (const CasoIntervalo& c : {CasoIntervalo{500, 1000}, CasoIntervalo{0, 1000},
                                 CasoIntervalo{999, 1000}, CasoIntervalo{1500, 1500}}) {
    conf.WebServices().SetIntervaloTentativas(c.valor);
    EXPECT_EQ(conf.WebServices().IntervaloTentativas(), c.esperado) << c.valor;
  }
}

TEST_F(ConfiguracoesTest, TimeOutOfZeroOrLessTakesTheDefaultInsteadOfWaitingForEver) {
  struct Caso {
    int valor;
    int esperado;
  };
  for (const Caso& c : {Caso{0, 10000}, Caso{-1, 10000}, Caso{1, 1}, Caso{30000, 30000}}) {
    conf.WebServices().SetTimeOut(c.valor);
    EXPECT_EQ(conf.WebServices().TimeOut(), c.esperado) << c.valor;
    EXPECT_EQ(nfe.SSL().TimeOut(), c.esperado) << c.valor;
    // Set on the facade alone, as a program may do.
    nfe.SSL().SetTimeOut(c.valor);
    EXPECT_EQ(nfe.SSL().TimeOut(), c.esperado) << c.valor;
  }
}

TEST_F(ConfiguracoesTest, SerialNumberIsNormalisedAndPushedToTheFacade) {
  conf.Certificados().SetNumeroSerie("  1a 2b 3C  ");
  EXPECT_EQ(conf.Certificados().NumeroSerie(), "1A2B3C");
  EXPECT_EQ(nfe.SSL().NumeroSerie(), "1A2B3C");
}

TEST_F(ConfiguracoesTest, ProxyTimeOutAndCertificateFilesArePushedToTheFacade) {
  conf.WebServices().SetProxyHost("proxy.local");
  conf.WebServices().SetProxyPort("3128");
  conf.WebServices().SetProxyUser("usuario");
  conf.WebServices().SetProxyPass("segredo");
  conf.WebServices().SetTimeOut(10000);
  conf.Certificados().SetArquivoPFX("/tmp/cert.pfx");
  EXPECT_EQ(nfe.SSL().ProxyHost(), "proxy.local");
  EXPECT_EQ(nfe.SSL().ProxyPort(), "3128");
  EXPECT_EQ(nfe.SSL().ProxyUser(), "usuario");
  EXPECT_EQ(nfe.SSL().ProxyPass(), "segredo");
  EXPECT_EQ(nfe.SSL().TimeOut(), 10000);
  EXPECT_EQ(nfe.SSL().ArquivoPFX(), "/tmp/cert.pfx");

  conf.Certificados().SetDadosPFX("bytes do pfx");
  EXPECT_EQ(nfe.SSL().DadosPFX(), "bytes do pfx");
}

TEST_F(ConfiguracoesTest, UnchangedValueIsNotPushedAgain) {
  conf.WebServices().SetTimeOut(7000);
  nfe.SSL().SetTimeOut(1234);  // the facade changed behind the configuration's back
  conf.WebServices().SetTimeOut(7000);
  EXPECT_EQ(nfe.SSL().TimeOut(), 1234);
  conf.WebServices().SetTimeOut(8000);
  EXPECT_EQ(nfe.SSL().TimeOut(), 8000);
}

TEST_F(ConfiguracoesTest, PasswordReadsBackInClearAndKeepsItsKeyWhenSetAgain) {
  conf.Certificados().SetSenha("s3nh@");
  EXPECT_EQ(conf.Certificados().Senha(), "s3nh@");
  EXPECT_EQ(nfe.SSL().Senha(), "s3nh@");

  // Setting the same password again changes nothing: the facade is not touched.
  nfe.SSL().SetSenha("outra no facade");
  conf.Certificados().SetSenha("s3nh@");
  EXPECT_EQ(nfe.SSL().Senha(), "outra no facade");

  conf.Certificados().SetSenha("nova");
  EXPECT_EQ(conf.Certificados().Senha(), "nova");
  EXPECT_EQ(nfe.SSL().Senha(), "nova");
}

TEST_F(ConfiguracoesTest, TheClearPasswordIsNotHeldInTheCertificateGroup) {
  // Short enough to live inside the string objects themselves, so a clear copy would show up
  // in the group's own bytes.
  const std::string senha = "Pixabc";
  TCertificadosConf& certificados = conf.Certificados();
  certificados.SetSenha(senha);
  const auto* inicio = reinterpret_cast<const unsigned char*>(&certificados);
  const auto* fim = inicio + sizeof(TCertificadosConf);
  EXPECT_EQ(std::search(inicio, fim, senha.begin(), senha.end()), fim);
  EXPECT_EQ(certificados.Senha(), senha);
}

TEST_F(ConfiguracoesTest, CSCIdentifierIsSixDigitsAndCSCIsTrimmed) {
  struct Caso {
    const char* valor;
    const char* esperado;
  };
  for (const Caso& c : {Caso{"12", "000012"}, Caso{"7", "000007"}, Caso{"abc", "000000"},
                        Caso{"12345678", "123456"}, Caso{"000001", "000001"}, Caso{"+7", "000007"},
                        Caso{" +12 ", "000012"}, Caso{"+", "000000"}, Caso{"+-7", "000000"}}) {
    conf.Geral().SetIdCSC(c.valor);
    EXPECT_EQ(conf.Geral().IdCSC(), c.esperado) << c.valor;
  }
  conf.Geral().SetCSC("  ABC123  ");
  EXPECT_EQ(conf.Geral().CSC(), "ABC123");
}

TEST_F(ConfiguracoesTest, LibrarySettingSetsTheChoicesAndIsRecalculatedFromThem) {
  TGeralConf& geral = conf.Geral();
  geral.SetSSLLib(TSSLLib::libWinCrypt);
  EXPECT_EQ(geral.SSLCryptLib(), TSSLCryptLib::cryWinCrypt);
  EXPECT_EQ(geral.SSLHttpLib(), TSSLHttpLib::httpWinHttp);
  EXPECT_EQ(geral.SSLXmlSignLib(), TSSLXmlSignLib::xsMsXml);
  EXPECT_EQ(nfe.SSL().SSLCryptLib(), TSSLCryptLib::cryWinCrypt);
  EXPECT_EQ(nfe.SSL().SSLHttpLib(), TSSLHttpLib::httpWinHttp);
  EXPECT_EQ(nfe.SSL().SSLXmlSignLib(), TSSLXmlSignLib::xsMsXml);
  EXPECT_EQ(geral.SSLLib(), TSSLLib::libWinCrypt);

  // The monitor's form sets the same three values again one by one.
  geral.SetSSLCryptLib(TSSLCryptLib::cryWinCrypt);
  geral.SetSSLHttpLib(TSSLHttpLib::httpWinHttp);
  geral.SetSSLXmlSignLib(TSSLXmlSignLib::xsMsXml);
  EXPECT_EQ(geral.SSLLib(), TSSLLib::libWinCrypt);

  geral.SetSSLHttpLib(TSSLHttpLib::httpIndy);
  EXPECT_EQ(geral.SSLLib(), TSSLLib::libCustom);
  geral.SetSSLHttpLib(TSSLHttpLib::httpWinHttp);
  EXPECT_EQ(geral.SSLLib(), TSSLLib::libWinCrypt);

  geral.SetSSLLib(TSSLLib::libCustom);
  EXPECT_EQ(geral.SSLLib(), TSSLLib::libCustom);
  EXPECT_EQ(geral.SSLCryptLib(), TSSLCryptLib::cryWinCrypt);

  geral.SetSSLLib(TSSLLib::libNone);
  EXPECT_EQ(geral.SSLCryptLib(), TSSLCryptLib::cryNone);
  EXPECT_EQ(geral.SSLHttpLib(), TSSLHttpLib::httpNone);
  EXPECT_EQ(geral.SSLXmlSignLib(), TSSLXmlSignLib::xsNone);
  EXPECT_EQ(geral.SSLLib(), TSSLLib::libNone);
}

TEST_F(ConfiguracoesTest, RefusedLibraryKeepsTheOldChoiceAndRecalculationResumes) {
  TGeralConf& geral = conf.Geral();
  EXPECT_THROW(geral.SetSSLCryptLib(TSSLCryptLib::cryCapicom), ENivraDFeException);
  EXPECT_EQ(geral.SSLCryptLib(), TSSLCryptLib::cryNone);
  EXPECT_EQ(geral.SSLLib(), TSSLLib::libNone);

  EXPECT_EQ(MensagemDe([&] { geral.SetSSLLib(TSSLLib::libCapicom); }),
            "Suporte a libCapicom foi desativado por compilação {$DEFINE DFE_SEM_CAPICOM}");
  EXPECT_EQ(geral.SSLLib(), TSSLLib::libNone);
  // The recalculation was resumed after the failure.
  geral.SetSSLHttpLib(TSSLHttpLib::httpIndy);
  EXPECT_EQ(geral.SSLLib(), TSSLLib::libCustom);
}

TEST_F(ConfiguracoesTest, TheOpenSSLNamesSelectThisBuildsRoles) {
  TGeralConf& geral = conf.Geral();
  geral.SetSSLLib(TSSLLib::libOpenSSL);
  EXPECT_EQ(geral.SSLCryptLib(), TSSLCryptLib::cryOpenSSL);
  EXPECT_EQ(geral.SSLHttpLib(), TSSLHttpLib::httpOpenSSL);
  EXPECT_EQ(geral.SSLXmlSignLib(), TSSLXmlSignLib::xsXmlSec);
  EXPECT_EQ(nfe.SSL().SSLCryptClass().ClassName(), "TDFeWinCrypt");
  EXPECT_EQ(nfe.SSL().SSLHttpClass().ClassName(), "TDFeHttpWinHttp");
  EXPECT_EQ(nfe.SSL().SSLXmlSignClass().ClassName(), "TDFeSSLXmlSignMsXml");
}

TEST(PapeisDaCompilacao, RolesLeftUnsetBecomeThisBuildsAndChosenOnesStay) {
  struct Caso {
    const char* nome;
    std::function<void(TNivraNFe&)> escolher;
    TSSLLib esperado;
  };
  const std::vector<Caso> casos = {
      {"nada escolhido", [](TNivraNFe&) {}, TSSLLib::libOpenSSL},
      {"nenhuma, escolhida",
       [](TNivraNFe& n) { n.Configuracoes().Geral().SetSSLLib(TSSLLib::libNone); },
       TSSLLib::libNone},
      {"uma só",
       [](TNivraNFe& n) { n.Configuracoes().Geral().SetSSLXmlSignLib(TSSLXmlSignLib::xsMsXml); },
       TSSLLib::libCustom},
      {"objeto instalado", [](TNivraNFe& n) { n.SSL().UsarSSLHttpClass(nullptr); },
       TSSLLib::libNone},
  };
  for (const Caso& caso : casos) {
    TNivraNFe nfe;
    caso.escolher(nfe);
    nfe.Configuracoes().Geral().UsarPapeisDaCompilacao();
    EXPECT_EQ(nfe.Configuracoes().Geral().SSLLib(), caso.esperado) << caso.nome;
  }
  // Clear forgets the choices.
  TNivraNFe nfe;
  nfe.Configuracoes().Geral().SetSSLLib(TSSLLib::libNone);
  nfe.SSL().Clear();
  EXPECT_FALSE(nfe.SSL().PapeisEscolhidos());
}

TEST_F(ConfiguracoesTest, DayAndMonthSeparationStayConsistent) {
  TArquivosConf& arquivos = conf.Arquivos();
  arquivos.SetSepararPorDia(true);
  EXPECT_TRUE(arquivos.SepararPorMes());
  arquivos.SetSepararPorMes(false);
  EXPECT_FALSE(arquivos.SepararPorDia());
  arquivos.SetSepararPorMes(true);
  EXPECT_FALSE(arquivos.SepararPorDia());
}

TEST_F(ConfiguracoesTest, AlertFormatFallsBackToTheDefaultWithoutPlaceholders) {
  const std::string padrao = "TAG:%TAGNIVEL% ID:%ID%/%TAG%(%DESCRICAO%) - %MSG%.";
  EXPECT_EQ(conf.Geral().FormatoAlerta(), padrao);
  conf.Geral().SetFormatoAlerta("sem marcadores");
  EXPECT_EQ(conf.Geral().FormatoAlerta(), padrao);
  conf.Geral().SetFormatoAlerta("");
  EXPECT_EQ(conf.Geral().FormatoAlerta(), padrao);
  conf.Geral().SetFormatoAlerta("%MSG%");
  EXPECT_EQ(conf.Geral().FormatoAlerta(), "%MSG%");
  conf.Geral().SetFormatoAlerta("[%DESCRICAO%]");
  EXPECT_EQ(conf.Geral().FormatoAlerta(), "[%DESCRICAO%]");
}

TEST_F(ConfiguracoesTest, ServicesFileNameIsStoredOnFirstRead) {
  // The component read it while being created, with the NF-e resource name.
  EXPECT_EQ(conf.Arquivos().IniServicos(), PastaDoExecutavel() + "NivraNFeServicos.ini");
  conf.WebServices().SetResourceName("OutroNome");
  EXPECT_EQ(conf.Arquivos().IniServicos(), PastaDoExecutavel() + "NivraNFeServicos.ini");
  conf.Arquivos().SetIniServicos("/etc/servicos.ini");
  EXPECT_EQ(conf.Arquivos().IniServicos(), "/etc/servicos.ini");
}

TEST_F(ConfiguracoesTest, ServicesTextComesFromTheFileWhenItExists) {
  TPastaTemporaria pasta;
  const std::string arquivo = pasta.Caminho() + "servicos.ini";
  TPastaTemporaria::Escrever(arquivo, "\xEF\xBB\xBF[NFe_XX_P]\r\nSvc_4.00=https://x/ws\r\n");
  conf.Arquivos().SetIniServicos(arquivo);
  conf.WebServices().LerParams();
  EXPECT_EQ(conf.WebServices().Params(),
            (std::vector<std::string>{"[NFe_XX_P]", "Svc_4.00=https://x/ws"}));
}

TEST_F(ConfiguracoesTest, ServicesTextFallsBackToTheEmbeddedTable) {
  TPastaTemporaria pasta;
  conf.Arquivos().SetIniServicos(pasta.Caminho() + "nao-existe.ini");
  conf.WebServices().LerParams();
  const std::vector<std::string>& params = conf.WebServices().Params();
  ASSERT_FALSE(params.empty());
  std::string texto;
  for (const std::string& linha : params) texto += linha + "\n";
  // Every line of the embedded table is there, in order.
  std::string embutido(RecursoNivraNFeServicos());
  std::erase(embutido, '\r');
  while (!embutido.empty() && embutido.back() == '\n') embutido.pop_back();
  while (!texto.empty() && texto.back() == '\n') texto.pop_back();
  EXPECT_EQ(texto, embutido);
}

TEST_F(ConfiguracoesTest, MissingEmbeddedTableIsReported) {
  TPastaTemporaria pasta;
  conf.Arquivos().SetIniServicos(pasta.Caminho() + "nao-existe.ini");
  conf.WebServices().SetResourceName("SemTabela");
  EXPECT_THROW(conf.WebServices().LerParams(), ENivraDFeException);
}

TEST_F(ConfiguracoesTest, RootLerParamsReplacesParamsOrReportsTheMissingFile) {
  conf.WebServices().SetParams({"[A]", "x=1"});
  EXPECT_EQ(MensagemDe([&] { conf.LerParams("/nao/existe.ini"); }),
            "Arquivo de Parâmetro não encontrado: /nao/existe.ini");
  EXPECT_EQ(conf.WebServices().Params(), (std::vector<std::string>{"[A]", "x=1"}));

  // The file is read as the services file is: no byte-order mark in the first line, legacy
  // 8-bit text made UTF-8, and any of the three line breaks.
  TPastaTemporaria pasta;
  TPastaTemporaria::Escrever(pasta.Caminho() + "p.ini",
                             "\xEF\xBB\xBF[B]\r\ny=2\rz=3\nw=Paran\xE1\r\n");
  conf.LerParams(pasta.Caminho() + "p.ini");
  EXPECT_EQ(conf.WebServices().Params(),
            (std::vector<std::string>{"[B]", "y=2", "z=3", "w=Paran\xC3\xA1"}));
}

// A source component with every setting away from its initial value.
class ConfiguracoesAssignTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TConfiguracoesNFe& c = origem.Configuracoes();
    c.Geral().SetSSLLib(TSSLLib::libWinCrypt);
    c.Geral().SetFormaEmissao(TkovTipoEmissao::teSVCAN);
    c.Geral().SetSalvar(false);
    c.Geral().SetExibirErroSchema(false);
    c.Geral().SetFormatoAlerta("%MSG%");
    c.Geral().SetRetirarAcentos(false);
    c.Geral().SetRetirarEspacos(false);
    c.Geral().SetIdentarXML(true);
    c.Geral().SetValidarDigest(false);
    c.Geral().SetModeloDF(TkovModeloDF::moNFCe);
    c.Geral().SetVersaoDF(TkovVersaoDF::ve400);
    c.Geral().SetIdCSC("3");
    c.Geral().SetCSC("CSC1");
    c.Geral().SetIncluirQRCodeXMLNFCe(false);
    c.Geral().SetAtualizarXMLCancelado(true);
    c.WebServices().SetResourceName("Outro");
    c.WebServices().SetVisualizar(true);
    c.WebServices().SetUF("PR");
    c.WebServices().SetAmbiente(TkovTipoAmbiente::taProducao);
    c.WebServices().SetProxyHost("h");
    c.WebServices().SetProxyPort("1");
    c.WebServices().SetProxyUser("u");
    c.WebServices().SetProxyPass("p");
    c.WebServices().SetAguardarConsultaRet(3000);
    c.WebServices().SetTentativas(9);
    c.WebServices().SetIntervaloTentativas(2000);
    c.WebServices().SetAjustaAguardaConsultaRet(true);
    c.WebServices().SetSalvar(true);
    c.WebServices().SetParams({"[S]", "k=v"});
    c.WebServices().SetTimeOut(9999);
    c.WebServices().SetQuebradeLinha(";");
    c.Certificados().SetDadosPFX("dados");
    c.Certificados().SetSenha("senha");
    c.Certificados().SetNumeroSerie("ab12");
    c.Certificados().SetArquivoPFX("/x.pfx");
    c.Certificados().SetVerificarValidade(false);
    c.Arquivos().SetPathSalvar(pasta.Caminho() + "salvar");
    c.Arquivos().SetPathSchemas("schemas");
    c.Arquivos().SetIniServicos("/s.ini");
    c.Arquivos().SetSalvar(false);
    c.Arquivos().SetAdicionarLiteral(true);
    c.Arquivos().SetSepararPorCNPJ(true);
    c.Arquivos().SetSepararPorModelo(true);
    c.Arquivos().SetSepararPorDia(true);
    c.Arquivos().SetSepararPorAno(true);
    c.Arquivos().OrdenacaoPath().Add().SetItem(TTagOrdenacaoPath::opData);
    c.Arquivos().OrdenacaoPath().Add().SetItem(TTagOrdenacaoPath::opCNPJ);
    c.Arquivos().SetEmissaoPathNFe(true);
    c.Arquivos().SetSalvarEvento(true);
    c.Arquivos().SetSalvarApenasNFeProcessadas(true);
    c.Arquivos().SetPathNFe("/nfe");
    c.Arquivos().SetPathInu("/inu");
    c.Arquivos().SetPathEvento("/evento");
    c.Arquivos().DownloadNFe().SetPathDownload("/down");
    c.Arquivos().DownloadNFe().SetSepararPorNome(true);
  }

  // The settings the base part of every Assign copies.
  void ConferirCopiasDaBase(TConfiguracoesNFe& d) {
    EXPECT_EQ(d.Geral().SSLLib(), TSSLLib::libWinCrypt);
    EXPECT_EQ(destino.SSL().SSLHttpLib(), TSSLHttpLib::httpWinHttp);
    EXPECT_EQ(d.Geral().FormaEmissaoCodigo(), 6);
    EXPECT_FALSE(d.Geral().Salvar());
    EXPECT_FALSE(d.Geral().ExibirErroSchema());
    EXPECT_EQ(d.Geral().FormatoAlerta(), "%MSG%");
    EXPECT_FALSE(d.Geral().RetirarAcentos());
    EXPECT_FALSE(d.Geral().RetirarEspacos());
    EXPECT_FALSE(d.Geral().ValidarDigest());
    EXPECT_FALSE(d.Geral().IdentarXML());  // not copied

    EXPECT_EQ(d.WebServices().ResourceName(), "Outro");
    EXPECT_TRUE(d.WebServices().Visualizar());
    EXPECT_EQ(d.WebServices().UFCodigo(), 41);
    EXPECT_EQ(d.WebServices().AmbienteCodigo(), 1);
    EXPECT_EQ(destino.SSL().ProxyHost(), "h");
    EXPECT_EQ(destino.SSL().ProxyPass(), "p");
    EXPECT_EQ(d.WebServices().ProxyPort(), "1");
    EXPECT_EQ(d.WebServices().ProxyUser(), "u");
    EXPECT_EQ(d.WebServices().AguardarConsultaRet(), 3000u);
    EXPECT_EQ(d.WebServices().Tentativas(), 9);
    EXPECT_EQ(d.WebServices().IntervaloTentativas(), 2000u);
    EXPECT_TRUE(d.WebServices().AjustaAguardaConsultaRet());
    EXPECT_TRUE(d.WebServices().Salvar());
    EXPECT_EQ(d.WebServices().Params(), (std::vector<std::string>{"[S]", "k=v"}));
    EXPECT_EQ(d.WebServices().TimeOut(), 5000);       // not copied
    EXPECT_EQ(d.WebServices().QuebradeLinha(), "|");  // not copied

    EXPECT_EQ(d.Certificados().DadosPFX(), "dados");
    EXPECT_EQ(d.Certificados().Senha(), "senha");
    EXPECT_EQ(destino.SSL().Senha(), "senha");
    EXPECT_EQ(d.Certificados().NumeroSerie(), "AB12");
    EXPECT_EQ(d.Certificados().ArquivoPFX(), "/x.pfx");
    EXPECT_TRUE(d.Certificados().VerificarValidade());  // not copied

    EXPECT_EQ(d.Arquivos().PathSalvar(), pasta.Caminho() + "salvar/");
    EXPECT_EQ(d.Arquivos().PathSchemas(), "schemas/");
    EXPECT_EQ(d.Arquivos().IniServicos(), "/s.ini");
    EXPECT_FALSE(d.Arquivos().Salvar());
    EXPECT_TRUE(d.Arquivos().AdicionarLiteral());
    EXPECT_TRUE(d.Arquivos().SepararPorCNPJ());
    EXPECT_TRUE(d.Arquivos().SepararPorModelo());
    EXPECT_TRUE(d.Arquivos().SepararPorMes());
    EXPECT_TRUE(d.Arquivos().SepararPorDia());
    EXPECT_FALSE(d.Arquivos().SepararPorAno());  // not copied
    ASSERT_EQ(d.Arquivos().OrdenacaoPath().Count(), 2u);
    EXPECT_EQ(d.Arquivos().OrdenacaoPath().Items(0).Item(), TTagOrdenacaoPath::opData);
    EXPECT_EQ(d.Arquivos().OrdenacaoPath().Items(1).Item(), TTagOrdenacaoPath::opCNPJ);
  }

  TPastaTemporaria pasta;
  TNivraNFe origem;
  TNivraNFe destino;
};

TEST_F(ConfiguracoesAssignTest, NFeRootCopiesTheListedSettingsOnly) {
  destino.Configuracoes().Arquivos().OrdenacaoPath().Add();  // replaced, not appended to
  destino.Configuracoes().Assign(origem.Configuracoes());
  TConfiguracoesNFe& d = destino.Configuracoes();
  ConferirCopiasDaBase(d);
  EXPECT_EQ(d.Geral().ModeloDFCodigo(), 65);
  EXPECT_EQ(d.Geral().VersaoDF(), TkovVersaoDF::ve400);
  EXPECT_EQ(d.Geral().IdCSC(), "000003");
  EXPECT_EQ(d.Geral().CSC(), "CSC1");
  EXPECT_FALSE(d.Geral().IncluirQRCodeXMLNFCe());
  EXPECT_FALSE(d.Geral().AtualizarXMLCancelado());  // not copied
  EXPECT_TRUE(d.Arquivos().EmissaoPathNFe());
  EXPECT_TRUE(d.Arquivos().SalvarEvento());
  EXPECT_TRUE(d.Arquivos().SalvarApenasNFeProcessadas());
  EXPECT_EQ(d.Arquivos().PathNFe(), "/nfe");
  EXPECT_EQ(d.Arquivos().PathInu(), "/inu");
  EXPECT_EQ(d.Arquivos().PathEvento(), "/evento");
  EXPECT_EQ(d.Arquivos().DownloadNFe().PathDownload(), "/down");
  EXPECT_TRUE(d.Arquivos().DownloadNFe().SepararPorNome());
}

TEST_F(ConfiguracoesAssignTest, BaseRootAssignCopiesOnlyTheBaseSettingsOfNFeGroups) {
  TConfiguracoes& d = destino.Configuracoes();
  d.Assign(static_cast<TConfiguracoes&>(origem.Configuracoes()));
  ConferirCopiasDaBase(destino.Configuracoes());
  EXPECT_EQ(destino.Configuracoes().Geral().ModeloDF(), TkovModeloDF::moNFe);
  EXPECT_EQ(destino.Configuracoes().Geral().CSC(), "");
  EXPECT_EQ(destino.Configuracoes().Arquivos().PathNFe(), "");
}

}  // namespace

}  // namespace nivra
