// The e-mail component against a real SMTP server on loopback: what arrives (envelope, headers,
// bodies, attachments) and how each refusal is reported; the checks made before connecting and
// the settings read from the configuration.
#include "nivranfe/dfe/nivra_mail.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "nivranfe/dfe/nivra_nfe.h"
#include "nivranfe/util/compactacao.h"
#include "nivranfe/util/datahora.h"
#include "tests/fakes/mensagem_de.h"
#include "tests/fakes/pasta_temporaria.h"
#include "tests/fakes/pki_teste.h"
#include "tests/fakes/porta_fechada.h"
#include "tests/fakes/servidor_smtp_teste.h"

namespace nivra {

namespace {

// A mail component pointed at the test server, trusting the test PKI's CA, dated 2026-12-10.
void Configurar(TNivraMail& mail, const TServidorSMTPTeste& servidor, bool ssl) {
  mail.SetHost("127.0.0.1");
  mail.SetPorta(servidor.Porta());
  mail.SetUsuario(TServidorSMTPTeste::Usuario);
  mail.SetSenha(TServidorSMTPTeste::Senha);
  mail.SetDe("nfe@loja.com.br");
  mail.SetNomeDe("Padaria Pão & Cia");
  mail.SetSSL(ssl);
  mail.SetTLS(!ssl);
  mail.SetArquivoCA(PastaPKITeste() + "ca.pem");
  mail.SetTimeOut(10000);
  mail.SetRelogio([] { return CodificarDataHora(2026, 12, 10, 14, 30, 0); });
}

std::string Decodificado(const nlohmann::json& parte) {
  return DecodificarBase64(parte["conteudo"].get<std::string>());
}

// Every byte value, lines that SMTP must escape (".") and long runs without a line break.
std::string BytesDeTeste() {
  std::string bytes;
  for (int volta = 0; volta < 3; ++volta) {
    for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
    bytes += "\r\n.\r\n..\n.";
  }
  return bytes;
}

class MailEntrega : public ::testing::TestWithParam<bool> {};

TEST_P(MailEntrega, MessageArrivesIntactThroughTheComponent) {
  const bool ssl = GetParam();
  TServidorSMTPTeste servidor(ssl);
  TPastaTemporaria pasta;
  const std::string pdf = BytesDeTeste();
  const std::string arquivoPdf = pasta.Caminho() + "DANFE ção.pdf";
  std::ofstream(arquivoPdf, std::ios::binary) << pdf;

  TNivraMail mail;
  Configurar(mail, servidor, ssl);
  TNivraNFe nfe;
  nfe.SetMAIL(&mail);
  const std::string assunto =
      "NF-e nº 000.000.123 de Padaria Pão Quente Ltda — emitida em 10/12/2026 às 14:30, "
      "chave 4126 1211 2223 3300 0181 5500 1000 0001 2310 0000 0017";
  const std::vector<std::string> mensagem{"<p>Olá, <b>João</b>.</p>",
                                          "Segue a nota fiscal eletrônica = anexo.", "."};
  const std::vector<std::string> cc{"Contador <contador@exemplo.com.br>"};
  const std::vector<std::string> anexos{arquivoPdf};
  const std::vector<std::string> responder{"Atendimento São Paulo <sac@loja.com.br>"};
  const std::string xml =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<NFe><xNome>Pão</xNome></NFe>";
  nfe.EnviarEmail("João da Silva <cliente@exemplo.com.br>", assunto, &mensagem, &cc, &anexos, &xml,
                  "41261211222333000181550010000001231000000017-nfe.xml", &responder);

  const nlohmann::json r = servidor.Recebida(1);
  EXPECT_EQ(r["de"], "nfe@loja.com.br");
  EXPECT_EQ(r["para"],
            (std::vector<std::string>{"cliente@exemplo.com.br", "contador@exemplo.com.br"}));
  EXPECT_EQ(r["usuario"], TServidorSMTPTeste::Usuario);
  EXPECT_TRUE(r["cifrada"].get<bool>());

  const nlohmann::json& h = r["cabecalhos"];
  EXPECT_EQ(h["Subject"], assunto);
  EXPECT_EQ(h["From"], "Padaria Pão & Cia <nfe@loja.com.br>");
  EXPECT_EQ(h["To"], "João da Silva <cliente@exemplo.com.br>");
  EXPECT_EQ(h["Cc"], "\"Contador\" <contador@exemplo.com.br>");
  EXPECT_EQ(h["Reply-To"], "Atendimento São Paulo <sac@loja.com.br>");
  EXPECT_EQ(h["MIME-Version"], "1.0");
  EXPECT_TRUE(std::regex_match(h["Date"].get<std::string>(),
                               std::regex("Thu, 10 Dec 2026 14:30:00 [+-][0-9]{4}")))
      << h["Date"];
  EXPECT_TRUE(std::regex_match(h["Message-ID"].get<std::string>(),
                               std::regex("<[0-9a-f]{32}@loja\\.com\\.br>")))
      << h["Message-ID"];

  const nlohmann::json& p = r["partes"];
  ASSERT_EQ(p.size(), 6u) << p.dump();
  const std::vector<std::string> tipos{"multipart/mixed", "multipart/alternative",
                                       "text/plain",      "text/html",
                                       "application/xml", "application/pdf"};
  for (size_t i = 0; i < tipos.size(); ++i) EXPECT_EQ(p[i]["tipo"], tipos[i]) << i;
  EXPECT_EQ(p[2]["charset"], "utf-8");
  EXPECT_EQ(Decodificado(p[2]), "Olá, João.\r\nSegue a nota fiscal eletrônica = anexo.\r\n.\r\n");
  EXPECT_EQ(Decodificado(p[3]),
            "<p>Olá, <b>João</b>.</p>\r\nSegue a nota fiscal eletrônica = anexo.\r\n.\r\n");
  EXPECT_EQ(p[4]["disposicao"], "attachment");
  EXPECT_EQ(p[4]["nome"], "41261211222333000181550010000001231000000017-nfe.xml");
  EXPECT_EQ(Decodificado(p[4]), xml);
  EXPECT_EQ(p[5]["nome"], "DANFE ção.pdf");
  EXPECT_EQ(Decodificado(p[5]), pdf);

  // The header section is plain ASCII folded into lines of at most 78 characters (the
  // Content-Type line with libcurl's boundary may reach 80; the hard limit is 998).
  const std::string bruta = servidor.Bruta(1);
  const std::string cabecalho = bruta.substr(0, bruta.find("\r\n\r\n") + 2);
  EXPECT_NE(cabecalho.find("Subject: =?UTF-8?B?"), std::string::npos);
  size_t inicio = 0;
  for (size_t fim; (fim = cabecalho.find("\r\n", inicio)) != std::string::npos; inicio = fim + 2) {
    const std::string linha = cabecalho.substr(inicio, fim - inicio);
    EXPECT_LE(linha.size(), linha.starts_with("Content-Type:") ? 998u : 78u) << linha;
  }
  for (const char c : cabecalho) EXPECT_LT(static_cast<unsigned char>(c), 128u);
}

INSTANTIATE_TEST_SUITE_P(StartTLSeSSL, MailEntrega, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "SSL" : "STARTTLS"; });

TEST(MailEntrega, BodyWithoutAlternativeGoesAsPlainText) {
  TServidorSMTPTeste servidor;
  TNivraMail mail;
  Configurar(mail, servidor, false);
  mail.AdicionarDestinatario("cliente@exemplo.com.br");
  mail.SetAssunto("Aviso");
  mail.SetCorpo("Só texto.\r\n");
  mail.Enviar();

  const nlohmann::json p = servidor.Recebida(1)["partes"];
  ASSERT_EQ(p.size(), 2u) << p.dump();
  EXPECT_EQ(p[0]["tipo"], "multipart/mixed");
  EXPECT_EQ(p[1]["tipo"], "text/plain");
  EXPECT_EQ(Decodificado(p[1]), "Só texto.\r\n");
  EXPECT_EQ(servidor.Recebida(1)["cabecalhos"]["Subject"], "Aviso");
}

TEST(MailRecusas, EachFailureNamesTheServerAndItsAnswer) {
  TServidorSMTPTeste servidor(false, {"recusado@exemplo.com.br"});
  const std::string local = "127.0.0.1:" + std::to_string(servidor.Porta());
  const int fechada = PortaFechada();
  const struct {
    const char* nome;
    std::function<void(TNivraMail&)> ajuste;
    std::string inicio;
  } casos[] = {
      {"senha errada", [](TNivraMail& m) { m.SetSenha("outra"); },
       "Usuário ou senha recusados pelo servidor de e-mail " + local +
           ": 535 5.7.8 Authentication credentials invalid"},
      {"destinatário recusado", [](TNivraMail& m) { m.AdicionarCopia("recusado@exemplo.com.br"); },
       "Destinatário recusado pelo servidor de e-mail " + local +
           ": 550 5.1.1 <recusado@exemplo.com.br>: Recipient address rejected"},
      {"sem STARTTLS", [](TNivraMail& m) { m.SetTLS(false); },
       "Remetente recusado pelo servidor de e-mail " + local +
           ": 530 Must issue a STARTTLS command first"},
      {"certificado desconhecido", [](TNivraMail& m) { m.SetArquivoCA(""); },
       "Falha na conexão segura com o servidor de e-mail " + local + ": "},
      {"servidor inacessível", [&](TNivraMail& m) { m.SetPorta(fechada); },
       "Não foi possível conectar ao servidor de e-mail 127.0.0.1:" + std::to_string(fechada) +
           ": "},
  };
  for (const auto& caso : casos) {
    TNivraMail mail;
    Configurar(mail, servidor, false);
    mail.AdicionarDestinatario("cliente@exemplo.com.br");
    mail.SetAssunto("Teste");
    mail.SetCorpo("corpo");
    caso.ajuste(mail);
    const std::string mensagem = MensagemDe([&] { mail.Enviar(); });
    EXPECT_TRUE(mensagem.starts_with(caso.inicio)) << caso.nome << ": " << mensagem;
    EXPECT_EQ(mensagem.find(TServidorSMTPTeste::Senha), std::string::npos) << caso.nome;
  }
  EXPECT_THROW(servidor.Recebida(1), std::exception) << "nenhuma mensagem deveria chegar";
}

TEST(MailRecusas, IncompleteMessagesAreRefusedBeforeConnecting) {
  const struct {
    const char* nome;
    std::function<void(TNivraMail&)> ajuste;
    const char* mensagem;
  } casos[] = {
      {"sem servidor", [](TNivraMail& m) { m.SetHost(""); },
       "Servidor de e-mail (Host) não informado"},
      {"sem remetente", [](TNivraMail& m) { m.SetDe(""); }, "Remetente (De) não informado"},
      {"sem destinatário", [](TNivraMail& m) { m.Limpar(); }, "Nenhum destinatário informado"},
      {"endereço sem arroba", [](TNivraMail& m) { m.AdicionarCopia("contador.exemplo.com.br"); },
       "Endereço de e-mail inválido: contador.exemplo.com.br"},
      {"cabeçalho injetado",
       [](TNivraMail& m) { m.AdicionarResponderPara("a@b.c>\r\nBcc: <x@y.z"); },
       "Endereço de e-mail inválido: a@b.c>\r\nBcc: <x@y.z"},
      {"anexo ausente", [](TNivraMail& m) { m.AdicionarAnexoArquivo("/nao/existe.pdf"); },
       "Anexo não encontrado ou ilegível: /nao/existe.pdf"},
      {"anexo que é uma pasta", [](TNivraMail& m) { m.AdicionarAnexoArquivo("/tmp"); },
       "Anexo não encontrado ou ilegível: /tmp"},
  };
  for (const auto& caso : casos) {
    TNivraMail mail;
    mail.SetHost("127.0.0.1");
    mail.SetPorta(PortaFechada());
    mail.SetDe("nfe@loja.com.br");
    mail.AdicionarDestinatario("cliente@exemplo.com.br");
    caso.ajuste(mail);
    EXPECT_EQ(MensagemDe([&] { mail.Enviar(); }), caso.mensagem) << caso.nome;
  }
}

TEST(MailConfiguracao, ServerSettingsComeFromTheEmailSection) {
  TNivraMail mail;
  mail.SetSenha("guardada");
  mail.CarregarConfiguracao(
      "[Outra]\nHost=errado\n[Email]\nHost = smtp.exemplo.com.br\nPorta=587\nUsuario=loja\n"
      "De=nfe@loja.com.br\nNomeDe=Padaria Pão\nTLS=1\nSSL=0\nVerificarCertificado=false\n"
      "TimeOut=15000\nSenha=nunca-lida\n");
  EXPECT_EQ(mail.Host(), "smtp.exemplo.com.br");
  EXPECT_EQ(mail.Porta(), 587);
  EXPECT_EQ(mail.Usuario(), "loja");
  EXPECT_EQ(mail.De(), "nfe@loja.com.br");
  EXPECT_EQ(mail.NomeDe(), "Padaria Pão");
  EXPECT_TRUE(mail.TLS());
  EXPECT_FALSE(mail.SSL());
  EXPECT_FALSE(mail.VerificarCertificado());
  EXPECT_EQ(mail.TimeOut(), 15000);
  EXPECT_EQ(mail.Senha(), "guardada");

  for (const char* ruim : {"[Email]\nHost=novo\nPorta=abc\n", "[Email]\nHost=novo\nSSL=talvez\n",
                           "[Email]\nHost=novo\nTimeOut=-5\n"}) {
    EXPECT_TRUE(MensagemDe([&] {
                  mail.CarregarConfiguracao(ruim);
                }).starts_with("Valor inválido em [Email] "))
        << ruim;
    EXPECT_EQ(mail.Host(), "smtp.exemplo.com.br") << "nada muda com um valor ruim: " << ruim;
  }
}

}  // namespace

}  // namespace nivra
