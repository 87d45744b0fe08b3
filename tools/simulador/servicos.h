// The NF-e services sefaz-simulador answers besides the status: lots and their receipts,
// document situation, voiding, events, distribution, registration and CSC, chosen by the
// root element of the request.
#pragma once

#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "nivranfe/util/datahora.h"
#include "tools/simulador/cenario.h"
#include "tools/simulador/opcoes.h"
#include "tools/simulador/respostas.h"

namespace nivra {

// Keeps the lots received (receipt → the keys of their documents) and the cancelled keys with
// their cancellation event, so that the receipt query and the situation query answer about them.
// Every answer is valid under the authorities' answer schema of its service; a request an
// authoriser's schema check would refuse is answered as such. Safe to call from several threads
// at once.
class TServicosSimulados {
 public:
  explicit TServicosSimulados(const TOpcoesSimulador& opcoes);

  // The answer to the request in the SOAP body corpo (a zipped lot in nfeDadosMsgZip is
  // unzipped first); nullopt when the body holds none of these services' requests.
  [[nodiscard]] std::optional<TResposta> Responder(const std::string& corpo, TDateTime agora);

 private:
  struct TNota {
    std::string Chave;
    std::string Digest;
  };

  std::string Lote(const std::string& pedido, TDateTime agora);
  std::string ConsultaRecibo(const std::string& pedido, TDateTime agora);
  std::string Situacao(const std::string& pedido, TDateTime agora);
  std::string Inutilizacao(const std::string& pedido, TDateTime agora);
  std::string Eventos(const std::string& pedido, TDateTime agora);
  std::string Distribuicao(const std::string& pedido, TDateTime agora);
  // The whole answer: a SOAP fault for a request the schema check refuses.
  TResposta Cadastro(const std::string& pedido, TDateTime agora);
  std::string CSC(const std::string& pedido);

  // protNFe of an authorised document.
  std::string Protocolo(const std::string& tpAmb, const TNota& nota, TDateTime agora);
  // A 15-digit protocol or receipt number, new for each call.
  std::string NovoNumero(const std::string& cUF);

  const TOpcoesSimulador& FOpcoes;
  std::mutex FTrava;
  TCenario FRecibo;
  TCenario FInutilizacao;
  std::map<std::string, std::vector<TNota>> FLotes;
  // Cancelled key → its procEventoNFe contents: the event as received and its answer.
  std::map<std::string, std::string> FCanceladas;
  long FSequencia = 0;
};

}  // namespace nivra
