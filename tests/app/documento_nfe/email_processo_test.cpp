// documento-nfe email run as a process against a real SMTP server on loopback: the settings of
// the user's file and of the command line, the password from the environment only, what
// arrives (envelope, subject, the XML and its print), and each failure with the server's
// answer, exit status 3 and nothing delivered.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "nivranfe/util/compactacao.h"
#include "tests/app/documento_nfe/documentos_xml_teste.h"
#include "tests/fakes/pasta_temporaria.h"
#include "tests/fakes/pki_teste.h"
#include "tests/fakes/porta_fechada.h"
#include "tests/fakes/programa_teste.h"
#include "tests/fakes/servidor_smtp_teste.h"
#include "tests/impressao/leitura_pdf.h"

#ifndef NIVRA_DOCUMENTO_NFE
#error "NIVRA_DOCUMENTO_NFE must name the built documento-nfe"
#endif

namespace nivra {

namespace {

bool Contem(const std::string& texto, const std::string& trecho) {
  return texto.find(trecho) != std::string::npos;
}

std::string Decodificado(const nlohmann::json& parte) {
  return DecodificarBase64(parte["conteudo"].get<std::string>());
}

class EmailProcesso : public ::testing::Test {
 protected:
  // Runs documento-nfe email with the user's settings folder in the test's folder and, unless
  // `senha` is null, the password in NIVRA_SMTP_SENHA.
  TExecucao Enviar(const std::vector<std::string>& argumentos,
                   const char* senha = TServidorSMTPTeste::Senha) {
    std::vector<std::string> comando{"XDG_CONFIG_HOME=" + FPasta.Caminho() + "config"};
    if (senha != nullptr) comando.push_back(std::string("NIVRA_SMTP_SENHA=") + senha);
    comando.emplace_back(NIVRA_DOCUMENTO_NFE);
    comando.emplace_back("email");
    comando.insert(comando.end(), argumentos.begin(), argumentos.end());
    return RodarPrograma("/usr/bin/env", comando, "", FPasta.Caminho() + "erros.txt");
  }
  // The user's default settings file with the [Email] section for `servidor`.
  void ConfiguracaoDoUsuario(const TServidorSMTPTeste& servidor) {
    std::filesystem::create_directories(FPasta.Caminho() + "config/documento-nfe");
    TPastaTemporaria::Escrever(
        FPasta.Caminho() + "config/documento-nfe/documento-nfe.ini",
        "[Email]\nHost=127.0.0.1\nPorta=" + std::to_string(servidor.Porta()) +
            "\nTLS=1\nDe=nfe@loja.com.br\nNomeDe=Comércio de Peças\n"
            "ArquivoCA=" +
            PastaPKITeste() + "ca.pem\n");
  }

  TPastaTemporaria FPasta;
  TDocumentosXML FDocs = EscreverDocumentos(FPasta.Caminho());
};

TEST_F(EmailProcesso, SendsTheXMLAndItsDANFEWithTheUsersSettings) {
  TServidorSMTPTeste servidor;
  ConfiguracaoDoUsuario(servidor);
  const TExecucao e = Enviar({FDocs.NFe, "--para", "Cliente <cliente@exemplo.com.br>", "--para",
                              "compras@exemplo.com.br", "--cc", "contador@exemplo.com.br",
                              "--usuario", TServidorSMTPTeste::Usuario, "--json"});
  ASSERT_EQ(e.Saida, 0) << e.Erros;
  EXPECT_TRUE(Contem(e.Erros, "Enviando " + FDocs.ChaveNFe + "-nfe.xml, " + FDocs.ChaveNFe +
                                  "-nfe.pdf para Cliente <cliente@exemplo.com.br>, "
                                  "compras@exemplo.com.br por 127.0.0.1:" +
                                  std::to_string(servidor.Porta())))
      << e.Erros;
  EXPECT_TRUE(Contem(e.Texto, "\"enviado\":true")) << e.Texto;

  const nlohmann::json r = servidor.Recebida(1);
  EXPECT_EQ(r["de"], "nfe@loja.com.br");
  EXPECT_EQ(r["para"], (std::vector<std::string>{"cliente@exemplo.com.br", "compras@exemplo.com.br",
                                                 "contador@exemplo.com.br"}));
  EXPECT_EQ(r["usuario"], TServidorSMTPTeste::Usuario);
  EXPECT_TRUE(r["cifrada"].get<bool>());
  EXPECT_EQ(r["cabecalhos"]["Subject"], "NF-e nº 123 série 1 de Comércio de Peças & Cia Ltda");
  EXPECT_EQ(r["cabecalhos"]["From"], "Comércio de Peças <nfe@loja.com.br>");
  const nlohmann::json& p = r["partes"];
  ASSERT_EQ(p.size(), 4U) << p.dump();
  EXPECT_EQ(p[1]["tipo"], "text/plain");
  EXPECT_TRUE(Decodificado(p[1]).starts_with("Segue em anexo o XML e o DANFE de NF-e nº 123"));
  EXPECT_EQ(p[2]["nome"], FDocs.ChaveNFe + "-nfe.xml");
  EXPECT_EQ(Decodificado(p[2]), FDocs.XMLNFe);
  EXPECT_EQ(p[3]["tipo"], "application/pdf");
  EXPECT_EQ(p[3]["nome"], FDocs.ChaveNFe + "-nfe.pdf");
  EXPECT_TRUE(Contem(TLeituraPDF(Decodificado(p[3])).TextoCorrido(),
                     "Documento Auxiliar da Nota Fiscal Eletrônica"));
}

TEST_F(EmailProcesso, ServerFromTheCommandLineAndAnEventWithoutItsPrint) {
  TServidorSMTPTeste servidor(true);
  const TExecucao e =
      Enviar({FDocs.CartaCorrecao, "--para", "cliente@exemplo.com.br", "--sem-danfe", "--servidor",
              "smtps://127.0.0.1:" + std::to_string(servidor.Porta()), "--de", "nfe@loja.com.br",
              "--usuario", TServidorSMTPTeste::Usuario, "--ca", PastaPKITeste() + "ca.pem",
              "--assunto", "Correção da nota 123", "--mensagem", "Veja a correção.\nObrigado."});
  ASSERT_EQ(e.Saida, 0) << e.Erros;
  EXPECT_TRUE(Contem(e.Erros, "E-mail enviado.")) << e.Erros;
  const nlohmann::json r = servidor.Recebida(1);
  EXPECT_EQ(r["cabecalhos"]["Subject"], "Correção da nota 123");
  const nlohmann::json& p = r["partes"];
  ASSERT_EQ(p.size(), 3U) << p.dump();
  EXPECT_EQ(Decodificado(p[1]), "Veja a correção.\r\nObrigado.\r\n");
  EXPECT_EQ(p[2]["nome"], "110110" + kChaveCCe + "01-procEventoNFe.xml");
  EXPECT_EQ(Decodificado(p[2]), kXMLCartaCorrecao);
}

TEST_F(EmailProcesso, FailuresGiveTheServersAnswerAndDeliverNothing) {
  TServidorSMTPTeste servidor(false, {"recusado@exemplo.com.br"});
  ConfiguracaoDoUsuario(servidor);
  const std::string local = "127.0.0.1:" + std::to_string(servidor.Porta());
  const std::string usuario = TServidorSMTPTeste::Usuario;
  const std::string semServidor = FPasta.Caminho() + "sem-servidor.ini";
  TPastaTemporaria::Escrever(semServidor, "[Email]\nDe=nfe@loja.com.br\n");
  const struct {
    std::vector<std::string> Argumentos;
    const char* Senha;
    std::string Erro;
  } casos[] = {
      {{FDocs.NFe, "--para", "a@exemplo.com.br", "--usuario", usuario},
       "outra-senha",
       "Usuário ou senha recusados pelo servidor de e-mail " + local + ": 535"},
      {{FDocs.NFe, "--para", "recusado@exemplo.com.br", "--usuario", usuario},
       TServidorSMTPTeste::Senha,
       "Destinatário recusado pelo servidor de e-mail " + local + ": 550 5.1.1"},
      {{FDocs.NFe, "--para", "a@exemplo.com.br", "--usuario", usuario, "--servidor",
        "smtp://127.0.0.1:" + std::to_string(PortaFechada())},
       TServidorSMTPTeste::Senha,
       "Não foi possível conectar ao servidor de e-mail"},
      {{FDocs.NFe, "--para", "a@exemplo.com.br", "--usuario", usuario},
       nullptr,
       "informe a senha do servidor de e-mail em NIVRA_SMTP_SENHA"},
      {{FDocs.NFe, "--usuario", usuario}, TServidorSMTPTeste::Senha, "informe o destinatário"},
      {{FDocs.NFe, "--para", "a@exemplo.com.br", "--config", semServidor},
       TServidorSMTPTeste::Senha,
       "informe o servidor de e-mail: --servidor smtp://HOST[:PORTA] ou Host na seção [Email]"},
      {{FDocs.NFe, "--para", "a@exemplo.com.br", "--servidor", "http://127.0.0.1"},
       TServidorSMTPTeste::Senha,
       "servidor de e-mail inválido: \"http://127.0.0.1\""},
      {{FDocs.NFe, "--para", "a@exemplo.com.br", "--config", FPasta.Caminho() + "nada.ini"},
       TServidorSMTPTeste::Senha,
       "nada.ini"},
      {{FDocs.NFe, "--para", "a@exemplo.com.br", "--usuario", usuario, "--logo", semServidor},
       TServidorSMTPTeste::Senha,
       "Logotipo "},
  };
  for (const auto& caso : casos) {
    const TExecucao e = Enviar(caso.Argumentos, caso.Senha);
    EXPECT_EQ(e.Saida, 3) << caso.Erro;
    EXPECT_TRUE(Contem(e.Erros, caso.Erro)) << e.Erros;
    EXPECT_FALSE(Contem(e.Erros, TServidorSMTPTeste::Senha)) << e.Erros;
  }
  EXPECT_ANY_THROW((void)servidor.Recebida(1));
}

}  // namespace

}  // namespace nivra
