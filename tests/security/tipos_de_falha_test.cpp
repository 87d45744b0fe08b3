// The kinds of failure a program tells apart by type: each raised where it happens, with its
// usual message, by the real roles (OpenSSL, libcurl against the local authoriser, libxml2).
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "nivranfe/security/dfe_ssl.h"
#include "nivranfe/util/excecoes.h"
#include "tests/fakes/cliente_transporte.h"
#include "tests/fakes/pasta_temporaria.h"
#include "tests/fakes/pki_teste.h"
#include "tests/fakes/porta_fechada.h"
#include "tests/fakes/simulador_teste.h"

namespace nivra {

namespace {

// Whether the failure is of the type T (or derived from it).
template <typename T>
bool DoTipo(const ENivraDFeException& e) {
  return dynamic_cast<const T*>(&e) != nullptr;
}

// A facade with this build's certificate role reading `pfx` with `senha`.
void CarregarPFX(const std::string& pfx, const std::string& senha) {
  TDFeSSL ssl;
  ssl.SetSSLCryptLib(TSSLCryptLib::cryOpenSSL);
  ssl.SetArquivoPFX(pfx);
  ssl.SetSenha(senha);
  ssl.CarregarCertificado();
}

// Sends a status request to `url` with the time-out `timeOut`.
void EnviarPara(const std::string& url, int timeOut = 10000) {
  Cliente cliente;
  cliente.ssl.SetTimeOut(timeOut);
  (void)cliente.Enviar(url);
}

TEST(TiposDeFalha, EachFailureIsRaisedWithItsTypeAndItsMessage) {
  TSimuladorTeste lento({"--atraso", "3000"});
  TSimuladorTeste comErro({"--http-status", "500"});
  TPastaTemporaria pasta;
  const std::string schemaQuebrado = pasta.Caminho() + "quebrado.xsd";
  TPastaTemporaria::Escrever(schemaQuebrado, "isto não é um schema");
  struct Caso {
    std::function<void()> falhar;
    bool (*doTipo)(const ENivraDFeException&);
    std::string mensagem;  // part of the usual message
  };
  const Caso casos[] = {
      {[] { CarregarPFX(PastaPKITeste() + "empresa.pfx", "errada"); },
       &DoTipo<ENivraDFeSenhaInvalida>, "Senha informada está errada"},
      {[&] { CarregarPFX(pasta.Caminho() + "nenhum.pfx", SenhaPKITeste); },
       &DoTipo<ENivraDFeCertificadoNaoEncontrado>, "Arquivo: " + pasta.Caminho() + "nenhum.pfx"},
      {[&] { EnviarPara(lento.URL(), 1000); }, &DoTipo<ENivraDFeTempoEsgotado>,
       "Erro Interno: 12002"},
      {[] { EnviarPara("https://127.0.0.1:" + std::to_string(PortaFechada()) + "/ws"); },
       &DoTipo<ENivraDFeConexao>, "Erro Interno: 12029"},
      {[&] { EnviarPara(comErro.URL()); }, &DoTipo<ENivraDFeFalhaHTTP>,
       "Erro Interno: 0\r\nErro HTTP: 500"},
      {[&] {
         TDFeSSL ssl;
         ssl.SetSSLXmlSignLib(TSSLXmlSignLib::xsXmlSec);
         std::string erro;
         (void)ssl.Validar("<a/>", schemaQuebrado, erro);
       },
       &DoTipo<ENivraDFeFalhaSchema>, "Não foi possível carregar o Schema: " + schemaQuebrado},
  };
  for (const Caso& caso : casos) {
    try {
      caso.falhar();
      ADD_FAILURE() << caso.mensagem << ": nenhuma falha";
    } catch (const ENivraDFeException& e) {
      EXPECT_TRUE(caso.doTipo(e)) << e.what();
      EXPECT_NE(std::string(e.what()).find(caso.mensagem), std::string::npos) << e.what();
    }
  }
}

}  // namespace

}  // namespace nivra
