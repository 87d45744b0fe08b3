// The built documento-nfe run as a process: an invoice's JSON to signed XML and back, the
// alerts that stop it, the checks of validar and the exit status of each.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "nivranfe/documento/documento_evento.h"
#include "nivranfe/documento/documento_nfe.h"
#include "nivranfe/documento/json_nfe.h"
#include "tests/documento/evento_teste.h"
#include "tests/documento/nota_teste.h"
#include "tests/fakes/pasta_temporaria.h"
#include "tests/fakes/pki_teste.h"
#include "tests/fakes/programa_teste.h"
#include "tests/fakes/xmlsec1_comando.h"

#ifndef NIVRA_DOCUMENTO_NFE
#error "NIVRA_DOCUMENTO_NFE must name the built documento-nfe"
#endif

namespace nivra {

namespace {

class DocumentoNFeProcesso : public ::testing::Test {
 protected:
  TExecucao Rodar(const std::vector<std::string>& argumentos) {
    return RodarPrograma(NIVRA_DOCUMENTO_NFE, argumentos, SenhaPKITeste,
                         FPasta.Caminho() + "erros.txt");
  }
  std::string Escrever(const std::string& nome, const std::string& texto) {
    TPastaTemporaria::Escrever(FPasta.Caminho() + nome, texto);
    return FPasta.Caminho() + nome;
  }

  TPastaTemporaria FPasta;
};

TEST_F(DocumentoNFeProcesso, GeneratesSignsReadsBackAndValidates) {
  const std::string json = Escrever("nota.json", NFeParaJSON(NotaDeTeste()));
  const std::string xml = FPasta.Caminho() + "nota.xml";
  const TExecucao gerar =
      Rodar({"gerar", json, "--pfx", std::string(NIVRA_PKI_TESTE) + "empresa.pfx", "-o", xml});
  ASSERT_EQ(gerar.Saida, 0) << gerar.Erros;
  EXPECT_TRUE(gerar.Erros.starts_with("NF-e 41261212ABC34501DE35")) << gerar.Erros;

  const std::string assinado = TPastaTemporaria::Ler(xml);
  TXmlSec1 xmlsec1;
  EXPECT_TRUE(xmlsec1.Verifica(assinado, "infNFe"));
  const TNFeLida lida = LerXMLNFe(assinado);
  EXPECT_NE(lida.NFe.Signature.find("<DigestValue>"), std::string::npos);
  EXPECT_EQ(lida.NFe.infNFe.ide.cNF.size(), 8u);
  EXPECT_NE(lida.NFe.infNFe.ide.cNF, "00000123");

  const TExecucao validar = Rodar({"validar", xml});
  EXPECT_EQ(validar.Saida, 0) << validar.Texto;
  EXPECT_NE(validar.Texto.find("Assinatura: válida\n"), std::string::npos) << validar.Texto;

  const TExecucao paraJson = Rodar({"json", xml});
  ASSERT_EQ(paraJson.Saida, 0) << paraJson.Erros;
  EXPECT_EQ(GerarXMLNFe(NFeDeJSON(paraJson.Texto)).XML, GerarXMLNFe(lida.NFe).XML);

  std::string adulterado = assinado;
  adulterado.replace(adulterado.find("Parafuso"), 8, "Arruela!");
  const TExecucao invalido = Rodar({"validar", Escrever("adulterada.xml", adulterado), "--json"});
  EXPECT_EQ(invalido.Saida, 1);
  EXPECT_NE(invalido.Texto.find("\"valido\": false"), std::string::npos) << invalido.Texto;
}

TEST_F(DocumentoNFeProcesso, ReadsAndChecksAnEventFileToo) {
  const nfe::evento::Tevento evento = EventoDeTeste(1);
  const std::string arquivo = Escrever("evento.xml", GerarXMLEvento(evento).XML);
  const TExecucao paraJson = Rodar({"json", arquivo});
  ASSERT_EQ(paraJson.Saida, 0) << paraJson.Erros;
  EXPECT_EQ(GerarXMLEvento(EventoDeJSON(paraJson.Texto)).XML, GerarXMLEvento(evento).XML);

  const TExecucao validar = Rodar({"validar", arquivo, "--json"});
  EXPECT_EQ(validar.Saida, 1) << validar.Texto;
  EXPECT_NE(validar.Texto.find("\"chNFe\": \"" + ChaveDoEvento() + "\""), std::string::npos)
      << validar.Texto;
  EXPECT_NE(validar.Texto.find("\"alertas\": []"), std::string::npos) << validar.Texto;
  EXPECT_NE(validar.Texto.find("\"assinatura\": \"ausente\""), std::string::npos) << validar.Texto;
}

TEST_F(DocumentoNFeProcesso, AlertsGoToStandardErrorAndNothingIsWritten) {
  nfe::TNFe nota = NotaDeTeste();
  nota.infNFe.ide.tpAmb = "7";
  const std::string xml = FPasta.Caminho() + "nota.xml";
  const TExecucao gerar = Rodar({"gerar", Escrever("nota.json", NFeParaJSON(nota)), "-o", xml});
  EXPECT_EQ(gerar.Saida, 3);
  EXPECT_NE(gerar.Erros.find("tpAmb(tpAmb) - Valor [7] fora dos aceitos: 1, 2"), std::string::npos)
      << gerar.Erros;
  EXPECT_FALSE(std::filesystem::exists(xml));
}

TEST_F(DocumentoNFeProcesso, FailuresExitWithThree) {
  struct TCaso {
    std::vector<std::string> Argumentos;
    std::string Erro;
  };
  const std::string naoNFe = Escrever("outro.xml", "<nfeProc/>");
  const std::string jsonRuim = Escrever("ruim.json", "{\"infNFe\": {\"emit\": {\"x\": 1}}}");
  const TCaso casos[] = {
      {{}, "informe a ação"},
      {{"imprimir", "a.xml"}, "valor inválido para a ação"},
      {{"gerar"}, "informe o arquivo"},
      {{"json", naoNFe, "-o", "x"}, "opção desconhecida para json: --saida"},
      {{"json", naoNFe}, "Documento não contém o elemento NFe"},
      {{"gerar", jsonRuim}, "infNFe/emit/x não pertence ao leiaute aqui"},
      {{"validar", FPasta.Caminho() + "nao-existe.xml"}, "nao-existe.xml"},
  };
  for (const auto& caso : casos) {
    const TExecucao execucao = Rodar(caso.Argumentos);
    EXPECT_EQ(execucao.Saida, 3) << caso.Erro;
    EXPECT_NE(execucao.Erros.find(caso.Erro), std::string::npos) << execucao.Erros;
  }
}

}  // namespace

}  // namespace nivra
