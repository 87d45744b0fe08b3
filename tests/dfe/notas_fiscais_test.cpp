// The invoice collection's operations on documents of the model: adding, loading, writing,
// alerts and saving.
#include <gtest/gtest.h>

#include <filesystem>

#include "nivranfe/dfe/documentos_nfe.h"
#include "nivranfe/util/arquivos.h"
#include "nivranfe/util/excecoes.h"
#include "tests/documento/nota_teste.h"
#include "tests/fakes/pasta_temporaria.h"

namespace nivra {

namespace {

TEST(NotasFiscais, AddedModelGetsItsKeyAndXMLAndKeepsItsAlerts) {
  TNotasFiscais notas;
  const NotaFiscal& boa = notas.Add(NotaDeTeste());
  EXPECT_TRUE(boa.Alertas().empty());
  EXPECT_EQ(boa.ChaveAcesso().substr(6, 14), "12ABC34501DE35");
  EXPECT_EQ(boa.CNPJEmitente(), "12ABC34501DE35");
  EXPECT_EQ(boa.tpAmb(), 2);

  nfe::TNFe errada = NotaDeTeste();
  errada.infNFe.ide.tpAmb = "3";
  notas.Add(errada);
  const auto alertas = notas.Alertas();
  ASSERT_EQ(alertas.size(), 1u);
  EXPECT_TRUE(alertas[0].starts_with("NF-e 2: ")) << alertas[0];

  notas.Items(1).NFe().infNFe.ide.tpAmb = "1";
  EXPECT_TRUE(notas.GerarNFe());
  EXPECT_TRUE(notas.Alertas().empty());
}

TEST(NotasFiscais, LoadedDocumentKeepsItsBytesAndItsProtocol) {
  TNotasFiscais notas;
  const std::string nfe = notas.Add(NotaDeTeste()).XML();
  const std::string proc =
      "<nfeProc xmlns=\"http://www.portalfiscal.inf.br/nfe\" versao=\"4.00\">\n  " + nfe +
      "\n  <protNFe versao=\"4.00\"><infProt><tpAmb>2</tpAmb><verAplic>SIM</verAplic><chNFe>" +
      notas.Items(0).ChaveAcesso() +
      "</chNFe><dhRecbto>2026-12-10T09:31:00-03:00</dhRecbto><nProt>141260000000009</nProt>"
      "<cStat>100</cStat><xMotivo>Autorizado o uso da NF-e</xMotivo></infProt></protNFe>\n"
      "</nfeProc>";
  NotaFiscal& lida = notas.LoadFromString(proc);
  EXPECT_EQ(lida.XML(), proc);
  EXPECT_EQ(lida.Protocolo(), "141260000000009");
  EXPECT_EQ(lida.cStat(), 100);
  EXPECT_EQ(std::get<nfe::TCNPJ>(lida.NFe().infNFe.emit.CNPJ_CPF).CNPJ, "12ABC34501DE35");

  TPastaTemporaria pasta;
  notas.GravarXML(pasta.Caminho());
  const std::string gravado = LerArquivoBinario(pasta.Caminho() + lida.ChaveAcesso() + "-nfe.xml");
  EXPECT_NE(gravado.find("<nfeProc"), std::string::npos);
  EXPECT_NE(gravado.find("<nProt>141260000000009</nProt>"), std::string::npos);
  EXPECT_EQ(notas.LoadFromFile(pasta.Caminho() + lida.ChaveAcesso() + "-nfe.xml").NFe().infNFe.Id,
            "NFe" + lida.ChaveAcesso());
}

TEST(NotasFiscais, WhatCannotBeReadIsNotAdded) {
  TNotasFiscais notas;
  EXPECT_THROW(notas.LoadFromString("<nfeProc/>"), ENivraDFeException);
  EXPECT_THROW(notas.LoadFromFile("/caminho/que/nao/existe.xml"), ENivraDFeException);
  EXPECT_EQ(notas.Count(), 0u);
}

}  // namespace

}  // namespace nivra
