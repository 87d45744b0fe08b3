// Configuring the component for a status query and collecting its answer.
#include "app/status_sefaz/consulta_status.h"

#include <filesystem>

#include "app/comum/pastas_dados.h"
#include "nfe/webservices.h"
#include "util/excecoes.h"

void ConfigurarComponente(TNivraNFe& nfe, const TOpcoesStatus& opcoes, const std::string& senha) {
  auto& conf = nfe.Configuracoes();
  conf.Geral().SetSSLLib(TSSLLib::libWinCrypt);
  conf.Geral().SetVersaoDF(TkovVersaoDF::ve400);
  conf.Geral().SetModeloDF(opcoes.Modelo);
  conf.Geral().SetFormaEmissao(opcoes.FormaEmissao);
  conf.Geral().SetSalvar(!opcoes.PastaSalvar.empty());

  conf.WebServices().SetUF(opcoes.UF);
  conf.WebServices().SetAmbiente(opcoes.Ambiente);
  conf.WebServices().SetTimeOut(opcoes.TimeOut);
  conf.WebServices().SetQuebradeLinha("|");

  if (!opcoes.ArquivoServicos.empty()) {
    if (!std::filesystem::is_regular_file(opcoes.ArquivoServicos))
      throw ENivraDFeException("Arquivo: " + opcoes.ArquivoServicos + " não encontrado");
    conf.Arquivos().SetIniServicos(opcoes.ArquivoServicos);
  } else {
    // Only the embedded table; a stray file beside the executable does not replace it.
    conf.Arquivos().SetIniServicos("");
  }
  const std::string schemas =
      opcoes.PastaSchemas.empty() ? PastaSchemasInstalada() : opcoes.PastaSchemas;
  if (schemas.empty())
    throw ENivraDFeException("Pasta de schemas não encontrada; informe-a com --schemas");
  conf.Arquivos().SetPathSchemas(schemas.ends_with('/') ? schemas : schemas + "/");
  if (!opcoes.PastaSalvar.empty()) {
    conf.Arquivos().SetPathSalvar(opcoes.PastaSalvar.ends_with('/') ? opcoes.PastaSalvar
                                                                    : opcoes.PastaSalvar + "/");
    conf.WebServices().SetSalvar(true);
  }

  auto& certificados = conf.Certificados();
  if (!opcoes.ArquivoPFX.empty()) certificados.SetArquivoPFX(opcoes.ArquivoPFX);
  if (!opcoes.NumeroSerie.empty()) certificados.SetNumeroSerie(opcoes.NumeroSerie);
  certificados.SetSenha(senha);
}

TResultadoStatus ConsultarStatus(TNivraNFe& nfe) {
  TResultadoStatus resultado;
  auto& servico = nfe.WebServices().StatusServico();
  try {
    servico.Executar();
  } catch (const std::exception& erro) {
    resultado.Erro = erro.what();
  }
  resultado.versao = servico.versao();
  resultado.tpAmb = servico.tpAmb();
  resultado.verAplic = servico.verAplic();
  resultado.cStat = servico.cStat();
  resultado.xMotivo = servico.xMotivo();
  resultado.cUF = servico.cUF();
  resultado.dhRecbto = servico.dhRecbto();
  resultado.tMed = servico.TMed();
  resultado.dhRetorno = servico.dhRetorno();
  resultado.xObs = servico.xObs();
  resultado.url = servico.URL();
  return resultado;
}

int CodigoSaida(const TResultadoStatus& resultado) {
  if (!resultado.Erro.empty()) return 3;
  switch (resultado.cStat) {
    case 107:
      return 0;
    case 108:
      return 1;
    case 109:
      return 2;
    default:
      return 3;
  }
}
