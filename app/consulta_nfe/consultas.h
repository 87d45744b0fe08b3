// The three queries of consulta-nfe, each run through the component, and how each ended.
#pragma once

#include <string>

#include "app/consulta_nfe/opcoes.h"
#include "nivranfe/dfe/nivra_nfe.h"
#include "nivranfe/nfe/retorno_nfe.h"

namespace nivra {

// How a query ended, as the exit status tells it.
enum class TDesfecho {
  Sucesso,      // answered with a success code of the service
  OutroCodigo,  // answered with another code
  Falha         // no answer read: a bad argument, the certificate, the transport, the files
};

struct TResultadoConsulta {
  TDesfecho Desfecho = TDesfecho::Falha;
  // The failure's message; empty unless Desfecho is Falha.
  std::string Erro;
  // The answer as the service read it; empty fields when none was read.
  TRetornoNFe Retorno;
  // The address the request went to; empty when it was not resolved.
  std::string URL;
  // situacao: the protocol number of the answer (authorisation, else cancellation).
  std::string Protocolo;
};

// Checks `chave`, upper-cased as typed keys are, with the component's own rule, as the query
// would, so a bad key stops the program before a password is asked. Throws ENivraNFeException
// "Chave \"...\" inválida." naming the key as typed.
void VerificarChave(TNivraNFe& nfe, const std::string& chave);

// The situation of the document with the access key `chave`, upper-cased
// (TNivraNFe::Consultar).
// Never throws a component error: it comes back in the result.
[[nodiscard]] TResultadoConsulta ConsultarSituacao(TNivraNFe& nfe, const std::string& chave);

// The registration of the taxpayer of the options in the UF of the options
// (WebServices().ConsultaCadastro()). Never throws a component error.
[[nodiscard]] TResultadoConsulta ConsultarCadastro(TNivraNFe& nfe, const TOpcoesConsulta& opcoes);

// The documents of interest of the options' CNPJ or CPF, with the options' UF as the author's
// UF (TNivraNFe::DistribuicaoDFe). With the component's Arquivos.Salvar on, the service saves
// what it receives. Never throws a component error.
[[nodiscard]] TResultadoConsulta ConsultarDistribuicao(TNivraNFe& nfe,
                                                       const TOpcoesConsulta& opcoes);

// 0 for Sucesso, 1 for OutroCodigo, kSaidaFalha (3) for Falha.
[[nodiscard]] int CodigoSaidaConsulta(const TResultadoConsulta& resultado);

}  // namespace nivra
