// sefaz-simulador driven over real TLS by the curl command: the scenario, the echo of the
// request, the client-certificate demand, the request log and the habits of real authorisers.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "tests/fakes/pasta_temporaria.h"
#include "tests/fakes/pki_teste.h"
#include "tests/fakes/simulador_teste.h"

namespace nivra {

namespace {

struct TExecucao {
  int Saida = -1;
  std::string Texto;  // standard output
};

TExecucao Executar(const std::string& comando) {
  TExecucao e;
  FILE* saida = ::popen(comando.c_str(), "r");
  if (saida == nullptr) {
    return e;
  }
  char bloco[4096];
  for (size_t lidos; (lidos = std::fread(bloco, 1, sizeof bloco, saida)) > 0;) {
    e.Texto.append(bloco, lidos);
  }
  const int estado = ::pclose(saida);
  e.Saida = WIFEXITED(estado) ? WEXITSTATUS(estado) : -1;
  return e;
}

std::string Citar(const std::string& texto) { return "'" + texto + "'"; }

struct TRespostaCurl {
  int Saida = -1;          // curl's exit status (0: an HTTP answer arrived)
  int Status = 0;          // HTTP status of the final answer
  std::string Cabecalhos;  // every header block received, interim ones included
  std::string Corpo;
};

// POSTs corpo to url with curl over HTTP/1.1, presenting the PKI's cliente.pem/.key (none when
// cliente is empty) and not checking the server's certificate.
TRespostaCurl Postar(const std::string& url, const std::string& corpo,
                     const std::string& cliente = "empresa",
                     const std::vector<std::string>& extras = {}) {
  const TPastaTemporaria pasta;
  TPastaTemporaria::Escrever(pasta.Caminho() + "pedido", corpo);
  std::string comando = "curl -s -k --http1.1 --max-time 20 -o " +
                        Citar(pasta.Caminho() + "corpo") + " -D " +
                        Citar(pasta.Caminho() + "cabecalhos") +
                        " -w '%{http_code}' -H 'Content-Type: application/soap+xml; "
                        "charset=utf-8' --data-binary @" +
                        Citar(pasta.Caminho() + "pedido");
  if (!cliente.empty()) {
    comando += " --cert " + Citar(PastaPKITeste() + cliente + ".pem") + " --key " +
               Citar(PastaPKITeste() + cliente + ".key");
  }
  for (const std::string& extra : extras) {
    comando += " " + Citar(extra);
  }
  const TExecucao e = Executar(comando + " " + Citar(url) + " 2>/dev/null");
  return {e.Saida, std::atoi(e.Texto.c_str()),
          TPastaTemporaria::Ler(pasta.Caminho() + "cabecalhos"),
          TPastaTemporaria::Ler(pasta.Caminho() + "corpo")};
}

// A status request as the component sends it: layout 4.00 without a SOAP header, older
// layouts with nfeCabecMsg.
std::string PedidoStatus(const std::string& versao, const std::string& tpAmb,
                         const std::string& cUF) {
  const bool v4 = versao == "4.00";
  const std::string wsdl = std::string("http://www.portalfiscal.inf.br/nfe/wsdl/") +
                           (v4 ? "NFeStatusServico4" : "NfeStatusServico2");
  const std::string cabecalho = v4 ? ""
                                   : "<soap12:Header><nfeCabecMsg xmlns=\"" + wsdl + "\"><cUF>" +
                                         cUF + "</cUF><versaoDados>" + versao +
                                         "</versaoDados></nfeCabecMsg></soap12:Header>";
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><soap12:Envelope "
         "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
         "xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\" "
         "xmlns:soap12=\"http://www.w3.org/2003/05/soap-envelope\">" +
         cabecalho + "<soap12:Body><nfeDadosMsg xmlns=\"" + wsdl +
         "\"><consStatServ xmlns=\"http://www.portalfiscal.inf.br/nfe\" versao=\"" + versao +
         "\"><tpAmb>" + tpAmb + "</tpAmb><cUF>" + cUF +
         "</cUF><xServ>STATUS</xServ></consStatServ></nfeDadosMsg></soap12:Body></soap12:Envelope>";
}

// The text of the first element <tag>...</tag>; "(ausente)" when there is none.
std::string Campo(const std::string& xml, const std::string& tag) {
  const size_t inicio = xml.find("<" + tag + ">");
  const size_t fim = xml.find("</" + tag + ">", inicio);
  if (inicio == std::string::npos || fim == std::string::npos) {
    return "(ausente)";
  }
  return xml.substr(inicio + tag.size() + 2, fim - inicio - tag.size() - 2);
}

const std::string kPedido400 = PedidoStatus("4.00", "1", "41");

TEST(SefazSimulador, AnswersTheScenarioCodesInTurnAndRepeatsTheLast) {
  struct TEsperado {
    const char* cStat;
    const char* xMotivo;
    bool paralisado;
  };
  const TEsperado k107{"107", "Serviço em Operação", false};
  const TEsperado k108{"108", "Serviço Paralisado Momentaneamente (curto prazo)", true};
  const TEsperado k109{"109", "Serviço Paralisado sem Previsão", true};
  const std::regex dataHora(R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d[+-]\d\d:\d\d)");

  TSimuladorTeste simulador({"--cenario", "107,108,108,109", "--tmed", "3"});
  int n = 0;
  for (const TEsperado& esperado : {k107, k108, k108, k109, k109}) {
    SCOPED_TRACE(++n);
    const TRespostaCurl r = Postar(simulador.URL() + "/ws/NFeStatusServico4.asmx", kPedido400);
    ASSERT_EQ(r.Status, 200);
    EXPECT_EQ(Campo(r.Corpo, "cStat"), esperado.cStat);
    EXPECT_EQ(Campo(r.Corpo, "xMotivo"), esperado.xMotivo);
    EXPECT_EQ(Campo(r.Corpo, "tMed"), "3");
    EXPECT_TRUE(std::regex_match(Campo(r.Corpo, "dhRecbto"), dataHora)) << r.Corpo;
    if (esperado.paralisado) {
      EXPECT_TRUE(std::regex_match(Campo(r.Corpo, "dhRetorno"), dataHora)) << r.Corpo;
      EXPECT_NE(Campo(r.Corpo, "xObs"), "(ausente)");
    } else {
      EXPECT_EQ(Campo(r.Corpo, "dhRetorno"), "(ausente)");
      EXPECT_EQ(Campo(r.Corpo, "xObs"), "(ausente)");
    }
  }
}

// A request of another service in a 4.00 SOAP envelope.
std::string PedidoServico(const std::string& documento) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><soap12:Envelope "
         "xmlns:soap12=\"http://www.w3.org/2003/05/soap-envelope\"><soap12:Body><nfeDadosMsg "
         "xmlns=\"http://www.portalfiscal.inf.br/nfe/wsdl/Servico\">" +
         documento + "</nfeDadosMsg></soap12:Body></soap12:Envelope>";
}

TEST(SefazSimulador, TakesAlphanumericCNPJsAndKeysAndRefusesWrongCheckDigits) {
  // 12ABC34501DE35 is a valid CNPJ with letters, and these the keys of its invoices 1 and 2.
  const std::string chave = "41260612ABC34501DE35550010000000011000000018";
  const std::string chaveErrada = "41260612ABC34501DE35550010000000011000000019";
  const std::string outra = "41260612ABC34501DE35550010000000021000000023";
  const auto consSit = [](const std::string& k) {
    return "<consSitNFe versao=\"4.00\"><tpAmb>2</tpAmb><xServ>CONSULTAR</xServ><chNFe>" + k +
           "</chNFe></consSitNFe>";
  };
  const auto consCad = [](const std::string& documento) {
    return "<ConsCad versao=\"2.00\"><infCons><xServ>CONS-CAD</xServ><UF>SP</UF>" + documento +
           "</infCons></ConsCad>";
  };
  const auto evento = [](const std::string& k, const std::string& cnpj) {
    return "<envEvento versao=\"1.00\"><idLote>1</idLote><evento><infEvento Id=\"ID110111" + k +
           "01\"><cOrgao>41</cOrgao><tpAmb>2</tpAmb><CNPJ>" + cnpj + "</CNPJ><chNFe>" + k +
           "</chNFe><tpEvento>110111</tpEvento><nSeqEvento>1</nSeqEvento></infEvento></evento>"
           "</envEvento>";
  };
  const auto inut = [](const std::string& cnpj) {
    return "<inutNFe versao=\"4.00\"><infInut><tpAmb>2</tpAmb><cUF>41</cUF><ano>26</ano><CNPJ>" +
           cnpj +
           "</CNPJ><mod>55</mod><serie>1</serie><nNFIni>1</nNFIni><nNFFin>2</nNFFin>"
           "</infInut></inutNFe>";
  };
  const auto dist = [](const std::string& interessado, const std::string& ponto) {
    return "<distDFeInt versao=\"1.01\"><tpAmb>2</tpAmb>" + interessado + ponto + "</distDFeInt>";
  };
  const std::string ultNSU = "<distNSU><ultNSU>000000000000000</ultNSU></distNSU>";
  struct TCaso {
    std::string documento;
    std::string noCorpo;
  };
  const TCaso casos[] = {
      {consSit(chave), "<cStat>100</cStat>"},
      {consSit(chaveErrada), "<cStat>236</cStat>"},
      {consCad("<CNPJ>12ABC34501DE35</CNPJ>"), "<cStat>111</cStat>"},
      {consCad("<CNPJ>12ABC34501DE53</CNPJ>"),
       "<cStat>258</cStat><xMotivo>Rejeição: CNPJ da consulta inválido</xMotivo>"},
      {consCad("<CNPJ>11222333000182</CNPJ>"), "<cStat>258</cStat>"},
      {consCad("<CPF>12345678900</CPF>"), "<cStat>263</cStat>"},
      {evento(chave, "12ABC34501DE35"),
       "<cStat>135</cStat><xMotivo>Evento registrado e vinculado a NF-e</xMotivo><chNFe>" + chave},
      {evento(chaveErrada, "12ABC34501DE35"), "<cStat>236</cStat>"},
      {evento(outra, "12ABC34501DE53"),
       "<cStat>489</cStat><xMotivo>Rejeição: CNPJ informado inválido (DV ou zeros)</xMotivo>"},
      {inut("12ABC34501DE35"), "<CNPJ>12ABC34501DE35</CNPJ>"},
      {inut("12ABC34501DE53"), "<cStat>207</cStat>"},
      {dist("<CNPJ>12ABC34501DE35</CNPJ>", ultNSU), "<cStat>138</cStat>"},
      {dist("<CNPJ>12ABC34501DE53</CNPJ>", ultNSU), "<cStat>489</cStat>"},
      {dist("<CPF>12345678900</CPF>", ultNSU), "<cStat>490</cStat>"},
      {dist("<CNPJ>11222333000181</CNPJ>",
            "<consChNFe><chNFe>" + chaveErrada + "</chNFe></consChNFe>"),
       "<cStat>236</cStat>"},
  };
  TSimuladorTeste simulador;
  for (const TCaso& caso : casos) {
    SCOPED_TRACE(caso.documento);
    const TRespostaCurl r = Postar(simulador.URL(), PedidoServico(caso.documento));
    ASSERT_EQ(r.Status, 200);
    EXPECT_NE(r.Corpo.find(caso.noCorpo), std::string::npos) << r.Corpo;
  }
  // The registered cancellation shows in the situation; the refused one changed nothing.
  const TRespostaCurl cancelada = Postar(simulador.URL(), PedidoServico(consSit(chave)));
  EXPECT_NE(cancelada.Corpo.find("<cStat>101</cStat>"), std::string::npos) << cancelada.Corpo;
  const TRespostaCurl autorizada = Postar(simulador.URL(), PedidoServico(consSit(outra)));
  EXPECT_NE(autorizada.Corpo.find("<cStat>100</cStat>"), std::string::npos) << autorizada.Corpo;
}

TEST(SefazSimulador, AnswersForTheUFEnvironmentAndLayoutOfTheRequest) {
  struct TCaso {
    const char* versao;
    const char* tpAmb;
    const char* cUF;
    const char* resultado;  // the body element holding retConsStatServ
  };
  const TCaso casos[] = {
      {"4.00", "1", "41",
       "<nfeResultMsg xmlns=\"http://www.portalfiscal.inf.br/nfe/wsdl/"
       "NFeStatusServico4\"><retConsStatServ versao=\"4.00\""},
      {"4.00", "2", "35",
       "<nfeResultMsg xmlns=\"http://www.portalfiscal.inf.br/nfe/wsdl/"
       "NFeStatusServico4\"><retConsStatServ versao=\"4.00\""},
      {"3.10", "2", "29",
       "<soap:Header><nfeCabecMsg xmlns=\"http://www.portalfiscal.inf.br/nfe/wsdl/"
       "NfeStatusServico2\"><cUF>29</cUF><versaoDados>3.10</versaoDados></nfeCabecMsg>"
       "</soap:Header><soap:Body><nfeStatusServicoNF2Result xmlns=\"http://www.portalfiscal.inf."
       "br/nfe/wsdl/NfeStatusServico2\"><retConsStatServ versao=\"3.10\""},
  };
  TSimuladorTeste simulador;
  for (const TCaso& caso : casos) {
    SCOPED_TRACE(std::string(caso.versao) + " " + caso.tpAmb + " " + caso.cUF);
    const TRespostaCurl r = Postar(simulador.URL() + "/qualquer/caminho",
                                   PedidoStatus(caso.versao, caso.tpAmb, caso.cUF));
    ASSERT_EQ(r.Status, 200);
    EXPECT_NE(r.Corpo.find(caso.resultado), std::string::npos) << r.Corpo;
    EXPECT_EQ(Campo(r.Corpo, "tpAmb"), caso.tpAmb);
    EXPECT_EQ(Campo(r.Corpo, "cUF"), caso.cUF);
  }
}

TEST(SefazSimulador, AcceptsOnlyClientsWithACertificateOfTheAuthority) {
  struct TCaso {
    std::vector<std::string> opcoes;
    const char* cliente;
    std::vector<std::string> extrasCurl;
    bool aceito;
  };
  const std::vector<std::string> seguranca0{"--ciphers", "DEFAULT@SECLEVEL=0"};
  const TCaso casos[] = {
      {{}, "empresa", {}, true},
      {{}, "", {}, false},
      {{}, "cliente-outra-ca", {}, false},
      // Asking for the certificate by renegotiation after the request, over TLS 1.2.
      {{"--renegociar"}, "empresa", {}, true},
      {{"--renegociar"}, "", {}, false},
      {{"--renegociar"}, "cliente-outra-ca", {}, false},
      // A 1024-bit DH group: refused by the client's default security level only.
      {{"--dh-1024"}, "empresa", {}, false},
      {{"--dh-1024"}, "empresa", seguranca0, true},
      {{"--dh-1024"}, "", seguranca0, false},
      // HTTP/2 agreed but not spoken: only a client that offers it fails.
      {{"--recusar-http2"}, "empresa", {"--http2"}, false},
      {{"--recusar-http2"}, "empresa", {"--http1.1"}, true},
      {{}, "empresa", {"--http2"}, true},
  };
  for (const TCaso& caso : casos) {
    SCOPED_TRACE((caso.opcoes.empty() ? "" : caso.opcoes[0]) + " cliente '" + caso.cliente + "' " +
                 (caso.extrasCurl.empty() ? "" : caso.extrasCurl.back()));
    TSimuladorTeste simulador(caso.opcoes);
    const TRespostaCurl r = Postar(simulador.URL(), kPedido400, caso.cliente, caso.extrasCurl);
    if (caso.aceito) {
      EXPECT_EQ(r.Saida, 0);
      EXPECT_EQ(Campo(r.Corpo, "cStat"), "107");
    } else {
      EXPECT_NE(r.Saida, 0);
      EXPECT_EQ(Campo(r.Corpo, "cStat"), "(ausente)");
    }
    // Refused at the handshake, the request never reaches the server; refused on
    // renegotiation, it did.
    const bool renegociar = !caso.opcoes.empty() && caso.opcoes[0] == "--renegociar";
    EXPECT_EQ(simulador.Pedidos().size(), caso.aceito || renegociar ? 1U : 0U);
  }
}

TEST(SefazSimulador, AnswersWithTheGivenFileAndHttpStatus) {
  const TPastaTemporaria pasta;
  // Not UTF-8, a line break and a NUL byte: sent as they are.
  std::string bytes = "<x>qualquer\xe9\r\n";
  bytes += '\0';
  bytes += "</x>";
  TPastaTemporaria::Escrever(pasta.Caminho() + "resposta.xml", bytes);
  struct TCaso {
    std::vector<std::string> opcoes;
    int status;
    bool arquivo;
  };
  const TCaso casos[] = {
      {{"--resposta", pasta.Caminho() + "resposta.xml"}, 200, true},
      {{"--resposta", pasta.Caminho() + "resposta.xml", "--http-status", "503"}, 503, true},
      {{"--http-status", "500"}, 500, false},
  };
  for (const TCaso& caso : casos) {
    SCOPED_TRACE(caso.status);
    TSimuladorTeste simulador(caso.opcoes);
    const TRespostaCurl r = Postar(simulador.URL(), kPedido400);
    EXPECT_EQ(r.Status, caso.status);
    if (caso.arquivo) {
      EXPECT_EQ(r.Corpo, bytes);
    } else {
      EXPECT_EQ(Campo(r.Corpo, "cStat"), "107");
    }
  }
}

TEST(SefazSimulador, RecordsMethodPathHeadersAndBodyOfEveryRequest) {
  TSimuladorTeste simulador;
  const std::string acao =
      "\"http://www.portalfiscal.inf.br/nfe/wsdl/NFeStatusServico4/"
      "nfeStatusServicoNF\"";
  const std::string outroCorpo = "linha 1\nlinha 2\r\n\xe7\n\n";
  ASSERT_EQ(Postar(simulador.URL() + "/ws/a.asmx?wsdl=1", kPedido400, "empresa",
                   {"-H", "SOAPAction: " + acao})
                .Status,
            200);
  ASSERT_EQ(Postar(simulador.URL() + "/b", outroCorpo).Status, 500);

  const std::vector<TPedidoRegistrado> pedidos = simulador.Pedidos();
  ASSERT_EQ(pedidos.size(), 2U);
  EXPECT_EQ(pedidos[0].Metodo, "POST");
  EXPECT_EQ(pedidos[0].Caminho, "/ws/a.asmx?wsdl=1");
  EXPECT_EQ(pedidos[0].Versao, "HTTP/1.1");
  EXPECT_EQ(pedidos[0].Corpo, kPedido400);
  const std::vector<std::pair<std::string, std::string>> cabecalhos{
      {"Accept", "*/*"},
      {"Content-Length", std::to_string(kPedido400.size())},
      {"Content-Type", "application/soap+xml; charset=utf-8"},
      {"Host", "127.0.0.1:" + std::to_string(simulador.Porta())},
      {"SOAPAction", acao},
  };
  for (const auto& cabecalho : cabecalhos) {
    EXPECT_NE(std::find(pedidos[0].Cabecalhos.begin(), pedidos[0].Cabecalhos.end(), cabecalho),
              pedidos[0].Cabecalhos.end())
        << cabecalho.first;
  }
  // Only what the client sent: one more (User-Agent), nothing the server adds.
  EXPECT_EQ(pedidos[0].Cabecalhos.size(), cabecalhos.size() + 1);
  EXPECT_EQ(pedidos[1].Caminho, "/b");
  EXPECT_EQ(pedidos[1].Corpo, outroCorpo);
}

TEST(SefazSimulador, PlaysTheAnswerHabitsOfRealAuthorisers) {
  struct TCaso {
    std::vector<std::string> opcoes;
    int status;
    std::vector<std::string> nosCabecalhos;
    std::string inicioDoCorpo;
    std::string noCorpo;
  };
  const std::string ns = "http://www.w3.org/2003/05/soap-envelope";
  const TCaso casos[] = {
      {{"--envelope", "soapenv"},
       200,
       {},
       R"(<?xml version="1.0" encoding="UTF-8"?><soapenv:Envelope xmlns:soapenv=")" + ns +
           R"("><soapenv:Header/><soapenv:Body><nfeResultMsg )",
       "<cStat>107</cStat>"},
      {{"--envelope", "env"},
       200,
       {},
       "<env:Envelope xmlns:env='" + ns + "'><env:Body><nfeResultMsg xmlns='",
       "<retConsStatServ versao='4.00' xmlns='http://www.portalfiscal.inf.br/nfe'>"},
      {{"--envelope", "S"},
       200,
       {},
       "<?xml version='1.0' encoding='UTF-8'?><S:Envelope xmlns:S=\"" + ns + "\"><S:Body>",
       "<cStat>107</cStat>"},
      {{"--charset", "iso-8859-1"},
       200,
       {"Content-Type: application/soap+xml; charset=ISO-8859-1\r\n"},
       R"(<?xml version="1.0" encoding="ISO-8859-1"?><soap:Envelope )",
       "<xMotivo>Servi\xe7o em Opera\xe7\xe3o</xMotivo>"},
      {{"--chunked"}, 200, {"Transfer-Encoding: chunked\r\n"}, "<?xml", "<cStat>107</cStat>"},
      {{"--fechar-conexao"}, 200, {"Connection: close\r\n"}, "<?xml", "<cStat>107</cStat>"},
      {{"--continue-100", "--chunked"},
       200,
       {"HTTP/1.1 100 Continue\r\n", "\r\n\r\nHTTP/1.1 200 OK\r\n", "Transfer-Encoding: chunked"},
       "<?xml",
       "<cStat>107</cStat>"},
      {{"--falha", "iis-403"},
       403,
       {"Content-Type: text/html\r\n"},
       "<!DOCTYPE html",
       "<title>403 - Forbidden: Access is denied.</title>"},
      {{"--falha", "apache-403"},
       403,
       {"Content-Type: text/html; charset=iso-8859-1\r\n"},
       "<!DOCTYPE HTML",
       "Voc\xea n\xe3o tem permiss\xe3o"},
      {{"--falha", "400-vazio"}, 400, {"Content-Length: 0\r\n"}, "", ""},
      {{"--falha", "soap-500"},
       500,
       {"Transfer-Encoding: chunked\r\n"},
       "<?xml",
       "<soap:Fault><soap:Code><soap:Value>soap:Receiver</soap:Value></soap:Code><soap:Reason>"
       "<soap:Text xml:lang=\"pt-BR\"> </soap:Text></soap:Reason></soap:Fault>"},
  };
  for (const TCaso& caso : casos) {
    SCOPED_TRACE(caso.opcoes[0] + " " + caso.opcoes[1 % caso.opcoes.size()]);
    TSimuladorTeste simulador(caso.opcoes);
    const TRespostaCurl r = Postar(simulador.URL(), kPedido400);
    EXPECT_EQ(r.Saida, 0);
    EXPECT_EQ(r.Status, caso.status);
    for (const std::string& cabecalho : caso.nosCabecalhos) {
      EXPECT_NE(r.Cabecalhos.find(cabecalho), std::string::npos) << r.Cabecalhos;
    }
    EXPECT_TRUE(r.Corpo.starts_with(caso.inicioDoCorpo)) << r.Corpo;
    EXPECT_NE(r.Corpo.find(caso.noCorpo), std::string::npos) << r.Corpo;
    EXPECT_EQ(caso.noCorpo.empty(), r.Corpo.empty());
  }
}

TEST(SefazSimulador, ServesClientsAtTheSameTime) {
  // Each answer waits 1.5 s; four clients allowed 2.8 s each finish only when served at once.
  TSimuladorTeste simulador({"--atraso", "1500"});
  std::vector<TRespostaCurl> respostas(4);
  std::vector<std::thread> clientes;
  clientes.reserve(respostas.size());
  for (TRespostaCurl& r : respostas) {
    clientes.emplace_back([&r, &simulador] {
      r = Postar(simulador.URL(), kPedido400, "empresa", {"--max-time", "2.8"});
    });
  }
  for (std::thread& c : clientes) {
    c.join();
  }
  for (const TRespostaCurl& r : respostas) {
    EXPECT_EQ(r.Saida, 0);
    EXPECT_EQ(Campo(r.Corpo, "cStat"), "107");
  }
}

TEST(SefazSimulador, StopsCleanlyOnSigtermAndSigint) {
  for (const int sinal : {SIGTERM, SIGINT}) {
    SCOPED_TRACE(sinal);
    TSimuladorTeste simulador;
    ASSERT_EQ(Postar(simulador.URL(), kPedido400).Status, 200);
    EXPECT_EQ(simulador.Parar(sinal), 0);
  }
}

TEST(SefazSimulador, StopsOnSigtermWhileADelayedAnswerIsPending) {
  TSimuladorTeste simulador({"--atraso", "60000"});
  std::thread cliente([&simulador] {
    (void)Postar(simulador.URL(), kPedido400, "empresa", {"--max-time", "15"});
  });
  // The request is in: the answer waits its minute.
  for (int espera = 0; simulador.Pedidos().empty() && espera < 500; ++espera) ::usleep(10000);
  const auto inicio = std::chrono::steady_clock::now();
  EXPECT_EQ(simulador.Parar(), 0);
  EXPECT_LT(std::chrono::steady_clock::now() - inicio, std::chrono::seconds(3));
  cliente.join();
}

// The services' requests as an authoriser's schema check sees them: a document field left empty
// is refused, and an NSU is any number of 15 digits.
TEST(SefazSimulador, RefusesEmptyDocumentsAndTakesNSUsOfFifteenDigits) {
  const std::string ns = "xmlns=\"http://www.portalfiscal.inf.br/nfe\"";
  const auto envelope = [](const std::string& servico, const std::string& documento) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><soap12:Envelope "
           "xmlns:soap12=\"http://www.w3.org/2003/05/soap-envelope\"><soap12:Body><nfeDadosMsg "
           "xmlns=\"http://www.portalfiscal.inf.br/nfe/wsdl/" +
           servico + "\">" + documento + "</nfeDadosMsg></soap12:Body></soap12:Envelope>";
  };
  const auto cadastro = [&](const std::string& documento) {
    return envelope("CadConsultaCadastro4", "<ConsCad " + ns +
                                                " versao=\"2.00\"><infCons><xServ>CONS-CAD</xServ>"
                                                "<UF>SP</UF>" +
                                                documento + "</infCons></ConsCad>");
  };
  const auto distribuicao = [&](const std::string& documento, const std::string& consulta) {
    return envelope("NFeDistribuicaoDFe", "<distDFeInt " + ns +
                                              " versao=\"1.01\"><tpAmb>2</tpAmb><cUFAutor>41"
                                              "</cUFAutor>" +
                                              documento + consulta + "</distDFeInt>");
  };
  const std::string cnpj = "<CNPJ>11222333000181</CNPJ>";
  struct TCaso {
    std::string nome;
    std::string pedido;
    int status;
    std::string cStat;  // "(ausente)" for a SOAP fault
  };
  const TCaso casos[] = {
      {"cadastro por CNPJ", cadastro(cnpj), 200, "111"},
      {"cadastro com CPF vazio", cadastro("<CPF/>"), 500, "(ausente)"},
      {"cadastro sem documento", cadastro(""), 500, "(ausente)"},
      {"NSU acima de 2^31", distribuicao(cnpj, "<consNSU><NSU>000002147483648</NSU></consNSU>"),
       200, "137"},
      {"último NSU de 15 noves",
       distribuicao(cnpj, "<distNSU><ultNSU>999999999999999</ultNSU></distNSU>"), 200, "137"},
      {"NSU 2", distribuicao(cnpj, "<consNSU><NSU>000000000000002</NSU></consNSU>"), 200, "138"},
      {"NSU com letras", distribuicao(cnpj, "<consNSU><NSU>00000000000000a</NSU></consNSU>"), 200,
       "215"},
      {"distribuição com CPF vazio",
       distribuicao("<CPF/>", "<distNSU><ultNSU>000000000000000</ultNSU></distNSU>"), 200, "215"},
  };
  TSimuladorTeste simulador;
  for (const TCaso& caso : casos) {
    SCOPED_TRACE(caso.nome);
    const TRespostaCurl r = Postar(simulador.URL(), caso.pedido);
    EXPECT_EQ(r.Status, caso.status) << r.Corpo;
    EXPECT_EQ(Campo(r.Corpo, "cStat"), caso.cStat) << r.Corpo;
  }
}

TEST(SefazSimulador, StopsWhenSignalledRightAfterReportingReady) {
  // The signal comes as soon as the "ouvindo em" line is read, before any connection: the
  // server thread may not have begun serving yet, and stopping must not wait for it forever.
  for (int vez = 0; vez < 20; ++vez) {
    SCOPED_TRACE(vez);
    TSimuladorTeste simulador;
    ASSERT_EQ(simulador.Parar(), 0);
  }
}

TEST(SefazSimulador, RefusesBadArgumentsWithAMessageAndStatus2) {
  const std::string pki = PastaPKITeste();
  const std::string tls = " --cert " + pki + "servidor.pem --chave " + pki +
                          "servidor.key --ca-clientes " + pki + "ca.pem";
  struct TCaso {
    std::string argumentos;
    std::string mensagem;
  };
  const TCaso casos[] = {
      {tls + " --porta 70000", "Valor inválido para --porta: \"70000\""},
      {tls + " --cenario 107,abc", "Valor inválido para --cenario: \"abc\""},
      {tls + " --recibo 105,x", "Valor inválido para --recibo: \"x\""},
      {tls + " --inutilizacao 563,0", "Valor inválido para --inutilizacao: \"0\""},
      {tls + " --envelope xml", "Valor inválido para --envelope: \"xml\""},
      {tls + " --nada", "Opção desconhecida: --nada"},
      {tls + " --atraso", "Falta o valor da opção --atraso"},
      {" --cert " + pki + "servidor.pem --chave " + pki + "servidor.key",
       "Falta a opção obrigatória --ca-clientes"},
      {" --cert /nao/existe.pem --chave x --ca-clientes y",
       "Não foi possível ler o certificado do servidor \"/nao/existe.pem\""},
      {tls + " --resposta /nao/existe.xml", "Não foi possível ler o arquivo de resposta"},
  };
  for (const TCaso& caso : casos) {
    SCOPED_TRACE(caso.argumentos);
    const TExecucao e =
        Executar(std::string(NIVRA_SIMULADOR) + caso.argumentos + " 2>&1 >/dev/null");
    EXPECT_EQ(e.Saida, 2);
    EXPECT_NE(e.Texto.find(caso.mensagem), std::string::npos) << e.Texto;
  }
  const TExecucao ajuda = Executar(std::string(NIVRA_SIMULADOR) + " --help");
  EXPECT_EQ(ajuda.Saida, 0);
  EXPECT_NE(ajuda.Texto.find("--cenario LISTA"), std::string::npos);
  EXPECT_NE(ajuda.Texto.find("--recibo LISTA"), std::string::npos);
  EXPECT_NE(ajuda.Texto.find("--inutilizacao LISTA"), std::string::npos);
  const TExecucao versao = Executar(std::string(NIVRA_SIMULADOR) + " --version");
  EXPECT_EQ(versao.Saida, 0);
  EXPECT_TRUE(versao.Texto.starts_with("sefaz-simulador ")) << versao.Texto;
}

}  // namespace

}  // namespace nivra
