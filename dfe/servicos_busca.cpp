// The component's lookups in the services table and the schema folder, and the NF-e entry by
// layout.
#include "nivranfe/dfe/nivra_dfe.h"
#include "nivranfe/dfe/nivra_nfe.h"
#include "nivranfe/dfe/servicos_resolucao.h"
#include "nivranfe/dfe/servicos_schemas.h"
#include "nivranfe/util/excecoes.h"
#include "nivranfe/util/numeros.h"

namespace nivra {

void TNivraDFe::LerServicoChaveDeParams(const std::string& NomeSessao,
                                        const std::string& NomeServico, double& Versao,
                                        std::string& URL) {
  URL.clear();
  CarregarParametros(true);
  URL = LerChaveDeServico(*FPIniParams, NomeSessao, NomeServico, Versao);
}

void TNivraDFe::LerDeParams(const std::string& NomeSessao, const std::string& NomeServico,
                            double& Versao, std::string& Servico) {
  LerServicoChaveDeParams(NomeSessao, NomeServico, Versao, Servico);
}

namespace {

// The highest version the table gives the service from the section on; 0 when none.
double VersaoMaisRecente(const TServicosIni& ini, std::string_view recurso,
                         const std::string& secao, std::string_view servico) {
  try {
    return ResolverEnderecoServico(ini, recurso, secao, servico, 99.99).Versao;
  } catch (const ENivraDFeException&) {
    return 0;
  }
}

}  // namespace

void TNivraDFe::LerServicoDeParams(const std::string& ModeloDFe, const std::string& UF,
                                   TkovTipoAmbiente TipoAmbiente, const std::string& NomeServico,
                                   double& Versao, std::string& URL, std::string& Servico,
                                   std::string& SoapAction) {
  const std::string secao = NomeSecaoServicos(ModeloDFe, UF, TipoAmbiente);
  CarregarParametros(true);
  // Messages name the table actually read.
  const std::string& recurso = Configuracoes().WebServices().OrigemParams();
  TEnderecoServico endereco;
  try {
    endereco = ResolverEnderecoServico(*FPIniParams, recurso, secao, NomeServico, Versao);
  } catch (const ENivraDFeException& e) {
    const std::string versao = DecimalParaTexto('.', "0.00", Versao);
    std::string texto = std::string(e.what()) + ": nenhum endereço para o serviço " + NomeServico +
                        " versão " + versao + " do modelo " + ModeloDFe + ", UF " + UF +
                        ", ambiente de " +
                        (TipoAmbiente == TkovTipoAmbiente::taProducao ? "produção" : "homologação");
    const double vigente = VersaoMaisRecente(*FPIniParams, recurso, secao, NomeServico);
    if (vigente > Versao)
      texto += ". A versão " + versao + " desse serviço foi desativada; o autorizador atende a " +
               DecimalParaTexto('.', "0.00", vigente) + " (Configuracoes.Geral.VersaoDF)";
    else if (recurso != TWebServicesConf::kOrigemParams)
      texto += " (a tabela de serviços é escolhida em Configuracoes.Arquivos.IniServicos)";
    throw ENivraDFeException(texto);
  }
  URL = endereco.URL;
  Servico = endereco.Servico;
  SoapAction = endereco.SoapAction;

  // A schema file for the service fixes the version the request is written in.
  double versao = endereco.Versao;
  const std::string nomeSchema = NomeServicoToNomeSchema(NomeServico);
  if (!nomeSchema.empty()) {
    double versaoSchema = Versao;
    std::string arquivo;
    AchaArquivoSchema(nomeSchema, versaoSchema, arquivo);
    if (versaoSchema > 0) versao = versaoSchema;
  }
  Versao = versao;
}

void TNivraDFe::LerServicoDeParams(const std::string& ModeloDFe, const std::string& UF,
                                   TkovTipoAmbiente TipoAmbiente, const std::string& NomeServico,
                                   double& Versao, std::string& URL) {
  std::string servico;
  std::string soapAction;
  LerServicoDeParams(ModeloDFe, UF, TipoAmbiente, NomeServico, Versao, URL, servico, soapAction);
}

double TNivraDFe::LerVersaoDeParams(const std::string& ModeloDFe, const std::string& UF,
                                    TkovTipoAmbiente TipoAmbiente, const std::string& NomeServico,
                                    double VersaoBase) {
  double versao = VersaoBase;
  std::string url;
  LerServicoDeParams(ModeloDFe, UF, TipoAmbiente, NomeServico, versao, url);
  return versao;
}

std::string TNivraDFe::LerURLDeParams(const std::string& ModeloDFe, const std::string& UF,
                                      TkovTipoAmbiente TipoAmbiente, const std::string& NomeServico,
                                      double VersaoBase) {
  double versao = VersaoBase;
  std::string url;
  LerServicoDeParams(ModeloDFe, UF, TipoAmbiente, NomeServico, versao, url);
  return url;
}

void TNivraDFe::AchaArquivoSchema(const std::string& NomeSchema, double& Versao,
                                  std::string& ArqSchema) {
  if (NomeSchema.empty()) return;
  ArqSchema.clear();
  // Listed once per component: later changes of the folder or of PathSchemas are not seen.
  if (FListaDeSchemas.empty()) {
    FListaDeSchemas = ListarArquivosSchema(Configuracoes().Arquivos().PathSchemas());
  }
  ArqSchema = EscolherArquivoSchema(FListaDeSchemas, NomeSchema, Versao);
  if (!ArqSchema.empty()) ArqSchema = Configuracoes().Arquivos().PathSchemas() + ArqSchema;
}

bool TNivraDFe::ValidarNoSchema(const std::string& XML, const std::string& NomeSchema,
                                double Versao, std::string& MsgErro) {
  std::string schema;
  AchaArquivoSchema(NomeSchema, Versao, schema);
  if (schema.empty()) {
    bool tratado = false;
    FazerLog("Schema " + NomeSchema + " não encontrado em \"" +
                 Configuracoes().Arquivos().PathSchemas() + "\": documento não validado",
             tratado);
    return true;
  }
  Configuracoes().Geral().UsarPapeisDaCompilacao();
  return SSL().Validar(XML, schema, MsgErro);
}

void TNivraNFe::LerServicoDeParams(TLayOut LayOutServico, double& Versao, std::string& URL,
                                   std::string& Servico, std::string& SoapAction) {
  // Contingency emission goes to the contingency authoriser whatever the configured UF.
  std::string uf;
  switch (Configuracoes().Geral().FormaEmissao()) {
    case TkovTipoEmissao::teSVCAN:
      uf = "SVC-AN";
      break;
    case TkovTipoEmissao::teSVCRS:
      uf = "SVC-RS";
      break;
    default:
      uf = Configuracoes().WebServices().UF();
  }
  Versao = VersaoParaNumero(Configuracoes().Geral().VersaoDF());
  URL.clear();
  Servico.clear();
  SoapAction.clear();
  LerServicoDeParams(GetNomeModeloDFe(), uf, Configuracoes().WebServices().Ambiente(),
                     LayOutParaServico(LayOutServico), Versao, URL, Servico, SoapAction);
}

std::string TNivraNFe::LerVersaoDeParams(TLayOut LayOutServico) {
  const double versao =
      LerVersaoDeParams(GetNomeModeloDFe(), Configuracoes().WebServices().UF(),
                        Configuracoes().WebServices().Ambiente(), LayOutParaServico(LayOutServico),
                        VersaoParaNumero(Configuracoes().Geral().VersaoDF()));
  return DecimalParaTexto('.', "0.00", versao);
}

}  // namespace nivra
