// The built consulta-nfe run as a process against the local authoriser over TLS with a client
// certificate: each service's lines, JSON and exit status, an answer with another code, a
// cancelled document, a bad key that sends nothing, a closed port, and the documents saved.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "nivranfe/util/chave_acesso.h"
#include "tests/fakes/pasta_temporaria.h"
#include "tests/fakes/pki_teste.h"
#include "tests/fakes/programa_teste.h"
#include "tests/fakes/simulador_teste.h"

#ifndef NIVRA_CONSULTA_NFE
#error "NIVRA_CONSULTA_NFE must name the built consulta-nfe"
#endif

namespace nivra {

namespace {

const std::string kSituacao = "/pr/NFeConsultaProtocolo4";
const std::string kCadastro = "/pr/CadConsultaCadastro4";
const std::string kDistribuicao = "/an/NFeDistribuicaoDFe";
const std::string kCNPJ = "11222333000181";

// A valid key of a PR document of kCNPJ, number 1.
std::string Chave() {
  const std::string base = "41260611222333000181550010000000011000000001";
  return base.substr(0, 43) + std::to_string(DigitoChaveAcesso(base.substr(0, 43)));
}

// The answer document `documento` of the situation service, in the envelope authorisers send.
std::string EnvelopeSituacao(const std::string& documento) {
  return "<?xml version=\"1.0\" encoding=\"utf-8\"?><soap:Envelope "
         "xmlns:soap=\"http://www.w3.org/2003/05/soap-envelope\"><soap:Body><nfeResultMsg "
         "xmlns=\"http://www.portalfiscal.inf.br/nfe/wsdl/NFeConsultaProtocolo4\">" +
         documento + "</nfeResultMsg></soap:Body></soap:Envelope>";
}

std::string RetConsSitNFe(const std::string& miolo) {
  return "<retConsSitNFe versao=\"4.00\" xmlns=\"http://www.portalfiscal.inf.br/nfe\">"
         "<tpAmb>1</tpAmb><verAplic>PR-v4</verAplic>" +
         miolo + "</retConsSitNFe>";
}

// Every run uses the test PKI's A1 file, the schemas of the source tree and a services table
// that sends the three services of PR production and the national environment to one
// simulator.
class ConsultaNFe : public ::testing::Test {
 protected:
  TExecucao Executar(const std::string& url, std::vector<std::string> argumentos) const {
    TPastaTemporaria::Escrever(
        servicos, "[NFe_PR_P]\nNfeConsultaProtocolo_4.00=" + url + kSituacao +
                      "\nNfeConsultaCadastro_4.00=" + url + kCadastro +
                      "\n[NFe_AN_P]\nNFeDistribuicaoDFe_1.01=" + url + kDistribuicao + "\n");
    argumentos.insert(argumentos.end(), {"--pfx", PastaPKITeste() + "empresa.pfx", "--servicos",
                                         servicos, "--schemas", NIVRA_SCHEMAS});
    return RodarPrograma(NIVRA_CONSULTA_NFE, argumentos, SenhaPKITeste, pasta.Caminho() + "erros");
  }

  // True when `linha` is a whole line of `texto`.
  static bool TemLinha(const std::string& texto, const std::string& linha) {
    return ("\n" + texto).find("\n" + linha + "\n") != std::string::npos;
  }

  const TPastaTemporaria pasta;
  const std::string servicos = pasta.Caminho() + "servicos.ini";
};

TEST_F(ConsultaNFe, EachServicePrintsItsAnswerAndSendsWhatWasAsked) {
  struct TCaso {
    std::vector<std::string> Argumentos;
    std::string Caminho;
    std::vector<std::string> Linhas;    // whole lines of the output
    std::vector<std::string> NoPedido;  // parts of the request's body
  };
  const TCaso casos[] = {
      {{"situacao", Chave()},
       kSituacao,
       {"100 - Autorizado o uso da NF-e", "chNFe: " + Chave()},
       {"<xServ>CONSULTAR</xServ>", "<chNFe>" + Chave() + "</chNFe>"}},
      {{"cadastro", "--cnpj", kCNPJ, "--uf", "PR"},
       kCadastro,
       {"111 - Consulta cadastro com uma ocorrência", "CNPJ: " + kCNPJ, "UF: PR", "cSit: 1",
        "xNome: EMPRESA SIMULADA LTDA"},
       {"<xServ>CONS-CAD</xServ>", "<UF>PR</UF>", "<CNPJ>" + kCNPJ + "</CNPJ>"}},
      {{"cadastro", "--ie", "1234567890"},
       kCadastro,
       {"111 - Consulta cadastro com uma ocorrência", "IE: 1234567890"},
       {"<IE>1234567890</IE>"}},
      {{"distribuicao", "--cnpj", kCNPJ, "--ultimo-nsu", "1"},
       kDistribuicao,
       {"138 - Documento(s) localizado(s)", "ultNSU: 000000000000003", "maxNSU: 000000000000003",
        "000000000000002 resEvento_v1.01.xsd", "000000000000003 procNFe_v4.00.xsd"},
       {"<cUFAutor>41</cUFAutor>", "<CNPJ>" + kCNPJ + "</CNPJ>",
        "<distNSU><ultNSU>000000000000001</ultNSU></distNSU>"}},
      {{"distribuicao", "--cnpj", kCNPJ, "--chave", Chave()},
       kDistribuicao,
       {"138 - Documento(s) localizado(s)", "000000000000003 procNFe_v4.00.xsd"},
       {"<consChNFe><chNFe>" + Chave() + "</chNFe></consChNFe>"}},
  };
  for (const TCaso& caso : casos) {
    SCOPED_TRACE(caso.Argumentos[0] + " " + caso.Argumentos[1]);
    TSimuladorTeste simulador;
    const TExecucao e = Executar(simulador.URL(), caso.Argumentos);
    EXPECT_EQ(e.Saida, 0) << e.Erros;
    EXPECT_EQ(e.Erros, "");
    for (const std::string& linha : caso.Linhas) EXPECT_TRUE(TemLinha(e.Texto, linha)) << linha;
    EXPECT_TRUE(TemLinha(e.Texto, "url: " + simulador.URL() + caso.Caminho)) << e.Texto;
    const auto pedidos = simulador.Pedidos();
    ASSERT_EQ(pedidos.size(), 1U);
    EXPECT_EQ(pedidos[0].Caminho, caso.Caminho);
    for (const std::string& parte : caso.NoPedido)
      EXPECT_NE(pedidos[0].Corpo.find(parte), std::string::npos) << parte;
  }
}

TEST_F(ConsultaNFe, JsonIsOneObjectWithTheServicesFields) {
  TSimuladorTeste simulador;
  const TExecucao situacao = Executar(simulador.URL(), {"situacao", Chave(), "--json"});
  EXPECT_EQ(situacao.Saida, 0) << situacao.Erros;
  const auto s = nlohmann::json::parse(situacao.Texto);
  EXPECT_EQ(s["cStat"], 100);
  EXPECT_EQ(s["cUF"], 41);
  EXPECT_EQ(s["chNFe"], Chave());
  EXPECT_EQ(s["protocolo"].get<std::string>().size(), 15U);
  EXPECT_TRUE(s["dhRecbto"].is_string());
  EXPECT_TRUE(s["cancelamento"].is_null());
  EXPECT_TRUE(s["eventos"].empty());
  EXPECT_FALSE(s.contains("erro"));

  const TExecucao cadastro =
      Executar(simulador.URL(), {"cadastro", "--cpf", "12345678909", "--json"});
  EXPECT_EQ(cadastro.Saida, 0) << cadastro.Erros;
  const auto c = nlohmann::json::parse(cadastro.Texto);
  EXPECT_EQ(c["cStat"], 111);
  EXPECT_TRUE(c["dhRecbto"].is_string());  // the time of the query, dhCons
  ASSERT_EQ(c["contribuintes"].size(), 1U);
  EXPECT_EQ(c["contribuintes"][0]["CPF"], "12345678909");
  EXPECT_EQ(c["contribuintes"][0]["xNome"], "EMPRESA SIMULADA LTDA");

  const TExecucao distribuicao =
      Executar(simulador.URL(), {"distribuicao", "--cnpj", kCNPJ, "--nsu", "2", "--json"});
  EXPECT_EQ(distribuicao.Saida, 0) << distribuicao.Erros;
  const auto d = nlohmann::json::parse(distribuicao.Texto);
  EXPECT_EQ(d["cStat"], 138);
  EXPECT_TRUE(d["dhRecbto"].is_string());  // the time of the answer, dhResp
  EXPECT_EQ(d["ultNSU"], "000000000000002");
  EXPECT_EQ(d["maxNSU"], "000000000000003");
  EXPECT_EQ(d["documentos"],
            nlohmann::json::parse(R"([{"NSU":"000000000000002","schema":"resEvento_v1.01.xsd"}])"));
}

TEST_F(ConsultaNFe, ACancelledDocumentShowsItsEventsAndCountsAsAnswered) {
  const std::string resposta = pasta.Caminho() + "cancelada.xml";
  TPastaTemporaria::Escrever(
      resposta,
      EnvelopeSituacao(RetConsSitNFe(
          "<cStat>101</cStat><xMotivo>Cancelamento de NF-e homologado</xMotivo><cUF>41</cUF>"
          "<dhRecbto>2026-06-10T10:00:00-03:00</dhRecbto><chNFe>" +
          Chave() + "</chNFe><protNFe versao=\"4.00\"><infProt><tpAmb>1</tpAmb><chNFe>" + Chave() +
          "</chNFe><nProt>141260000000001</nProt><cStat>100</cStat><xMotivo>Autorizado o uso "
          "da NF-e</xMotivo></infProt></protNFe><procEventoNFe versao=\"1.00\"><retEvento "
          "versao=\"1.00\"><infEvento><tpAmb>1</tpAmb><cStat>135</cStat><xMotivo>Evento "
          "registrado e vinculado a NF-e</xMotivo><chNFe>" +
          Chave() +
          "</chNFe><tpEvento>110111</tpEvento><nSeqEvento>1</nSeqEvento>"
          "<nProt>141260000000009</nProt></infEvento></retEvento></procEventoNFe>")));
  TSimuladorTeste simulador({"--resposta", resposta});
  const TExecucao e = Executar(simulador.URL(), {"situacao", Chave()});
  EXPECT_EQ(e.Saida, 0) << e.Erros;
  EXPECT_EQ(e.PrimeiraLinha(), "101 - Cancelamento de NF-e homologado");
  EXPECT_TRUE(TemLinha(e.Texto, "protocolo: 141260000000001")) << e.Texto;
  EXPECT_TRUE(TemLinha(e.Texto,
                       "evento 110111 (1): 135 - Evento registrado e vinculado a NF-e; "
                       "protocolo 141260000000009"))
      << e.Texto;

  const auto objeto =
      nlohmann::json::parse(Executar(simulador.URL(), {"situacao", Chave(), "--json"}).Texto);
  ASSERT_EQ(objeto["eventos"].size(), 1U);
  EXPECT_EQ(objeto["eventos"][0]["tpEvento"], "110111");
  EXPECT_EQ(objeto["eventos"][0]["cStat"], 135);
  EXPECT_EQ(objeto["eventos"][0]["nProt"], "141260000000009");
}

TEST_F(ConsultaNFe, AnotherCodeIsPrintedWithExit1AndNoError) {
  const std::string resposta = pasta.Caminho() + "rejeicao.xml";
  TPastaTemporaria::Escrever(
      resposta, EnvelopeSituacao(RetConsSitNFe(
                    "<cStat>217</cStat><xMotivo>Rejeição: NF-e não consta na base de dados da "
                    "SEFAZ</xMotivo><cUF>41</cUF><dhRecbto>2026-06-10T10:00:00-03:00</dhRecbto>"
                    "<chNFe>" +
                    Chave() + "</chNFe>")));
  TSimuladorTeste simulador({"--resposta", resposta});
  const TExecucao e = Executar(simulador.URL(), {"situacao", Chave()});
  EXPECT_EQ(e.Saida, 1);
  EXPECT_EQ(e.PrimeiraLinha(), "217 - Rejeição: NF-e não consta na base de dados da SEFAZ");
  EXPECT_EQ(e.Erros, "");

  const TExecucao json = Executar(simulador.URL(), {"situacao", Chave(), "--json"});
  EXPECT_EQ(json.Saida, 1);
  const auto objeto = nlohmann::json::parse(json.Texto);
  EXPECT_EQ(objeto["cStat"], 217);
  EXPECT_FALSE(objeto.contains("erro"));
}

TEST_F(ConsultaNFe, ABadKeyIsRefusedWithTheComponentsMessageBeforeAnyRequest) {
  TSimuladorTeste simulador;
  std::string chave = Chave();
  chave.back() = chave.back() == '0' ? '1' : '0';  // a wrong check digit
  for (const std::string& errada : {chave, Chave().substr(1), std::string("chave")}) {
    SCOPED_TRACE(errada);
    const TExecucao e = Executar(simulador.URL(), {"situacao", errada});
    EXPECT_EQ(e.Saida, 3);
    EXPECT_EQ(e.Texto, "");
    EXPECT_EQ(e.Erros, "Chave \"" + errada + "\" inválida.\n");
  }
  const TExecucao json = Executar(simulador.URL(), {"situacao", chave, "--json"});
  EXPECT_EQ(json.Saida, 3);
  EXPECT_EQ(nlohmann::json::parse(json.Texto)["erro"], "Chave \"" + chave + "\" inválida.");
  EXPECT_TRUE(simulador.Pedidos().empty());
}

TEST_F(ConsultaNFe, AnAlphanumericCNPJOrKeyGoesOutExactlyAsTyped) {
  // 12ABC34501DE35 is a CNPJ with letters; the key is its invoice 1 in PR.
  const std::string chave = "41260612ABC34501DE35550010000000011000000018";
  std::string minuscula = chave;
  std::transform(minuscula.begin(), minuscula.end(), minuscula.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  struct TCaso {
    std::vector<std::string> Argumentos;
    std::string Linha;
    std::string NoPedido;
  };
  const TCaso casos[] = {
      {{"situacao", chave}, "chNFe: " + chave, "<chNFe>" + chave + "</chNFe>"},
      {{"situacao", minuscula}, "chNFe: " + chave, "<chNFe>" + chave + "</chNFe>"},
      {{"cadastro", "--cnpj", "12ABC34501DE35", "--uf", "PR"},
       "CNPJ: 12ABC34501DE35",
       "<CNPJ>12ABC34501DE35</CNPJ>"},
      {{"cadastro", "--cnpj", "12.abc.345/01de-35", "--uf", "PR"},
       "CNPJ: 12ABC34501DE35",
       "<CNPJ>12ABC34501DE35</CNPJ>"},
  };
  for (const TCaso& caso : casos) {
    SCOPED_TRACE(caso.Argumentos[0] + " " + caso.Argumentos[1] + " " +
                 caso.Argumentos[caso.Argumentos.size() > 2 ? 2 : 1]);
    TSimuladorTeste simulador;
    const TExecucao e = Executar(simulador.URL(), caso.Argumentos);
    EXPECT_EQ(e.Saida, 0) << e.Erros;
    EXPECT_TRUE(TemLinha(e.Texto, caso.Linha)) << e.Texto;
    const auto pedidos = simulador.Pedidos();
    ASSERT_EQ(pedidos.size(), 1U);
    EXPECT_NE(pedidos[0].Corpo.find(caso.NoPedido), std::string::npos) << pedidos[0].Corpo;
  }
}

TEST_F(ConsultaNFe, ABadNumberIsRefusedWithExit3AndNothingIsSent) {
  const std::string kForma =
      "(CNPJ de 14 caracteres, letras só nas 12 primeiras, com os dígitos "
      "verificadores certos)";
  struct TCaso {
    std::vector<std::string> Argumentos;
    std::string Erro;
  };
  const TCaso casos[] = {
      {{"cadastro", "--cnpj", "abc"},
       "consulta-nfe: valor inválido para --cnpj: \"abc\" " + kForma},
      {{"cadastro", "--cnpj", "12ABC34501DE53"},
       "consulta-nfe: valor inválido para --cnpj: \"12ABC34501DE53\" " + kForma},
      {{"distribuicao", "--cnpj", "1122233300018", "--ultimo-nsu", "0"},
       "consulta-nfe: valor inválido para --cnpj: \"1122233300018\" " + kForma},
      {{"distribuicao", "--cnpj", kCNPJ, "--nsu", "abc"},
       "consulta-nfe: valor inválido para --nsu: \"abc\" (número de 1 a 15 dígitos)"},
      {{"distribuicao", "--cnpj", kCNPJ, "--ultimo-nsu", "1234567890123456"},
       "consulta-nfe: valor inválido para --ultimo-nsu: \"1234567890123456\" (número de 1 a 15 "
       "dígitos)"},
      // The distribution's layout takes only numeric CNPJs: refused, never changed to fit.
      {{"distribuicao", "--cnpj", "12ABC34501DE35", "--ultimo-nsu", "0"},
       "A distribuição de DF-e (leiaute 1.01) aceita só CNPJ e chave numéricos: "
       "\"12ABC34501DE35\"."},
  };
  for (const TCaso& caso : casos) {
    SCOPED_TRACE(caso.Argumentos[2]);
    TSimuladorTeste simulador;
    const TExecucao e = Executar(simulador.URL(), caso.Argumentos);
    EXPECT_EQ(e.Saida, 3);
    EXPECT_EQ(e.Erros, caso.Erro + "\n");
    EXPECT_TRUE(simulador.Pedidos().empty());
  }
}

TEST_F(ConsultaNFe, AClosedPortFailsWithTheConnectionTextAndExit3) {
  std::string url;
  {
    TSimuladorTeste simulador;
    url = simulador.URL();
  }  // stopped: nobody listens on its port any more
  for (const std::vector<std::string>& argumentos :
       {std::vector<std::string>{"situacao", Chave()},
        std::vector<std::string>{"cadastro", "--cnpj", kCNPJ},
        std::vector<std::string>{"distribuicao", "--cnpj", kCNPJ, "--ultimo-nsu", "0"}}) {
    SCOPED_TRACE(argumentos[0]);
    const TExecucao texto = Executar(url, argumentos);
    EXPECT_EQ(texto.Saida, 3);
    EXPECT_EQ(texto.Texto, "");
    EXPECT_NE(texto.Erros.find("Conexão com o Servidor falhou"), std::string::npos) << texto.Erros;
  }
  const TExecucao json = Executar(url, {"distribuicao", "--cnpj", kCNPJ, "--nsu", "1", "--json"});
  EXPECT_EQ(json.Saida, 3);
  const auto objeto = nlohmann::json::parse(json.Texto);
  EXPECT_EQ(objeto["cStat"], 0);
  EXPECT_NE(objeto["erro"].get<std::string>().find("Conexão com o Servidor falhou"),
            std::string::npos);
}

TEST_F(ConsultaNFe, DistributionSavesTheDocumentsReceivedOnlyWhenAsked) {
  TSimuladorTeste simulador;
  const std::string pastaSalvar = pasta.Caminho() + "salvos/";
  const std::vector<std::string> distribuicao{"distribuicao", "--cnpj", kCNPJ, "--ultimo-nsu", "0"};
  EXPECT_EQ(Executar(simulador.URL(), distribuicao).Saida, 0);
  EXPECT_FALSE(std::filesystem::exists(pastaSalvar));

  std::vector<std::string> salvando = distribuicao;
  salvando.insert(salvando.end(), {"--salvar", pastaSalvar});
  const TExecucao e = Executar(simulador.URL(), salvando);
  ASSERT_EQ(e.Saida, 0) << e.Erros;
  std::vector<std::string> documentos;
  for (const auto& item : std::filesystem::recursive_directory_iterator(pastaSalvar)) {
    const std::string nome = item.path().filename().string();
    for (const char* fim : {"-resNFe.xml", "-resEventoNFe.xml", "-nfe.xml"})
      if (nome.ends_with(fim)) documentos.push_back(fim);
  }
  std::sort(documentos.begin(), documentos.end());
  EXPECT_EQ(documentos, (std::vector<std::string>{"-nfe.xml", "-resEventoNFe.xml", "-resNFe.xml"}));
}

}  // namespace

}  // namespace nivra
