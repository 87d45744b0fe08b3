// What every benchmark shares: the local authorisers on loopback, the client certificate of
// the test PKI and the services tables that point at them.
#pragma once

#include <memory>
#include <string>

#include "app/status_sefaz/opcoes.h"
#include "tests/fakes/pasta_temporaria.h"
#include "tests/fakes/simulador_teste.h"

namespace nivra {

class TAmbienteBench {
 public:
  // Starts a prompt authoriser and one that waits `atrasoLentoMs` before each answer, writes a
  // services table pointing every status endpoint at each, and records the envelope status-sefaz
  // sends (one query to the prompt one). Throws std::runtime_error when any of that fails.
  explicit TAmbienteBench(int atrasoLentoMs);

  // The PKCS#12 file of the client certificate, and its password.
  static std::string ArquivoPFX();
  static std::string Senha();
  // The serial number of that certificate and the certificate store folder that holds it.
  static std::string NumeroSerie();
  static std::string Repositorio();

  // Options of a status query of PR through the prompt (or slow) authoriser's table.
  TOpcoesStatus Opcoes(bool lento = false) const;
  const std::string& ServicosRapido() const { return FServicosRapido; }
  // The address of PR's status endpoint on the prompt authoriser.
  std::string URLStatus() const;
  // The envelope, Content-Type and SOAPAction of a status query as the component sends them.
  const std::string& Envelope() const { return FEnvelope; }
  std::string ArquivoEnvelope() const { return FPasta.Caminho() + "envelope.xml"; }
  const std::string& ContentType() const { return FContentType; }
  const std::string& SoapAction() const { return FSoapAction; }
  std::string Pasta() const { return FPasta.Caminho(); }

 private:
  TPastaTemporaria FPasta;
  std::unique_ptr<TSimuladorTeste> FRapido;
  std::unique_ptr<TSimuladorTeste> FLento;
  std::string FServicosRapido;
  std::string FServicosLento;
  std::string FEnvelope;
  std::string FContentType;
  std::string FSoapAction;
};

}  // namespace nivra
