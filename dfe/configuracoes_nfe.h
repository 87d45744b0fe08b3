// The configuration tree of the NF-e component: the root whose general and file groups are the
// NF-e ones.
#pragma once

#include "nivranfe/dfe/arquivos_conf_nfe.h"
#include "nivranfe/dfe/configuracoes.h"
#include "nivranfe/dfe/geral_conf_nfe.h"

namespace nivra {

// The NF-e configuration root: NF-e general and file groups, and the services table named
// "NivraNFeServicos".
class TConfiguracoesNFe : public TConfiguracoes {
 public:
  // Throws as TConfiguracoes.
  TConfiguracoesNFe(TNivraDFe* AOwner, TDFeSSL& ASSL);

  using TConfiguracoes::Assign;
  // Assigns the NF-e general group, the web-service and certificate groups and the NF-e file
  // group from those of `DeConfiguracoesNFe`. Throws what the groups throw.
  void Assign(TConfiguracoesNFe& DeConfiguracoesNFe);

  TGeralConfNFe& Geral() { return static_cast<TGeralConfNFe&>(TConfiguracoes::Geral()); }
  const TGeralConfNFe& Geral() const {
    return static_cast<const TGeralConfNFe&>(TConfiguracoes::Geral());
  }
  TArquivosConfNFe& Arquivos() {
    return static_cast<TArquivosConfNFe&>(TConfiguracoes::Arquivos());
  }
  const TArquivosConfNFe& Arquivos() const {
    return static_cast<const TArquivosConfNFe&>(TConfiguracoes::Arquivos());
  }
};

}  // namespace nivra
