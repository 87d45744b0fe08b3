// The built status-sefaz run as a process against the local authoriser over TLS with a client
// certificate: an A1 file, a store entry and a token; the exit codes, the first line, the JSON
// object, transport failures, an expired certificate, and the store commands.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "app/historico/historico_status.h"
#include "tests/fakes/certificados_teste.h"
#include "tests/fakes/pasta_temporaria.h"
#include "tests/fakes/pki_teste.h"
#include "tests/fakes/programa_teste.h"
#include "tests/fakes/simulador_teste.h"

#ifndef NIVRA_STATUS_SEFAZ
#error "NIVRA_STATUS_SEFAZ must name the built status-sefaz"
#endif

namespace nivra {

namespace {

// Every run reads a throw-away certificate store and the schemas of the source tree, and gets
// the password from NIVRA_SENHA.
class StatusSefaz : public ::testing::Test {
 protected:
  // Runs status-sefaz with the arguments and NIVRA_SENHA=senha.
  TExecucao Executar(const std::vector<std::string>& argumentos,
                     const std::string& senha = SenhaPKITeste) const {
    return RodarPrograma(NIVRA_STATUS_SEFAZ, argumentos, senha, pasta.Caminho() + "erros");
  }

  // A status query of PR production, whose endpoint is url, with the certificate options.
  TExecucao Consultar(const std::string& url, std::vector<std::string> certificado,
                      const std::string& senha = SenhaPKITeste) const {
    TPastaTemporaria::Escrever(servicos, "[NFe_PR_P]\nNfeStatusServico_4.00=" + url + "\n");
    std::vector<std::string> argumentos{"--uf",   "PR",        "--servicos",
                                        servicos, "--schemas", NIVRA_SCHEMAS};
    argumentos.insert(argumentos.end(), certificado.begin(), certificado.end());
    return Executar(argumentos, senha);
  }

  // Puts the PKI's store entries (empresa and vencida) into the throw-away store.
  void CopiarRepositorioPKI() const {
    for (const char* entrada : {"empresa.pfx", "vencida.pfx"})
      std::filesystem::copy_file(PastaPKITeste() + "repositorio/" + entrada,
                                 repositorio.Caminho() + entrada);
  }

  const TRepositorioTeste repositorio;
  const TPastaTemporaria pasta;
  const std::string servicos = pasta.Caminho() + "servicos.ini";
};

const std::string kCaminho = "/ws/NFeStatusServico4.asmx";

// The keyring's libraries are opened when the keyring is first used: a query that does not
// need it does not map and relocate libsecret, GIO and GLib before it starts.
TEST_F(StatusSefaz, StartsWithoutLoadingTheKeyringLibraries) {
  // With LD_TRACE_LOADED_OBJECTS the dynamic loader lists what it loads and stops before main.
  const TExecucao e =
      RodarPrograma("/usr/bin/env", {"LD_TRACE_LOADED_OBJECTS=1", NIVRA_STATUS_SEFAZ},
                    SenhaPKITeste, pasta.Caminho() + "erros");
  ASSERT_NE(e.Texto.find("libcurl"), std::string::npos) << e.Texto << e.Erros;
  for (const char* biblioteca : {"libsecret", "libgio", "libglib"})
    EXPECT_EQ(e.Texto.find(biblioteca), std::string::npos) << biblioteca;
}

TEST_F(StatusSefaz, AnswersWithTheExitCodeAndFirstLineOfTheStatus) {
  enum class TCertificado { Arquivo, Repositorio, Token };
  struct TCaso {
    const char* Cenario;
    TCertificado Certificado;
    int Saida;
    const char* PrimeiraLinha;
  };
  const TCaso casos[] = {
      {"107", TCertificado::Arquivo, 0, "107 - Serviço em Operação"},
      {"108", TCertificado::Repositorio, 1,
       "108 - Serviço Paralisado Momentaneamente (curto prazo)"},
      {"109", TCertificado::Token, 2, "109 - Serviço Paralisado sem Previsão"},
      {"109", TCertificado::Arquivo, 2, "109 - Serviço Paralisado sem Previsão"},
  };
  CopiarRepositorioPKI();
  for (const TCaso& caso : casos) {
    SCOPED_TRACE(caso.Cenario + std::string(" ") + std::to_string(int(caso.Certificado)));
    if (caso.Certificado == TCertificado::Token && !TTokenTeste::Disponivel()) {
      std::cout << "sem token SoftHSM2 na PKI de teste: caso do token não executado\n";
      continue;
    }
    TSimuladorTeste simulador({"--cenario", caso.Cenario});
    TExecucao e;
    switch (caso.Certificado) {
      case TCertificado::Arquivo:
        e = Consultar(simulador.URL() + kCaminho, {"--pfx", PastaPKITeste() + "empresa.pfx"});
        break;
      case TCertificado::Repositorio:
        e = Consultar(simulador.URL() + kCaminho, {"--certificado", NumeroSeriePKI("empresa")}, "");
        break;
      case TCertificado::Token: {
        const TTokenTeste token;
        e = Consultar(simulador.URL() + kCaminho, {"--certificado", NumeroSeriePKI("token")},
                      "1234");
        break;
      }
    }
    EXPECT_EQ(e.Saida, caso.Saida) << e.Erros;
    EXPECT_EQ(e.PrimeiraLinha(), caso.PrimeiraLinha);
    EXPECT_EQ(e.Erros, "");
    const auto pedidos = simulador.Pedidos();
    ASSERT_EQ(pedidos.size(), 1U);
    EXPECT_EQ(pedidos[0].Caminho, kCaminho);
  }
}

TEST_F(StatusSefaz, JsonIsOneObjectWithTheAnswersFields) {
  TSimuladorTeste simulador({"--cenario", "108", "--tmed", "3"});
  const TExecucao e =
      Consultar(simulador.URL() + kCaminho, {"--pfx", PastaPKITeste() + "empresa.pfx", "--json"});
  EXPECT_EQ(e.Saida, 1);
  const auto objeto = nlohmann::json::parse(e.Texto);
  EXPECT_EQ(objeto["versao"], "4.00");
  EXPECT_EQ(objeto["tpAmb"], 1);
  EXPECT_EQ(objeto["cStat"], 108);
  EXPECT_EQ(objeto["xMotivo"], "Serviço Paralisado Momentaneamente (curto prazo)");
  EXPECT_EQ(objeto["cUF"], 41);
  EXPECT_EQ(objeto["tMed"], 3);
  EXPECT_TRUE(objeto["dhRecbto"].is_string());
  EXPECT_TRUE(objeto["dhRetorno"].is_string());  // a brief paralysis says when it ends
  EXPECT_EQ(objeto["url"], simulador.URL() + kCaminho);
  EXPECT_FALSE(objeto.contains("erro"));
}

TEST_F(StatusSefaz, AClosedPortFailsWithTheConnectionTextAndExit3) {
  std::string url;
  {
    TSimuladorTeste simulador;
    url = simulador.URL();
  }  // stopped: nobody listens on its port any more
  const std::string pfx = PastaPKITeste() + "empresa.pfx";
  const TExecucao texto = Consultar(url + kCaminho, {"--pfx", pfx});
  EXPECT_EQ(texto.Saida, 3);
  EXPECT_EQ(texto.Texto, "");
  EXPECT_NE(texto.Erros.find("Conexão com o Servidor falhou"), std::string::npos) << texto.Erros;

  const TExecucao json = Consultar(url + kCaminho, {"--pfx", pfx, "--json"});
  EXPECT_EQ(json.Saida, 3);
  const auto objeto = nlohmann::json::parse(json.Texto);
  EXPECT_EQ(objeto["cStat"], 0);
  EXPECT_NE(objeto["erro"].get<std::string>().find("Conexão com o Servidor falhou"),
            std::string::npos);
}

TEST_F(StatusSefaz, AnExpiredCertificateIsRefusedBeforeSending) {
  TSimuladorTeste simulador;
  const TExecucao e =
      Consultar(simulador.URL() + kCaminho, {"--pfx", PastaPKITeste() + "vencida.pfx"});
  EXPECT_EQ(e.Saida, 3);
  EXPECT_EQ(e.Texto, "");
  EXPECT_NE(e.Erros.find("Data de Validade do Certificado já expirou: 01/01/2016"),
            std::string::npos)
      << e.Erros;
  EXPECT_TRUE(simulador.Pedidos().empty());
}

TEST_F(StatusSefaz, ListsTheStoreEntriesAsA1) {
  CopiarRepositorioPKI();
  const TExecucao e = Executar({"--listar-certificados"}, "");
  EXPECT_EQ(e.Saida, 0) << e.Erros;
  EXPECT_EQ(e.PrimeiraLinha(),
            "Razão social | CNPJ | Validade | Certificadora | Número de série | Tipo");
  for (const char* nome : {"empresa", "vencida"})
    EXPECT_NE(e.Texto.find(" | AC NIVRA TESTE | " + NumeroSeriePKI(nome) + " | A1\n"),
              std::string::npos)
        << nome << "\n"
        << e.Texto;
  EXPECT_NE(e.Texto.find("EMPRESA MODELO LTDA | 11222333000181 | "), std::string::npos);
  EXPECT_NE(e.Texto.find("EMPRESA VENCIDA LTDA | 98765432000198 | "), std::string::npos);
}

TEST_F(StatusSefaz, ImportsAFileIntoTheStoreOnlyWithItsPassword) {
  const std::string pfx = PastaPKITeste() + "empresa.pfx";
  const std::string entrada = repositorio.Caminho() + NumeroSeriePKI("empresa") + ".pfx";

  const TExecucao errada = Executar({"--importar-certificado", pfx}, "errada");
  EXPECT_EQ(errada.Saida, 3);
  EXPECT_NE(errada.Erros, "");
  EXPECT_FALSE(std::filesystem::exists(entrada));

  const TExecucao certa = Executar({"--importar-certificado", pfx});
  EXPECT_EQ(certa.Saida, 0) << certa.Erros;
  EXPECT_EQ(certa.PrimeiraLinha(), "Certificado importado para " + repositorio.Caminho() + ":");
  EXPECT_TRUE(std::filesystem::exists(entrada));

  const TExecucao lista = Executar({"--listar-certificados"}, "");
  EXPECT_NE(
      lista.Texto.find("EMPRESA MODELO LTDA | 11222333000181 | 31/12/2049 | AC NIVRA TESTE | " +
                       NumeroSeriePKI("empresa") + " | "),
      std::string::npos)
      << lista.Texto;
}

TEST_F(StatusSefaz, VerificarServidorRefusesAServerOfAnotherAuthorityWithThe12175Text) {
  const std::string pki = PastaPKITeste();
  TSimuladorTeste simulador(
      {"--cert", pki + "servidor-outra-ca.pem", "--chave", pki + "servidor-outra-ca.key"});
  const std::vector<std::string> pfx{"--pfx", pki + "empresa.pfx"};
  EXPECT_EQ(Consultar(simulador.URL() + kCaminho, pfx).Saida, 0);  // the default accepts it

  std::vector<std::string> estrito = pfx;
  estrito.insert(estrito.end(), {"--verificar-servidor", "--ca", pki + "ca.pem"});
  const TExecucao e = Consultar(simulador.URL() + kCaminho, estrito);
  EXPECT_EQ(e.Saida, 3);
  EXPECT_EQ(e.Texto, "");
  EXPECT_NE(e.Erros.find("Erro: 12175 - Um ou mais erros foram encontrados no certificado Secure "
                         "Sockets Layer (SSL) enviado pelo servidor"),
            std::string::npos)
      << e.Erros;
  EXPECT_EQ(simulador.Pedidos().size(), 1U);  // only the default mode's query got through
}

// Everything the program writes, when queries and an import succeed and fail with a password
// that no program text holds by chance.
TEST_F(StatusSefaz, ThePasswordNeverReachesTheOutputTheArchiveOrTheStore) {
  const std::string errada = "Zw4-errada-Inconfundivel-99";
  const std::string pfx = PastaPKITeste() + "empresa-senha-longa.pfx";
  const std::string arquivo = pasta.Caminho() + "arquivo/";
  TSimuladorTeste simulador;
  const std::vector<std::string> consulta{"--pfx", pfx, "--salvar", arquivo};
  const std::vector<TExecucao> execucoes = {
      Consultar(simulador.URL() + kCaminho, consulta, SenhaLongaPKITeste),
      Consultar(simulador.URL() + kCaminho, consulta, errada),
      Consultar(simulador.URL() + kCaminho, {"--pfx", pfx, "--json"}, errada),
      Executar({"--importar-certificado", pfx}, errada),
      Executar({"--importar-certificado", pfx}, SenhaLongaPKITeste)};
  ASSERT_EQ(execucoes[0].Saida, 0) << execucoes[0].Erros;
  ASSERT_EQ(execucoes.back().Saida, 0) << execucoes.back().Erros;
  std::vector<std::string> escritos;
  for (const TExecucao& e : execucoes) escritos.insert(escritos.end(), {e.Texto, e.Erros});
  size_t arquivos = 0;
  for (const std::string& raiz : {arquivo, repositorio.Caminho()}) {
    for (const auto& item : std::filesystem::recursive_directory_iterator(raiz)) {
      if (!item.is_regular_file()) continue;
      escritos.push_back(TPastaTemporaria::Ler(item.path().string()));
      ++arquivos;
    }
  }
  EXPECT_GE(arquivos, 3U);  // the request, the answer and the store entry
  for (const std::string& texto : escritos) {
    EXPECT_EQ(texto.find(SenhaLongaPKITeste), std::string::npos) << texto;
    EXPECT_EQ(texto.find(errada), std::string::npos) << texto;
  }
}

}  // namespace

namespace {

TEST_F(StatusSefaz, FeedsMonitoringSystemsAndRecordsTheHistory) {
  TSimuladorTeste simulador({"--cenario", "108", "--tmed", "3"});
  const std::string prom = pasta.Caminho() + "nfe.prom";
  const std::string banco = pasta.Caminho() + "dados/historico.sqlite3";
  const std::vector<std::string> certificado{"--pfx", PastaPKITeste() + "empresa.pfx",
                                             "--historico", banco};

  auto argumentos = certificado;
  argumentos.insert(argumentos.end(), {"--formato", "prometheus", "--saida", prom});
  TExecucao e = Consultar(simulador.URL() + kCaminho, argumentos);
  EXPECT_EQ(e.Saida, 1) << e.Erros;
  EXPECT_EQ(e.Texto, "");
  const std::string metricas = TPastaTemporaria::Ler(prom);
  EXPECT_NE(metricas.find("nfe_status_codigo{autorizador=\"PR\",uf=\"PR\",ambiente=\"producao\","
                          "modelo=\"nfe\"} 108\n"),
            std::string::npos)
      << metricas;
  EXPECT_NE(metricas.find("nfe_tmed_segundos{autorizador=\"PR\",uf=\"PR\",ambiente=\"producao\","
                          "modelo=\"nfe\"} 3\n"),
            std::string::npos);
  EXPECT_EQ(std::system(("promtool check metrics < " + prom + " > /dev/null 2>&1").c_str()), 0);
  EXPECT_EQ(std::filesystem::status(prom).permissions() & std::filesystem::perms::others_read,
            std::filesystem::perms::others_read);

  argumentos = certificado;
  argumentos.insert(argumentos.end(), {"--formato", "nagios"});
  e = Consultar(simulador.URL() + kCaminho, argumentos);
  EXPECT_EQ(e.Saida, 1) << e.Erros;
  EXPECT_EQ(e.Texto.rfind("WARNING - 108 Serviço Paralisado Momentaneamente (curto prazo) | "
                          "tmed=3s consulta=",
                          0),
            0U)
      << e.Texto;

  std::ostringstream registro;
  THistoricoStatus historico(banco, registro);
  const auto gravados = historico.Consultar("", 0, INT64_MAX);
  ASSERT_EQ(gravados.size(), 2U);
  EXPECT_EQ(gravados[0].Autorizador, "PR");
  EXPECT_EQ(gravados[0].cStat, 108);
  EXPECT_EQ(gravados[0].tMed, 3);
  EXPECT_GT(gravados[0].ConsultaMs, 0);
  EXPECT_EQ(simulador.Pedidos().size(), 2U);
}

}  // namespace

}  // namespace nivra
