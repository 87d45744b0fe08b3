// Writes the distribution request.
#include "nivranfe/nfe/dist_dfe_int.h"

#include "nivranfe/util/texto.h"

namespace nivra {

void TDistDFeInt::Escrever() {
  auto& g = Gerador();
  AbrirRaiz("distDFeInt");
  g.wCampo(TkovTipoCampo::tcStr, "A03", "tpAmb", 1, 1, 1, TipoAmbienteParaTexto(tpAmb),
           "Identificação do Ambiente");
  g.wCampo(TkovTipoCampo::tcInt, "A04", "cUFAutor", 2, 2, 0, int64_t{cUFAutor},
           "Código da UF do Autor");
  const std::string documento = SomenteLetrasEDigitos(CNPJCPF);
  if (documento.size() == 14)
    g.wCampo(TkovTipoCampo::tcStr, "A05", "CNPJ", 14, 14, 1, documento, "CNPJ");
  else
    g.wCampo(TkovTipoCampo::tcStr, "A06", "CPF", 11, 11, 1, documento, "CPF");
  if (!NSU.empty()) {
    g.wGrupo("consNSU");
    g.wCampo(TkovTipoCampo::tcStr, "A10", "NSU", 15, 15, 1, ZerosAEsquerda(NSU, 15), "NSU");
    g.wGrupo("/consNSU");
  } else if (!chNFe.empty()) {
    g.wGrupo("consChNFe");
    g.wCampo(TkovTipoCampo::tcStr, "A12", "chNFe", 44, 44, 1, chNFe, "Chave de Acesso");
    g.wGrupo("/consChNFe");
  } else {
    g.wGrupo("distNSU");
    g.wCampo(TkovTipoCampo::tcStr, "A08", "ultNSU", 15, 15, 1,
             ZerosAEsquerda(ultNSU.empty() ? std::string("0") : ultNSU, 15), "Último NSU");
    g.wGrupo("/distNSU");
  }
  g.wGrupo("/distDFeInt");
}

}  // namespace nivra
