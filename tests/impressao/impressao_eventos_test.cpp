// The printed correction letter, cancellation and voiding read back from their PDFs, and the
// reading of their XML.
#include "nivranfe/impressao/impressao_eventos.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "nivranfe/impressao/leitura_eventos.h"
#include "nivranfe/util/texto.h"
#include "tests/fakes/mensagem_de.h"
#include "tests/impressao/eventos_exemplo.h"
#include "tests/impressao/leitura_pdf.h"

namespace nivra {

namespace {

void EsperarTrechos(const std::string& texto, const std::vector<std::string>& trechos) {
  for (const std::string& t : trechos) EXPECT_NE(texto.find(t), std::string::npos) << t;
}

TEST(ImpressaoEventos, CorrectionLetterPrintsItsFieldsAndKey) {
  const TLeituraPDF pdf(PDFEvento(LerEventoImpresso(kXMLCartaCorrecao)));
  EXPECT_EQ(pdf.Paginas(), 1);
  const std::string texto = pdf.TextoCorrido();
  EsperarTrechos(
      texto,
      {"CARTA DE CORREÇÃO ELETRÔNICA", "EMITIDO EM AMBIENTE DE HOMOLOGAÇÃO - SEM VALOR FISCAL",
       // The issuer's alphanumeric CNPJ, from the key and as the author.
       "12.ABC.345/01DE-35", "4126 1212 ABC3 4501 DE35 5500 1000 0001 2310 0000 0175",
       "000.000.123", "12/2026", "110110 - Carta de Correcao", "10/12/2026 14:30:00",
       "2 - HOMOLOGAÇÃO", "135 - Evento registrado e vinculado a NF-e", "141260000012345",
       "10/12/2026 14:31:07", kCorrecao, "pode ser utilizada para regularizacao"});
  // The watermark across the page, drawn last.
  EXPECT_TRUE(pdf.TextoSemBrancos().ends_with("SEMVALORFISCAL"));
  EXPECT_EQ(pdf.Codigos(), std::vector<std::string>{"CODE-128:" + kChaveCCe});
}

TEST(ImpressaoEventos, CancellationInProductionHasNoHomologationMark) {
  const TLeituraPDF pdf(PDFEvento(LerEventoImpresso(kXMLCancelamento)));
  const std::string texto = pdf.TextoCorrido();
  EsperarTrechos(texto,
                 {"CANCELAMENTO DE NF-e", "11.222.333/0001-81", "1 - PRODUÇÃO", "141260000000001",
                  "Pedido cancelado pelo cliente antes da saída da mercadoria", "141260000054321",
                  "11/12/2026 09:05:42"});
  EXPECT_EQ(texto.find("SEM VALOR FISCAL"), std::string::npos);
  EXPECT_FALSE(pdf.TextoSemBrancos().ends_with("SEMVALORFISCAL"));
  EXPECT_EQ(pdf.Codigos(), std::vector<std::string>{"CODE-128:" + kChaveCancelada});
}

TEST(ImpressaoEventos, EventWithoutRegistrationSaysSo) {
  // The bare evento, as signed before sending.
  const std::string evento = ConteudoEntre(kXMLCancelamento, "<procEventoNFe", "<retEvento");
  const std::string xml = "<evento" + evento.substr(evento.find("<evento") + 7);
  const TEventoImpresso lido = LerEventoImpresso(xml);
  EXPECT_TRUE(lido.cStat.empty());
  EXPECT_EQ(lido.xJust, "Pedido cancelado pelo cliente antes da saída da mercadoria");
  const std::string texto = TLeituraPDF(PDFEvento(lido)).TextoCorrido();
  EsperarTrechos(texto, {"EVENTO SEM REGISTRO", "CANCELAMENTO DE NF-e"});
}

TEST(ImpressaoEventos, LongestCorrectionStaysOnOnePage) {
  std::string longa;
  while (longa.size() < 990) longa += "Correção número " + std::to_string(longa.size()) + "; ";
  std::string xml = kXMLCartaCorrecao;
  xml.replace(xml.find(kCorrecao), kCorrecao.size(), longa);
  const TLeituraPDF pdf(PDFEvento(LerEventoImpresso(xml)));
  EXPECT_EQ(pdf.Paginas(), 1);
  const std::string texto = pdf.TextoCorrido();
  EXPECT_NE(texto.find(longa.substr(0, longa.size() - 2)), std::string::npos);
}

TEST(ImpressaoEventos, VoidingPrintsTheRangeAndTheProtocol) {
  const TInutilizacaoImpressa lida = LerInutilizacaoImpressa(kXMLInutilizacao);
  EXPECT_EQ(lida.Id, "ID41261212ABC34501DE3555001000000010000000015");
  const TLeituraPDF pdf(PDFInutilizacao(lida));
  EXPECT_EQ(pdf.Paginas(), 1);
  EsperarTrechos(
      pdf.TextoCorrido(),
      {"INUTILIZAÇÃO DE NUMERAÇÃO DE NF-e", "12.ABC.345/01DE-35", "41 - PR", "2026",
       "NÚMERO INICIAL 10", "NÚMERO FINAL 15", "Falha no sistema emissor pulou a numeração",
       "102 - Inutilizacao de numero homologado", "141260000099999", "10/12/2026 16:00:00"});
}

TEST(ImpressaoEventos, DocumentsThatAreNotEventsAreRefused) {
  const struct {
    std::string xml;
    std::string mensagem;
  } eventos[] = {
      {"", "XML de evento inválido: "},
      {"<procEventoNFe><evento>", "XML de evento inválido: "},
      {"<NFe xmlns=\"http://www.portalfiscal.inf.br/nfe\"/>",
       "XML não é um evento de NF-e (procEventoNFe ou evento)"},
      {"<evento><infEvento><tpEvento>110110</tpEvento></infEvento></evento>",
       "XML não é um evento de NF-e (procEventoNFe ou evento)"},
      {"<evento>" + std::string(1024 * 1024, ' ') + "</evento>",
       "XML de evento inválido: maior que 1 MiB"},
  };
  for (const auto& c : eventos) {
    EXPECT_TRUE(MensagemDe([&] { (void)LerEventoImpresso(c.xml); }).starts_with(c.mensagem))
        << c.xml.substr(0, 60);
  }
  EXPECT_EQ(MensagemDe([&] { (void)LerInutilizacaoImpressa(kXMLCancelamento); }),
            "XML não é uma inutilização de NF-e (ProcInutNFe ou inutNFe)");
  // An entity is never expanded into the printed text.
  const std::string comEntidade =
      "<!DOCTYPE evento [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>"
      "<evento><infEvento><chNFe>&x;</chNFe></infEvento></evento>";
  EXPECT_EQ(MensagemDe([&] { (void)LerEventoImpresso(comEntidade); }),
            "XML não é um evento de NF-e (procEventoNFe ou evento)");
}

}  // namespace

}  // namespace nivra
