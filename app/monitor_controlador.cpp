// The monitor's start-up, polling cycle, notification state and settings flows.
#include "app/monitor_controlador.h"

#include <algorithm>
#include <chrono>
#include <exception>
#include <utility>

#include "app/contingencia_svc.h"
#include "app/limpeza_pedidos.h"
#include "app/seletor_certificados.h"
#include "nivranfe/util/texto.h"

namespace nivra {

namespace {

const char* const kTituloBalao = "Status SEFAZ";
const char* const kCR = "\r";
const char* const kConselho108 =
    "A emissão de NFe pode apresentar lentidão, aguarde um momento ou mude o tipo de emissão "
    "para DPEC.";
const char* const kConselho109 =
    "Para emitir NF-e aguarde um momento, verifique se o SCAN está ativo ou mude o tipo de "
    "emissão para DPEC.";
const char* const kConselhoLembrete =
    "Para emitir NF-e, aguarde um momento ou mude o tipo de emissão para DPEC.";
const char* const kRodapeLembrete = "Clique nesta mensagem para não mostrar mais.";
const char* const kSemCertificado = "Certificado não informado";
const char* const kTituloSemCertificado = "Monitor Status SEFAZ";

constexpr double kMilissegundosPorDia = 86400000.0;

const TCor kVerde{0, 255, 0};
const TCor kAmarelo{255, 255, 0};
const TCor kVermelho{255, 0, 0};

const char* NomeTipo(TTipoBalao tipo) {
  switch (tipo) {
    case TTipoBalao::Aviso:
      return "aviso";
    case TTipoBalao::Erro:
      return "erro";
    case TTipoBalao::Info:
      break;
  }
  return "info";
}

}  // namespace

TMonitorControlador::TMonitorControlador(TInterfaceMonitor& ui, TComponenteMonitor& componente,
                                         const TArquivoConfiguracao& arquivo,
                                         std::function<TDateTime()> relogio, std::ostream& registro,
                                         TImportar importar)
    : FUI(ui),
      FComponente(componente),
      FArquivo(arquivo),
      FRelogio(std::move(relogio)),
      FRegistro(registro),
      FImportar(std::move(importar)),
      FBalao([this](const std::string& titulo, const std::string& texto,
                    TTipoBalao tipo) { RegistrarBalao(titulo, texto, tipo); },
             [this] {
               FRegistro << "balão fechado" << std::endl;
               FUI.FecharBalao();
             }) {}

const std::vector<std::string>& TMonitorControlador::ListaUF() {
  static const std::vector<std::string> kUFs = {
      "AC", "AL", "AP", "AM", "BA", "CE", "DF", "ES", "GO", "MA", "MT", "MS", "MG", "PA",
      "PB", "PR", "PE", "PI", "RJ", "RN", "RS", "RO", "RR", "SC", "SP", "SE", "TO"};
  return kUFs;
}

void TMonitorControlador::FormCreate() {
  FUI.SetIntervalo(TTimerMonitor::Timer1, kIntervaloConsulta);
  FUI.SetTimerAtivo(TTimerMonitor::Timer1, true);
  FUI.SetIntervalo(TTimerMonitor::Timer2, kIntervaloBotao);
  FUI.SetTimerAtivo(TTimerMonitor::Timer2, true);
  FUI.SetIntervalo(TTimerMonitor::Timer3, kPrimeiroLembrete);
  FUI.SetTimerAtivo(TTimerMonitor::Timer3, true);
  FUI.SetIntervalo(TTimerMonitor::Timer4, kIntervaloEsconder);

  if (const auto salva = FArquivo.Ler()) {
    FUI.SetTexto(TControle::NumeroCertificado, salva->Certificado);
    SelecionarUF(salva->UF);
    FDiasPedidos = salva->DiasPedidosStatus;
  }
  LimparPedidosSeDevido();
  Fstatus = 107;
  Fbalao_clicado = true;
  FUI.SetTimerAtivo(TTimerMonitor::Timer4, true);
  lbAtualizaDadosClick();
  btnConsultaClick();
}

void TMonitorControlador::btnConsultaClick() {
  for (int reconsultas = 0; ConsultarEAvaliar(reconsultas < kMaxReconsultas); ++reconsultas) {
  }
}

bool TMonitorControlador::ConsultarEAvaliar(bool podeReconsultar) {
  if (Aparar(FUI.Texto(TControle::NumeroCertificado)).empty()) {
    FUI.MensagemErro(kSemCertificado, kTituloSemCertificado);
    return false;
  }
  FUI.SetVisivel(TControle::SpeedButton1, false);
  FUI.SetHabilitado(TControle::btnConsulta, false);
  FUI.SetTimerAtivo(TTimerMonitor::Timer2, true);

  std::string erro;
  const auto inicio = std::chrono::steady_clock::now();
  try {
    FComponente.Executar();
  } catch (const std::exception& e) {
    erro = e.what();
  } catch (...) {
    erro = "erro desconhecido";
  }
  const TRespostaStatus resposta = FComponente.Resposta();
  FRegistro << "consulta: " << resposta.cStat << " - " << resposta.xMotivo;
  if (!erro.empty()) FRegistro << " (falha: " << TrocarQuebrasDeLinha(erro, " ") << ")";
  FRegistro << std::endl;
  if (FAoConsultar) {
    FAoConsultar(
        FUI.Texto(TControle::cbUF), resposta, erro,
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - inicio)
            .count());
  }

  const int32_t novo = resposta.cStat;
  const int32_t anterior = Fstatus;
  bool balaoExibido = false;
  if (novo == 107) {
    FUI.SetCor(TControle::MensagemSite, kVerde);
    if (anterior != 107) {
      FBalao.Exibir(kTituloBalao, resposta.xMotivo, TTipoBalao::Info);
      balaoExibido = true;
      Fbalao_clicado = false;
    }
    Fstatus = 107;
  } else if (novo == 108 || novo == 109) {
    if (AtendidaPeloSVCRS(FUI.Texto(TControle::cbUF)))
      FUI.SetVisivel(TControle::SpeedButton1, true);
    FUI.SetCor(TControle::MensagemSite, novo == 108 ? kAmarelo : kVermelho);
    if (anterior != novo) {
      Fstatus = novo;
      Fbalao_clicado = false;
      if (podeReconsultar) return true;
    }
    if (!Fbalao_clicado) {
      FBalao.Exibir(kTituloBalao,
                    resposta.xMotivo + kCR + resposta.xObs + kCR +
                        (novo == 108 ? kConselho108 : kConselho109),
                    novo == 108 ? TTipoBalao::Aviso : TTipoBalao::Erro);
      balaoExibido = true;
    }
  }
  Exibir(resposta, balaoExibido);

  if (novo == 656) {
    // Setting the interval restarts the hour, as each query during the block restarts it.
    FUI.SetIntervalo(TTimerMonitor::Timer1, kPausaConsumoIndevido);
    const std::string ate =
        FormatarDataHora("hh:nn", FRelogio() + kPausaConsumoIndevido / kMilissegundosPorDia);
    FUI.SetTexto(TControle::ObsSite, "Consultas automáticas suspensas até " + ate);
    FRegistro << "consulta: consultas automáticas suspensas até " << ate << std::endl;
  } else if (novo != 0 && FUI.Intervalo(TTimerMonitor::Timer1) != kIntervaloConsulta) {
    FUI.SetIntervalo(TTimerMonitor::Timer1, kIntervaloConsulta);
  }
  return false;
}

void TMonitorControlador::Exibir(const TRespostaStatus& resposta, bool balaoExibido) {
  FUI.SetPosicao(TControle::TempoMedio, resposta.TMed);
  FUI.SetTexto(TControle::MensagemSite, std::to_string(resposta.cStat) + " - " + resposta.xMotivo);
  // Re-sending the reason right after a balloon would replace that balloon, and its advice,
  // at once.
  if (!balaoExibido) FBalao.SetTexto(resposta.xMotivo);
  FUI.SetTexto(TControle::ObsSite, resposta.xObs);
}

void TMonitorControlador::AoTimer(TTimerMonitor timer) {
  switch (timer) {
    case TTimerMonitor::Timer1:
      LimparPedidosSeDevido();
      btnConsultaClick();
      break;
    case TTimerMonitor::Timer2:
      FUI.SetHabilitado(TControle::btnConsulta, true);
      FUI.SetTimerAtivo(TTimerMonitor::Timer2, false);
      break;
    case TTimerMonitor::Timer3:
      Lembrete();
      break;
    case TTimerMonitor::Timer4:
      FUI.SetTimerAtivo(TTimerMonitor::Timer4, false);
      FUI.EsconderJanela();
      FUI.MostrarIconeBandeja();
      break;
  }
}

void TMonitorControlador::LimparPedidosSeDevido() {
  if (FPastaPedidos.empty()) return;
  TDateTime agora = 0;
  try {
    agora = FRelogio();
  } catch (const std::exception& e) {
    FRegistro << "limpeza: " << e.what() << std::endl;
    return;
  }
  if (FUltimaLimpeza != 0 && agora - FUltimaLimpeza < 1) return;
  FUltimaLimpeza = agora;
  const std::size_t removidos = LimparPedidosStatus(FPastaPedidos, agora, FDiasPedidos, FRegistro);
  if (removidos > 0)
    FRegistro << "limpeza: " << removidos << " consultas de status salvas há mais de "
              << FDiasPedidos << " dias removidas de " << FPastaPedidos << std::endl;
}

void TMonitorControlador::Lembrete() {
  const int intervalo = FUI.Intervalo(TTimerMonitor::Timer3);
  if (intervalo < 15000) FUI.SetIntervalo(TTimerMonitor::Timer3, intervalo + 14100);
  if (Fbalao_clicado) return;

  const TRespostaStatus resposta = FComponente.Resposta();
  std::string texto = resposta.xMotivo + kCR + resposta.xObs + kCR;
  if (resposta.cStat == 108 || resposta.cStat == 109)
    texto += kConselhoLembrete + std::string(kCR);
  else if (resposta.cStat != 107)
    return;
  FBalao.Exibir(kTituloBalao, texto + kCR + kRodapeLembrete, TTipoBalao::Info);
}

void TMonitorControlador::SpeedButton1Click() {
  if (AtendidaPeloSVCRS(FUI.Texto(TControle::cbUF))) FUI.AbrirPagina(kPaginaSVC);
}

void TMonitorControlador::SpeedButton2Click() {
  std::vector<TLinhaCertificado> linhas;
  try {
    linhas = LinhasDoSeletor(FComponente.LerCertificadosStore(), FRelogio());
  } catch (const std::exception& e) {
    FUI.MensagemErro(e.what(), kTituloAplicacao);
    return;
  }

  TImportarNoSeletor importar;
  if (FImportar) {
    importar = [this, &linhas](const std::string& arquivo, const std::string& senha) {
      FImportar(arquivo, senha);
      linhas = LinhasDoSeletor(FComponente.LerCertificadosStore(), FRelogio());
      return linhas;
    };
  }
  const auto escolhida = FUI.SelecionarCertificado(linhas, importar);
  // Cancelling, like confirming an empty list, clears the choice.
  FUI.SetTexto(TControle::NumeroCertificado, escolhida && *escolhida < linhas.size()
                                                 ? linhas[*escolhida].NumeroSerie
                                                 : std::string());
  lbAtualizaDadosClick();
  lbGravaDadosClick();
}

void TMonitorControlador::cbUFChange() {
  lbAtualizaDadosClick();
  lbGravaDadosClick();
}

void TMonitorControlador::SelecionarUF(const std::string& uf) {
  const auto& ufs = ListaUF();
  const auto item = std::find_if(ufs.begin(), ufs.end(), [&uf](const std::string& candidata) {
    return IguaisSemCaixa(candidata, uf);
  });
  FUI.SelecionarItem(TControle::cbUF,
                     item == ufs.end() ? -1 : static_cast<int>(item - ufs.begin()));
}

void TMonitorControlador::lbAtualizaDadosClick() {
  FComponente.Aplicar(FUI.Texto(TControle::NumeroCertificado), FUI.Texto(TControle::cbUF));
}

void TMonitorControlador::lbGravaDadosClick() {
  try {
    FArquivo.Gravar(FUI.Texto(TControle::NumeroCertificado), FUI.Texto(TControle::cbUF));
  } catch (const std::exception& e) {
    // The choice still applies to the running component; the next start uses the old file.
    FRegistro << "configuração: " << e.what() << std::endl;
  }
}

void TMonitorControlador::RegistrarBalao(const std::string& titulo, const std::string& texto,
                                         TTipoBalao tipo) {
  FRegistro << "balão " << NomeTipo(tipo) << ": " << TrocarQuebrasDeLinha(texto, " / ")
            << std::endl;
  FUI.ExibirBalao(titulo, texto, tipo);
}

}  // namespace nivra
