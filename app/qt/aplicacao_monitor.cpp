// Options and the assembly of the monitor.
#include "app/qt/aplicacao_monitor.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <filesystem>
#include <iostream>

#include "dfe/nivra_nfe.h"
#include "security/repositorio_certificados.h"
#include "util/datahora.h"

TAplicacaoMonitor::TOpcoes TAplicacaoMonitor::LerOpcoes(const QStringList& argumentos) {
  QCommandLineParser leitor;
  leitor.setApplicationDescription("Monitor de status do serviço de autorização de NF-e.");
  leitor.addHelpOption();
  const QCommandLineOption servicos("servicos", "Tabela de serviços que substitui a embutida.",
                                    "ARQ.ini");
  const QCommandLineOption dirConfig("dir-config", "Pasta onde conf.qvl é lido e gravado.", "DIR");
  leitor.addOption(servicos);
  leitor.addOption(dirConfig);
  leitor.process(argumentos);
  return {leitor.value(servicos).toStdString(), leitor.value(dirConfig).toStdString()};
}

TAplicacaoMonitor::TAplicacaoMonitor(const TOpcoes& opcoes)
    : FLocais(LocaisMonitor(AmbienteDoProcesso(opcoes.DirConfig),
                            [](const std::string& pasta) {
                              std::error_code erro;
                              return std::filesystem::is_directory(pasta, erro);
                            })),
      FArquivo(FLocais.PastaConfig),
      FComponente({FLocais.PastaSchemas, FLocais.PastaDocs,
                   opcoes.Servicos.empty() ? FLocais.ArquivoServicos : opcoes.Servicos}),
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
}
