// Test double for the monitor's NF-e component: answers queries from a script, records what
// was applied, and serves a certificate list the test fills.
#pragma once

#include <deque>
#include <optional>
#include <string>

#include "app/componente_monitor.h"
#include "app/monitor_controlador.h"
#include "nivranfe/security/dados_certificado.h"
#include "nivranfe/util/excecoes.h"

namespace nivra {

class TComponenteMonitorFalso : public TComponenteMonitor {
 public:
  // Each query takes the next answer; nothing (or an empty script) makes it fail, leaving the
  // fields empty as the status service does.
  void Executar() override {
    ++Consultas;
    FAtual = {};
    if (Respostas.empty() || !Respostas.front()) {
      if (!Respostas.empty()) Respostas.pop_front();
      throw ENivraDFeException("Falha de transporte");
    }
    FAtual = *Respostas.front();
    Respostas.pop_front();
  }
  TRespostaStatus Resposta() const override { return FAtual; }
  // Like the configuration: the serial normalised, a UF that is not one kept out.
  void Aplicar(const std::string& NumeroSerie, const std::string& UF) override {
    ++Aplicacoes;
    SerieAplicada = NormalizarNumeroSerie(NumeroSerie);
    for (const std::string& valida : TMonitorControlador::ListaUF())
      if (valida == UF) UFAplicada = UF;
  }
  const TListaCertificados& LerCertificadosStore() override {
    ++LeiturasStore;
    if (!FalhaStore.empty()) throw ENivraDFeException(FalhaStore);
    return Lista;
  }

  std::deque<std::optional<TRespostaStatus>> Respostas;
  int Consultas = 0;
  int Aplicacoes = 0;
  std::string SerieAplicada;
  std::string UFAplicada = "PR";
  TListaCertificados Lista;
  std::string FalhaStore;
  int LeiturasStore = 0;

 private:
  TRespostaStatus FAtual;
};

}  // namespace nivra
