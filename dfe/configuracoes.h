// The configuration tree of the document component: the root with its general, web-service,
// certificate and file groups.
#pragma once

#include <memory>
#include <string>

#include "nivranfe/dfe/arquivos_conf.h"
#include "nivranfe/dfe/certificados_conf.h"
#include "nivranfe/dfe/geral_conf.h"
#include "nivranfe/dfe/webservices_conf.h"

namespace nivra {

class TDFeSSL;
class TNivraDFe;

// The configuration root. Owned by a document component, whose security facade the groups keep
// in step with the settings.
class TConfiguracoes {
 public:
  // Creates the general, web-service, certificate and file groups, in this order, each handed
  // ASSL, the component's security facade they keep in step with the settings. AOwner is the
  // component that owns the root; it and ASSL outlive the root. Throws ENivraDFeException
  // "Owner de TConfiguracoes deve ser do tipo TNivraDFe" when AOwner is null.
  TConfiguracoes(TNivraDFe* AOwner, TDFeSSL& ASSL);
  TConfiguracoes(const TConfiguracoes&) = delete;
  TConfiguracoes& operator=(const TConfiguracoes&) = delete;
  // Frees the general, web-service, certificate and file groups, in this order.
  virtual ~TConfiguracoes();

  // Assigns each group from the same group of `DeConfiguracoes` through the groups' virtual
  // Assign (an NF-e general group copies only its base settings this way). Throws what the
  // groups throw.
  virtual void Assign(TConfiguracoes& DeConfiguracoes);
  // Replaces WebServices.Params by the lines of the file `NomeArqParams`, read as
  // LerLinhasDeArquivo reads them. Throws ENivraDFeException "Arquivo de Parâmetro não
  // encontrado: " + name when it does not exist, and LerLinhasDeArquivo's error when it cannot
  // be read (Params keeps its content either way).
  void LerParams(const std::string& NomeArqParams);

  // The component that owns the configuration.
  TNivraDFe& Owner() const { return *FOwner; }
  TGeralConf& Geral() { return *FPGeral; }
  const TGeralConf& Geral() const { return *FPGeral; }
  TWebServicesConf& WebServices() { return *FPWebServices; }
  const TWebServicesConf& WebServices() const { return *FPWebServices; }
  TCertificadosConf& Certificados() { return *FPCertificados; }
  const TCertificadosConf& Certificados() const { return *FPCertificados; }
  TArquivosConf& Arquivos() { return *FPArquivos; }
  const TArquivosConf& Arquivos() const { return *FPArquivos; }

 protected:
  // Factories of the general and file groups, so a subclass supplies its own kinds.
  using TCriarGeralConf = std::unique_ptr<TGeralConf> (*)(TConfiguracoes&, TDFeSSL&);
  using TCriarArquivosConf = std::unique_ptr<TArquivosConf> (*)(TConfiguracoes&, TDFeSSL&);

  TConfiguracoes(TNivraDFe* AOwner, TDFeSSL& ASSL, TCriarGeralConf CriarGeralConf,
                 TCriarArquivosConf CriarArquivosConf);

 private:
  TNivraDFe* FOwner;
  std::unique_ptr<TGeralConf> FPGeral;
  std::unique_ptr<TWebServicesConf> FPWebServices;
  std::unique_ptr<TCertificadosConf> FPCertificados;
  std::unique_ptr<TArquivosConf> FPArquivos;
};

}  // namespace nivra
