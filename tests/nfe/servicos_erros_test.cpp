// The other NF-e services through the recording HTTP double: their error texts, the BA rule of
// the older layouts, the status held while a lot is polled, and the checks that stop a request
// or refuse an answer.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>

#include "nivranfe/nfe/webservices.h"
#include "nivranfe/util/chave_acesso.h"
#include "nivranfe/util/excecoes.h"
#include "nivranfe/util/texto.h"
#include "tests/fakes/mensagem_de.h"
#include "tests/nfe/ambiente_teste.h"

namespace nivra {

namespace {

const std::string kWsdl = "http://www.portalfiscal.inf.br/nfe/wsdl/";

// Whether the failure is of the type T (or derived from it).
template <typename T>
bool DoTipo(const ENivraDFeException& e) {
  return dynamic_cast<const T*>(&e) != nullptr;
}

// A key of the UF code with a right check digit.
std::string Chave(const std::string& cUF, int numero) {
  const std::string base = cUF + "260611222333000181550010" + ZerosAEsquerda(numero, 8) + "1" +
                           ZerosAEsquerda(numero, 8);
  return base + std::to_string(DigitoChaveAcesso(base));
}

class ServicosDuble : public AmbienteServico {
 protected:
  void SetUp() override {
    AmbienteServico::SetUp();
    FNFe->Configuracoes().WebServices().SetAmbiente(TkovTipoAmbiente::taHomologacao);
    FNFe->Configuracoes().WebServices().SetParams({
        "[NFe_PR_H]",
        "NfeAutorizacao_4.00=https://pr/aut",
        "NfeRetAutorizacao_4.00=https://pr/ret",
        "NfeConsultaProtocolo_4.00=https://pr/sit",
        "NfeInutilizacao_4.00=https://pr/inu",
        "[NFe_BA_H]",
        "NfeConsultaProtocolo_3.10=https://ba/sit",
        "NfeInutilizacao_3.10=https://ba/inu",
        "[NFe_SVC-AN_H]",
        "NfeConsultaProtocolo_3.10=https://svcan/sit",
        "[NFe_AN_H]",
        "NfeConsultaDest_1.01=https://an/dest",
        "NfeDownloadNF_1.00=https://an/down",
        "NFeDistribuicaoDFe_1.01=https://an/dist",
        "[NFCe_PR_H]",
        "AdministrarCSCNFCe_1.00=https://pr/csc",
    });
  }
  TWebServices& WS() { return FNFe->WebServices(); }
  // A loaded invoice of PR with the key of the number, the environment and the digest.
  void Carregar(int numero, int tpAmb = 2, const std::string& digest = "ZGlnZXN0") {
    FNFe->NotasFiscais().Add().SetXML("<NFe><infNFe Id=\"NFe" + Chave("41", numero) +
                                      "\" versao=\"4.00\"><tpAmb>" + std::to_string(tpAmb) +
                                      "</tpAmb></infNFe><Signature><DigestValue>" + digest +
                                      "</DigestValue></Signature></NFe>");
  }
};

TEST_F(ServicosDuble, TransportFailuresCarryTheServiceText) {
  FHttp->Falha = std::make_exception_ptr(ENivraDFeException("conexão recusada"));
  struct Caso {
    std::function<bool()> executar;
    std::string texto;
  };
  const Caso casos[] = {
      {[&] {
         WS().DistribuicaoDFe().SetCNPJCPF("11222333000181");
         return WS().DistribuicaoDFe().Executar();
       },
       "WebService Distribuição de DFe:\r\n- Inativo ou Inoperante tente novamente."},
      {[&] { return WS().ConsNFeDest().Executar(); },
       "WebService Consulta NF-e Destinadas:\r\n- Inativo ou Inoperante tente novamente."},
      {[&] { return WS().DownloadNFe().Executar(); },
       "WebService Download de NF-e:\r\n- Inativo ou Inoperante tente novamente."},
      {[&] {
         FNFe->Configuracoes().Geral().SetModeloDF(TkovModeloDF::moNFCe);
         WS().AdministrarCSCNFCe().SetRaizCNPJ("11222333");
         return WS().AdministrarCSCNFCe().Executar();
       },
       "WebService Administrar CSC da NFC-e:\r\n- Inativo ou Inoperante tente novamente."},
      {[&] {
         WS().EnvioWebService().SetURLEnvio("https://livre/ws");
         WS().EnvioWebService().SetSoapActionEnvio("urn:acao");
         WS().EnvioWebService().SetXMLEnvio("<x versao=\"1.00\"/>");
         return WS().EnvioWebService().Executar();
       },
       "WebService: urn:acao\r\n- Inativo ou Inoperante tente novamente."},
      // The services without a text of their own pass the transport's message alone.
      {[&] {
         WS().Consulta().SetNFeChave(Chave("41", 1));
         return WS().Consulta().Executar();
       },
       ""},
  };
  for (const Caso& caso : casos)
    EXPECT_EQ(MensagemDe([&] { caso.executar(); }), caso.texto + "\r\nconexão recusada");
}

TEST_F(ServicosDuble, OlderLayoutsNameTheServiceByTheBahiaRule) {
  FNFe->Configuracoes().Geral().SetVersaoDF(TkovVersaoDF::ve310);
  FNFe->Configuracoes().WebServices().SetUF("BA");
  FHttp->Resposta =
      RespostaSoap("nfeResultMsg", "<retConsSitNFe><cStat>217</cStat></retConsSitNFe>");
  WS().Consulta().SetNFeChave(Chave("29", 1));
  EXPECT_FALSE(WS().Consulta().Executar());
  EXPECT_EQ(FHttp->URL, "https://ba/sit");
  EXPECT_EQ(FHttp->SoapAction, kWsdl + "NfeConsulta");
  // The header names the key's UF.
  EXPECT_NE(FHttp->Corpo.find("<nfeCabecMsg xmlns=\"" + kWsdl +
                              "NfeConsulta\"><cUF>29</cUF>"
                              "<versaoDados>3.10</versaoDados></nfeCabecMsg>"),
            std::string::npos);

  // Voiding names its action apart; without a certificate it stops at signing, after the
  // endpoint, service and action were chosen.
  WS().Inutilizacao().SetModelo(55);
  (void)MensagemDe([&] { WS().Inutilizacao().Executar(); });
  EXPECT_EQ(WS().Inutilizacao().URL(), "https://ba/inu");
  EXPECT_EQ(WS().Inutilizacao().SoapAction(), kWsdl + "NfeInutilizacao/NfeInutilizacao");
  EXPECT_EQ(FHttp->Envios, 1);

  // In contingency the query goes to the contingency authoriser under the common name.
  FNFe->Configuracoes().Geral().SetFormaEmissao(TkovTipoEmissao::teSVCAN);
  EXPECT_FALSE(WS().Consulta().Executar());
  EXPECT_EQ(FHttp->URL, "https://svcan/sit");
  EXPECT_EQ(FHttp->SoapAction, kWsdl + "NfeConsulta2");
}

TEST_F(ServicosDuble, PollingHoldsOneStatusAndWaitsAtLeastOneSecond) {
  std::vector<uint32_t> esperas;
  FNFe->SetEspera([&](uint32_t ms) { esperas.push_back(ms); });
  auto& ws = FNFe->Configuracoes().WebServices();
  ws.SetAguardarConsultaRet(0);
  ws.SetTentativas(2);
  FHttp->Resposta = RespostaSoap("nfeResultMsg",
                                 "<retConsReciNFe><cStat>105</cStat><xMotivo>Lote em processamento"
                                 "</xMotivo></retConsReciNFe>");
  WS().Retorno().SetRecibo("411000000000001");
  EXPECT_FALSE(WS().Retorno().Executar());
  EXPECT_EQ(FHttp->Envios, 3);
  EXPECT_EQ(esperas, (std::vector<uint32_t>{0, 1000, 1000}));
  EXPECT_EQ(Mudancas, (std::vector<TStatusNivraNFe>{TStatusNivraNFe::stNFeRetRecepcao,
                                                    TStatusNivraNFe::stIdle}));
  EXPECT_EQ(WS().Retorno().HeaderElement(), "nfeCabecMsg");
}

TEST_F(ServicosDuble, AnswersThatDoNotMatchTheDocumentsAreRefused) {
  Carregar(1, 1);
  EXPECT_EQ(MensagemDe([&] { WS().Enviar().Executar(); }),
            "Ambiente do XML (tpAmb) é diferente do configurado no Componente "
            "(Configuracoes.WebServices.Ambiente)");
  EXPECT_EQ(FHttp->Envios, 0);

  FNFe->NotasFiscais().Clear();
  Carregar(2);
  FHttp->Resposta =
      RespostaSoap("nfeResultMsg",
                   "<retConsReciNFe><cStat>104</cStat><protNFe><infProt><chNFe>" + Chave("41", 2) +
                       "</chNFe><digVal>b3V0cm8=</digVal><cStat>100</cStat></infProt>"
                       "</protNFe></retConsReciNFe>");
  WS().Retorno().SetRecibo("411000000000001");
  EXPECT_EQ(MensagemDe([&] { WS().Retorno().Executar(); }),
            "DigestValue do documento " + Chave("41", 2) + " não confere.");
  FNFe->Configuracoes().Geral().SetValidarDigest(false);
  EXPECT_TRUE(WS().Retorno().Executar());
  EXPECT_EQ(FNFe->NotasFiscais().Items(0).cStat(), 100);
}

TEST_F(ServicosDuble, VoidingRefusesAnUnknownModelBeforeSending) {
  WS().Inutilizacao().SetModelo(57);
  EXPECT_THROW(
      {
        try {
          WS().Inutilizacao().Executar();
        } catch (const ENivraNFeException& e) {
          EXPECT_STREQ(e.what(), "Modelo Inválido: 57");
          throw;
        }
      },
      ENivraNFeException);
  EXPECT_EQ(FHttp->Envios, 0);
}

TEST_F(ServicosDuble, VoidingRefusesARangeThatEndsBeforeItBeginsBeforeSending) {
  EXPECT_EQ(MensagemDe([&] {
              (void)FNFe->Inutilizar("11222333000181", "Numeracao pulada por erro", 2026, 1, 7, 6);
            }),
            "Número inicial 7 maior que o número final 6 da faixa a inutilizar.");
  EXPECT_EQ(FHttp->Envios, 0);
  // A range of one number passes the check (and stops later, at signing without a certificate).
  EXPECT_EQ(MensagemDe([&] {
              (void)FNFe->Inutilizar("11222333000181", "Numeracao pulada por erro", 2026, 1, 6, 6);
            }).find("maior que o número final"),
            std::string::npos);
}

TEST_F(ServicosDuble, FailuresKeepTheirKindThroughTheServicesAndTheirContext) {
  struct Caso {
    std::function<void()> preparar;
    bool (*doTipo)(const ENivraDFeException&);
    std::string trecho;  // of the original failure, kept in the message
  };
  const Caso casos[] = {
      {[&] { FHttp->Falha = std::make_exception_ptr(ENivraDFeTempoEsgotado("Erro: 12002")); },
       &DoTipo<ENivraDFeTempoEsgotado>, "Erro: 12002"},
      {[&] { FHttp->Falha = std::make_exception_ptr(ENivraDFeConexao("Erro: 12029")); },
       &DoTipo<ENivraDFeConexao>, "Erro: 12029"},
      {[&] { FHttp->Falha = std::make_exception_ptr(ENivraDFeFalhaHTTP("Erro HTTP: 500")); },
       &DoTipo<ENivraDFeFalhaHTTP>, "Erro HTTP: 500"},
      {[&] {
         FHttp->Falha = nullptr;
         FHttp->Resposta =
             RespostaSoap("nfeResultMsg",
                          "<retConsSitNFe><cStat>217</cStat><xMotivo>Rejeicao: NF-e nao "
                          "consta na base de dados da SEFAZ</xMotivo></retConsSitNFe>");
       },
       &DoTipo<ENivraDFeRespostaRecusada>, "NF-e nao consta"},
  };
  for (const Caso& caso : casos) {
    caso.preparar();
    try {
      (void)FNFe->Consultar(Chave("41", 1));
      ADD_FAILURE() << caso.trecho << ": nenhuma falha";
    } catch (const ENivraDFeException& e) {
      EXPECT_TRUE(caso.doTipo(e)) << e.what();
      EXPECT_NE(std::string(e.what()).find(caso.trecho), std::string::npos) << e.what();
    }
  }
}

TEST_F(ServicosDuble, AHandledErrorMakesTheOperationReturnFalse) {
  MarcarTratado = true;
  EXPECT_FALSE(FNFe->Enviar(1));
  EXPECT_FALSE(FNFe->EnviarEvento(1));
  EXPECT_FALSE(FNFe->Download());
  EXPECT_EQ(FHttp->Envios, 0);
  EXPECT_EQ(Log.back(),
            "ERRO: Após 02/05/2017 o Web Service DownloadNFe foi desativado pela "
            "SEFAZ.\rFavor utilizar o método DistribuicaoDFe.");
}

}  // namespace

}  // namespace nivra
