// The pipeline's signing step with the real XML-signature class: an event request signed end to
// end with the configured A1 certificate, checked by xmlsec1, by our verification and by the
// shipped schema.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "nivranfe/nfe/dfe_web_service.h"
#include "tests/fakes/crypto_pfx.h"
#include "tests/fakes/documentos_assinatura.h"
#include "tests/fakes/mensagem_de.h"
#include "tests/fakes/pki_teste.h"
#include "tests/fakes/xmlsec1_comando.h"
#include "tests/nfe/ambiente_teste.h"

namespace nivra {

namespace {

// A service whose only use here is its signing step.
class TServicoEvento : public TDFeWebService {
 public:
  using TDFeWebService::AssinarDados;
  using TDFeWebService::TDFeWebService;
};

class AssinaturaEvento : public AmbienteServico {
 protected:
  void SetUp() override {
    AmbienteServico::SetUp();
    auto& conf = FNFe->Configuracoes();
    conf.Geral().SetSSLXmlSignLib(TSSLXmlSignLib::xsMsXml);
    FNFe->SSL().UsarSSLCryptClass(std::make_unique<TCryptoPFX>(FNFe->SSL()));
    conf.Certificados().SetArquivoPFX(PastaPKITeste() + "empresa.pfx");
    conf.Certificados().SetSenha(SenhaPKITeste);
    FServico = std::make_unique<TServicoEvento>(*FNFe);
  }
  std::unique_ptr<TServicoEvento> FServico;
};

TEST_F(AssinaturaEvento, SignedEventVerifiesAndIsValid) {
  FServico->AssinarDados(EventoTeste(), "evento", "infEvento", "Falha ao assinar o evento:");
  const std::string assinado = FServico->DadosMsg();

  TXmlSec1 xmlsec1;
  EXPECT_TRUE(xmlsec1.Verifica(assinado, "infEvento")) << assinado;
  std::string msg;
  EXPECT_TRUE(FNFe->SSL().VerificarAssinatura(assinado, msg, "infEvento")) << msg;
  EXPECT_TRUE(FNFe->SSL().Validar(
      assinado, std::string(NIVRA_SOURCE_DIR) + "/resources/schemas/envEvento_v1.00.xsd", msg))
      << msg;
}

TEST_F(AssinaturaEvento, SigningFailureCarriesThePrefix) {
  EXPECT_EQ(MensagemDe([&] {
              FServico->AssinarDados(EventoTeste(), "eventos", "infEvento",
                                     "Falha ao assinar o evento:");
            }),
            "Falha ao assinar o evento:\r\nNão encontrei final do elemento: </eventos>");
}

}  // namespace

}  // namespace nivra
