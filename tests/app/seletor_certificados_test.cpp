#include "app/seletor_certificados.h"

#include <gtest/gtest.h>

#include <string>

#include "nivranfe/util/excecoes.h"
#include "tests/app/monitor_fixture.h"

namespace nivra {

namespace {

class Seletor : public MonitorFixture {
 protected:
  void SetUp() override {
    componente.Respostas = {Em107()};
    Iniciar();
  }
  // Adds a certificate to the fake store.
  void Certificado(const std::string& razao, const std::string& cnpj, TDateTime vencimento,
                   const std::string& serie) {
    TDadosCertificado& dados = componente.Lista.New();
    dados.SetRazaoSocial(razao);
    dados.SetCNPJ(cnpj);
    dados.SetDataVenc(vencimento);
    dados.SetCertificadora("AC TESTE");
    dados.SetNumeroSerie(serie);
  }
  // The user confirms the row.
  void Confirma(std::size_t linha) {
    ui.Usuario = [linha](const auto&, const auto&) { return std::optional<std::size_t>(linha); };
  }
};

TEST_F(Seletor, ListsOnlyCertificatesWithCnpjNotExpiredBeforeToday) {
  Certificado("PESSOA", "", hoje + 300, "01");
  Certificado("VENCE HOJE A NOITE", "11222333000181", CodificarDataHora(2026, 6, 15, 18, 0), "02");
  Certificado("VENCEU ONTEM", "11222333000181", CodificarDataHora(2026, 6, 14, 23, 59), "03");
  Certificado("VENCE A MEIA-NOITE", "11222333000181", CodificarDataHora(2026, 6, 15), "04");
  const auto linhas = LinhasDoSeletor(componente.Lista, hoje);
  ASSERT_EQ(linhas.size(), 2u);
  EXPECT_EQ(linhas[0], (TLinhaCertificado{"VENCE HOJE A NOITE", "11222333000181", "15/06/2026",
                                          "AC TESTE", "02"}));
  EXPECT_EQ(linhas[1].NumeroSerie, "04");
}

TEST_F(Seletor, ConfirmingTakesTheRowThenAppliesAndSaves) {
  Certificado("EMPRESA A", "11222333000181", hoje + 30, "0a 1b");
  Certificado("EMPRESA B", "44555666000172", hoje + 30, "2C3D");
  Confirma(0);
  controlador.SpeedButton2Click();
  EXPECT_EQ(ui.Textos[TControle::NumeroCertificado], "0a 1b");
  EXPECT_EQ(componente.SerieAplicada, "0A1B");
  EXPECT_EQ(TPastaTemporaria::Ler(arquivo.Caminho()), "[config]\ncertificado=0a 1b\nUF=PR\n");
  EXPECT_EQ(componente.Consultas, 1);  // no query
}

TEST_F(Seletor, CancellingOrConfirmingAnEmptyListClearsTheChoiceEverywhere) {
  Certificado("PESSOA", "", hoje + 30, "01");
  for (bool confirma : {false, true}) {
    if (confirma) Confirma(0);
    controlador.SpeedButton2Click();
    EXPECT_TRUE(ui.LinhasMostradas.back().empty());
    EXPECT_EQ(ui.Textos[TControle::NumeroCertificado], "");
    EXPECT_EQ(componente.SerieAplicada, "");
    EXPECT_EQ(TPastaTemporaria::Ler(arquivo.Caminho()), "[config]\ncertificado=\nUF=PR\n");
  }
  controlador.btnConsultaClick();
  ASSERT_EQ(ui.Mensagens.size(), 1u);
  EXPECT_EQ(ui.Mensagens[0].first, "Certificado não informado");
}

TEST_F(Seletor, StoreFailureShowsItsMessageAndChangesNothing) {
  componente.FalhaStore = "Leitura do repositório não suportada";
  controlador.SpeedButton2Click();
  ASSERT_EQ(ui.Mensagens.size(), 1u);
  EXPECT_EQ(ui.Mensagens[0].first, "Leitura do repositório não suportada");
  EXPECT_EQ(ui.Mensagens[0].second, TMonitorControlador::kTituloAplicacao);
  EXPECT_TRUE(ui.LinhasMostradas.empty());
  EXPECT_EQ(ui.Textos[TControle::NumeroCertificado], "1A2B");
  EXPECT_EQ(componente.SerieAplicada, "1A2B");
}

TEST_F(Seletor, ImportAddsTheFileAndTheChoiceComesFromTheRefreshedRows) {
  std::string arquivoImportado;
  std::string senhaRecebida;
  importar = [&](const std::string& caminho, const std::string& senha) {
    if (senha != "segredo") throw ENivraDFeException("Senha do certificado inválida");
    arquivoImportado = caminho;
    senhaRecebida = senha;
    Certificado("IMPORTADA", "11222333000181", hoje + 90, "99AA");
  };
  std::string erro;
  ui.Usuario = [&erro](const auto& linhas, const TImportarNoSeletor& importarNoSeletor) {
    EXPECT_TRUE(linhas.empty());
    try {
      (void)importarNoSeletor("/tmp/a.pfx", "errada");
    } catch (const ENivraDFeException& e) {
      erro = e.what();
    }
    const auto novas = importarNoSeletor("/tmp/a.pfx", "segredo");
    EXPECT_EQ(novas.size(), 1u);
    return std::optional<std::size_t>(0);
  };
  controlador.SpeedButton2Click();
  EXPECT_TRUE(ui.ImportacaoOferecida);
  EXPECT_EQ(erro, "Senha do certificado inválida");
  EXPECT_EQ(arquivoImportado, "/tmp/a.pfx");
  EXPECT_EQ(senhaRecebida, "segredo");
  EXPECT_EQ(ui.Textos[TControle::NumeroCertificado], "99AA");
  EXPECT_EQ(componente.SerieAplicada, "99AA");
}

}  // namespace

}  // namespace nivra
