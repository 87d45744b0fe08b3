// The corners of the NF-e services the other service tests leave: the zipped lot of the older
// layout, the contingency authorisers, a voiding already granted (563), the folders of the
// event and voiding files, and the requests of the two retired national services.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "nivranfe/nfe/webservices.h"
#include "nivranfe/util/compactacao.h"
#include "nivranfe/util/xml_texto.h"
#include "tests/fakes/mensagem_de.h"
#include "tests/nfe/ambiente_simulador.h"
#include "tests/nfe/ambiente_teste.h"

namespace nivra {

namespace {

const std::string kWsdl = "http://www.portalfiscal.inf.br/nfe/wsdl/";
// A CNPJ other than the certificate's, so a folder named after it cannot come from the
// certificate.
constexpr const char* kOutroCNPJ = "11444777000161";

class ServicosCobertura : public AmbienteSimulador {
 protected:
  // Starts the simulator and routes every service to a path that names its section, so the
  // path a request reached says which section the component chose.
  void IniciarComSecoes(const std::vector<std::string>& opcoes = {}) {
    Iniciar(opcoes);
    const std::string url = FSimulador->URL();
    std::vector<std::string> tabela;
    for (const std::string secao : {"PR", "SVC-AN", "SVC-RS", "AN"}) {
      const std::string base = url + "/" + secao + "/";
      tabela.insert(tabela.end(),
                    {"[NFe_" + secao + "_H]", "NfeAutorizacao_3.10=" + base + "NfeAutorizacao",
                     "NfeRetAutorizacao_3.10=" + base + "NfeRetAutorizacao",
                     "NfeAutorizacao_4.00=" + base + "NFeAutorizacao4",
                     "NfeRetAutorizacao_4.00=" + base + "NFeRetAutorizacao4",
                     "NfeConsultaProtocolo_4.00=" + base + "NFeConsultaProtocolo4",
                     "NfeInutilizacao_4.00=" + base + "NFeInutilizacao4",
                     "RecepcaoEvento_4.00=" + base + "NFeRecepcaoEvento4"});
    }
    FNFe->Configuracoes().WebServices().SetParams(tabela);
  }

  // The SOAPAction header of the request received in position i.
  std::string Acao(size_t i) const {
    const auto pedidos = FSimulador->Pedidos();
    for (const auto& [nome, valor] : pedidos.at(i).Cabecalhos)
      if (nome == "SOAPAction") return valor;
    return "";
  }

  // An event on the key of the test invoice `numero`, issued by `CNPJ`.
  static TInfEventoNFe Evento(TkovTpEvento tipo, int numero, const std::string& CNPJ) {
    TInfEventoNFe evento;
    evento.chNFe = ChaveTeste(numero);
    evento.CNPJ = CNPJ;
    evento.dhEvento = CodificarDataHora(2026, 6, 9, 10, 0, 0);
    evento.tpEvento = tipo;
    evento.nProt = "141260000000001";
    evento.xJust = "Justificativa do evento de teste";
    evento.xCorrecao = "Correção do endereço de entrega";
    return evento;
  }

  // The content of a file below PathSalvar, without its XML declaration.
  std::string LerSalvo(const std::string& relativo) const {
    return SemDeclaracaoXML(TPastaTemporaria::Ler(FPasta.Caminho() + "Docs/" + relativo));
  }
};

TEST_F(ServicosCobertura, OlderLayoutZippedLotUsesTheLoteZipActionAndTheZipBodyElement) {
  struct Caso {
    bool zipado;
    const char* acao;
    const char* corpo;
  };
  for (const Caso& caso : {Caso{true, "NfeAutorizacaoLoteZip", "nfeDadosMsgZip"},
                           Caso{false, "NfeAutorizacao", "nfeDadosMsg"}}) {
    SCOPED_TRACE(caso.acao);
    IniciarComSecoes();
    FNFe->Configuracoes().Geral().SetVersaoDF(TkovVersaoDF::ve310);
    CarregarNota(21, "3.10");
    EXPECT_TRUE(FNFe->Enviar(4, false, false, caso.zipado));
    ASSERT_EQ(Caminhos(),
              (std::vector<std::string>{"/PR/NfeAutorizacao", "/PR/NfeRetAutorizacao"}));
    EXPECT_EQ(Acao(0), "\"" + kWsdl + caso.acao + "\"");
    // Only the lot is zipped; the receipt query keeps the plain action and body.
    EXPECT_EQ(Acao(1), "\"" + kWsdl + "NfeRetAutorizacao\"");
    const auto pedidos = FSimulador->Pedidos();
    const std::string corpo = ConteudoDaTag(pedidos[0].Corpo, caso.corpo, false);
    ASSERT_FALSE(corpo.empty()) << pedidos[0].Corpo;
    const std::string lote = caso.zipado ? DescompactarBase64(corpo) : corpo;
    EXPECT_TRUE(
        lote.starts_with("<enviNFe xmlns=\"http://www.portalfiscal.inf.br/nfe\" "
                         "versao=\"3.10\"><idLote>4</idLote><indSinc>0</indSinc><NFe"))
        << lote;
    EXPECT_EQ(pedidos[0].Corpo.find(caso.zipado ? "<nfeDadosMsg " : "<nfeDadosMsgZip "),
              std::string::npos);
    EXPECT_EQ(FNFe->NotasFiscais().Items(0).cStat(), 100);
  }
}

TEST_F(ServicosCobertura, ContingencySendsLotQueryAndUFEventsToItsAuthoriserButNationalEventsToAN) {
  struct Caso {
    TkovTipoEmissao forma;
    const char* secao;
  };
  for (const Caso& caso :
       {Caso{TkovTipoEmissao::teSVCAN, "SVC-AN"}, Caso{TkovTipoEmissao::teSVCRS, "SVC-RS"},
        Caso{TkovTipoEmissao::teNormal, "PR"}}) {
    SCOPED_TRACE(caso.secao);
    IniciarComSecoes();
    FNFe->Configuracoes().Geral().SetFormaEmissao(caso.forma);
    CarregarNota(22);
    EXPECT_TRUE(FNFe->Enviar(5));
    // The cancellation queries the document first, then sends the event.
    EXPECT_TRUE(FNFe->Cancelamento("Pedido cancelado pelo cliente", 6));
    FNFe->EventoNFe().Evento = {Evento(TkovTpEvento::teManifDestCiencia, 22, kOutroCNPJ)};
    EXPECT_TRUE(FNFe->EnviarEvento(7));
    const std::string s = std::string("/") + caso.secao + "/";
    EXPECT_EQ(Caminhos(),
              (std::vector<std::string>{s + "NFeAutorizacao4", s + "NFeRetAutorizacao4",
                                        s + "NFeConsultaProtocolo4", s + "NFeRecepcaoEvento4",
                                        "/AN/NFeRecepcaoEvento4"}));
    EXPECT_EQ(FNFe->WebServices().EnvEvento().cStat(), 128);
  }
}

TEST_F(ServicosCobertura, QueryByKeyInContingencyGoesToTheContingencyAuthoriser) {
  for (const auto& [forma, caminho] :
       {std::pair{TkovTipoEmissao::teSVCAN, "/SVC-AN/NFeConsultaProtocolo4"},
        std::pair{TkovTipoEmissao::teSVCRS, "/SVC-RS/NFeConsultaProtocolo4"}}) {
    IniciarComSecoes();
    FNFe->Configuracoes().Geral().SetFormaEmissao(forma);
    EXPECT_TRUE(FNFe->Consultar(ChaveTeste(23)));
    EXPECT_EQ(Caminhos(), std::vector<std::string>{caminho});
  }
}

TEST_F(ServicosCobertura, VoidingKeepsItsFilesInTheVoidingFolderAndRaisesUnless102) {
  struct Caso {
    const char* codigo;
    const char* erro;  // empty: the voiding is granted
  };
  const Caso casos[] = {
      {"102", ""},
      {"563", "Rejeição: Já existe pedido de Inutilização com a mesma faixa de inutilização"},
  };
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.codigo);
    IniciarComSecoes({"--inutilizacao", caso.codigo});
    auto& arquivos = FNFe->Configuracoes().Arquivos();
    arquivos.SetSalvar(true);
    arquivos.SetSepararPorCNPJ(true);
    arquivos.SetAdicionarLiteral(true);
    const auto inutilizar = [&] {
      FNFe->Inutilizar(kOutroCNPJ, "Numeracao pulada por erro", 2026, 1, 30, 31);
    };
    if (*caso.erro == '\0')
      EXPECT_NO_THROW(inutilizar());
    else
      EXPECT_EQ(MensagemDe(inutilizar), caso.erro);

    auto& inutilizacao = FNFe->WebServices().Inutilizacao();
    EXPECT_EQ(inutilizacao.cStat(), std::stoi(caso.codigo));
    const std::string pasta = std::string(kOutroCNPJ) + "/Inu/";
    const std::string id = "41261144477700016155001000000030000000031";
    EXPECT_EQ(Salvos("-procInutNFe.xml"),
              std::vector<std::string>{pasta + id + "-procInutNFe.xml"});
    EXPECT_EQ(Salvos("-ped-inu.xml"), std::vector<std::string>{pasta + id + "-ped-inu.xml"});
    EXPECT_EQ(Salvos("-inu.xml"),
              (std::vector<std::string>{pasta + id + "-inu.xml", pasta + id + "-ped-inu.xml"}));
    // The saved request is the signed one that was sent; the proc holds it and the answer.
    const std::string pedido = LerSalvo(pasta + id + "-ped-inu.xml");
    EXPECT_EQ(pedido, Documentos().at(0));
    std::string msg;
    EXPECT_TRUE(FNFe->SSL().VerificarAssinatura(pedido, msg, "infInut")) << msg;
    const std::string proc = LerSalvo(pasta + id + "-procInutNFe.xml");
    EXPECT_NE(proc.find(pedido), std::string::npos);
    EXPECT_NE(proc.find(std::string("<cStat>") + caso.codigo + "</cStat>"), std::string::npos);
    EXPECT_EQ(proc, SemDeclaracaoXML(inutilizacao.XML_ProcInutNFe()));
  }
}

TEST_F(ServicosCobertura, EventFilesGoToTheFolderOfTheFirstEventsTypeAndCNPJ) {
  IniciarComSecoes();
  auto& arquivos = FNFe->Configuracoes().Arquivos();
  arquivos.SetSalvar(true);
  arquivos.SetSepararPorCNPJ(true);
  arquivos.SetAdicionarLiteral(true);
  FNFe->EventoNFe().Evento = {Evento(TkovTpEvento::teCancelamento, 24, kOutroCNPJ),
                              Evento(TkovTpEvento::teCCe, 24, kOutroCNPJ)};
  EXPECT_TRUE(FNFe->EnviarEvento(8));

  const std::string pasta = std::string(kOutroCNPJ) + "/Evento/";
  EXPECT_EQ(Salvos("-ped-eve.xml"), std::vector<std::string>{pasta + "Cancelamento/8-ped-eve.xml"});
  EXPECT_EQ(Salvos("8-eve.xml"), std::vector<std::string>{pasta + "Cancelamento/8-eve.xml"});
  // Each event's proc goes to its own type's folder.
  EXPECT_EQ(Salvos("-procEventoNFe.xml"),
            (std::vector<std::string>{
                pasta + "CCe/110110" + ChaveTeste(24) + "01-procEventoNFe.xml",
                pasta + "Cancelamento/110111" + ChaveTeste(24) + "01-procEventoNFe.xml"}));

  const std::string pedido = LerSalvo(pasta + "Cancelamento/8-ped-eve.xml");
  EXPECT_EQ(pedido, Documentos().at(0));
  std::string msg;
  EXPECT_TRUE(FNFe->SSL().VerificarAssinatura(pedido, msg, "infEvento")) << msg;
  EXPECT_NE(LerSalvo(pasta + "Cancelamento/8-eve.xml").find("<retEnvEvento"), std::string::npos);
}

// The retired national services, run directly against the recording HTTP double.
class ServicosDesativadosDuble : public AmbienteServico {
 protected:
  void SetUp() override {
    AmbienteServico::SetUp();
    auto& ws = FNFe->Configuracoes().WebServices();
    ws.SetAmbiente(TkovTipoAmbiente::taHomologacao);
    ws.SetParams({"[NFe_AN_H]", "NfeConsultaDest_1.01=https://an/dest",
                  "NfeDownloadNF_1.00=https://an/down"});
  }
  // The data document of the last request.
  std::string Documento() const { return ConteudoDaTag(FHttp->Corpo, "nfeDadosMsg", false); }
};

TEST_F(ServicosDesativadosDuble, ServiceObjectsBuildTheirRequestsInTheLayoutsOrder) {
  const std::string ns = " xmlns=\"http://www.portalfiscal.inf.br/nfe\"";
  const std::string chave1 = ChaveTeste(31);
  const std::string chave2 = ChaveTeste(32);
  FNFe->Configuracoes().Arquivos().SetSalvar(true);
  struct Caso {
    std::function<TNFeServicoRetorno&()> preparar;
    std::string url;
    std::string acao;
    std::string documento;
    std::string resposta;  // the answer's result element and document
    std::string elemento;
    int cStat;
  };
  const Caso casos[] = {
      {[&]() -> TNFeServicoRetorno& {
         auto& servico = FNFe->WebServices().ConsNFeDest();
         servico.SetCNPJ("11.222.333/0001-81");
         servico.SetindNFe(2);
         servico.SetindEmi(1);
         servico.SetultNSU("42");
         return servico;
       },
       "https://an/dest", kWsdl + "NfeConsultaDest/nfeConsultaNFDest",
       "<consNFeDest" + ns +
           " versao=\"1.01\"><tpAmb>2</tpAmb><xServ>CONSULTAR NFE DEST</xServ>"
           "<CNPJ>11222333000181</CNPJ><indNFe>2</indNFe><indEmi>1</indEmi><ultNSU>42</ultNSU>"
           "</consNFeDest>",
       "<retConsNFeDest versao=\"1.01\"><tpAmb>2</tpAmb><cStat>138</cStat>"
       "<xMotivo>Documento localizado</xMotivo></retConsNFeDest>",
       "nfeConsultaNFDestResult", 138},
      {[&]() -> TNFeServicoRetorno& {
         FNFe->DownloadNFe().Chaves = {chave1, chave2};
         auto& servico = FNFe->WebServices().DownloadNFe();
         servico.SetCNPJ("11222333000181");
         return servico;
       },
       "https://an/down", kWsdl + "NfeDownloadNF/nfeDownloadNF",
       "<downloadNFe" + ns +
           " versao=\"1.00\"><tpAmb>2</tpAmb><xServ>DOWNLOAD NFE</xServ>"
           "<CNPJ>11222333000181</CNPJ><chNFe>" +
           chave1 + "</chNFe><chNFe>" + chave2 + "</chNFe></downloadNFe>",
       "<retDownloadNFe versao=\"1.00\"><tpAmb>2</tpAmb><cStat>139</cStat>"
       "<xMotivo>Pedido de download processado</xMotivo><retNFe><chNFe>" +
           chave1 + "</chNFe><cStat>140</cStat><procNFe><nfeProc>" + chave1 +
           "</nfeProc></procNFe></retNFe><retNFe><chNFe>" + chave2 +
           "</chNFe><cStat>632</cStat></retNFe></retDownloadNFe>",
       "nfeDownloadNFResult", 139},
  };
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.url);
    FHttp->Resposta = RespostaSoap(caso.elemento, caso.resposta);
    TNFeServicoRetorno& servico = caso.preparar();
    EXPECT_TRUE(servico.Executar());
    EXPECT_EQ(servico.cStat(), caso.cStat);
    EXPECT_EQ(FHttp->URL, caso.url);
    EXPECT_EQ(FHttp->SoapAction, caso.acao);
    EXPECT_EQ(Documento(), caso.documento);
  }
  EXPECT_EQ(FHttp->Envios, 2);
  // Only the document answered with 140 is saved, beside the request and answer files.
  const auto salvos = ArquivosSalvos();
  EXPECT_TRUE(std::ranges::count(salvos, chave1 + "-nfe.xml") == 1 &&
              std::ranges::count(salvos, chave2 + "-nfe.xml") == 0)
      << ::testing::PrintToString(salvos);
  EXPECT_NE(LerArquivo(chave1 + "-nfe.xml").find("<nfeProc>" + chave1 + "</nfeProc>"),
            std::string::npos);
}

}  // namespace

// Distribution answers scripted on the recording double, so the documents' dates are known.
class DistribuicaoDuble : public AmbienteServico {
 protected:
  void SetUp() override {
    AmbienteServico::SetUp();
    auto& ws = FNFe->Configuracoes().WebServices();
    ws.SetAmbiente(TkovTipoAmbiente::taHomologacao);
    ws.SetParams({"[NFe_AN_H]", "NFeDistribuicaoDFe_1.01=https://an/dist"});
  }
};

TEST_F(DistribuicaoDuble, DocumentsGoUnderTheirEmissionMonthOnlyWhenAsked) {
  const std::string chave = ChaveTeste(33);
  const std::string resumo = "<resNFe versao=\"1.01\"><chNFe>" + chave +
                             "</chNFe><dhEmi>2025-03-15T09:00:00-03:00</dhEmi></resNFe>";
  const std::string resposta =
      "<retDistDFeInt versao=\"1.01\"><tpAmb>2</tpAmb><cStat>138</cStat>"
      "<xMotivo>Documento localizado</xMotivo><ultNSU>000000000000001</ultNSU>"
      "<maxNSU>000000000000001</maxNSU><loteDistDFeInt><docZip NSU=\"000000000000001\" "
      "schema=\"resNFe_v1.01.xsd\">" +
      CompactarBase64(resumo) + "</docZip></loteDistDFeInt></retDistDFeInt>";
  // The component's clock says June 2026; the document was issued in March 2025.
  for (const auto& [pelaEmissao, mes] : {std::pair{true, "202503"}, std::pair{false, "202606"}}) {
    SCOPED_TRACE(mes);
    auto& arquivos = FNFe->Configuracoes().Arquivos();
    arquivos.SetSalvar(true);
    arquivos.SetSepararPorMes(true);
    arquivos.SetEmissaoPathNFe(pelaEmissao);
    FHttp->Resposta = RespostaSoap("nfeDistDFeInteresseResult", resposta);
    EXPECT_TRUE(FNFe->DistribuicaoDFePorUltNSU(41, "11222333000181", "0"));
    EXPECT_TRUE(std::filesystem::exists(FPasta / "Docs" / mes / (chave + "-resNFe.xml")))
        << ::testing::PrintToString(ArquivosSalvos());
  }
}

}  // namespace nivra
