// What the monitor needs of its NF-e component: the status query with its answer, the
// settings it applies, and the certificates of the store. The product uses TComponenteNFe;
// tests use a fake.
#pragma once

#include <cstdint>
#include <string>

namespace nivra {

class TListaCertificados;

// The fields of the status service the monitor shows.
struct TRespostaStatus {
  int32_t cStat = 0;
  std::string xMotivo;
  std::string xObs;
  int32_t TMed = 0;
};

class TComponenteMonitor {
 public:
  virtual ~TComponenteMonitor() = default;

  // Runs the status query. Throws whatever the service throws (transport, certificate,
  // endpoint); Resposta() then holds the fields as the service left them.
  virtual void Executar() = 0;
  // The status service's fields as they stand.
  [[nodiscard]] virtual TRespostaStatus Resposta() const = 0;
  // Gives the component the certificate serial (as typed), the UF text (a text that is no UF
  // keeps the previous one) and layout 4.00.
  virtual void Aplicar(const std::string& NumeroSerie, const std::string& UF) = 0;
  // Reads the certificates of the store into the returned list, which the component keeps
  // owning. Throws ENivraDFeException when the store cannot be read.
  virtual const TListaCertificados& LerCertificadosStore() = 0;
};

}  // namespace nivra
