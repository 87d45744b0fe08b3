// Base of the container of an NF-e component's web-service objects.
#pragma once

namespace nivra {

// The container itself, TWebServices with StatusServico and the other services, lives with the
// services in the nfe library (nfe/webservices.h). The component owns it through this base, so
// the component's library does not depend on the services' library.
class TWebServicesBase {
 public:
  TWebServicesBase() = default;
  TWebServicesBase(const TWebServicesBase&) = delete;
  TWebServicesBase& operator=(const TWebServicesBase&) = delete;
  virtual ~TWebServicesBase() = default;
};

}  // namespace nivra
