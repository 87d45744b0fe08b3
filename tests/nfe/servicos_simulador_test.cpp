// The NF-e services end to end: the configured component against sefaz-simulador over real
// TLS with the test PKI's A1 certificate. The requests the simulator received are checked
// against the shipped schemas.
#include <gtest/gtest.h>

#include "nivranfe/util/compactacao.h"
#include "nivranfe/util/xml_texto.h"
#include "tests/fakes/mensagem_de.h"
#include "tests/nfe/ambiente_simulador.h"

namespace nivra {

namespace {

class ServicosSimulador : public AmbienteSimulador {};

TEST_F(ServicosSimulador, AsynchronousLotIsPolledUntilProcessedWithTheConfiguredWaits) {
  struct Caso {
    const char* recibos;
    int tentativas;
    bool autorizado;
    size_t consultas;
  };
  // 105, 105, 104 with 5 attempts: three queries; always 105 with 2 attempts: three, then
  // the lot's text is the error.
  for (const Caso& caso : {Caso{"105,105,104", 5, true, 3}, Caso{"105", 2, false, 3}}) {
    Esperas.clear();
    Iniciar({"--recibo", caso.recibos});
    auto& ws = FNFe->Configuracoes().WebServices();
    ws.SetAguardarConsultaRet(3000);
    ws.SetIntervaloTentativas(1500);
    ws.SetTentativas(caso.tentativas);
    CarregarNota(1);
    CarregarNota(2);
    if (caso.autorizado) {
      EXPECT_TRUE(FNFe->Enviar(7));
      for (size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(FNFe->NotasFiscais().Items(i).cStat(), 100);
        EXPECT_EQ(FNFe->NotasFiscais().Items(i).Protocolo().size(), 15u);
      }
    } else {
      EXPECT_EQ(MensagemDe([&] { FNFe->Enviar(7); }), "Lote em processamento");
    }
    const auto caminhos = Caminhos();
    ASSERT_EQ(caminhos.size(), 1 + caso.consultas) << caso.recibos;
    EXPECT_EQ(caminhos[0], "/pr/NFeAutorizacao4");
    for (size_t i = 1; i < caminhos.size(); ++i) EXPECT_EQ(caminhos[i], "/pr/NFeRetAutorizacao4");
    EXPECT_EQ(Esperas, (std::vector<uint32_t>{3000, 1500, 1500})) << caso.recibos;
    const auto documentos = Documentos();
    EXPECT_NE(documentos[0].find("<idLote>7</idLote><indSinc>0</indSinc><NFe"), std::string::npos);
    EXPECT_TRUE(ValidoNoSchema(documentos[1], "consReciNFe_v4.00.xsd"));
    EXPECT_EQ(FNFe->Status(), TStatusNivraNFe::stIdle);
  }
}

TEST_F(ServicosSimulador, SynchronousLotEndsWithTheAnswerUnlessItOnlyGivesAReceipt) {
  Iniciar();
  CarregarNota(3);
  EXPECT_TRUE(FNFe->Enviar(8, false, true));
  EXPECT_EQ(Caminhos().size(), 1u);
  EXPECT_EQ(FNFe->NotasFiscais().Items(0).cStat(), 100);
  EXPECT_EQ(FNFe->WebServices().Enviar().cStat(), 100);
  EXPECT_NE(Documentos()[0].find("<indSinc>1</indSinc>"), std::string::npos);

  // An authoriser that answers a synchronous lot with 103 and a receipt is polled.
  Iniciar({"--sempre-recibo"});
  CarregarNota(3);
  EXPECT_TRUE(FNFe->Enviar(9, false, true));
  EXPECT_EQ(Caminhos(),
            (std::vector<std::string>{"/pr/NFeAutorizacao4", "/pr/NFeRetAutorizacao4"}));
  EXPECT_EQ(FNFe->NotasFiscais().Items(0).cStat(), 100);
}

TEST_F(ServicosSimulador, ZippedLotTravelsGzipBase64WithTheZipAction) {
  Iniciar();
  CarregarNota(4);
  EXPECT_TRUE(FNFe->Enviar(10, false, false, true));
  const auto pedidos = FSimulador->Pedidos();
  ASSERT_EQ(pedidos.size(), 2u);
  std::string acao;
  for (const auto& [nome, valor] : pedidos[0].Cabecalhos)
    if (nome == "SOAPAction") acao = valor;
  EXPECT_EQ(acao,
            "\"http://www.portalfiscal.inf.br/nfe/wsdl/NFeAutorizacao4/nfeAutorizacaoLoteZIP\"");
  const std::string lote =
      DescompactarBase64(ConteudoDaTag(pedidos[0].Corpo, "nfeDadosMsgZip", false));
  EXPECT_TRUE(lote.starts_with("<enviNFe xmlns=\"http://www.portalfiscal.inf.br/nfe\""));
  EXPECT_NE(lote.find(ChaveTeste(4)), std::string::npos);
}

TEST_F(ServicosSimulador, LotLimitsAndTheSizeLimitStopBeforeSending) {
  Iniciar();
  EXPECT_EQ(MensagemDe([&] { FNFe->Enviar(1); }), "ERRO: Nenhuma NF-e adicionada ao Lote");
  for (int i = 0; i < 51; ++i) FNFe->NotasFiscais().Add().SetXML("<NFe></NFe>");
  EXPECT_EQ(MensagemDe([&] { FNFe->Enviar(1); }),
            "ERRO: Conjunto de NF-e transmitidas (máximo de 50 NF-e) excedido. Quantidade atual: "
            "51");
  FNFe->NotasFiscais().Clear();
  FNFe->NotasFiscais().Add().SetXML("<NFe><infNFe Id=\"NFe" + ChaveTeste(5) +
                                    "\"><tpAmb>2</tpAmb><xObs>" + std::string(520000, 'x') +
                                    "</xObs></infNFe><Signature><DigestValue>eA==</DigestValue>"
                                    "</Signature></NFe>");
  // 520 000 characters of remark and the lot's 269 others: 508 KB, truncated. (The document
  // counts as signed, so it goes as it is.)
  EXPECT_EQ(MensagemDe([&] { FNFe->Enviar(1); }),
            "Tamanho do XML de Dados superior a 500 Kbytes. Tamanho atual: 508 Kbytes");
  EXPECT_TRUE(FSimulador->Pedidos().empty());
}

TEST_F(ServicosSimulador, QueryByKeyAndTheKeyCheckBeforeAnyRequest) {
  Iniciar();
  EXPECT_TRUE(FNFe->Consultar(ChaveTeste(6)));
  auto& consulta = FNFe->WebServices().Consulta();
  EXPECT_EQ(consulta.cStat(), 100);
  EXPECT_EQ(consulta.Protocolo().size(), 15u);
  ASSERT_EQ(Documentos().size(), 1u);
  EXPECT_TRUE(ValidoNoSchema(Documentos()[0], "consSitNFe_v4.00.xsd"));
  EXPECT_EQ(Caminhos()[0], "/pr/NFeConsultaProtocolo4");

  for (const std::string& chave : {std::string(kChave43), std::string(kChaveDigitoErrado)})
    EXPECT_EQ(MensagemDe([&] { FNFe->Consultar(chave); }), "Chave \"" + chave + "\" inválida.");
  EXPECT_EQ(MensagemDe([&] { FNFe->Consultar(); }),
            "ERRO: Nenhuma Nota Fiscal Eletrônica ou Chave Informada!");
  EXPECT_EQ(FSimulador->Pedidos().size(), 1u);
}

TEST_F(ServicosSimulador, CancellationQueriesSendsASignedEventAndSavesItsProcEvento) {
  Iniciar();
  FNFe->Configuracoes().Arquivos().SetSalvar(true);
  CarregarNota(11);
  EXPECT_TRUE(FNFe->Cancelamento("Pedido cancelado pelo cliente", 5));
  EXPECT_EQ(Caminhos(),
            (std::vector<std::string>{"/pr/NFeConsultaProtocolo4", "/pr/NFeRecepcaoEvento4"}));
  const std::string lote = Documentos()[1];
  EXPECT_TRUE(ValidoNoSchema(lote, "envEvento_v1.00.xsd"));
  EXPECT_NE(lote.find("<tpEvento>110111</tpEvento>"), std::string::npos);
  EXPECT_NE(lote.find("<cOrgao>41</cOrgao>"), std::string::npos);
  std::string msg;
  EXPECT_TRUE(FNFe->SSL().VerificarAssinatura(lote, msg, "infEvento")) << msg;
  const auto& evento = FNFe->EventoNFe().Evento.at(0);
  EXPECT_EQ(evento.Id, "ID110111" + ChaveTeste(11) + "01");
  EXPECT_EQ(evento.cStatRetorno, 135);
  EXPECT_EQ(FNFe->WebServices().EnvEvento().cStat(), 128);
  const auto salvos = Salvos("-procEventoNFe.xml");
  ASSERT_EQ(salvos.size(), 1u);
  EXPECT_NE(salvos[0].find("110111" + ChaveTeste(11) + "01-procEventoNFe.xml"), std::string::npos);

  // The authoriser now reports the document as cancelled, with the signed event as sent: it
  // passes the event schema and its signature holds.
  FNFe->NotasFiscais().Clear();
  EXPECT_TRUE(FNFe->Consultar(ChaveTeste(11)));
  EXPECT_EQ(FNFe->WebServices().Consulta().cStat(), 101);
  const std::string situacao = FNFe->WebServices().Consulta().RetWS();
  const std::string abertura = "<procEventoNFe versao=\"1.00\">";
  const std::size_t inicio = situacao.find(abertura + "<evento ") + abertura.size();
  const std::size_t fim = situacao.find("</evento><retEvento ", inicio);
  ASSERT_NE(fim, std::string::npos) << situacao;
  const std::string devolvido =
      "<envEvento xmlns=\"http://www.portalfiscal.inf.br/nfe\" versao=\"1.00\"><idLote>1"
      "</idLote>" +
      situacao.substr(inicio, fim + 9 - inicio) + "</envEvento>";
  EXPECT_TRUE(ValidoNoSchema(devolvido, "envEvento_v1.00.xsd"));
  EXPECT_TRUE(FNFe->SSL().VerificarAssinatura(devolvido, msg, "infEvento")) << msg;
}

TEST_F(ServicosSimulador, EventLayoutsGoToTheUFOrToTheNationalEnvironment) {
  struct Caso {
    TkovTpEvento tipo;
    const char* caminho;
    const char* cOrgao;
  };
  for (const Caso& caso : {Caso{TkovTpEvento::teCancelamento, "/pr/NFeRecepcaoEvento4", "41"},
                           Caso{TkovTpEvento::teManifDestCiencia, "/an/NFeRecepcaoEvento4", "91"},
                           Caso{TkovTpEvento::teCCe, "/pr/NFeRecepcaoEvento4", "41"}}) {
    Iniciar();
    TInfEventoNFe evento;
    evento.chNFe = ChaveTeste(12);
    evento.CNPJ = "11222333000181";
    evento.dhEvento = CodificarDataHora(2026, 6, 9, 10, 0, 0);
    evento.tpEvento = caso.tipo;
    evento.nProt = "141260000000001";
    evento.xJust = "Justificativa do evento de teste";
    evento.xCorrecao = "Correção do endereço de entrega";
    if (caso.tipo == TkovTpEvento::teCCe) {
      FNFe->CartaCorrecao().Evento = {evento};
      EXPECT_TRUE(FNFe->EnviarCartaCorrecao(3));
    } else {
      FNFe->EventoNFe().Evento = {evento};
      EXPECT_TRUE(FNFe->EnviarEvento(3));
    }
    ASSERT_EQ(Caminhos().size(), 1u);
    EXPECT_EQ(Caminhos()[0], caso.caminho);
    EXPECT_NE(Documentos()[0].find(std::string("<cOrgao>") + caso.cOrgao + "</cOrgao>"),
              std::string::npos);
    EXPECT_TRUE(ValidoNoSchema(Documentos()[0], "envEvento_v1.00.xsd"));
    // Only a cancellation carries the protocol; a correction letter its text instead.
    EXPECT_EQ(Documentos()[0].find("<nProt>") != std::string::npos,
              caso.tipo == TkovTpEvento::teCancelamento);
    EXPECT_EQ(Documentos()[0].find("<xCorrecao>") != std::string::npos,
              caso.tipo == TkovTpEvento::teCCe);
    EXPECT_EQ(FNFe->EventoNFe().Evento[0].cStatRetorno, 135);
  }
}

TEST_F(ServicosSimulador, EventBatchLimits) {
  Iniciar();
  EXPECT_EQ(MensagemDe([&] { FNFe->EnviarEvento(1); }), "ERRO: Nenhum Evento adicionado ao Lote");
  FNFe->EventoNFe().Evento.resize(21);
  EXPECT_EQ(MensagemDe([&] { FNFe->EnviarEvento(1); }),
            "ERRO: Conjunto de Eventos transmitidos (máximo de 20) excedido. Quantidade atual: 21");
  FNFe->EventoNFe().Evento.resize(1);
  FNFe->EventoNFe().Evento[0].chNFe = ChaveTeste(13);
  CarregarNota(14);
  EXPECT_EQ(MensagemDe([&] { FNFe->EnviarEvento(1); }),
            "Não existe NFe com a chave [" + ChaveTeste(13) + "] carregada");
  EXPECT_TRUE(FSimulador->Pedidos().empty());
}

TEST_F(ServicosSimulador, VoidingIsSignedSentAndSaved) {
  Iniciar();
  FNFe->Configuracoes().Arquivos().SetSalvar(true);
  EXPECT_TRUE(FNFe->Inutilizar("11.222.333/0001-81", "Numeracao pulada por erro", 2026, 1, 5, 10));
  auto& inutilizacao = FNFe->WebServices().Inutilizacao();
  EXPECT_EQ(inutilizacao.cStat(), 102);
  EXPECT_EQ(inutilizacao.ID(), "ID41261122233300018155001000000005000000010");
  EXPECT_TRUE(inutilizacao.Alertas().empty());
  const std::string pedido = Documentos().at(0);
  EXPECT_TRUE(ValidoNoSchema(pedido, "inutNFe_v4.00.xsd"));
  std::string msg;
  EXPECT_TRUE(FNFe->SSL().VerificarAssinatura(pedido, msg, "infInut")) << msg;
  EXPECT_EQ(Salvos("-procInutNFe.xml").size(), 1u);
  EXPECT_NE(inutilizacao.XML_ProcInutNFe().find("<retInutNFe"), std::string::npos);
}

TEST_F(ServicosSimulador, VoidingJustificationNeedsFifteenCharactersAndAValidCNPJ) {
  Iniciar();
  EXPECT_EQ(
      MensagemDe([&] { FNFe->Inutilizar("11222333000181", "  catorze letra  ", 2026, 1, 1, 2); }),
      "A Justificativa para Inutilização de numeração da Nota Fiscal Eletronica deve ter no "
      "minimo 15 caracteres");
  EXPECT_EQ(MensagemDe([&] { FNFe->Inutilizar("11222333000181", "   ", 2026, 1, 1, 2); }),
            "Informar uma Justificativa para Inutilização de numeração da Nota Fiscal Eletronica");
  EXPECT_EQ(
      MensagemDe([&] { FNFe->Inutilizar("11222333000182", "quinze letras!!", 2026, 1, 1, 2); }),
      "CNPJ: 11222333000182, inválido.");
  EXPECT_TRUE(FSimulador->Pedidos().empty());
  EXPECT_TRUE(FNFe->Inutilizar("11222333000181", "quinze letras!!", 2026, 1, 1, 2));
  EXPECT_EQ(FSimulador->Pedidos().size(), 1u);
}

TEST_F(ServicosSimulador, DistributionUnzipsAndSavesTheDocumentsByKind) {
  Iniciar();
  auto& arquivos = FNFe->Configuracoes().Arquivos();
  arquivos.SetSalvar(true);
  arquivos.SetSalvarEvento(true);
  EXPECT_TRUE(FNFe->DistribuicaoDFePorUltNSU(41, "11222333000181", "0"));
  auto& dist = FNFe->WebServices().DistribuicaoDFe();
  EXPECT_EQ(dist.cStat(), 138);
  ASSERT_EQ(dist.Retorno().docZip.size(), 3u);
  EXPECT_TRUE(dist.Retorno().docZip[0].XML.starts_with("<resNFe"));
  EXPECT_EQ(dist.Retorno().ultNSU, "000000000000003");
  EXPECT_EQ(Salvos("-resNFe.xml").size(), 1u);
  EXPECT_EQ(Salvos("-resEventoNFe.xml").size(), 1u);
  ASSERT_EQ(Salvos("-nfe.xml").size(), 1u);
  EXPECT_NE(Salvos("-nfe.xml")[0].find(ChaveTeste(1) + "-nfe.xml"), std::string::npos);
  EXPECT_TRUE(ValidoNoSchema(Documentos()[0], "distDFeInt_v1.01.xsd"));
  EXPECT_EQ(Caminhos()[0], "/an/NFeDistribuicaoDFe");

  EXPECT_TRUE(FNFe->DistribuicaoDFePorUltNSU(41, "11222333000181", "3"));
  EXPECT_EQ(dist.cStat(), 137);
  EXPECT_TRUE(FNFe->DistribuicaoDFePorNSU(41, "11222333000181", "2"));
  ASSERT_EQ(dist.Retorno().docZip.size(), 1u);
  EXPECT_EQ(dist.Retorno().docZip[0].schema, "resEvento_v1.01.xsd");
  EXPECT_TRUE(FNFe->DistribuicaoDFePorChaveNFe(41, "11222333000181", ChaveTeste(15)));
  for (const std::string& documento : Documentos())
    EXPECT_TRUE(ValidoNoSchema(documento, "distDFeInt_v1.01.xsd"));
}

TEST_F(ServicosSimulador, RegistrationCSCAndPassThrough) {
  Iniciar();
  auto& cadastro = FNFe->WebServices().ConsultaCadastro();
  cadastro.SetCNPJ("11.222.333/0001-81");
  EXPECT_TRUE(cadastro.Executar());
  EXPECT_EQ(cadastro.cStat(), 111);
  EXPECT_EQ(cadastro.UF(), "PR");
  // The taxpayer found has the IE every registration answer carries.
  ASSERT_EQ(cadastro.Retorno().infCad.size(), 1u);
  EXPECT_EQ(cadastro.Retorno().infCad[0].front().first, "IE");
  EXPECT_TRUE(ValidoNoSchema(Documentos()[0], "consCad_v2.00.xsd"));

  FNFe->Configuracoes().Geral().SetModeloDF(TkovModeloDF::moNFCe);
  EXPECT_TRUE(FNFe->AdministrarCSC("11222333", 1, 0, ""));
  EXPECT_EQ(FNFe->WebServices().AdministrarCSCNFCe().cStat(), 150);
  EXPECT_EQ(Caminhos()[1], "/pr/CscNFCe");

  auto& envio = FNFe->WebServices().EnvioWebService();
  envio.SetURLEnvio(FSimulador->URL() + "/livre");
  envio.SetSoapActionEnvio("http://www.portalfiscal.inf.br/nfe/wsdl/NFeConsultaProtocolo4");
  envio.SetXMLEnvio(
      "<consSitNFe xmlns=\"http://www.portalfiscal.inf.br/nfe\" versao=\"4.00\">"
      "<tpAmb>2</tpAmb><xServ>CONSULTAR</xServ><chNFe>" +
      ChaveTeste(16) + "</chNFe></consSitNFe>");
  EXPECT_TRUE(envio.Executar());
  EXPECT_EQ(envio.Versao(), "4.00");
  EXPECT_NE(envio.RetWS().find("<cStat>100</cStat>"), std::string::npos);
}

TEST_F(ServicosSimulador, RetiredServicesNeverSend) {
  Iniciar();
  EXPECT_EQ(MensagemDe([&] { FNFe->ConsultaNFeDest("11222333000181", 0, 0, "0"); }),
            "Após 02/05/2017 o Web Service ConsultaNFeDest foi desativado pela SEFAZ.\r"
            "Favor utilizar o método DistribuicaoDFe.");
  EXPECT_EQ(MensagemDe([&] { FNFe->Download(); }),
            "Após 02/05/2017 o Web Service DownloadNFe foi desativado pela SEFAZ.\r"
            "Favor utilizar o método DistribuicaoDFe.");
  EXPECT_TRUE(FSimulador->Pedidos().empty());
}

}  // namespace

}  // namespace nivra
