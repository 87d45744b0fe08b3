// A component configured like a user's, talking to sefaz-simulador over real TLS with the test
// PKI's A1 certificate: its services table points every NF-e service of PR (homologation) and
// of the national environment at the simulator, the shipped schemas, a temporary folder for
// saved files, a pinned clock and a recorded wait.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "nivranfe/dfe/nivra_nfe.h"
#include "nivranfe/nfe/webservices.h"
#include "tests/fakes/certificados_teste.h"
#include "tests/fakes/pasta_temporaria.h"
#include "tests/fakes/simulador_teste.h"

namespace nivra {

// The key of the test invoices: PR, June 2026, CNPJ 11.222.333/0001-81, model 55, series 1.
std::string ChaveTeste(int numero);
// A 44-digit key that fails its check digit, and a key one digit short.
inline constexpr const char* kChaveDigitoErrado = "41260611222333000181550010000001231000001236";
inline constexpr const char* kChave43 = "4126061122233300018155001000000123100000123";

class AmbienteSimulador : public ::testing::Test {
 protected:
  // Starts the simulator with the options and makes the component.
  void Iniciar(const std::vector<std::string>& opcoes = {});
  void TearDown() override;

  // An unsigned invoice of the layout version with the key ChaveTeste(numero) (homologation).
  static std::string XMLNota(int numero, const std::string& versao = "4.00");
  // Loads XMLNota(numero, versao), signed, into NotasFiscais.
  void CarregarNota(int numero, const std::string& versao = "4.00");
  // The data documents received by the simulator, in order (the nfeDadosMsg content).
  std::vector<std::string> Documentos() const;
  // The paths of the requests received, in order.
  std::vector<std::string> Caminhos() const;
  // The files saved below PathSalvar whose name ends with the text, relative paths.
  std::vector<std::string> Salvos(const std::string& final) const;
  // True when the document is valid under the shipped schema file; the reason otherwise.
  ::testing::AssertionResult ValidoNoSchema(const std::string& documento,
                                            const std::string& schema);

  const TRepositorioTeste FRepositorio;
  TPastaTemporaria FPasta;
  std::unique_ptr<TSimuladorTeste> FSimulador;
  std::unique_ptr<TNivraNFe> FNFe;
  // The waits the component asked for, in milliseconds.
  std::vector<uint32_t> Esperas;
};

}  // namespace nivra
