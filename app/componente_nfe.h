// The monitor's NF-e component: a TNivraNFe configured as the monitor window configures it,
// behind TComponenteMonitor.
#pragma once

#include <memory>
#include <string>

#include "app/componente_monitor.h"

namespace nivra {

class TNivraNFe;

// Where the component keeps and finds its files.
struct TPastasComponente {
  std::string Schemas;   // the request schemas, with a trailing "/"
  std::string Docs;      // the saved requests and answers, with a trailing "/"
  std::string Servicos;  // a services table file replacing the built-in one; empty for none
};

// Gives `nfe` the monitor's settings: Windows-store crypto, HTTP and signature roles, layout
// 4.00, UF "PR", production, 10 s time-out, and the folders of `pastas`.
void ConfigurarComoMonitor(TNivraNFe& nfe, const TPastasComponente& pastas);

class TComponenteNFe : public TComponenteMonitor {
 public:
  // Creates the component with the monitor's settings (ConfigurarComoMonitor). Throws as
  // TNivraNFe.
  explicit TComponenteNFe(const TPastasComponente& pastas);
  ~TComponenteNFe() override;

  void Executar() override;
  [[nodiscard]] TRespostaStatus Resposta() const override;
  void Aplicar(const std::string& NumeroSerie, const std::string& UF) override;
  const TListaCertificados& LerCertificadosStore() override;

  TNivraNFe& NivraNFe() { return *FNFe; }

 private:
  std::unique_ptr<TNivraNFe> FNFe;
};

}  // namespace nivra
