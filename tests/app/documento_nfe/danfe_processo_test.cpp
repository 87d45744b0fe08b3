// documento-nfe danfe run as a process: each kind of document gives its print, the options
// reach it, and what cannot be printed is refused with exit status 3 and nothing written.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/app/documento_nfe/documentos_xml_teste.h"
#include "tests/fakes/pasta_temporaria.h"
#include "tests/fakes/programa_teste.h"
#include "tests/impressao/imagem_teste.h"
#include "tests/impressao/leitura_pdf.h"

#ifndef NIVRA_DOCUMENTO_NFE
#error "NIVRA_DOCUMENTO_NFE must name the built documento-nfe"
#endif

namespace nivra {

namespace {

class DanfeProcesso : public ::testing::Test {
 protected:
  TExecucao Rodar(const std::vector<std::string>& argumentos) {
    return RodarPrograma(NIVRA_DOCUMENTO_NFE, argumentos, "", FPasta.Caminho() + "erros.txt");
  }
  std::string Caminho(const std::string& nome) const { return FPasta.Caminho() + nome; }

  TPastaTemporaria FPasta;
  TDocumentosXML FDocs = EscreverDocumentos(FPasta.Caminho());
};

bool Contem(const std::string& texto, const std::string& trecho) {
  return texto.find(trecho) != std::string::npos;
}

TEST_F(DanfeProcesso, EachKindOfDocumentGivesItsPrint) {
  const struct {
    std::string Arquivo;
    std::string Impresso;
    std::string Texto;
  } casos[] = {
      {FDocs.NFe, "DANFE de NF-e nº 123 série 1", "Documento Auxiliar da Nota Fiscal Eletrônica"},
      {FDocs.NFCe, "DANFCE de NFC-e nº 123 série 1",
       "Documento Auxiliar da Nota Fiscal de Consumidor Eletrônica"},
      {FDocs.CartaCorrecao, "evento de Carta de Correcao da NF-e " + kChaveCCe,
       "CARTA DE CORREÇÃO ELETRÔNICA"},
      {FDocs.Inutilizacao, "inutilização de Inutilização de numeração",
       "INUTILIZAÇÃO DE NUMERAÇÃO"},
  };
  for (const auto& caso : casos) {
    const std::string pdf = Caminho("saida.pdf");
    const TExecucao e = Rodar({"danfe", caso.Arquivo, "-o", pdf});
    ASSERT_EQ(e.Saida, 0) << e.Erros;
    EXPECT_TRUE(e.Erros.starts_with(caso.Impresso)) << e.Erros;
    EXPECT_TRUE(Contem(e.Erros, "gravado em " + pdf)) << e.Erros;
    EXPECT_TRUE(Contem(TLeituraPDF(TPastaTemporaria::Ler(pdf)).TextoCorrido(), caso.Texto))
        << caso.Arquivo;
  }
}

TEST_F(DanfeProcesso, WithoutOutputTheFileIsNamedAsTheComponentNamesIt) {
  const TExecucao e = RodarPrograma(
      "/usr/bin/env", {"-C", FPasta.Caminho(), NIVRA_DOCUMENTO_NFE, "danfe", FDocs.NFe, "--json"},
      "", Caminho("erros.txt"));
  ASSERT_EQ(e.Saida, 0) << e.Erros;
  const std::string arquivo = FDocs.ChaveNFe + "-nfe.pdf";
  EXPECT_TRUE(std::filesystem::exists(Caminho(arquivo)));
  EXPECT_TRUE(Contem(e.Texto, "\"impresso\":\"DANFE\"")) << e.Texto;
  EXPECT_TRUE(Contem(e.Texto, "\"arquivo\":\"" + arquivo + "\"")) << e.Texto;
}

TEST_F(DanfeProcesso, PrintOptionsReachTheDocumentAndOthersAreReported) {
  TPastaTemporaria::Escrever(Caminho("logo.png"), ImagemDeTeste("png", 120, 60));
  const TExecucao danfe = Rodar({"danfe", FDocs.NFe, "-o", Caminho("a4.pdf"), "--paisagem",
                                 "--cancelada", "--logo", Caminho("logo.png")});
  ASSERT_EQ(danfe.Saida, 0) << danfe.Erros;
  const TLeituraPDF a4(TPastaTemporaria::Ler(Caminho("a4.pdf")));
  EXPECT_NEAR(a4.AlturaMm(), 210, 0.5);
  EXPECT_TRUE(Contem(a4.TextoSemBrancos(), "NF-eCANCELADA"));
  EXPECT_EQ(a4.Imagens().size(), 1U);

  const TExecucao danfce =
      Rodar({"danfe", FDocs.NFCe, "-o", Caminho("bobina.pdf"), "--bobina", "58", "--paisagem"});
  ASSERT_EQ(danfce.Saida, 0) << danfce.Erros;
  EXPECT_TRUE(Contem(danfce.Erros, "--paisagem não se aplica à impressão de DANFCE; ignorada"))
      << danfce.Erros;
  EXPECT_NEAR(TLeituraPDF(TPastaTemporaria::Ler(Caminho("bobina.pdf"))).LarguraMm(), 58, 0.1);
}

TEST_F(DanfeProcesso, WhatCannotBePrintedExitsWithThreeAndWritesNothing) {
  TPastaTemporaria::Escrever(Caminho("logo.png"), "não é uma imagem");
  TPastaTemporaria::Escrever(Caminho("outro.xml"), "<?xml version=\"1.0\"?><!-- x --><retorno/>");
  const std::string pdf = Caminho("nada.pdf");
  const struct {
    std::vector<std::string> Argumentos;
    std::string Erro;
  } casos[] = {
      {{"danfe", FDocs.NFe, "-o", pdf, "--logo", Caminho("logo.png")},
       "Logotipo " + Caminho("logo.png") + ": Imagem em formato não suportado"},
      {{"danfe", FDocs.NFe, "-o", pdf, "--logo", Caminho("sem-logo.png")},
       "Não foi possível abrir o arquivo"},
      {{"danfe", Caminho("outro.xml"), "-o", pdf}, "Documento não reconhecido: <retorno>"},
      {{"danfe", Caminho("logo.png"), "-o", pdf}, "Documento não reconhecido: não é XML"},
      {{"danfe", Caminho("nao-existe.xml"), "-o", pdf}, "nao-existe.xml"},
      {{"danfe", FDocs.NFCe, "-o", pdf, "--bobina", "70"}, "valor inválido para --bobina"},
      {{"danfe", FDocs.NFe, "--para", "a@b.c"}, "opção desconhecida para danfe: --para"},
  };
  for (const auto& caso : casos) {
    const TExecucao e = Rodar(caso.Argumentos);
    EXPECT_EQ(e.Saida, 3) << caso.Erro;
    EXPECT_TRUE(Contem(e.Erros, caso.Erro)) << e.Erros;
    EXPECT_FALSE(std::filesystem::exists(pdf)) << caso.Erro;
  }
}

}  // namespace

}  // namespace nivra
