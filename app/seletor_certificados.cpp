// Filtering and formatting the picker's rows.
#include "app/seletor_certificados.h"

#include <cmath>

#include "nivranfe/security/dados_certificado.h"

namespace nivra {

std::vector<TLinhaCertificado> LinhasDoSeletor(const TListaCertificados& lista, TDateTime agora) {
  const TDateTime hoje = std::floor(agora);
  std::vector<TLinhaCertificado> linhas;
  for (std::size_t i = 0; i < lista.Count(); ++i) {
    const TDadosCertificado& dados = lista.Objects(i);
    if (dados.CNPJ().empty() || hoje > dados.DataVenc()) continue;
    linhas.push_back({dados.RazaoSocial(), dados.CNPJ(),
                      FormatarData("dd/mm/yyyy", dados.DataVenc()), dados.Certificadora(),
                      dados.NumeroSerie()});
  }
  return linhas;
}

}  // namespace nivra
