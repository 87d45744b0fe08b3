// Answers from whoever sits in the network path, through the recording HTTP double: names built
// from them never leave their folder, zipped documents are inflated within limits, what is saved
// stays well-formed, refused events are failures, and cut answers are errors.
#include <gtest/gtest.h>
#include <libxml/parser.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "nivranfe/nfe/webservices.h"
#include "nivranfe/util/chave_acesso.h"
#include "nivranfe/util/compactacao.h"
#include "nivranfe/util/texto.h"
#include "tests/fakes/crypto_pfx.h"
#include "tests/fakes/mensagem_de.h"
#include "tests/fakes/pki_teste.h"
#include "tests/nfe/ambiente_teste.h"

namespace nivra {

namespace {

namespace fs = std::filesystem;

const std::string kNS = " xmlns=\"http://www.portalfiscal.inf.br/nfe\"";
const std::string kRecebido = "<dhRecbto>2026-06-09T10:20:31-03:00</dhRecbto>";

// A key of PR with a right check digit.
std::string Chave(int numero) {
  const std::string base =
      "41260611222333000181550010000000" + ZerosAEsquerda(numero, 2) + "100000000";
  return base + std::to_string(DigitoChaveAcesso(base));
}

std::string Resposta(const std::string& retorno) { return RespostaSoap("nfeResultMsg", retorno); }

std::string DocZip(const std::string& nsu, const std::string& schema, const std::string& xml) {
  return "<docZip NSU=\"" + nsu + "\" schema=\"" + schema + "\">" + CompactarBase64(xml) +
         "</docZip>";
}

std::string RetDist(const std::string& documentos) {
  return Resposta("<retDistDFeInt versao=\"1.01\"" + kNS +
                  "><tpAmb>2</tpAmb><verAplic>AN</verAplic><cStat>138</cStat><xMotivo>Documento "
                  "localizado</xMotivo><dhResp>2026-06-09T10:20:31-03:00</dhResp><ultNSU>"
                  "000000000000009</ultNSU><maxNSU>000000000000009</maxNSU><loteDistDFeInt>" +
                  documentos + "</loteDistDFeInt></retDistDFeInt>");
}

std::string RetEvento(const std::string& chave, const std::string& tipo, int cStat,
                      const std::string& xMotivo) {
  return "<retEvento versao=\"1.00\"><infEvento><tpAmb>2</tpAmb><verAplic>PR</verAplic><cOrgao>"
         "41</cOrgao><cStat>" +
         std::to_string(cStat) + "</cStat><xMotivo>" + xMotivo + "</xMotivo><chNFe>" + chave +
         "</chNFe><tpEvento>" + tipo +
         "</tpEvento><nSeqEvento>1</nSeqEvento><dhRegEvento>2026-06-09T10:20:31-03:00"
         "</dhRegEvento><nProt>141260000000002</nProt></infEvento></retEvento>";
}

std::string RetEnvEvento(const std::string& eventos) {
  return "<retEnvEvento versao=\"1.00\"" + kNS +
         "><idLote>1</idLote><tpAmb>2</tpAmb><verAplic>PR</verAplic><cOrgao>41</cOrgao><cStat>"
         "128</cStat><xMotivo>Lote de evento processado</xMotivo>" +
         eventos + "</retEnvEvento>";
}

// The situation of an authorised document, with its protocol.
std::string RetConsSit(const std::string& chave, const std::string& xMotivo) {
  return "<retConsSitNFe versao=\"4.00\"" + kNS +
         "><tpAmb>2</tpAmb><verAplic>PR</verAplic><cStat>100</cStat><xMotivo>" + xMotivo +
         "</xMotivo><cUF>41</cUF>" + kRecebido + "<chNFe>" + chave +
         "</chNFe><protNFe versao=\"4.00\"><infProt><tpAmb>2</tpAmb><verAplic>PR</verAplic>"
         "<chNFe>" +
         chave + "</chNFe>" + kRecebido +
         "<nProt>141260000000001</nProt><cStat>100</cStat><xMotivo>" + xMotivo +
         "</xMotivo></infProt></protNFe></retConsSitNFe>";
}

::testing::AssertionResult BemFormado(const std::string& texto) {
  const std::unique_ptr<xmlDoc, void (*)(xmlDocPtr)> documento(
      xmlReadMemory(texto.data(), static_cast<int>(texto.size()), "salvo.xml", nullptr,
                    XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING),
      &xmlFreeDoc);
  if (documento) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "malformado: " << texto;
}

class RespostasHostis : public AmbienteServico {
 protected:
  void SetUp() override {
    AmbienteServico::SetUp();
    auto& conf = FNFe->Configuracoes();
    conf.WebServices().SetAmbiente(TkovTipoAmbiente::taHomologacao);
    conf.WebServices().SetParams({
        "[NFe_PR_H]",
        "NfeStatusServico_4.00=https://pr/sta",
        "NfeConsultaProtocolo_4.00=https://pr/sit",
        "NfeInutilizacao_4.00=https://pr/inu",
        "NfeConsultaCadastro_4.00=https://pr/cad",
        "RecepcaoEvento_4.00=https://pr/eve",
        "[NFe_AN_H]",
        "NFeDistribuicaoDFe_1.01=https://an/dist",
        "RecepcaoEvento_4.00=https://an/eve",
    });
    // Deep enough that a name climbing three folders would still land inside the test's own.
    conf.Arquivos().SetPathSalvar((FPasta / "Docs" / "a" / "b" / "c").string() + "/");
    conf.Arquivos().SetSalvar(true);
    conf.Arquivos().SetSalvarEvento(true);
    conf.Geral().SetSSLXmlSignLib(TSSLXmlSignLib::xsMsXml);
    FNFe->SSL().UsarSSLCryptClass(std::make_unique<TCryptoPFX>(FNFe->SSL()));
    conf.Certificados().SetArquivoPFX(PastaPKITeste() + "empresa.pfx");
    conf.Certificados().SetSenha(SenhaPKITeste);
  }

  TWebServices& WS() { return FNFe->WebServices(); }

  // Every file saved below the test's folder (schemas aside), with its path from there.
  std::vector<std::string> Salvos() const {
    std::vector<std::string> nomes;
    for (const auto& item : fs::recursive_directory_iterator(FPasta))
      if (item.is_regular_file() && item.path().parent_path() != FPasta / "Schemas")
        nomes.push_back(fs::relative(item.path(), FPasta).string());
    return nomes;
  }

  // The saved files whose name ends with `final`.
  std::vector<std::string> SalvosTerminadosEm(const std::string& final) const {
    std::vector<std::string> nomes;
    for (const std::string& nome : Salvos())
      if (nome.ends_with(final)) nomes.push_back(nome);
    return nomes;
  }

  // Every saved file is well-formed XML.
  void ExigirSalvosBemFormados() const {
    for (const std::string& nome : Salvos())
      EXPECT_TRUE(BemFormado(TPastaTemporaria::Ler((FPasta / nome).string()))) << nome;
  }

  // One event of the test key, ready to send.
  static TInfEventoNFe Evento(TkovTpEvento tipo) {
    TInfEventoNFe evento;
    evento.chNFe = Chave(1);
    evento.CNPJ = "11222333000181";
    evento.dhEvento = CodificarDataHora(2026, 6, 9, 10, 0, 0);
    evento.tpEvento = tipo;
    evento.nProt = "141260000000001";
    evento.xJust = "Justificativa do evento de teste";
    evento.xCorrecao = "Correção do endereço de entrega";
    return evento;
  }

  void CarregarNota(int numero) {
    FNFe->NotasFiscais().Add().SetXML("<NFe" + kNS + "><infNFe Id=\"NFe" + Chave(numero) +
                                      "\" versao=\"4.00\"><tpAmb>2</tpAmb></infNFe></NFe>");
  }
};

TEST_F(RespostasHostis, DistributedDocumentsAreSavedOnlyUnderNamesOfTheirFieldsForm) {
  // A key may hold letters where the issuer's CNPJ goes.
  const std::string alfanumerica = "412606AB1CD2EF000181550010000000011000000010";
  const std::string evento = "<resEvento" + kNS + "><chNFe>" + alfanumerica +
                             "</chNFe><tpEvento>110111</tpEvento><nSeqEvento>1</nSeqEvento>"
                             "</resEvento>";
  FHttp->Resposta =
      RetDist(DocZip("000000000000001", "resNFe_v1.01.xsd",
                     "<resNFe" + kNS + "><chNFe>../../../fora</chNFe></resNFe>") +
              DocZip("000000000000002", "procNFe_v4.00.xsd",
                     "<nfeProc" + kNS + "><NFe><infNFe Id=\"NFe../../../fora-" +
                         std::string(30, 'x') + "\"/></NFe></nfeProc>") +
              DocZip("000000000000003", "resEvento_v1.01.xsd",
                     "<resEvento" + kNS + "><chNFe>" + alfanumerica +
                         "</chNFe><tpEvento>../../../fora</tpEvento><nSeqEvento>1</nSeqEvento>"
                         "</resEvento>") +
              DocZip("000000000000004", "procEventoNFe_v1.00.xsd",
                     "<procEventoNFe" + kNS + "><chNFe>" + alfanumerica +
                         "</chNFe><tpEvento>110111</tpEvento><nSeqEvento>/../../fora</nSeqEvento>"
                         "</procEventoNFe>") +
              DocZip("000000000000005", "resNFe_v1.01.xsd",
                     "<resNFe" + kNS + "><chNFe>" + alfanumerica + "</chNFe></resNFe>") +
              DocZip("000000000000006", "resEvento_v1.01.xsd", evento));

  EXPECT_TRUE(FNFe->DistribuicaoDFePorUltNSU(41, "11222333000181", "0"));
  for (const std::string& nome : Salvos()) EXPECT_EQ(nome.find("fora"), std::string::npos) << nome;
  ASSERT_EQ(SalvosTerminadosEm("-resNFe.xml").size(), 1u);
  EXPECT_TRUE(SalvosTerminadosEm("-resNFe.xml")[0].ends_with(alfanumerica + "-resNFe.xml"));
  ASSERT_EQ(SalvosTerminadosEm("-resEventoNFe.xml").size(), 1u);
  EXPECT_TRUE(SalvosTerminadosEm("-resEventoNFe.xml")[0].ends_with("110111" + alfanumerica +
                                                                   "01-resEventoNFe.xml"));
  EXPECT_TRUE(SalvosTerminadosEm("-nfe.xml").empty());
  EXPECT_TRUE(SalvosTerminadosEm("-procEventoNFe.xml").empty());
  // Each document left unsaved says why.
  for (const std::string linha :
       {"Documento NSU 000000000000001 não salvo: chNFe \"../../../fora\" inválido",
        "Documento NSU 000000000000003 não salvo: tpEvento \"../../../fora\" inválido",
        "Documento NSU 000000000000004 não salvo: nSeqEvento \"/../../fora\" inválido"})
    EXPECT_NE(std::find(Log.begin(), Log.end(), linha), Log.end()) << linha;
  ExigirSalvosBemFormados();
}

TEST_F(RespostasHostis, ZippedDocumentsPastTheirLimitsAreRefusedAndTheOthersKept) {
  const std::string pequeno = "<resNFe" + kNS + "><chNFe>" + Chave(1) + "</chNFe></resNFe>";
  // Repeated text inflates a thousand times: each of these travels in some kilobytes.
  const auto documento = [](std::size_t mib) {
    std::string linhas;
    for (std::size_t i = 0; i < (mib << 10); ++i) linhas += "<x>" + std::string(1017, ' ') + "</x>";
    return "<resNFe" + kNS + ">" + linhas + "</resNFe>";
  };
  const std::string grande = documento(17);
  const std::string quase = documento(15);
  FHttp->Resposta = RetDist(DocZip("000000000000001", "resNFe_v1.01.xsd", grande) +
                            DocZip("000000000000002", "resNFe_v1.01.xsd", pequeno) +
                            DocZip("000000000000003", "resNFe_v1.01.xsd", quase) +
                            DocZip("000000000000004", "resNFe_v1.01.xsd", quase) +
                            DocZip("000000000000005", "resNFe_v1.01.xsd", quase) +
                            DocZip("000000000000006", "resNFe_v1.01.xsd", quase) +
                            DocZip("000000000000007", "resNFe_v1.01.xsd", quase) +
                            DocZip("000000000000008", "resNFe_v1.01.xsd", pequeno));
  EXPECT_EQ(MensagemDe([&] { FNFe->DistribuicaoDFePorUltNSU(41, "11222333000181", "0"); }),
            "Documentos recusados:\r\n"
            "Documento NSU 000000000000001 recusado: descompactado excede 16 MiB\r\n"
            "Documento NSU 000000000000007 recusado: descompactado excede o limite de 64 MiB "
            "da resposta");
  const auto& docZip = WS().DistribuicaoDFe().Retorno().docZip;
  ASSERT_EQ(docZip.size(), 8u);
  EXPECT_TRUE(docZip[0].XML.empty());
  EXPECT_EQ(docZip[1].XML, pequeno);
  EXPECT_EQ(docZip[5].XML.size(), quase.size());
  EXPECT_TRUE(docZip[6].XML.empty());
  // The limit is the answer's: a small document after the refused one still fits.
  EXPECT_EQ(docZip[7].XML, pequeno);
  EXPECT_EQ(WS().DistribuicaoDFe().cStat(), 138);
  EXPECT_EQ(SalvosTerminadosEm("-resNFe.xml").size(), 1u);
}

TEST_F(RespostasHostis, SavedDocumentsKeepTheAnswersEntitiesAndOnlyDisplayFieldsAreDecoded) {
  const std::string motivo = "A &amp; B &lt;teste&gt;";
  FHttp->Resposta = Resposta(
      "<retInutNFe versao=\"4.00\"" + kNS +
      "><infInut Id=\"ID41261122233300018155001000000001000000002\"><tpAmb>2</tpAmb><verAplic>"
      "PR</verAplic><cStat>102</cStat><xMotivo>" +
      motivo + "</xMotivo><cUF>41</cUF>" + kRecebido +
      "<nProt>141260000000009</nProt></infInut></retInutNFe>");
  EXPECT_TRUE(FNFe->Inutilizar("11222333000181", "Numeracao pulada por erro", 2026, 1, 1, 2));
  EXPECT_EQ(WS().Inutilizacao().xMotivo(), "A & B <teste>");
  EXPECT_EQ(SalvosTerminadosEm("-procInutNFe.xml").size(), 1u);

  // A query: the protocol attached to the loaded document, and the events gathered.
  CarregarNota(1);
  std::string situacao = RetConsSit(Chave(1), motivo);
  situacao.insert(situacao.rfind("</retConsSitNFe>"),
                  "<procEventoNFe versao=\"1.00\"><evento/>" +
                      RetEvento(Chave(1), "110110", 135, motivo) + "</procEventoNFe>");
  FHttp->Resposta = Resposta(situacao);
  EXPECT_TRUE(FNFe->Consultar());
  EXPECT_EQ(WS().Consulta().xMotivo(), "A & B <teste>");
  EXPECT_EQ(FNFe->NotasFiscais().Items(0).xMotivo(), "A & B <teste>");
  EXPECT_EQ(SalvosTerminadosEm("-nfe.xml").size(), 1u);
  EXPECT_EQ(SalvosTerminadosEm("-NFeDFe.xml").size(), 1u);

  // An event: its procEventoNFe holds the answer as it came.
  FNFe->NotasFiscais().Clear();
  FNFe->EventoNFe().Evento = {Evento(TkovTpEvento::teCancelamento)};
  FHttp->Resposta = Resposta(RetEnvEvento(RetEvento(Chave(1), "110111", 135, motivo)));
  EXPECT_TRUE(FNFe->EnviarEvento(1));
  EXPECT_EQ(FNFe->EventoNFe().Evento[0].xMotivoRetorno, "A & B <teste>");
  EXPECT_EQ(SalvosTerminadosEm("-procEventoNFe.xml").size(), 1u);

  ExigirSalvosBemFormados();
}

TEST_F(RespostasHostis, AnEventSucceedsOnlyWithItsOwnRegisteredCode) {
  const std::string duplicado = RetEvento(Chave(1), "110111", 573, "Duplicidade de Evento");
  const std::string falha = "Evento 110111 da chave " + Chave(1) +
                            " (sequência 1) não registrado: 573 - Duplicidade de Evento";

  // The cancellation queries the document first, then sends the event: one answer holds both.
  CarregarNota(1);
  FHttp->Resposta = Resposta(RetConsSit(Chave(1), "Autorizado") + RetEnvEvento(duplicado));
  EXPECT_EQ(MensagemDe([&] { FNFe->Cancelamento("Pedido cancelado pelo cliente"); }), falha);
  EXPECT_EQ(FNFe->EventoNFe().Evento[0].cStatRetorno, 573);
  FNFe->NotasFiscais().Clear();

  FNFe->EventoNFe().Evento = {Evento(TkovTpEvento::teCancelamento)};
  FHttp->Resposta = Resposta(RetEnvEvento(duplicado));
  EXPECT_EQ(MensagemDe([&] { FNFe->EnviarEvento(1); }), falha);

  FNFe->CartaCorrecao().Evento = {Evento(TkovTpEvento::teCCe)};
  FHttp->Resposta =
      Resposta(RetEnvEvento(RetEvento(Chave(1), "110110", 594, "Rejeição: sequencial")));
  EXPECT_EQ(MensagemDe([&] { FNFe->EnviarCartaCorrecao(1); }),
            "Evento 110110 da chave " + Chave(1) +
                " (sequência 1) não registrado: 594 - Rejeição: sequencial");

  // A processed batch that does not answer the event did not register it either.
  FNFe->EventoNFe().Evento = {Evento(TkovTpEvento::teCancelamento)};
  FHttp->Resposta = Resposta(RetEnvEvento(""));
  EXPECT_EQ(MensagemDe([&] { FNFe->EnviarEvento(1); }),
            "Evento 110111 da chave " + Chave(1) +
                " (sequência 1) não registrado: sem resposta do autorizador");

  for (const int cStat : {135, 136, 155}) {
    FHttp->Resposta = Resposta(RetEnvEvento(RetEvento(Chave(1), "110111", cStat, "Registrado")));
    EXPECT_TRUE(FNFe->EnviarEvento(1)) << cStat;
  }
}

TEST_F(RespostasHostis, EventDetailsAreCheckedInCharactersBeforeSending) {
  struct Caso {
    TkovTpEvento tipo;
    std::string chave;
    std::string nProt;
    std::string texto;
    std::string CNPJ;
    std::string mensagem;
  };
  const std::string k = Chave(1);
  const Caso casos[] = {
      // 14 characters in 16 bytes.
      {TkovTpEvento::teCancelamento, k, "141260000000001", "Numeração errô", "11222333000181",
       "Justificativa do evento deve ter de 15 a 255 caracteres (tem 14)"},
      {TkovTpEvento::teCancelamento, k, "141260000000001",
       std::string(128, 'j') + "çã" + std::string(126, 'j'), "11222333000181",
       "Justificativa do evento deve ter de 15 a 255 caracteres (tem 256)"},
      {TkovTpEvento::teManifDestOperNaoRealizada, k, "", "curta", "11222333000181",
       "Justificativa do evento deve ter de 15 a 255 caracteres (tem 5)"},
      {TkovTpEvento::teCancelamento, k, "14126000000000", "Justificativa suficiente",
       "11222333000181", "Protocolo \"14126000000000\" do evento inválido: deve ter 15 dígitos"},
      {TkovTpEvento::teCCe, k, "", "Correção curta", "11222333000181",
       "Correção do evento deve ter de 15 a 1000 caracteres (tem 14)"},
      {TkovTpEvento::teCCe, k, "", std::string(1001, 'c'), "11222333000181",
       "Correção do evento deve ter de 15 a 1000 caracteres (tem 1001)"},
      // Letters where the UF's digits go: a key error, not a bare conversion failure.
      {TkovTpEvento::teCancelamento, "AB" + k.substr(2), "141260000000001",
       "Justificativa suficiente", "11222333000181", "Chave \"AB" + k.substr(2) + "\" inválida."},
  };
  for (const Caso& caso : casos) {
    TInfEventoNFe evento = Evento(caso.tipo);
    evento.chNFe = caso.chave;
    evento.nProt = caso.nProt;
    evento.xJust = caso.texto;
    evento.xCorrecao = caso.texto;
    evento.CNPJ = caso.CNPJ;
    FNFe->EventoNFe().Evento = {evento};
    EXPECT_EQ(MensagemDe([&] { FNFe->EnviarEvento(1); }), caso.mensagem) << caso.mensagem;
  }
  // The generator's alerts stop the batch as a failed schema check does.
  TInfEventoNFe evento = Evento(TkovTpEvento::teCancelamento);
  evento.CNPJ = "1122233300018";
  FNFe->EventoNFe().Evento = {evento};
  EXPECT_NE(MensagemDe([&] { FNFe->EnviarEvento(1); }).find("CNPJ"), std::string::npos);
  // Voiding counts characters too.
  EXPECT_EQ(
      MensagemDe([&] { FNFe->Inutilizar("11222333000181", "Numeração errô", 2026, 1, 1, 2); }),
      "A Justificativa para Inutilização de numeração da Nota Fiscal Eletronica deve ter no "
      "minimo 15 caracteres");
  EXPECT_EQ(FHttp->Envios, 0);
}

TEST_F(RespostasHostis, ACutOrUnreadableAnswerIsAnErrorWithAMessage) {
  const std::string completa = RetConsStatServ(107, "Serviço em Operação", DataHoraXML(FAgora));
  const std::string envelope = Resposta(completa);
  struct Caso {
    std::string resposta;
    std::string motivo;
  };
  const Caso casos[] = {
      {"", "elemento \"retConsStatServ\" ausente ou incompleto"},
      {envelope.substr(0, envelope.find("</retConsStatServ>") + 5),
       "elemento \"retConsStatServ\" ausente ou incompleto"},
      {envelope.substr(0, envelope.find("</nfeResultMsg>")),
       "elemento \"retConsStatServ\" ausente ou incompleto"},
      {"<html><body>502 Bad Gateway</body></html>",
       "elemento \"retConsStatServ\" ausente ou incompleto"},
      {Resposta("<outro><cStat>107</cStat></outro>"),
       "elemento \"retConsStatServ\" ausente ou incompleto"},
      {Resposta("<retConsStatServ><cStat>107</cStat><xMotivo>a</b></retConsStatServ>"),
       "\"retConsStatServ\" não é XML bem formado"},
      {Resposta("<retConsStatServ versao=\"4.00\"><tpAmb>2</tpAmb></retConsStatServ>"),
       "\"retConsStatServ\" sem cStat numérico"},
      {Resposta("<retConsStatServ><cStat>1O7</cStat></retConsStatServ>"),
       "\"retConsStatServ\" sem cStat numérico"},
  };
  for (const Caso& caso : casos) {
    FHttp->Resposta = caso.resposta;
    const std::string mensagem = MensagemDe([&] { WS().StatusServico().Executar(); });
    EXPECT_TRUE(mensagem.ends_with("Resposta inválida do autorizador: " + caso.motivo)) << mensagem;
  }
  // The services that read their answer into Retorno say the same.
  FHttp->Resposta = envelope.substr(0, envelope.size() / 2);
  WS().Consulta().SetNFeChave(Chave(1));
  EXPECT_EQ(MensagemDe([&] { WS().Consulta().Executar(); }),
            "\r\nResposta inválida do autorizador: elemento \"retConsSitNFe\" ausente ou "
            "incompleto");
}

TEST_F(RespostasHostis, AnAnswerWithoutTpAmbKeepsTheConfiguredEnvironment) {
  FHttp->Resposta = Resposta("<retConsCad versao=\"2.00\"" + kNS +
                             "><infCons><verAplic>PR</verAplic><cStat>111</cStat><xMotivo>"
                             "Consulta cadastro com uma ocorrência</xMotivo><UF>PR</UF><CNPJ>"
                             "11222333000181</CNPJ><dhCons>2026-06-09T10:20:31-03:00</dhCons>"
                             "<cUF>41</cUF></infCons></retConsCad>");
  WS().ConsultaCadastro().SetCNPJ("11222333000181");
  EXPECT_TRUE(WS().ConsultaCadastro().Executar());
  EXPECT_EQ(WS().ConsultaCadastro().tpAmb(), TkovTipoAmbiente::taHomologacao);

  std::string semAmbiente = RetConsStatServ(107, "Serviço em Operação", DataHoraXML(FAgora));
  SubstituirTodos(semAmbiente, "<tpAmb>1</tpAmb>", "");
  FHttp->Resposta = Resposta(semAmbiente);
  EXPECT_TRUE(WS().StatusServico().Executar());
  EXPECT_EQ(WS().StatusServico().tpAmb(), TkovTipoAmbiente::taHomologacao);
  // An answer that names it is believed.
  FHttp->Resposta = Resposta(RetConsStatServ(107, "Serviço em Operação", DataHoraXML(FAgora)));
  EXPECT_TRUE(WS().StatusServico().Executar());
  EXPECT_EQ(WS().StatusServico().tpAmb(), TkovTipoAmbiente::taProducao);
}

TEST_F(RespostasHostis, TheReceiptKeepsTheOffsetItWasWrittenWith) {
  FHttp->Resposta =
      Resposta(RetConsStatServ(107, "Serviço em Operação", "2026-06-09T10:20:31-03:00"));
  EXPECT_TRUE(WS().StatusServico().Executar());
  EXPECT_EQ(WS().StatusServico().dhRecbto(), CodificarDataHora(2026, 6, 9, 10, 20, 31));
  EXPECT_EQ(WS().StatusServico().FusoRecbto(), "-03:00");

  FHttp->Resposta = Resposta(RetConsSit(Chave(1), "Autorizado"));
  WS().Consulta().SetNFeChave(Chave(1));
  EXPECT_TRUE(WS().Consulta().Executar());
  EXPECT_EQ(WS().Consulta().Retorno().FusoRecbto, "-03:00");
  EXPECT_EQ(FusoDaDataHora("2026-06-09T10:20:31+05:30"), "+05:30");
  EXPECT_EQ(FusoDaDataHora("2026-06-09T10:20:31"), "");
  EXPECT_EQ(FusoDaDataHora("2026-06-09T10:20:31Z"), "");
}

}  // namespace

}  // namespace nivra
