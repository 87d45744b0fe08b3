// The security facade: defaults, the settings that invalidate the loaded certificate, the
// scrambled password, and the operations it forwards to its roles.
#include "nivranfe/security/dfe_ssl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "nivranfe/util/excecoes.h"
#include "tests/fakes/facade_dubles.h"
#include "tests/fakes/mensagem_de.h"
#include "tests/fakes/pasta_temporaria.h"

namespace nivra {

namespace {

// The facade with the test doubles, whose certificate is a company's.
class FacadeComDubles : public ::testing::Test, protected TFacadeComDubles {
 protected:
  FacadeComDubles() {
    crypto->Certificado.SetNumeroSerie("3A5F");
    crypto->Certificado.SetCNPJ("11222333000181");
    crypto->Certificado.SetRazaoSocial("EMPRESA TESTE LTDA");
    crypto->Certificado.SetDataVenc(46000.75);
  }
};

void ConferirPadroes(TDFeSSL& ssl) {
  EXPECT_EQ(ssl.SSLCryptLib(), TSSLCryptLib::cryNone);
  EXPECT_EQ(ssl.SSLHttpLib(), TSSLHttpLib::httpNone);
  EXPECT_EQ(ssl.SSLXmlSignLib(), TSSLXmlSignLib::xsNone);
  EXPECT_EQ(ssl.SSLType(), TSSLType::LT_all);
  EXPECT_EQ(ssl.SSLDgst(), TSSLDgst::dgstSHA1);
  EXPECT_EQ(ssl.StoreLocation(), TSSLStoreLocation::slCurrentUser);
  EXPECT_EQ(ssl.StoreName(), "My");
  EXPECT_EQ(ssl.TimeOut(), 5000);
  EXPECT_TRUE(ssl.UseCertificateHTTP());
  for (const std::string& vazio :
       {ssl.ArquivoPFX(), ssl.DadosPFX(), ssl.NumeroSerie(), ssl.Senha(), ssl.ProxyHost(),
        ssl.ProxyPort(), ssl.ProxyUser(), ssl.ProxyPass(), ssl.NameSpaceURI()})
    EXPECT_EQ(vazio, "");
  EXPECT_EQ(ssl.SSLCryptClass().ClassName(), "TDFeSSLCryptClass");
  EXPECT_EQ(ssl.SSLHttpClass().ClassName(), "TDFeSSLHttpClass");
  EXPECT_EQ(ssl.SSLXmlSignClass().ClassName(), "TDFeSSLXmlSignClass");
  EXPECT_FALSE(ssl.CertificadoLido());
}

TEST(Padroes, ANewFacadeHasTheDefaultSettingsAndTheNoneRoles) {
  TDFeSSL ssl;
  ConferirPadroes(ssl);
}

TEST_F(FacadeComDubles, ClearRestoresEveryDefaultAndUnloadsTheCertificate) {
  ssl.SetSSLHttpLib(TSSLHttpLib::httpWinHttp);
  ssl.SetSSLType(TSSLType::LT_TLSv1_2);
  ssl.SetSSLDgst(TSSLDgst::dgstSHA256);
  ssl.SetStoreLocation(TSSLStoreLocation::slLocalMachine);
  ssl.SetStoreName("Root");
  ssl.SetTimeOut(10000);
  ssl.SetUseCertificateHTTP(false);
  ssl.SetArquivoPFX("/tmp/cert.pfx");
  ssl.SetDadosPFX("pfx");
  ssl.SetNumeroSerie("ab");
  ssl.SetSenha("segredo");
  ssl.SetProxyHost("proxy");
  ssl.SetProxyPort("3128");
  ssl.SetProxyUser("u");
  ssl.SetProxyPass("p");
  ssl.SetNameSpaceURI("http://www.portalfiscal.inf.br/nfe");
  ssl.CarregarCertificado();

  ssl.Clear();

  ConferirPadroes(ssl);
  EXPECT_TRUE(eventos->Destruido);
  EXPECT_GE(eventos->Descarregamentos, 1);
}

// --- Settings that invalidate the loaded certificate --------------------------------------

TEST_F(FacadeComDubles, SerialNumberIsStoredWithoutBlanksInUpperCase) {
  ssl.CarregarCertificado();
  const int antes = eventos->Descarregamentos;
  ssl.SetDadosPFX("pfx");
  const int depoisDoPFX = eventos->Descarregamentos;
  ssl.SetNumeroSerie(" 3a 5f 0c ");
  EXPECT_EQ(ssl.NumeroSerie(), "3A5F0C");
  EXPECT_EQ(ssl.DadosPFX(), "");
  EXPECT_FALSE(ssl.CertificadoLido());
  EXPECT_EQ(depoisDoPFX, antes + 1);
  EXPECT_EQ(eventos->Descarregamentos, antes + 2);

  // The raw text differs from the stored one, so it is normalised and unloads again.
  ssl.CarregarCertificado();
  ssl.SetNumeroSerie(" 3a 5f 0c ");
  EXPECT_EQ(eventos->Descarregamentos, antes + 3);
  EXPECT_FALSE(ssl.CertificadoLido());

  // Exactly the stored text changes nothing.
  ssl.CarregarCertificado();
  ssl.SetNumeroSerie("3A5F0C");
  EXPECT_EQ(eventos->Descarregamentos, antes + 3);
  EXPECT_TRUE(ssl.CertificadoLido());
}

struct Invalidante {
  const char* nome;
  std::function<void(TDFeSSL&, const std::string&)> definir;
  bool esvaziaDadosPFX;
};

TEST_F(FacadeComDubles, ADifferentCertificateSettingUnloadsAndTheSameValueDoesNot) {
  const std::vector<Invalidante> casos = {
      {"ArquivoPFX", [](TDFeSSL& s, const std::string& v) { s.SetArquivoPFX(v); }, true},
      {"DadosPFX", [](TDFeSSL& s, const std::string& v) { s.SetDadosPFX(v); }, false},
      {"NumeroSerie", [](TDFeSSL& s, const std::string& v) { s.SetNumeroSerie(v); }, true},
      {"Senha", [](TDFeSSL& s, const std::string& v) { s.SetSenha(v); }, false},
  };
  for (const auto& caso : casos) {
    caso.definir(ssl, "VALOR1");
    if (std::string(caso.nome) != "DadosPFX") ssl.SetDadosPFX("pfx");
    ssl.CarregarCertificado();
    const int antes = eventos->Descarregamentos;

    caso.definir(ssl, "VALOR1");
    EXPECT_TRUE(ssl.CertificadoLido()) << caso.nome;
    EXPECT_EQ(eventos->Descarregamentos, antes) << caso.nome;

    caso.definir(ssl, "VALOR2");
    EXPECT_FALSE(ssl.CertificadoLido()) << caso.nome;
    EXPECT_EQ(eventos->Descarregamentos, antes + 1) << caso.nome;
    if (caso.esvaziaDadosPFX) {
      EXPECT_EQ(ssl.DadosPFX(), "") << caso.nome;
    }
  }
  EXPECT_EQ(ssl.ArquivoPFX(), "VALOR2");
  EXPECT_EQ(ssl.NumeroSerie(), "VALOR2");
  EXPECT_EQ(ssl.Senha(), "VALOR2");
}

TEST_F(FacadeComDubles, DadosPFXKeepsTheFileName) {
  ssl.SetArquivoPFX("/tmp/cert.pfx");
  ssl.SetDadosPFX("pfx");
  EXPECT_EQ(ssl.ArquivoPFX(), "/tmp/cert.pfx");
  EXPECT_EQ(ssl.DadosPFX(), "pfx");
}

// --- Password ----------------------------------------------------------------------------

TEST_F(FacadeComDubles, PasswordReadsBackInClearAndAnEqualValueKeepsTheCertificate) {
  ssl.SetSenha("s3nh@ forte");
  EXPECT_EQ(ssl.Senha(), "s3nh@ forte");
  ssl.CarregarCertificado();
  const int antes = eventos->Descarregamentos;

  ssl.SetSenha("s3nh@ forte");
  EXPECT_TRUE(ssl.CertificadoLido());
  EXPECT_EQ(eventos->Descarregamentos, antes);
  EXPECT_EQ(ssl.Senha(), "s3nh@ forte");

  ssl.SetSenha("");
  EXPECT_EQ(ssl.Senha(), "");
  EXPECT_FALSE(ssl.CertificadoLido());
}

TEST(Senha, TheClearPasswordIsNotHeldInsideTheFacade) {
  TDFeSSL ssl;
  // Short enough to live inside the string object itself, so a clear copy would show up in
  // the facade's own bytes.
  const std::string senha = "Pixabc";
  ssl.SetSenha(senha);
  const auto* inicio = reinterpret_cast<const unsigned char*>(&ssl);
  const auto* fim = inicio + sizeof(TDFeSSL);
  EXPECT_EQ(std::search(inicio, fim, senha.begin(), senha.end()), fim);
  EXPECT_EQ(ssl.Senha(), senha);
}

// --- Enviar ------------------------------------------------------------------------------

constexpr const char* kEnvelope =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?><soap12:Envelope "
    "xmlns:soap12=\"http://www.w3.org/2003/05/soap-envelope\"><soap12:Body><nfeDadosMsg "
    "xmlns=\"http://www.portalfiscal.inf.br/nfe/wsdl/NFeStatusServico4\"><consStatServ "
    "xmlns=\"http://www.portalfiscal.inf.br/nfe\" versao=\"4.00\"><tpAmb>2</tpAmb><cUF>41</cUF>"
    "<xServ>STATUS</xServ></consStatServ></nfeDadosMsg></soap12:Body></soap12:Envelope>";

TEST_F(FacadeComDubles, StatusRequestReachesTheHttpRoleWithTheDefaultMimeType) {
  http->Resposta =
      "<soap:Envelope><soap:Body><nfeResultMsg><retConsStatServ versao=\"4.00\"><cStat>107"
      "</cStat><xMotivo>Servico em Operacao</xMotivo></retConsStatServ></nfeResultMsg>"
      "</soap:Body></soap:Envelope>";
  http->CodigoHTTP = 200;
  const std::string url = "https://homologacao.nfe.sefa.pr.gov.br/nfe/NFeStatusServico4";
  const std::string acao =
      "http://www.portalfiscal.inf.br/nfe/wsdl/NFeStatusServico4/nfeStatusServicoNF";
  const std::string envelope = kEnvelope;

  const std::string resposta = ssl.Enviar(envelope, url, acao, "");

  EXPECT_EQ(resposta, http->Resposta);
  EXPECT_EQ(http->MimeType, "application/soap+xml; charset=utf-8");
  EXPECT_EQ(http->URL, url);
  EXPECT_EQ(http->SoapAction, acao);
  EXPECT_EQ(http->Corpo, kEnvelope);
  EXPECT_EQ(envelope, kEnvelope);
  EXPECT_TRUE(http->CertificadoLidoAoEnviar);
  EXPECT_EQ(eventos->Carregamentos, 1);
  EXPECT_EQ(ssl.HTTPResultCode(), 200);
}

TEST_F(FacadeComDubles, AGivenMimeTypeIsPassedAsItIs) {
  (void)ssl.Enviar("<a/>", "http://h/ws", "", "text/xml; charset=utf-8");
  EXPECT_EQ(http->MimeType, "text/xml; charset=utf-8");
}

TEST_F(FacadeComDubles, WithoutCertificateHttpNoCertificateIsLoaded) {
  ssl.SetUseCertificateHTTP(false);
  (void)ssl.Enviar("<a/>", "http://h/ws", "acao");
  EXPECT_EQ(http->Envios, 1);
  EXPECT_FALSE(http->CertificadoLidoAoEnviar);
  EXPECT_EQ(eventos->Carregamentos, 0);
}

TEST_F(FacadeComDubles, AnAlreadyLoadedCertificateIsNotLoadedAgain) {
  ssl.CarregarCertificado();
  (void)ssl.Enviar("<a/>", "http://h/ws", "acao");
  (void)ssl.Enviar("<a/>", "http://h/ws", "acao");
  EXPECT_EQ(eventos->Carregamentos, 1);
}

TEST_F(FacadeComDubles, LoadAndTransportFailuresReachTheCaller) {
  crypto->FalhaAoCarregar =
      std::make_exception_ptr(ENivraDFeException("Certificado \"3A5F\" não encontrado!"));
  EXPECT_EQ(MensagemDe([&] { (void)ssl.Enviar("<a/>", "https://h/ws", "acao"); }),
            "Certificado \"3A5F\" não encontrado!");
  EXPECT_EQ(http->Envios, 0);

  crypto->FalhaAoCarregar = nullptr;
  http->CodigoHTTP = 500;
  http->CodigoInterno = 12002;
  http->Falha = std::make_exception_ptr(
      ENivraDFeException("Erro Interno: 12002\r\nErro HTTP: 500\r\nTimeOut de Requisição"));
  EXPECT_EQ(MensagemDe([&] { (void)ssl.Enviar("<a/>", "https://h/ws", "acao"); }),
            "Erro Interno: 12002\r\nErro HTTP: 500\r\nTimeOut de Requisição");
  EXPECT_EQ(ssl.HTTPResultCode(), 500);
  EXPECT_EQ(ssl.InternalErrorCode(), 12002);
}

// --- Assinar ------------------------------------------------------------------------------

struct CasoDeclaracao {
  const char* nome;
  std::string entrada;
  std::string assinado;
  std::string esperado;
};

TEST_F(FacadeComDubles, SigningKeepsTheInputsUtf8Declaration) {
  const std::string utf8 = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
  const std::string simples = "<?xml version=\"1.0\"?>";
  const std::string latin = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>";
  const std::string doc = "<NFe><infNFe Id=\"NFe1\"/></NFe>";
  const std::string sig = "<NFe><infNFe Id=\"NFe1\"/><Signature/></NFe>";
  const std::vector<CasoDeclaracao> casos = {
      {"sem declaração no resultado", utf8 + doc, sig, utf8 + sig},
      {"declaração diferente no resultado", utf8 + doc, simples + sig, utf8 + sig},
      {"mesma declaração no resultado", utf8 + doc, utf8 + sig, utf8 + sig},
      {"entrada sem declaração", doc, simples + sig, simples + sig},
      {"entrada com outra codificação", latin + doc, sig, sig},
      {"declaração em minúsculas", "<?xml version=\"1.0\" encoding=\"utf-8\"?>" + doc, sig,
       "<?xml version=\"1.0\" encoding=\"utf-8\"?>" + sig},
  };
  for (const auto& caso : casos) {
    xmlsign->Assinado = caso.assinado;
    EXPECT_EQ(ssl.Assinar(caso.entrada, "NFe", "infNFe"), caso.esperado) << caso.nome;
    EXPECT_EQ(xmlsign->Recebido, caso.entrada) << caso.nome;
  }
}

TEST_F(FacadeComDubles, AHandlerThatSignsTheDocumentItselfReplacesTheSigningRole) {
  std::vector<std::string> recebidos;
  ssl.SetAntesDeAssinar([&](std::string& xml, const std::string& docElement,
                            const std::string& infElement, const std::string& SignatureNode,
                            const std::string& SelectionNamespaces,
                            const std::string& IdSignature) {
    recebidos = {xml, docElement, infElement, SignatureNode, SelectionNamespaces, IdSignature};
    xml = "<assinado pelo evento/>";
  });
  const std::string entrada = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><evento/>";
  EXPECT_EQ(ssl.Assinar(entrada, "evento", "infEvento", ".//ds:Signature", "ns", " Id=\"S\""),
            "<assinado pelo evento/>");
  EXPECT_EQ(xmlsign->Assinaturas, 0);
  EXPECT_EQ(recebidos, (std::vector<std::string>{entrada, "evento", "infEvento", ".//ds:Signature",
                                                 "ns", " Id=\"S\""}));
}

TEST_F(FacadeComDubles, AHandlerThatLeavesTheDocumentAloneLetsTheRoleSign) {
  int chamadas = 0;
  ssl.SetAntesDeAssinar([&](std::string&, const std::string&, const std::string&,
                            const std::string&, const std::string&,
                            const std::string&) { ++chamadas; });
  xmlsign->Assinado = "<a><Signature/></a>";
  EXPECT_EQ(ssl.Assinar("<a/>", "a", "a"), "<a><Signature/></a>");
  EXPECT_EQ(chamadas, 1);
  EXPECT_EQ(xmlsign->Assinaturas, 1);
}

// --- Validar and VerificarAssinatura --------------------------------------------------------

// A file with the given content in a folder of its own.
class ArquivoTemporario {
 public:
  explicit ArquivoTemporario(const std::string& conteudo) {
    TPastaTemporaria::Escrever(Caminho(), conteudo);
  }
  std::string Caminho() const { return FPasta.Caminho() + "arquivo"; }

 private:
  TPastaTemporaria FPasta;
};

TEST_F(FacadeComDubles, ValidationRefusesAMissingSchemaBeforeReachingTheRole) {
  std::string msg;
  EXPECT_EQ(MensagemDe([&] { (void)ssl.Validar("<a/>", "", msg); }),
            "Arquivo de Schema não especificado");
  const std::string ausente = "/nao/existe/consStatServ_v4.00.xsd";
  EXPECT_EQ(MensagemDe([&] { (void)ssl.Validar("<a/>", ausente, msg); }),
            "Arquivo \r\n" + ausente + "\r\nNão encontrado");
  const std::string pasta = std::filesystem::temp_directory_path().string();
  EXPECT_EQ(MensagemDe([&] { (void)ssl.Validar("<a/>", pasta, msg); }),
            "Arquivo \r\n" + pasta + "\r\nNão encontrado");
  EXPECT_EQ(xmlsign->Recebido, "");
}

TEST_F(FacadeComDubles, ValidationAndVerificationStartWithAnEmptyMessage) {
  ArquivoTemporario schema("<xs:schema xmlns:xs=\"http://www.w3.org/2001/XMLSchema\"/>");
  xmlsign->Resultado = false;
  xmlsign->Mensagem = "Elemento inesperado";
  std::string msg = "anterior";
  EXPECT_FALSE(ssl.Validar("<a/>", schema.Caminho(), msg));
  EXPECT_EQ(xmlsign->MsgErroRecebida, "");
  EXPECT_EQ(xmlsign->ArqSchema, schema.Caminho());
  EXPECT_EQ(msg, "Elemento inesperado");

  msg = "anterior";
  xmlsign->Resultado = true;
  xmlsign->Mensagem = "";
  EXPECT_TRUE(ssl.VerificarAssinatura("<a/>", msg));
  EXPECT_EQ(xmlsign->MsgErroRecebida, "");
  EXPECT_EQ(msg, "");
}

// --- CalcHash -----------------------------------------------------------------------------

struct FormaDeSaida {
  TSSLHashOutput modo;
  std::string esperado;
};

TEST_F(FacadeComDubles, Sha1OfAbcInEachOutputForm) {
  const std::string bytes(
      "\xA9\x99\x3E\x36\x47\x06\x81\x6A\xBA\x3E\x25\x71\x78\x50\xC2\x6C\x9C\xD0\xD8\x9D", 20);
  const std::vector<FormaDeSaida> casos = {
      {TSSLHashOutput::outHexa, "A9993E364706816ABA3E25717850C26C9CD0D89D"},
      {TSSLHashOutput::outBase64, "qZk+NkcGgWq6PiVxeFDCbJzQ2J0="},
      {TSSLHashOutput::outBinary, bytes},
  };
  for (const auto& caso : casos) {
    EXPECT_EQ(ssl.CalcHash(std::string("abc"), TSSLDgst::dgstSHA1, caso.modo), caso.esperado);
  }
  EXPECT_EQ(eventos->UltimoDigest, TSSLDgst::dgstSHA1);
  EXPECT_FALSE(eventos->UltimoAssina);
}

TEST_F(FacadeComDubles, Base64OutputHasNoLineBreaksForLongDigests) {
  const std::string base64 =
      ssl.CalcHash(std::string("abc"), TSSLDgst::dgstSHA512, TSSLHashOutput::outBase64);
  EXPECT_EQ(base64.size(), 88u);
  EXPECT_EQ(base64.find('\n'), std::string::npos);
  EXPECT_EQ(base64.substr(86), "==");
}

TEST_F(FacadeComDubles, MissingOrEmptyStreamsAreRefusedBeforeHashing) {
  EXPECT_EQ(MensagemDe([&] { (void)ssl.CalcHash(nullptr, TSSLDgst::dgstSHA1); }),
            "Stream inválido");
  std::istringstream vazio;
  EXPECT_EQ(MensagemDe([&] { (void)ssl.CalcHash(&vazio, TSSLDgst::dgstSHA1); }), "Stream vazio");
  EXPECT_EQ(MensagemDe([&] { (void)ssl.CalcHash(std::string(), TSSLDgst::dgstSHA1); }),
            "Stream vazio");
  EXPECT_EQ(eventos->Hashes, 0);
}

TEST_F(FacadeComDubles, AStreamIsHashedFromItsStartWhereverItStands) {
  std::istringstream dados("abc");
  dados.get();
  dados.get();
  dados.get();
  dados.get();  // now at the end, with eofbit set
  EXPECT_EQ(ssl.CalcHash(&dados, TSSLDgst::dgstSHA1),
            ssl.CalcHash(std::string("abc"), TSSLDgst::dgstSHA1));
}

TEST_F(FacadeComDubles, FileListAndByteVariantsHashTheSameBytes) {
  const std::string texto = "linha 1\r\nlinha 2\r\n";
  ArquivoTemporario arquivo(texto);
  const std::string esperado = ssl.CalcHash(texto, TSSLDgst::dgstSHA256);
  EXPECT_EQ(ssl.CalcHashArquivo(arquivo.Caminho(), TSSLDgst::dgstSHA256), esperado);
  EXPECT_EQ(ssl.CalcHash(std::vector<std::string>{"linha 1", "linha 2"}, TSSLDgst::dgstSHA256),
            esperado);
  EXPECT_EQ(esperado.size(), 64u);
}

TEST_F(FacadeComDubles, HashingAMissingFileNamesIt) {
  EXPECT_EQ(MensagemDe([&] { (void)ssl.CalcHashArquivo("/nao/existe.xml", TSSLDgst::dgstSHA1); }),
            "Arquivo: /nao/existe.xml não encontrado");
}

TEST_F(FacadeComDubles, SigningAHashIsAskedOfTheCryptoRole) {
  EXPECT_EQ(MensagemDe([&] {
              (void)ssl.CalcHash(std::string("abc"), TSSLDgst::dgstSHA256,
                                 TSSLHashOutput::outBase64, true);
            }),
            "\"CalcHash\" não suportado em: TCryptoMemoria");
  EXPECT_TRUE(eventos->UltimoAssina);
  EXPECT_EQ(eventos->UltimoDigest, TSSLDgst::dgstSHA256);
}

// --- Certificate operations ---------------------------------------------------------------

TEST_F(FacadeComDubles, ReadingCertificateDataLoadsTheCertificateOnce) {
  EXPECT_FALSE(ssl.CertificadoLido());
  EXPECT_EQ(ssl.CertCNPJ(), "11222333000181");
  EXPECT_TRUE(ssl.CertificadoLido());
  EXPECT_EQ(ssl.CertRazaoSocial(), "EMPRESA TESTE LTDA");
  EXPECT_EQ(ssl.CertNumeroSerie(), "3A5F");
  EXPECT_DOUBLE_EQ(ssl.CertDataVenc(), 46000.75);
  EXPECT_EQ(eventos->Carregamentos, 1);
}

TEST_F(FacadeComDubles, SelectingACertificateLoadsItOnlyWhenOneWasChosen) {
  EXPECT_EQ(ssl.SelecionarCertificado(), "");
  EXPECT_EQ(eventos->Carregamentos, 0);
  crypto->SerieEscolhida = "3A5F";
  EXPECT_EQ(ssl.SelecionarCertificado(), "3A5F");
  EXPECT_EQ(eventos->Carregamentos, 1);
  EXPECT_TRUE(ssl.CertificadoLido());
}

TEST_F(FacadeComDubles, LoadingAPublicCertificateUnloadsFirstAndSkipsEmptyData) {
  ssl.CarregarCertificado();
  EXPECT_FALSE(ssl.CarregarCertificadoPublico(""));
  EXPECT_FALSE(ssl.CertificadoLido());
  EXPECT_EQ(eventos->CertificadosPublicos, 0);
  EXPECT_TRUE(ssl.CarregarCertificadoPublico("TUlJQg=="));
  EXPECT_EQ(eventos->CertificadosPublicos, 1);
}

TEST_F(FacadeComDubles, DestroyingTheFacadeUnloadsTheCertificate) {
  auto outro = std::make_unique<TDFeSSL>();
  auto c = std::make_unique<TCryptoMemoria>(*outro);
  auto ev = c->Eventos;
  outro->UsarSSLCryptClass(std::move(c));
  outro->CarregarCertificado();
  outro.reset();
  EXPECT_EQ(ev->Descarregamentos, 1);
  EXPECT_TRUE(ev->Destruido);
}

struct CasoCNPJ {
  const char* documento;
  const char* certificado;
  const char* erro;  // nullptr: passes
};

TEST_F(FacadeComDubles, DocumentCnpjMustShareTheCertificatesCompanyRoot) {
  const std::vector<CasoCNPJ> casos = {
      {"11222333000181", "11222333000181", nullptr},
      {"11.222.333/0002-62", "11222333000181", nullptr},
      {"12345678000195", "11222333000181",
       "O CNPJ do Documento é diferente do CNPJ do Certificado Digital"},
      {"11222333000180", "11222333000181", "Erro CNPJ Documento: CNPJ inválido."},
      {"12345678909", "11222333000181", nullptr},  // CPF in the document
      {"12345678000195", "12345678909", nullptr},  // person's certificate
      {"11222333000180", "12345678909", nullptr},  // nothing is compared at all
      {"", "11222333000181", nullptr},
      // Letters count like digits: the root is the first 8 characters.
      {"12.ABC.345/0002-69", "12ABC34501DE35", nullptr},
      {"12ABC34501DE35", "11222333000181",
       "O CNPJ do Documento é diferente do CNPJ do Certificado Digital"},
      {"12ABC34501DE53", "12ABC34501DE35", "Erro CNPJ Documento: CNPJ inválido."},
  };
  for (const auto& caso : casos) {
    crypto->Certificado.SetCNPJ(caso.certificado);
    ssl.DescarregarCertificado();
    if (caso.erro == nullptr) {
      EXPECT_NO_THROW(ssl.ValidarCNPJCertificado(caso.documento)) << caso.documento;
    } else {
      EXPECT_EQ(MensagemDe([&] { ssl.ValidarCNPJCertificado(caso.documento); }), caso.erro)
          << caso.documento;
    }
  }
}

}  // namespace

}  // namespace nivra
