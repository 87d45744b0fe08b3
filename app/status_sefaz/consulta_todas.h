// status-sefaz --todas: every authoriser of an environment and model asked at the same time,
// each query with a component of its own and the certificate read once.
#pragma once

#include <string>
#include <vector>

#include "app/status_sefaz/autorizadores.h"
#include "app/status_sefaz/consulta_status.h"
#include "app/status_sefaz/opcoes.h"

namespace nivra {

// One authoriser and what its query gave.
struct TResultadoAutorizador {
  TAutorizador Autorizador;
  TResultadoStatus Resultado;
  // Wall time of the query (building, sending, reading), in milliseconds.
  double Milissegundos = 0;
};

// Lists the authorisers of the options' environment and model (ListarAutorizadores over the
// services table the options name, else the embedded one) and asks each once, all at the same
// time, every query bounded by the options' TimeOut. The services table and the certificate
// are read once and handed to every query (the certificate as PKCS#12 data without password,
// kept in memory only). A certificate on a token cannot be copied so, and a token signs one
// handshake at a time: then the queries run one after another. Results come in the list's order
// (sorted by UF); an authoriser without an address carries the listing's failure in Erro.
// Throws ENivraDFeException when the component cannot be configured (ConfigurarComponente) or
// the certificate cannot be loaded.
[[nodiscard]] std::vector<TResultadoAutorizador> ConsultarTodas(const TOpcoesStatus& opcoes,
                                                                const std::string& senha);

// The authorisers ConsultarTodas would ask, without asking them. Throws as ConsultarTodas.
[[nodiscard]] std::vector<TAutorizador> AutorizadoresDasOpcoes(const TOpcoesStatus& opcoes);

// Asks the authorisers given (from AutorizadoresDasOpcoes) as ConsultarTodas asks its own;
// results in their order. Throws as ConsultarTodas.
[[nodiscard]] std::vector<TResultadoAutorizador> ConsultarAutorizadores(
    const TOpcoesStatus& opcoes, const std::string& senha,
    const std::vector<TAutorizador>& autorizadores);

// The worst CodigoSaida of the results (3 for an empty list).
[[nodiscard]] int CodigoSaidaTodas(const std::vector<TResultadoAutorizador>& resultados);

}  // namespace nivra
