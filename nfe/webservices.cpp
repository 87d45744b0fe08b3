// The container of the NF-e web-service objects.
#include "nfe/webservices.h"

TWebServices::TWebServices(TNivraNFe& ANivraNFe)
    : FNivraNFe(ANivraNFe), FStatusServico(std::make_unique<TNFeStatusServico>(ANivraNFe)) {}

TWebServices::~TWebServices() = default;

// The component keeps the container through its base class, so that its own library does not
// depend on the services; the container is made on first use.
TWebServices& TNivraNFe::WebServices() {
  if (!FWebServices) FWebServices = std::make_unique<TWebServices>(*this);
  return static_cast<TWebServices&>(*FWebServices);
}
