// An NF-e event built from the model, the base the event tests vary: every detEvento the layout
// has, filled with accepted values, under the same infEvento.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "nivranfe/documento/documento_evento.h"
#include "nivranfe/util/chave_acesso.h"
#include "tests/documento/preenchedor.h"

namespace nivra {

// The access key of the invoice the events refer to (issuer's CNPJ alphanumeric).
inline std::string ChaveDoEvento() {
  const std::string prefixo =
      "4126121"
      "2ABC34501DE35"
      "550010000001231"
      "00000001";
  return prefixo + std::to_string(DigitoChaveAcesso(prefixo));
}

// The choice of detEvento, one alternative per event type.
inline const TInfoEscolha& EscolhaDetEvento() {
  for (const TInfoEscolha& escolha : nfe::evento::leiaute::kEscolhas) {
    if (std::string_view(escolha.Nome) == "detEvento") return escolha;
  }
  throw std::logic_error("leiaute sem detEvento");
}

// The tpEvento of alternative `indice` of detEvento.
inline std::string TipoDoEvento(size_t indice) {
  return std::string(EscolhaDetEvento().Alternativas[indice].Chaves).substr(1, 6);
}

// An event of alternative `indice` of detEvento, filled and with its Id.
inline nfe::evento::Tevento EventoDeTeste(size_t indice) {
  nfe::evento::Tevento evento;
  auto& inf = evento.infEvento;
  inf.cOrgao = "41";
  inf.tpAmb = "2";
  inf.CNPJ_CPF = nfe::evento::TCNPJ{"12ABC34501DE35"};
  inf.chNFe = ChaveDoEvento();
  inf.dhEvento = "2026-12-10T10:15:00-03:00";
  inf.tpEvento = TipoDoEvento(indice);
  inf.nSeqEvento = "1";
  EscolherAlternativa(inf.detEvento, indice + 1);
  TPreenchedorNFe preenchedor(0);
  std::visit(
      [&](auto& detalhe) {
        if constexpr (!std::is_same_v<std::decay_t<decltype(detalhe)>, std::monostate>) {
          Visitar(preenchedor, detalhe);
        }
      },
      inf.detEvento);
  ComporIdEvento(evento);
  return evento;
}

}  // namespace nivra
