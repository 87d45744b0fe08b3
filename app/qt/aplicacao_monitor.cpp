// Options and the assembly of the monitor.
#include "app/qt/aplicacao_monitor.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <chrono>
#include <filesystem>
#include <iostream>

#include "nivranfe/dfe/nivra_nfe.h"
#include "nivranfe/nfe/webservices.h"
#include "nivranfe/security/repositorio_certificados.h"
#include "nivranfe/util/datahora.h"
#include "nivranfe/util/excecoes.h"

namespace nivra {

namespace {

// The services table: the file named by --servicos, which must exist (falling back on another
// table would send the queries elsewhere), else the installed one.
std::string TabelaServicos(const std::string& opcao, const std::string& instalada) {
  if (opcao.empty()) return instalada;
  std::error_code erro;
  if (!std::filesystem::is_regular_file(opcao, erro))
    throw ENivraDFeException("Tabela de serviços não encontrada: " + opcao);
  return opcao;
}

}  // namespace

TAplicacaoMonitor::TOpcoes TAplicacaoMonitor::LerOpcoes(const QStringList& argumentos) {
  QCommandLineParser leitor;
  leitor.setApplicationDescription("Monitor de status do serviço de autorização de NF-e.");
  leitor.addHelpOption();
  const QCommandLineOption servicos("servicos", "Tabela de serviços que substitui a embutida.",
                                    "ARQ.ini");
  const QCommandLineOption dirConfig("dir-config", "Pasta onde conf.qvl é lido e gravado.", "DIR");
  const QCommandLineOption painel("painel", "Abre o painel de todos os autorizadores ao iniciar.");
  leitor.addOption(servicos);
  leitor.addOption(dirConfig);
  leitor.addOption(painel);
  leitor.process(argumentos);
  return {leitor.value(servicos).toStdString(), leitor.value(dirConfig).toStdString(),
          leitor.isSet(painel)};
}

TAplicacaoMonitor::TAplicacaoMonitor(const TOpcoes& opcoes)
    : FOpcoes(opcoes),
      FLocais(LocaisMonitor(AmbienteDoProcesso(opcoes.DirConfig),
                            [](const std::string& pasta) {
                              std::error_code erro;
                              return std::filesystem::is_directory(pasta, erro);
                            })),
      FHistorico(FLocais.ArquivoHistorico, std::cerr),
      FArquivo(FLocais.PastaConfig),
      FComponente({FLocais.PastaSchemas, FLocais.PastaDocs,
                   TabelaServicos(opcoes.Servicos, FLocais.ArquivoServicos)}),
      FControlador(
          FJanela, FComponente, FArquivo, [] { return Agora(); }, std::cerr,
          // The picker's "Importar..." adds the file to the store the component reads, protected
          // as the settings file asks at that moment.
          [this](const std::string& arquivo, const std::string& senha) {
            const auto salva = FArquivo.Ler();
            ImportarCertificadoPFX(arquivo, senha, FComponente.NivraNFe().SSL().StoreLocation(),
                                   salva && salva->ExigirChaveiro
                                       ? TProtecaoEntrada::ExigirChaveiro
                                       : TProtecaoEntrada::SeHouverChaveiro);
          }) {
  FJanela.Conectar(FControlador);
  FControlador.LimparPedidosEm(FLocais.PastaDocs);
  FControlador.AoConsultar(
      [this](const std::string& uf, const TRespostaStatus& resposta, const std::string& falha,
             double milissegundos) { RegistrarConsulta(uf, resposta, falha, milissegundos); });
  QObject::connect(&FJanela.Bandeja(), &TBandejaMonitor::AbrirHistorico,
                   [this] { AbrirHistorico(); });
  QObject::connect(&FJanela.Bandeja(), &TBandejaMonitor::AbrirPainel, [this] { AbrirPainel(); });
  FJanela.Bandeja().UsarInicioAutomatico(
      TInicioAutomatico(ArquivoInicioAutomatico(AmbienteDoProcesso(opcoes.DirConfig)),
                        QCoreApplication::applicationFilePath().toStdString()));
  if (const auto salva = FArquivo.Ler()) {
    auto& webServices = FComponente.NivraNFe().Configuracoes().WebServices();
    webServices.SetVerificarServidor(salva->VerificarServidor);
    webServices.SetArquivoCA(salva->ArquivoCA);
  }
}

void TAplicacaoMonitor::Iniciar() {
  FControlador.FormCreate();
  FJanela.show();
  if (FOpcoes.Painel) AbrirPainel();
}

void TAplicacaoMonitor::RegistrarConsulta(const std::string& uf, const TRespostaStatus& resposta,
                                          const std::string& falha, double milissegundos) {
  TRegistroStatus registro;
  registro.Momento = InstanteAtual();
  registro.Autorizador = uf;
  registro.UF = uf;
  registro.Falha = falha;
  if (falha.empty()) {
    registro.cStat = resposta.cStat;
    registro.xMotivo = resposta.xMotivo;
    registro.tMed = resposta.TMed;
  }
  registro.ConsultaMs = milissegundos;
  FHistorico.Gravar(registro);
  TResultadoAutorizador consulta;
  consulta.Resultado.Erro = falha;
  consulta.Resultado.cStat = registro.cStat;
  consulta.Resultado.xMotivo = registro.xMotivo;
  consulta.Resultado.xObs = resposta.xObs;
  consulta.Resultado.tMed = registro.tMed;
  consulta.Milissegundos = milissegundos;
  const std::string url = FComponente.NivraNFe().WebServices().StatusServico().URL();
  FUltimaConsulta.emplace(url, consulta);
  if (FPainel) {
    FPainel->InformarDoMonitor(url, consulta.Resultado, milissegundos);
    if (FJanelaPainel) FJanelaPainel->Redesenhar();
  }
}

TJanelaHistorico& TAplicacaoMonitor::AbrirHistorico() {
  FJanelaHistorico = std::make_unique<TJanelaHistorico>(FHistorico, FJanela.Texto(TControle::cbUF),
                                                        [] { return InstanteAtual(); });
  FJanelaHistorico->show();
  FJanelaHistorico->raise();
  return *FJanelaHistorico;
}

TOpcoesStatus TAplicacaoMonitor::OpcoesDoPainel() const {
  TOpcoesStatus opcoes;
  opcoes.NumeroSerie = FJanela.Texto(TControle::NumeroCertificado);
  opcoes.ArquivoServicos = FOpcoes.Servicos.empty() ? FLocais.ArquivoServicos : FOpcoes.Servicos;
  opcoes.PastaSchemas = FLocais.PastaSchemas;
  if (const auto salva = FArquivo.Ler()) {
    opcoes.VerificarServidor = salva->VerificarServidor;
    opcoes.ArquivoCA = salva->ArquivoCA;
  }
  return opcoes;
}

TJanelaPainel* TAplicacaoMonitor::AbrirPainel() {
  if (!FJanelaPainel) {
    const TOpcoesStatus opcoes = OpcoesDoPainel();
    try {
      FPainel = std::make_unique<TPainelStatus>(
          AutorizadoresDasOpcoes(opcoes), opcoes.Ambiente, opcoes.Modelo,
          [] {
            return std::chrono::duration_cast<std::chrono::milliseconds>(
                       std::chrono::steady_clock::now().time_since_epoch())
                .count();
          },
          [] { return InstanteAtual(); }, &FHistorico);
    } catch (const std::exception& erro) {
      std::cerr << "painel: " << erro.what() << std::endl;
      FJanela.MensagemErro(erro.what(), TMonitorControlador::kTituloAplicacao);
      return nullptr;
    }
    if (FUltimaConsulta) {
      FPainel->InformarDoMonitor(FUltimaConsulta->first, FUltimaConsulta->second.Resultado,
                                 FUltimaConsulta->second.Milissegundos);
    }
    FJanelaPainel = std::make_unique<TJanelaPainel>(
        *FPainel, [opcoes](const std::vector<TAutorizador>& autorizadores) {
          return ConsultarAutorizadores(opcoes, "", autorizadores);
        });
  }
  FJanelaPainel->show();
  FJanelaPainel->raise();
  return FJanelaPainel.get();
}

}  // namespace nivra
