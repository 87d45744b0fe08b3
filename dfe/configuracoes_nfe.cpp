// The configuration root of the NF-e component.
#include "nivranfe/dfe/configuracoes_nfe.h"

namespace nivra {

namespace {

std::unique_ptr<TGeralConf> CriarGeralNFe(TConfiguracoes& c, TDFeSSL& ssl) {
  return std::make_unique<TGeralConfNFe>(c, ssl);
}
std::unique_ptr<TArquivosConf> CriarArquivosNFe(TConfiguracoes& c, TDFeSSL& ssl) {
  return std::make_unique<TArquivosConfNFe>(c, ssl);
}

}  // namespace

TConfiguracoesNFe::TConfiguracoesNFe(TNivraDFe* AOwner, TDFeSSL& ASSL)
    : TConfiguracoes(AOwner, ASSL, &CriarGeralNFe, &CriarArquivosNFe) {
  WebServices().SetResourceName("NivraNFeServicos");
}

void TConfiguracoesNFe::Assign(TConfiguracoesNFe& DeConfiguracoesNFe) {
  Geral().Assign(DeConfiguracoesNFe.Geral());
  WebServices().Assign(DeConfiguracoesNFe.WebServices());
  Certificados().Assign(DeConfiguracoesNFe.Certificados());
  Arquivos().Assign(DeConfiguracoesNFe.Arquivos());
}

}  // namespace nivra
