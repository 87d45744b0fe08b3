// A component ready for service tests: its own small services table, a temporary folder for
// schemas and saved files, the recording HTTP double, and recorders for its events.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "nivranfe/dfe/nivra_nfe.h"
#include "tests/fakes/http_gravador.h"
#include "tests/fakes/pasta_temporaria.h"

namespace nivra {

// The answer of a status request: the retConsStatServ element inside the result element of a
// SOAP envelope (prefix "soap12" or "soap").
std::string RespostaSoap(const std::string& elementoResultado, const std::string& retorno,
                         const std::string& prefixo = "soap12");

// A retConsStatServ of layout 4.00 with the given fields (dhRetorno and xObs only when given).
std::string RetConsStatServ(int cStat, const std::string& xMotivo, const std::string& dhRecbto,
                            int tMed = 1, const std::string& dhRetorno = "",
                            const std::string& xObs = "");

// The date-time as the authoriser writes it, with the given offset ("2026-12-09T10:20:30-03:00").
std::string DataHoraXML(TDateTime valor, const std::string& offset = "-03:00");

class AmbienteServico : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The files saved so far in PathSalvar, by name.
  std::vector<std::string> ArquivosSalvos() const;
  // The content of one saved file.
  std::string LerArquivo(const std::string& nome) const;
  // Log lines received so far; when MarcarTratado is set the handler marks every line handled.
  std::vector<std::string> Log;
  bool MarcarTratado = false;
  // Status values reported by OnStatusChange, in order.
  std::vector<TStatusNivraNFe> Mudancas;

  // The time the component's clock is pinned to (outside any summer-time season); a test may
  // move it.
  TDateTime FAgora = CodificarDataHora(2026, 6, 9, 10, 20, 30);
  TPastaTemporaria FTemporaria;
  const std::filesystem::path FPasta{FTemporaria.Caminho()};
  std::unique_ptr<TNivraNFe> FNFe;
  THttpGravador* FHttp = nullptr;
};

}  // namespace nivra
