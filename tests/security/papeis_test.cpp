// The security facade's pluggable roles: the "none" objects and their refusals, the library
// choices, and installing role objects directly.
#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "nivranfe/security/dfe_ssl.h"
#include "nivranfe/util/excecoes.h"
#include "tests/fakes/crypto_memoria.h"
#include "tests/fakes/facade_dubles.h"
#include "tests/fakes/http_gravador.h"
#include "tests/fakes/mensagem_de.h"
#include "tests/fakes/xmlsign_gravador.h"

namespace nivra {

namespace {

// An action on a facade and the message it is refused with.
struct Recusa {
  const char* nome;
  std::function<void(TDFeSSL&)> acao;
  const char* mensagem;
};

TEST(PapeisNenhum, EveryOperationThatTheNoneObjectsCannotDoNamesItAndTheClass) {
  const std::vector<Recusa> casos = {
      {"Enviar", [](TDFeSSL& s) { (void)s.Enviar("<a/>", "https://h/ws", "acao"); },
       "Método \"Enviar\" não implementado em: TDFeSSLHttpClass"},
      {"ConfigurarHTTP", [](TDFeSSL& s) { s.SSLHttpClass().ConfigurarHTTP("u", "a", "m"); },
       "Método \"ConfigurarHTTP\" não implementado em: TDFeSSLHttpClass"},
      {"LerCertificadosStore", [](TDFeSSL& s) { s.LerCertificadosStore(); },
       "\"LerCertificadosStore\" não suportado em: TDFeSSLCryptClass"},
      {"SelecionarCertificado", [](TDFeSSL& s) { (void)s.SelecionarCertificado(); },
       "\"SelecionarCertificado\" não suportado em: TDFeSSLCryptClass"},
      {"CarregarCertificadoPublico", [](TDFeSSL& s) { (void)s.CarregarCertificadoPublico("TUlJ"); },
       "\"CarregarCertificadoPublico\" não suportado em: TDFeSSLCryptClass"},
      {"CalcHash", [](TDFeSSL& s) { (void)s.CalcHash(std::string("abc"), TSSLDgst::dgstSHA1); },
       "\"CalcHash\" não suportado em: TDFeSSLCryptClass"},
      {"Assinar", [](TDFeSSL& s) { (void)s.Assinar("<a Id=\"x\"/>", "a", "a"); },
       "TDFeSSLXmlSignClass.Assinar, não implementado"},
      {"VerificarAssinatura",
       [](TDFeSSL& s) {
         std::string msg;
         (void)s.VerificarAssinatura("<a/>", msg);
       },
       "\"ValidarAssinatura\" não suportado em: TDFeSSLXmlSignClass"},
  };
  for (const auto& caso : casos) {
    TDFeSSL ssl;
    EXPECT_EQ(MensagemDe([&] { caso.acao(ssl); }), caso.mensagem) << caso.nome;
  }
}

TEST(PapeisNenhum, BaseValidarEmptiesTheMessageBeforeRefusing) {
  TDFeSSL ssl;
  std::string msg = "resto de uma validação anterior";
  EXPECT_EQ(MensagemDe([&] { (void)ssl.SSLXmlSignClass().Validar("<a/>", "a.xsd", msg); }),
            "\"Validar\" não suportado em: TDFeSSLXmlSignClass");
  EXPECT_EQ(msg, "");
}

TEST(PapeisNenhum, BaseCryptoLoadsNothingButMarksTheCertificateLoaded) {
  TDFeSSL ssl;
  ssl.SetDadosPFX("bytes de um PFX");
  EXPECT_FALSE(ssl.CertificadoLido());
  EXPECT_EQ(ssl.CertContextWinApi(), nullptr);
  EXPECT_TRUE(ssl.CertificadoLido());
  EXPECT_EQ(ssl.SSLCryptClass().CertPFXData(), "bytes de um PFX");
  EXPECT_EQ(ssl.HTTPResultCode(), 0);
  EXPECT_EQ(ssl.InternalErrorCode(), 0);
}

// A descendant that overrides nothing: the refusals must name it, not the base.
class TCryptoSemLoja : public TDFeSSLCryptClass {
 public:
  using TDFeSSLCryptClass::TDFeSSLCryptClass;
};

TEST(PapeisNenhum, RefusalsNameTheRunTimeClassOfADescendant) {
  TDFeSSL ssl;
  ssl.UsarSSLCryptClass(std::make_unique<TCryptoSemLoja>(ssl));
  EXPECT_EQ(MensagemDe([&] { ssl.LerCertificadosStore(); }),
            "\"LerCertificadosStore\" não suportado em: TCryptoSemLoja");
  ssl.UsarSSLHttpClass(std::make_unique<THttpGravador>(ssl));
  EXPECT_EQ(ssl.SSLHttpClass().ClassName(), "THttpGravador");
}

TEST(EscolhaDeBiblioteca, RefusedChoicesRaiseTheirMessageAndKeepTheRoleAsItWas) {
  const std::vector<Recusa> casos = {
      {"cryCapicom", [](TDFeSSL& s) { s.SetSSLCryptLib(TSSLCryptLib::cryCapicom); },
       "Suporte a libCapicom foi desativado por compilação {$DEFINE DFE_SEM_CAPICOM}"},
      {"xsMsXmlCapicom", [](TDFeSSL& s) { s.SetSSLXmlSignLib(TSSLXmlSignLib::xsMsXmlCapicom); },
       "Suporte a \"xsMsXmlCapicom\" foi desativado por compilação {$DEFINE DFE_SEM_CAPICOM}"},
  };
  for (const auto& caso : casos) {
    TFacadeComDubles dubles;
    TDFeSSL& ssl = dubles.ssl;
    const auto eventos = dubles.eventos;
    ssl.CarregarCertificado();

    EXPECT_EQ(MensagemDe([&] { caso.acao(ssl); }), caso.mensagem) << caso.nome;

    EXPECT_EQ(ssl.SSLCryptLib(), TSSLCryptLib::cryNone) << caso.nome;
    EXPECT_EQ(ssl.SSLHttpLib(), TSSLHttpLib::httpNone) << caso.nome;
    EXPECT_EQ(ssl.SSLXmlSignLib(), TSSLXmlSignLib::xsNone) << caso.nome;
    EXPECT_NE(dynamic_cast<TCryptoMemoria*>(&ssl.SSLCryptClass()), nullptr) << caso.nome;
    EXPECT_NE(dynamic_cast<THttpGravador*>(&ssl.SSLHttpClass()), nullptr) << caso.nome;
    EXPECT_NE(dynamic_cast<TXmlSignGravador*>(&ssl.SSLXmlSignClass()), nullptr) << caso.nome;
    EXPECT_TRUE(ssl.CertificadoLido()) << caso.nome;
    EXPECT_EQ(eventos->Descarregamentos, 0) << caso.nome;
  }
}

TEST(EscolhaDeBiblioteca, SettingTheCurrentChoiceKeepsTheRoleObjects) {
  TFacadeComDubles dubles;
  TDFeSSL& ssl = dubles.ssl;
  ssl.CarregarCertificado();

  ssl.SetSSLCryptLib(TSSLCryptLib::cryNone);
  ssl.SetSSLHttpLib(TSSLHttpLib::httpNone);
  ssl.SetSSLXmlSignLib(TSSLXmlSignLib::xsNone);

  EXPECT_NE(dynamic_cast<TCryptoMemoria*>(&ssl.SSLCryptClass()), nullptr);
  EXPECT_NE(dynamic_cast<THttpGravador*>(&ssl.SSLHttpClass()), nullptr);
  EXPECT_NE(dynamic_cast<TXmlSignGravador*>(&ssl.SSLXmlSignClass()), nullptr);
  EXPECT_TRUE(ssl.CertificadoLido());
}

TEST(EscolhaDeBiblioteca, ANewChoiceUnloadsAndFreesTheOldObjectAndRecordsTheChoice) {
  TFacadeComDubles dubles;
  TDFeSSL& ssl = dubles.ssl;
  const auto eventos = dubles.eventos;
  ssl.CarregarCertificado();

  ssl.SetSSLCryptLib(TSSLCryptLib::cryWinCrypt);
  ssl.SetSSLHttpLib(TSSLHttpLib::httpWinHttp);
  ssl.SetSSLXmlSignLib(TSSLXmlSignLib::xsMsXml);

  EXPECT_EQ(eventos->Descarregamentos, 1);
  EXPECT_TRUE(eventos->Destruido);
  EXPECT_FALSE(ssl.CertificadoLido());
  EXPECT_EQ(ssl.SSLCryptLib(), TSSLCryptLib::cryWinCrypt);
  EXPECT_EQ(ssl.SSLHttpLib(), TSSLHttpLib::httpWinHttp);
  EXPECT_EQ(ssl.SSLXmlSignLib(), TSSLXmlSignLib::xsMsXml);
  EXPECT_EQ(dynamic_cast<THttpGravador*>(&ssl.SSLHttpClass()), nullptr);
  EXPECT_EQ(dynamic_cast<TXmlSignGravador*>(&ssl.SSLXmlSignClass()), nullptr);
}

TEST(EscolhaDeBiblioteca, EveryAvailableChoiceGivesEachRoleAnObject) {
  TDFeSSL ssl;
  for (auto lib : {TSSLHttpLib::httpWinINet, TSSLHttpLib::httpWinHttp, TSSLHttpLib::httpIndy,
                   TSSLHttpLib::httpNone}) {
    ssl.SetSSLHttpLib(lib);
    EXPECT_EQ(ssl.SSLHttpLib(), lib);
    EXPECT_EQ(&ssl.SSLHttpClass().DFeSSL(), &ssl);
  }
  for (auto lib : {TSSLCryptLib::cryWinCrypt, TSSLCryptLib::cryNone}) {
    ssl.SetSSLCryptLib(lib);
    EXPECT_EQ(&ssl.SSLCryptClass().DFeSSL(), &ssl);
  }
  for (auto lib : {TSSLXmlSignLib::xsMsXml, TSSLXmlSignLib::xsNone}) {
    ssl.SetSSLXmlSignLib(lib);
    EXPECT_EQ(&ssl.SSLXmlSignClass().DFeSSL(), &ssl);
  }
}

TEST(UsarObjetoDePapel, InstallingAnObjectUnloadsTheOldCertificateAndKeepsTheChoice) {
  TDFeSSL ssl;
  auto primeiro = std::make_unique<TCryptoMemoria>(ssl);
  auto eventos = primeiro->Eventos;
  ssl.UsarSSLCryptClass(std::move(primeiro));
  ssl.CarregarCertificado();

  ssl.UsarSSLCryptClass(std::make_unique<TCryptoMemoria>(ssl));

  EXPECT_EQ(eventos->Descarregamentos, 1);
  EXPECT_TRUE(eventos->Destruido);
  EXPECT_FALSE(ssl.CertificadoLido());
  EXPECT_EQ(ssl.SSLCryptLib(), TSSLCryptLib::cryNone);
}

TEST(UsarObjetoDePapel, NullInstallsTheNoneObject) {
  TDFeSSL ssl;
  ssl.UsarSSLHttpClass(std::make_unique<THttpGravador>(ssl));
  ssl.UsarSSLHttpClass(nullptr);
  ssl.UsarSSLCryptClass(nullptr);
  ssl.UsarSSLXmlSignClass(nullptr);
  EXPECT_EQ(ssl.SSLHttpClass().ClassName(), "TDFeSSLHttpClass");
  EXPECT_EQ(ssl.SSLCryptClass().ClassName(), "TDFeSSLCryptClass");
  EXPECT_EQ(ssl.SSLXmlSignClass().ClassName(), "TDFeSSLXmlSignClass");
}

TEST(UsarObjetoDePapel, AnObjectMadeForAnotherFacadeIsRefused) {
  TDFeSSL ssl;
  TDFeSSL outro;
  EXPECT_EQ(MensagemDe([&] { ssl.UsarSSLHttpClass(std::make_unique<THttpGravador>(outro)); }),
            "THttpGravador pertence a outro TDFeSSL");
  EXPECT_EQ(ssl.SSLHttpClass().ClassName(), "TDFeSSLHttpClass");
}

TEST(ListaCertificados, OwnsItsRecordsAndClearsThem) {
  TListaCertificados lista;
  lista.New().SetCNPJ("11222333000181");
  auto registro = std::make_unique<TDadosCertificado>();
  registro->SetNumeroSerie("AB01");
  EXPECT_EQ(lista.Add(std::move(registro)), 1u);
  ASSERT_EQ(lista.Count(), 2u);
  EXPECT_EQ(lista.Objects(0).CNPJ(), "11222333000181");
  EXPECT_EQ(lista.Objects(1).NumeroSerie(), "AB01");
  EXPECT_THROW((void)lista.Objects(2), std::out_of_range);

  TDadosCertificado& dados = lista.Objects(1);
  dados.SetDataVenc(45000.5);
  dados.SetTipo(TSSLTipoCertificado::tpcA3);
  dados.Clear();
  EXPECT_EQ(dados.NumeroSerie(), "");
  EXPECT_EQ(dados.DataVenc(), 0);
  EXPECT_EQ(dados.Tipo(), TSSLTipoCertificado::tpcDesconhecido);

  lista.Clear();
  EXPECT_EQ(lista.Count(), 0u);
}

}  // namespace

}  // namespace nivra
