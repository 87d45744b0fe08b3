// A company whose CNPJ holds letters, end to end against sefaz-simulador: every service sends
// the CNPJ or key exactly as it is, valid under the shipped schemas, and a number with a wrong
// check digit (numeric or alphanumeric) is refused before any request.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <string>
#include <vector>

#include "nivranfe/util/chave_acesso.h"
#include "nivranfe/util/texto.h"
#include "tests/fakes/mensagem_de.h"
#include "tests/nfe/ambiente_simulador.h"

namespace nivra {

namespace {

constexpr const char* kCNPJ = "12ABC34501DE35";

// The key of an invoice of kCNPJ: PR, June 2026, model 55, series 1.
std::string ChaveAlfanumerica(int numero) {
  const std::string base = "412606" + std::string(kCNPJ) + "550010" + ZerosAEsquerda(numero, 8) +
                           "1" + ZerosAEsquerda(numero, 8);
  return base + std::to_string(DigitoChaveAcesso(base));
}

// The key with its check digit moved by one: still 44 characters of the key's alphabet.
std::string ComDigitoErrado(const std::string& chave) {
  return chave.substr(0, 43) + static_cast<char>('0' + (chave.back() - '0' + 1) % 10);
}

TInfEventoNFe Cancelamento(const std::string& chave, const std::string& cnpj) {
  TInfEventoNFe evento;
  evento.chNFe = chave;
  evento.CNPJ = cnpj;
  evento.dhEvento = CodificarDataHora(2026, 6, 9, 10, 0, 0);
  evento.tpEvento = TkovTpEvento::teCancelamento;
  evento.nProt = "141260000000001";
  evento.xJust = "Justificativa do evento de teste";
  return evento;
}

class CNPJAlfanumerico : public AmbienteSimulador {};

TEST_F(CNPJAlfanumerico, EachServiceSendsTheCNPJOrKeyExactly) {
  struct Caso {
    const char* servico;
    std::function<bool(TNivraNFe&)> executar;
    // The shipped schema the request must pass; none for a service without one.
    std::string schema;
    std::vector<std::string> trechos;
  };
  const std::string chave = ChaveAlfanumerica(1);
  const Caso casos[] = {
      {"situacao",
       [&](TNivraNFe& nfe) { return nfe.Consultar(chave); },
       "consSitNFe_v4.00.xsd",
       {"<chNFe>" + chave + "</chNFe>"}},
      {"situacao pelo Id da NF-e",
       [&](TNivraNFe& nfe) { return nfe.Consultar("NFe" + chave); },
       "consSitNFe_v4.00.xsd",
       {"<chNFe>" + chave + "</chNFe>"}},
      {"cadastro",
       [](TNivraNFe& nfe) {
         nfe.WebServices().ConsultaCadastro().SetCNPJ("12.ABC.345/01DE-35");
         return nfe.WebServices().ConsultaCadastro().Executar();
       },
       "consCad_v2.00.xsd",
       {"<CNPJ>12ABC34501DE35</CNPJ>"}},
      {"inutilizacao",
       [](TNivraNFe& nfe) {
         return nfe.Inutilizar(kCNPJ, "Numeracao pulada por erro", 2026, 1, 5, 6);
       },
       "inutNFe_v4.00.xsd",
       {"Id=\"ID412612ABC34501DE3555001000000005000000006\"", "<CNPJ>12ABC34501DE35</CNPJ>"}},
      {"evento",
       [&](TNivraNFe& nfe) {
         nfe.EventoNFe().Evento = {Cancelamento(chave, kCNPJ)};
         return nfe.EnviarEvento(4);
       },
       "envEvento_v1.00.xsd",
       {"Id=\"ID110111" + chave + "01\"", "<cOrgao>41</cOrgao>", "<CNPJ>12ABC34501DE35</CNPJ>",
        "<chNFe>" + chave + "</chNFe>"}},
      {"csc",
       [](TNivraNFe& nfe) {
         nfe.Configuracoes().Geral().SetModeloDF(TkovModeloDF::moNFCe);
         return nfe.AdministrarCSC("12ABC345", 1, 0, "");
       },
       "",
       {"<raizCNPJ>12ABC345</raizCNPJ>"}},
  };
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.servico);
    Iniciar();
    ASSERT_TRUE(caso.executar(*FNFe));
    ASSERT_EQ(Documentos().size(), 1u);
    const std::string pedido = Documentos()[0];
    for (const std::string& trecho : caso.trechos)
      EXPECT_NE(pedido.find(trecho), std::string::npos) << trecho << "\n" << pedido;
    if (!caso.schema.empty()) {
      EXPECT_TRUE(ValidoNoSchema(pedido, caso.schema));
    }
  }
}

TEST_F(CNPJAlfanumerico, CancellationReadsTheIssuerAndUFFromTheKeyAndSavesUnderIt) {
  Iniciar();
  auto& arquivos = FNFe->Configuracoes().Arquivos();
  arquivos.SetSalvar(true);
  arquivos.SetSepararPorCNPJ(true);
  const std::string chave = ChaveAlfanumerica(2);
  const std::string nota = "<NFe xmlns=\"http://www.portalfiscal.inf.br/nfe\"><infNFe Id=\"NFe" +
                           chave +
                           "\" versao=\"4.00\"><ide><cUF>41</cUF><nNF>2</nNF><tpAmb>2</tpAmb>"
                           "</ide><emit><CNPJ>12ABC34501DE35</CNPJ></emit></infNFe></NFe>";
  FNFe->NotasFiscais().Add().SetXML(FNFe->SSL().Assinar(nota, "NFe", "infNFe"));
  EXPECT_EQ(FNFe->NotasFiscais().Items(0).ChaveAcesso(), chave);
  EXPECT_EQ(FNFe->NotasFiscais().Items(0).CNPJEmitente(), kCNPJ);

  EXPECT_TRUE(FNFe->Cancelamento("Pedido cancelado pelo cliente", 5));
  ASSERT_EQ(Documentos().size(), 2u);
  EXPECT_TRUE(ValidoNoSchema(Documentos()[1], "envEvento_v1.00.xsd"));
  EXPECT_NE(Documentos()[1].find("<cOrgao>41</cOrgao><tpAmb>2</tpAmb><CNPJ>12ABC34501DE35</CNPJ>"),
            std::string::npos)
      << Documentos()[1];
  EXPECT_EQ(FNFe->EventoNFe().Evento.at(0).cStatRetorno, 135);
  const auto salvos = Salvos("-procEventoNFe.xml");
  ASSERT_EQ(salvos.size(), 1u);
  EXPECT_NE(salvos[0].find("12ABC34501DE35/"), std::string::npos) << salvos[0];
  EXPECT_NE(salvos[0].find("110111" + chave + "01-procEventoNFe.xml"), std::string::npos)
      << salvos[0];
}

TEST_F(CNPJAlfanumerico, WrongNumbersAreRefusedBeforeAnyRequest) {
  struct Caso {
    const char* nome;
    std::function<void(TNivraNFe&)> executar;
    std::string mensagem;
  };
  const std::string chave = ChaveAlfanumerica(3);
  const std::string errada = ComDigitoErrado(chave);
  const std::string numericaErrada = ComDigitoErrado(ChaveTeste(3));
  std::string minuscula = chave;
  std::transform(minuscula.begin(), minuscula.end(), minuscula.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  // Right check digits, but an unknown UF (99) and a model that is not NF-e or NFC-e (57).
  const std::string ufDesconhecida = [] {
    const std::string base = "992606" + std::string(kCNPJ) + "5500100000000310000000" + "3";
    return base + std::to_string(DigitoChaveAcesso(base));
  }();
  const std::string modelo57 = [] {
    const std::string base = "412606" + std::string(kCNPJ) + "5700100000000310000000" + "3";
    return base + std::to_string(DigitoChaveAcesso(base));
  }();
  const auto cadastro = [](const std::string& cnpj, const std::string& cpf) {
    return [=](TNivraNFe& nfe) {
      auto& servico = nfe.WebServices().ConsultaCadastro();
      servico.SetCNPJ(cnpj);
      servico.SetCPF(cpf);
      (void)servico.Executar();
    };
  };
  const auto evento = [](const std::string& chaveEvento, const std::string& cnpj) {
    return [=](TNivraNFe& nfe) {
      nfe.EventoNFe().Evento = {Cancelamento(chaveEvento, cnpj)};
      (void)nfe.EnviarEvento(1);
    };
  };
  const auto distribuicao = [](const std::string& documento, const std::string& ultNSU,
                               const std::string& nsu, const std::string& chaveDist) {
    return
        [=](TNivraNFe& nfe) { (void)nfe.DistribuicaoDFe(41, documento, ultNSU, nsu, chaveDist); };
  };
  const std::string soNumeros =
      "A distribuição de DF-e (leiaute 1.01) aceita só CNPJ e chave "
      "numéricos: ";
  const Caso casos[] = {
      {"situacao, alfanumérica", [&](TNivraNFe& nfe) { (void)nfe.Consultar(errada); },
       "Chave \"" + errada + "\" inválida."},
      {"situacao, em minúsculas", [&](TNivraNFe& nfe) { (void)nfe.Consultar(minuscula); },
       "Chave \"" + minuscula + "\" inválida."},
      {"situacao, UF desconhecida", [&](TNivraNFe& nfe) { (void)nfe.Consultar(ufDesconhecida); },
       "Chave \"" + ufDesconhecida + "\" inválida."},
      {"situacao, modelo 57", [&](TNivraNFe& nfe) { (void)nfe.Consultar(modelo57); },
       "Chave \"" + modelo57 + "\" inválida."},
      {"cadastro, CNPJ numérico", cadastro("11222333000182", ""),
       "CNPJ \"11222333000182\" inválido."},
      {"cadastro, CNPJ alfanumérico", cadastro("12ABC34501DE53", ""),
       "CNPJ \"12ABC34501DE53\" inválido."},
      {"cadastro, CNPJ abc", cadastro("abc", ""), "CNPJ \"abc\" inválido."},
      {"cadastro, CPF", cadastro("", "123.456.789-00"), "CPF \"12345678900\" inválido."},
      {"cadastro, nenhum", cadastro("", ""), "Informe a IE, o CNPJ ou o CPF do contribuinte."},
      {"inutilizacao, alfanumérico",
       [](TNivraNFe& nfe) {
         (void)nfe.Inutilizar("12.ABC.345/01DE-53", "Numeracao pulada por erro", 2026, 1, 1, 2);
       },
       "CNPJ: 12ABC34501DE53, inválido."},
      {"inutilizacao, em minúsculas",
       [](TNivraNFe& nfe) {
         (void)nfe.Inutilizar("12abc34501de35", "Numeracao pulada por erro", 2026, 1, 1, 2);
       },
       "CNPJ: 12abc34501de35, inválido."},
      {"evento, chave alfanumérica", evento(errada, kCNPJ), "Chave \"" + errada + "\" inválida."},
      {"evento, chave numérica", evento(numericaErrada, "11222333000181"),
       "Chave \"" + numericaErrada + "\" inválida."},
      {"evento, CNPJ", evento(chave, "12ABC34501DE36"), "CNPJ \"12ABC34501DE36\" inválido."},
      {"csc, raiz em minúsculas",
       [](TNivraNFe& nfe) {
         nfe.Configuracoes().Geral().SetModeloDF(TkovModeloDF::moNFCe);
         (void)nfe.AdministrarCSC("12abc345", 1, 0, "");
       },
       "Raiz do CNPJ \"12abc345\" inválida."},
      {"distribuicao, CNPJ", distribuicao("12ABC34501DE53", "0", "", ""),
       "CNPJ \"12ABC34501DE53\" inválido."},
      {"distribuicao, 13 dígitos", distribuicao("1122233300018", "0", "", ""),
       "CNPJ \"1122233300018\" inválido."},
      {"distribuicao, CPF", distribuicao("12345678900", "0", "", ""),
       "CPF \"12345678900\" inválido."},
      {"distribuicao, NSU", distribuicao("11222333000181", "", "abc", ""), "NSU \"abc\" inválido."},
      {"distribuicao, último NSU", distribuicao("11222333000181", "1234567890123456", "", ""),
       "NSU \"1234567890123456\" inválido."},
      {"distribuicao, chave", distribuicao("11222333000181", "", "", numericaErrada),
       "Chave \"" + numericaErrada + "\" inválida."},
      {"distribuicao, CNPJ alfanumérico", distribuicao(kCNPJ, "0", "", ""),
       soNumeros + "\"12ABC34501DE35\"."},
      {"distribuicao, chave alfanumérica", distribuicao("11222333000181", "", "", chave),
       soNumeros + "\"" + chave + "\"."},
  };
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.nome);
    Iniciar();
    EXPECT_EQ(MensagemDe([&] { caso.executar(*FNFe); }), caso.mensagem);
    EXPECT_TRUE(FSimulador->Pedidos().empty());
  }
}

}  // namespace

}  // namespace nivra
