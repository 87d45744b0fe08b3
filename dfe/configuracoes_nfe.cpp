// The configuration root of the NF-e component.
#include "dfe/configuracoes_nfe.h"

namespace {

std::unique_ptr<TGeralConf> CriarGeralNFe(TConfiguracoes& c) {
  return std::make_unique<TGeralConfNFe>(c);
}
std::unique_ptr<TArquivosConf> CriarArquivosNFe(TConfiguracoes& c) {
  return std::make_unique<TArquivosConfNFe>(c);
}

}  // namespace

TConfiguracoesNFe::TConfiguracoesNFe(TNivraDFe* AOwner)
    : TConfiguracoes(AOwner, &CriarGeralNFe, &CriarArquivosNFe) {
  WebServices().SetResourceName("NivraNFeServicos");
}

void TConfiguracoesNFe::Assign(TConfiguracoesNFe& DeConfiguracoesNFe) {
  Geral().Assign(DeConfiguracoesNFe.Geral());
  WebServices().Assign(DeConfiguracoesNFe.WebServices());
  Certificados().Assign(DeConfiguracoesNFe.Certificados());
  Arquivos().Assign(DeConfiguracoesNFe.Arquivos());
}
