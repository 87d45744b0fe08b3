// The container of the NF-e component's web-service objects.
#pragma once

#include <memory>

#include "dfe/webservices_base.h"
#include "nfe/nfe_status_servico.h"

class TNivraNFe;

// Owns one object per service, created with the container and kept for its lifetime. The
// component must outlive the container.
class TWebServices : public TWebServicesBase {
 public:
  explicit TWebServices(TNivraNFe& ANivraNFe);
  ~TWebServices() override;

  // The owning component.
  TNivraNFe& NivraNFe() const { return FNivraNFe; }
  // The status service.
  TNFeStatusServico& StatusServico() { return *FStatusServico; }

 private:
  TNivraNFe& FNivraNFe;
  std::unique_ptr<TNFeStatusServico> FStatusServico;
};
