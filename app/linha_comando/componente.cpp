// Configuring the component of a command-line program.
#include "app/linha_comando/componente.h"

#include <filesystem>

#include "app/componente_nfe.h"
#include "app/locais_monitor.h"
#include "nivranfe/util/arquivos.h"
#include "nivranfe/util/excecoes.h"

namespace nivra {

void ConfigurarComponente(TNivraNFe& nfe, const TOpcoesConexao& opcoes, const std::string& senha) {
  if (!opcoes.ArquivoServicos.empty() && !std::filesystem::is_regular_file(opcoes.ArquivoServicos))
    throw ENivraDFeException("Arquivo: " + opcoes.ArquivoServicos + " não encontrado");
  const auto existe = [](const std::string& pasta) { return std::filesystem::is_directory(pasta); };
  const std::string schemas = opcoes.PastaSchemas.empty()
                                  ? PastaSchemasDoPrograma(PastaDoExecutavel(), existe)
                                  : CaminhoComBarra(opcoes.PastaSchemas);
  if (!existe(schemas))
    throw ENivraDFeException("Pasta de schemas não encontrada: " + schemas +
                             " (informe-a com --schemas)");
  const bool salvar = !opcoes.PastaSalvar.empty();
  ConfigurarComoMonitor(nfe, {.Schemas = schemas,
                              .Docs = salvar ? CaminhoComBarra(opcoes.PastaSalvar) : "",
                              .Servicos = opcoes.ArquivoServicos});
  // Only the embedded table unless a file is named: a stray file beside the program does not
  // replace it.
  if (opcoes.ArquivoServicos.empty()) nfe.Configuracoes().Arquivos().SetIniServicos("");

  auto& conf = nfe.Configuracoes();
  conf.Geral().SetModeloDF(opcoes.Modelo);
  conf.Geral().SetFormaEmissao(opcoes.FormaEmissao);
  conf.Geral().SetSalvar(salvar);
  conf.WebServices().SetSalvar(salvar);
  conf.WebServices().SetUF(opcoes.UF);
  conf.WebServices().SetAmbiente(opcoes.Ambiente);
  conf.WebServices().SetTimeOut(opcoes.TimeOut);
  conf.WebServices().SetVerificarServidor(opcoes.VerificarServidor);
  conf.WebServices().SetArquivoCA(opcoes.ArquivoCA);

  auto& certificados = conf.Certificados();
  if (!opcoes.ArquivoPFX.empty()) certificados.SetArquivoPFX(opcoes.ArquivoPFX);
  if (!opcoes.NumeroSerie.empty()) certificados.SetNumeroSerie(opcoes.NumeroSerie);
  certificados.SetSenha(senha);
}

}  // namespace nivra
