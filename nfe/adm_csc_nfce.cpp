// Writes the CSC administration request.
#include "nivranfe/nfe/adm_csc_nfce.h"

#include "nivranfe/util/texto.h"

namespace nivra {

namespace {

constexpr int32_t kRevogar = 3;

}  // namespace

void TAdmCSCNFCe::Escrever() {
  auto& g = Gerador();
  AbrirRaiz("admCscNFCe");
  g.wCampo(TkovTipoCampo::tcStr, "AP03", "tpAmb", 1, 1, 1, TipoAmbienteParaTexto(tpAmb),
           "Identificação do Ambiente");
  g.wCampo(TkovTipoCampo::tcInt, "AP04", "indOp", 1, 1, 1, int64_t{indOP}, "Indicador da operação");
  g.wCampo(TkovTipoCampo::tcStr, "AP05", "raizCNPJ", 8, 8, 1, SomenteLetrasEDigitos(raizCNPJ),
           "Raiz do CNPJ");
  if (indOP == kRevogar) {
    g.wGrupo("dadosCsc");
    g.wCampo(TkovTipoCampo::tcStr, "AP07", "idCsc", 6, 6, 1, InteiroComZeros(idCsc, 6),
             "Identificador do CSC");
    g.wCampo(TkovTipoCampo::tcStr, "AP08", "codigoCsc", 16, 36, 1, codigoCsc, "Código do CSC");
    g.wGrupo("/dadosCsc");
  }
  g.wGrupo("/admCscNFCe");
}

}  // namespace nivra
