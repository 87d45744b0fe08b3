// The configuration root.
#include "nivranfe/dfe/configuracoes.h"

#include <filesystem>

#include "nivranfe/util/excecoes.h"

namespace nivra {

namespace {

std::unique_ptr<TGeralConf> CriarGeral(TConfiguracoes& c, TDFeSSL& ssl) {
  return std::make_unique<TGeralConf>(c, ssl);
}
std::unique_ptr<TArquivosConf> CriarArquivos(TConfiguracoes& c, TDFeSSL& ssl) {
  return std::make_unique<TArquivosConf>(c, ssl);
}

}  // namespace

TConfiguracoes::TConfiguracoes(TNivraDFe* AOwner, TDFeSSL& ASSL)
    : TConfiguracoes(AOwner, ASSL, &CriarGeral, &CriarArquivos) {}

TConfiguracoes::TConfiguracoes(TNivraDFe* AOwner, TDFeSSL& ASSL, TCriarGeralConf CriarGeralConf,
                               TCriarArquivosConf CriarArquivosConf)
    : FOwner(AOwner) {
  if (FOwner == nullptr)
    throw ENivraDFeException("Owner de TConfiguracoes deve ser do tipo TNivraDFe");
  FPGeral = CriarGeralConf(*this, ASSL);
  FPWebServices = std::make_unique<TWebServicesConf>(*this, ASSL);
  FPCertificados = std::make_unique<TCertificadosConf>(*this, ASSL);
  FPArquivos = CriarArquivosConf(*this, ASSL);
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
  FPWebServices->SetParams(LerLinhasDeArquivo(NomeArqParams), NomeArqParams);
}

}  // namespace nivra
