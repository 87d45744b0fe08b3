// Writes the voiding request.
#include "nivranfe/nfe/inut_nfe_pedido.h"

#include "nivranfe/util/texto.h"

namespace nivra {

namespace {

constexpr std::size_t kTamanhoID = 43;

}  // namespace

std::string TInutNFePedido::ID() const {
  return "ID" + InteiroComZeros(cUF, 2) + InteiroComZeros(AnoCurto(), 2) +
         SomenteLetrasEDigitos(CNPJ) + InteiroComZeros(modelo, 2) + InteiroComZeros(serie, 3) +
         InteiroComZeros(nNFIni, 9) + InteiroComZeros(nNFFin, 9);
}

void TInutNFePedido::Escrever() {
  auto& g = Gerador();
  const std::string id = ID();
  AbrirRaiz("inutNFe");
  g.wGrupo("infInut Id=\"" + id + "\"");
  if (id.size() < kTamanhoID) g.wAlerta("DP04", "ID", "", "ID de inutilização inválido");
  g.wCampo(TkovTipoCampo::tcStr, "DP05", "tpAmb", 1, 1, 1, TipoAmbienteParaTexto(tpAmb),
           "Identificação do Ambiente");
  g.wCampo(TkovTipoCampo::tcStr, "DP06", "xServ", 10, 10, 1, std::string("INUTILIZAR"),
           "Serviço Solicitado");
  g.wCampo(TkovTipoCampo::tcInt, "DP07", "cUF", 2, 2, 1, int64_t{cUF}, "Código da UF");
  g.wCampo(TkovTipoCampo::tcInt, "DP08", "ano", 2, 2, 1, int64_t{AnoCurto()}, "Ano");
  g.wCampo(TkovTipoCampo::tcStr, "DP09", "CNPJ", 14, 14, 1, SomenteLetrasEDigitos(CNPJ), "CNPJ");
  g.wCampo(TkovTipoCampo::tcInt, "DP10", "mod", 2, 2, 1, int64_t{modelo}, "Modelo");
  g.wCampo(TkovTipoCampo::tcInt, "DP11", "serie", 1, 3, 1, int64_t{serie}, "Série");
  g.wCampo(TkovTipoCampo::tcInt, "DP12", "nNFIni", 1, 9, 1, int64_t{nNFIni}, "Número inicial");
  g.wCampo(TkovTipoCampo::tcInt, "DP13", "nNFFin", 1, 9, 1, int64_t{nNFFin}, "Número final");
  if (nNFFin < nNFIni)
    g.wAlerta("DP13", "nNFFin", "Número final", "O numero final não pode ser menor que o inicial");
  g.wCampo(TkovTipoCampo::tcStr, "CP14", "xJust", 15, 255, 1, xJust, "Justificativa");
  g.wGrupo("/infInut");
  g.wGrupo("/inutNFe");
}

}  // namespace nivra
