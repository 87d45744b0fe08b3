#include "app/monitor_controlador.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "tests/app/monitor_fixture.h"

namespace nivra {

namespace {

const TCor kVerde{0, 255, 0};
const TCor kAmarelo{255, 255, 0};
const TCor kVermelho{255, 0, 0};

const std::string kRodape = "\r\rClique nesta mensagem para não mostrar mais.";

using Monitor = MonitorFixture;

TEST_F(Monitor, StartingInOperationStaysSilentAndShowsTheStatusLine) {
  componente.Respostas = {Em107(), Em107(), Em107()};
  Iniciar();
  EXPECT_EQ(ui.Textos[TControle::MensagemSite], "107 - Serviço em Operação");
  EXPECT_EQ(ui.Cores[TControle::MensagemSite], kVerde);
  Avancar(2 * TMonitorControlador::kIntervaloConsulta);
  EXPECT_EQ(componente.Consultas, 3);
  EXPECT_TRUE(ui.Baloes.empty());
  EXPECT_EQ(registro.str().find("consulta: 107 - Serviço em Operação\n"), 0u);
}

TEST_F(Monitor, StartupAppliesTheSettingsAndHidesToTheTrayOnce) {
  componente.Respostas = {Em107()};
  Iniciar("SC");
  EXPECT_EQ(componente.SerieAplicada, "1A2B");
  EXPECT_EQ(componente.UFAplicada, "SC");
  EXPECT_FALSE(ui.Escondida);
  Avancar(299);
  EXPECT_FALSE(ui.Escondida);
  Avancar(1);
  EXPECT_TRUE(ui.Escondida);
  EXPECT_TRUE(ui.IconeVisivel);
  EXPECT_FALSE(ui.TimerAtivo(TTimerMonitor::Timer4));
  controlador.TrayIcon1DblClick();
  EXPECT_FALSE(ui.Escondida);
  controlador.btnSairClick();
  EXPECT_TRUE(ui.Escondida);
  controlador.Sair1Click();
  EXPECT_TRUE(ui.Encerrada);
}

TEST_F(Monitor, FirstParalysisQueriesAgainAtOnceThenWarnsAndRemindsUntilClicked) {
  componente.Respostas = {Em108(), Em108()};
  Iniciar();
  EXPECT_EQ(componente.Consultas, 2);
  EXPECT_EQ(controlador.status(), 108);
  EXPECT_FALSE(controlador.balao_clicado());
  EXPECT_EQ(ui.Cores[TControle::MensagemSite], kAmarelo);
  ASSERT_EQ(ui.Baloes.size(), 1u);
  EXPECT_EQ(ui.Baloes[0].Titulo, "Status SEFAZ");
  EXPECT_EQ(ui.Baloes[0].Tipo, TTipoBalao::Aviso);
  EXPECT_EQ(ui.Baloes[0].Texto,
            "Serviço Paralisado Momentaneamente\rManutenção\rA emissão de NFe pode apresentar "
            "lentidão, aguarde um momento ou mude o tipo de emissão para DPEC.");

  Avancar(31200);  // reminders at 1 s, 16.1 s and 31.2 s
  ASSERT_EQ(ui.Baloes.size(), 4u);
  EXPECT_EQ(ui.Baloes[1].Quando, 1000);
  EXPECT_EQ(ui.Baloes[2].Quando, 16100);
  EXPECT_EQ(ui.Baloes[3].Quando, 31200);
  EXPECT_EQ(ui.Baloes[3].Tipo, TTipoBalao::Info);
  EXPECT_EQ(ui.Baloes[3].Texto,
            "Serviço Paralisado Momentaneamente\rManutenção\rPara emitir NF-e, aguarde um momento "
            "ou mude o tipo de emissão para DPEC." +
                kRodape);

  controlador.TrayIcon1BalloonClick();
  componente.Respostas = {Em108()};
  Avancar(TMonitorControlador::kIntervaloConsulta);
  EXPECT_EQ(ui.Baloes.size(), 4u + 1u);  // the re-display of the reason text alone, see below
  EXPECT_EQ(ui.Baloes.back().Texto, "Serviço Paralisado Momentaneamente");
  EXPECT_NE(registro.str().find("balão aviso: Serviço Paralisado Momentaneamente / Manutenção"),
            std::string::npos);
}

TEST_F(Monitor, ReturnToOperationAnnouncesOnceAndTheNextChangeAgain) {
  componente.Respostas = {Em109(), Em109(), Em107()};
  Iniciar();
  EXPECT_EQ(ui.Cores[TControle::MensagemSite], kVermelho);
  EXPECT_EQ(ui.Baloes.back().Tipo, TTipoBalao::Erro);
  controlador.TrayIcon1BalloonClick();
  Avancar(TMonitorControlador::kIntervaloConsulta);
  EXPECT_EQ(controlador.status(), 107);
  EXPECT_EQ(ui.Cores[TControle::MensagemSite], kVerde);
  EXPECT_EQ(ui.Baloes.back().Texto, "Serviço em Operação");
  EXPECT_EQ(ui.Baloes.back().Tipo, TTipoBalao::Info);

  const auto antes = ui.Baloes.size();
  Avancar(15100);
  ASSERT_EQ(ui.Baloes.size(), antes + 1);
  EXPECT_EQ(ui.Baloes.back().Texto, "Serviço em Operação\r" + kRodape);
  controlador.TrayIcon1BalloonClick();
  Avancar(60000);
  EXPECT_EQ(ui.Baloes.size(), antes + 1);
}

TEST_F(Monitor, AlternatingParalysisAnswersStopAfterTheReQueryCap) {
  for (int i = 0; i < 10; ++i) componente.Respostas.push_back(i % 2 == 0 ? Em108() : Em109());
  Iniciar();
  EXPECT_EQ(componente.Consultas, 1 + TMonitorControlador::kMaxReconsultas);
  EXPECT_EQ(controlador.status(), 108);
  EXPECT_EQ(ui.Textos[TControle::MensagemSite], "108 - Serviço Paralisado Momentaneamente");
  ASSERT_EQ(ui.Baloes.size(), 1u);
  EXPECT_EQ(ui.Baloes[0].Tipo, TTipoBalao::Aviso);
}

TEST_F(Monitor, LongRemarkCutsTheBalloonTextAt255Characters) {
  std::string obs;
  for (int i = 0; i < 300; ++i) obs += "é";
  componente.Respostas = {Em108(), Status(108, "Paralisado", obs)};
  Iniciar();
  ASSERT_EQ(ui.Baloes.size(), 1u);
  EXPECT_EQ(ui.Baloes[0].Texto, "Paralisado\r" + obs.substr(0, 2 * (255 - 11)));
}

TEST_F(Monitor, SvcButtonOnlyForTheListedUfs) {
  struct Caso {
    const char* uf;
    bool servida;
  } casos[] = {{"PR", true}, {"am", true}, {"SP", false}, {"RS", false}, {"XX", false}};
  for (const Caso& caso : casos) {
    TInterfaceMonitorFalsa tela;
    TComponenteMonitorFalso falso;
    falso.Respostas = {Em109(), Em109()};
    TMonitorControlador monitor(
        tela, falso, arquivo, [this] { return hoje; }, registro);
    Configurar(std::string("[config]\ncertificado=1\nUF=") + caso.uf + "\n");
    monitor.FormCreate();
    EXPECT_EQ(tela.Visiveis[TControle::SpeedButton1], caso.servida) << caso.uf;
    monitor.SpeedButton1Click();
    EXPECT_EQ(tela.Paginas.size(), caso.servida ? 1u : 0u) << caso.uf;
    if (caso.servida) {
      EXPECT_EQ(tela.Paginas[0], TMonitorControlador::kPaginaSVC);
    }
  }
}

TEST_F(Monitor, EveryQueryHidesTheSvcButtonAndDisablesConsultarFor20Seconds) {
  componente.Respostas = {Em108(), Em108(), Em107()};
  Iniciar();
  EXPECT_TRUE(ui.Visiveis[TControle::SpeedButton1]);
  EXPECT_FALSE(ui.Habilitados[TControle::btnConsulta]);
  Avancar(TMonitorControlador::kIntervaloBotao);
  EXPECT_TRUE(ui.Habilitados[TControle::btnConsulta]);
  EXPECT_FALSE(ui.TimerAtivo(TTimerMonitor::Timer2));

  Avancar(TMonitorControlador::kIntervaloConsulta - TMonitorControlador::kIntervaloBotao);
  EXPECT_FALSE(ui.Visiveis[TControle::SpeedButton1]);
  EXPECT_FALSE(ui.Habilitados[TControle::btnConsulta]);
  Avancar(10000);
  controlador.btnConsultaClick();  // Timer2 already runs: its count goes on
  Avancar(10000);
  EXPECT_TRUE(ui.Habilitados[TControle::btnConsulta]);
}

TEST_F(Monitor, EmptySerialShowsTheMessageAtEveryTickWithoutQuerying) {
  Configurar("[config]\ncertificado=   \nUF=PR\n");
  controlador.FormCreate();
  Avancar(300);  // hidden to the tray
  Avancar(2 * TMonitorControlador::kIntervaloConsulta);
  ASSERT_EQ(ui.Mensagens.size(), 3u);
  EXPECT_EQ(ui.Mensagens[2].first, "Certificado não informado");
  EXPECT_EQ(ui.Mensagens[2].second, "Monitor Status SEFAZ");
  EXPECT_EQ(componente.Consultas, 0);
  EXPECT_TRUE(ui.Habilitados[TControle::btnConsulta]);
}

TEST_F(Monitor, FailedQueryKeepsStateAndColourAndShowsCodeZero) {
  componente.Respostas = {Em108(), Em108(), std::nullopt, Em108()};
  Iniciar();
  Avancar(TMonitorControlador::kIntervaloConsulta);
  EXPECT_EQ(ui.Textos[TControle::MensagemSite], "0 - ");
  EXPECT_EQ(ui.Textos[TControle::ObsSite], "");
  EXPECT_EQ(ui.Posicao, 0);
  EXPECT_EQ(ui.Cores[TControle::MensagemSite], kAmarelo);
  EXPECT_EQ(controlador.status(), 108);
  EXPECT_NE(registro.str().find("consulta: 0 -  (falha: Falha de transporte)"), std::string::npos);
  // The next answer is compared with the last known code: no re-query.
  Avancar(TMonitorControlador::kIntervaloConsulta);
  EXPECT_EQ(componente.Consultas, 4);
}

TEST_F(Monitor, AFailedQueryClosesTheBalloonInsteadOfShowingItEmpty) {
  // Silenced or not, the failure's empty reason never reaches a balloon.
  for (const bool silenciado : {false, true}) {
    SCOPED_TRACE(silenciado ? "silenciado" : "não silenciado");
    TInterfaceMonitorFalsa tela;
    TComponenteMonitorFalso falso;
    std::ostringstream log;
    TMonitorControlador monitor(
        tela, falso, arquivo, [this] { return hoje; }, log);
    Configurar("[config]\ncertificado=1A2B\nUF=PR\n");
    falso.Respostas = {Em108(), Em108(), std::nullopt};
    monitor.FormCreate();
    ASSERT_EQ(tela.Baloes.size(), 1u);
    if (silenciado) monitor.TrayIcon1BalloonClick();
    tela.Avancar(TMonitorControlador::kIntervaloConsulta, monitor);
    EXPECT_EQ(falso.Consultas, 3);
    for (const auto& balao : tela.Baloes) EXPECT_FALSE(balao.Texto.empty());
    EXPECT_EQ(tela.BaloesFechados, 1);
    EXPECT_NE(log.str().find("balão fechado"), std::string::npos);
  }
}

TEST_F(Monitor, BalloonTextFollowsTheReasonOnlyWhenNoBalloonWasJustShown) {
  componente.Respostas = {Em108(), Em108(), Status(108, "Paralisado de novo", "x", 3)};
  Iniciar();
  ASSERT_EQ(ui.Baloes.size(), 1u);  // the advice is not replaced at once
  controlador.TrayIcon1BalloonClick();
  Avancar(TMonitorControlador::kIntervaloConsulta);
  EXPECT_EQ(ui.Posicao, 3);
  EXPECT_EQ(ui.Textos[TControle::ObsSite], "x");
  // The tray re-displays a changed text with the last icon kind.
  ASSERT_EQ(ui.Baloes.size(), 2u);
  EXPECT_EQ(ui.Baloes[1].Texto, "Paralisado de novo");
  EXPECT_EQ(ui.Baloes[1].Tipo, TTipoBalao::Aviso);
}

TEST_F(Monitor, ConsumoIndevidoPausesAutomaticQueriesForAnHour) {
  componente.Respostas = {Em107(), Status(656, "Consumo Indevido"), Em107(), Em107()};
  Iniciar();
  Avancar(TMonitorControlador::kIntervaloConsulta);
  EXPECT_EQ(ui.Textos[TControle::MensagemSite], "656 - Consumo Indevido");
  EXPECT_EQ(ui.Textos[TControle::ObsSite], "Consultas automáticas suspensas até 11:00");
  EXPECT_EQ(ui.Cores[TControle::MensagemSite], kVerde);
  Avancar(TMonitorControlador::kPausaConsumoIndevido - 1);
  EXPECT_EQ(componente.Consultas, 2);
  Avancar(1);
  EXPECT_EQ(componente.Consultas, 3);
  Avancar(TMonitorControlador::kIntervaloConsulta);
  EXPECT_EQ(componente.Consultas, 4);
  EXPECT_EQ(ui.Textos[TControle::ObsSite], "");
}

TEST_F(Monitor, ThePauseAfterConsumoIndevidoEndsAnHourAfterTheLastAnswer) {
  struct Caso {
    TDateTime agora;
    const char* linha;
  };
  const Caso casos[] = {
      {CodificarDataHora(2026, 6, 15, 14, 42), "Consultas automáticas suspensas até 15:42"},
      {CodificarDataHora(2026, 6, 15, 23, 30, 59), "Consultas automáticas suspensas até 00:30"},
  };
  componente.Respostas = {Em107(), Status(656, "Consumo Indevido", "Bloqueado"),
                          Status(656, "Consumo Indevido", "Bloqueado")};
  Iniciar();
  for (const Caso& caso : casos) {
    hoje = caso.agora;
    controlador.btnConsultaClick();
    EXPECT_EQ(ui.Textos[TControle::ObsSite], caso.linha);
  }
}

TEST_F(Monitor, UfChangeAppliesAndSavesWithoutQuerying) {
  componente.Respostas = {Em107()};
  Iniciar();
  ui.IndiceUF = 24;  // the user picks "SP"
  controlador.cbUFChange();
  EXPECT_EQ(componente.Consultas, 1);
  EXPECT_EQ(componente.UFAplicada, "SP");
  EXPECT_EQ(TPastaTemporaria::Ler(arquivo.Caminho()), "[config]\ncertificado=1A2B\nUF=SP\n");
}

TEST_F(Monitor, SettingsFileValuesAreTrimmedAndMatchedWithoutCase) {
  struct Caso {
    const char* conteudo;
    const char* serie;
    int indice;
    const char* ufAplicada;
  } casos[] = {
      {"[Config]\ncertificado=  ab 12  \nUF=  rs \n", "ab 12", 20, "RS"},
      {"[config]\ncertificado=1\nUF=XX\n", "1", -1, "PR"},
      {"[config]\ncertificado=1\n", "1", 15, "PR"},
      {"[outra]\ncertificado=1\nUF=SP\n", "", 15, "PR"},
  };
  for (const Caso& caso : casos) {
    TInterfaceMonitorFalsa tela;
    TComponenteMonitorFalso falso;
    TMonitorControlador monitor(
        tela, falso, arquivo, [this] { return hoje; }, registro);
    Configurar(caso.conteudo);
    monitor.FormCreate();
    EXPECT_EQ(tela.Textos[TControle::NumeroCertificado], caso.serie) << caso.conteudo;
    EXPECT_EQ(tela.IndiceUF, caso.indice) << caso.conteudo;
    EXPECT_EQ(falso.UFAplicada, caso.ufAplicada) << caso.conteudo;
  }
}

}  // namespace

TEST_F(Monitor, EveryQueryIsReportedWithItsUfAnswerAndFailure) {
  struct TConsulta {
    std::string UF;
    int cStat;
    std::string Falha;
  };
  std::vector<TConsulta> consultas;
  controlador.AoConsultar([&consultas](const std::string& uf, const TRespostaStatus& resposta,
                                       const std::string& falha, double milissegundos) {
    EXPECT_GE(milissegundos, 0);
    consultas.push_back({uf, resposta.cStat, falha});
  });
  // 108 at start-up is asked again at once; then a failed query at the next tick.
  componente.Respostas = {Em108(), Em107(), std::nullopt};
  Iniciar("SC");
  Avancar(TMonitorControlador::kIntervaloConsulta);
  ASSERT_EQ(consultas.size(), 3U);
  EXPECT_EQ(consultas[0].UF, "SC");
  EXPECT_EQ(consultas[0].cStat, 108);
  EXPECT_EQ(consultas[1].cStat, 107);
  EXPECT_EQ(consultas[1].Falha, "");
  EXPECT_EQ(consultas[2].Falha, "Falha de transporte");
}

TEST_F(Monitor, SavedStatusPairsAreCleanedAtStartAndOnceADayAsTheSettingSays) {
  const std::string docs = pasta.Caminho() + "/Docs/";
  controlador.LimparPedidosEm(docs);
  const auto velho = [&docs](int dia) {
    return docs + "202605" + (dia < 10 ? "0" : "") + std::to_string(dia) + "100000-sta.xml";
  };
  std::filesystem::create_directories(docs);
  for (int dia = 1; dia <= 20; ++dia) TPastaTemporaria::Escrever(velho(dia), "<x/>");
  componente.Respostas.assign(10, Em107());
  Configurar("[config]\ncertificado=1A2B\nUF=PR\ndiasPedidosStatus=40\n");
  controlador.FormCreate();
  // 40 days before 2026-06-15 10:00: the 5th of May goes, the 6th stays.
  EXPECT_FALSE(std::filesystem::exists(velho(5)));
  EXPECT_TRUE(std::filesystem::exists(velho(6)));
  EXPECT_NE(registro.str().find("limpeza: 5 consultas de status salvas há mais de 40 dias"),
            std::string::npos)
      << registro.str();
  // Half a day later nothing runs; a day after the start the next day's file goes.
  hoje += 0.5;
  Avancar(TMonitorControlador::kIntervaloConsulta);
  EXPECT_TRUE(std::filesystem::exists(velho(6)));
  hoje += 0.5;
  Avancar(TMonitorControlador::kIntervaloConsulta);
  EXPECT_FALSE(std::filesystem::exists(velho(6)));
  EXPECT_TRUE(std::filesystem::exists(velho(7)));
}

}  // namespace nivra
