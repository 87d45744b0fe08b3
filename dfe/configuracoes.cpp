// The configuration root.
#include "dfe/configuracoes.h"

#include <filesystem>

#include "util/excecoes.h"

namespace {

std::unique_ptr<TGeralConf> CriarGeral(TConfiguracoes& c) {
  return std::make_unique<TGeralConf>(c);
}
std::unique_ptr<TArquivosConf> CriarArquivos(TConfiguracoes& c) {
  return std::make_unique<TArquivosConf>(c);
}

}  // namespace

TConfiguracoes::TConfiguracoes(TNivraDFe* AOwner)
    : TConfiguracoes(AOwner, &CriarGeral, &CriarArquivos) {}

TConfiguracoes::TConfiguracoes(TNivraDFe* AOwner, TCriarGeralConf CriarGeralConf,
                               TCriarArquivosConf CriarArquivosConf)
    : FOwner(AOwner) {
  if (FOwner == nullptr)
    throw ENivraDFeException("Owner de TConfiguracoes deve ser do tipo TNivraDFe");
  FPGeral = CriarGeralConf(*this);
  FPWebServices = std::make_unique<TWebServicesConf>(*this);
  FPCertificados = std::make_unique<TCertificadosConf>(*this);
  FPArquivos = CriarArquivosConf(*this);
}

TConfiguracoes::~TConfiguracoes() {
  FPGeral.reset();
  FPWebServices.reset();
  FPCertificados.reset();
  FPArquivos.reset();
}

void TConfiguracoes::Assign(TConfiguracoes& DeConfiguracoes) {
  FPGeral->Assign(DeConfiguracoes.Geral());
  FPWebServices->Assign(DeConfiguracoes.WebServices());
  FPCertificados->Assign(DeConfiguracoes.Certificados());
  FPArquivos->Assign(DeConfiguracoes.Arquivos());
}

void TConfiguracoes::LerParams(const std::string& NomeArqParams) {
  std::error_code erro;
  if (!std::filesystem::is_regular_file(NomeArqParams, erro))
    throw ENivraDFeException("Arquivo de Parâmetro não encontrado: " + NomeArqParams);
  FPWebServices->SetParams(LerLinhasDeArquivo(NomeArqParams));
}
