// Listing and importing certificates from the command line.
#include "app/status_sefaz/certificados.h"

#include "security/repositorio_certificados.h"
#include "util/datahora.h"

namespace {

std::string TextoTipo(TSSLTipoCertificado tipo) {
  switch (tipo) {
    case TSSLTipoCertificado::tpcA1:
      return "A1";
    case TSSLTipoCertificado::tpcA3:
      return "A3";
    case TSSLTipoCertificado::tpcDesconhecido:
      break;
  }
  return "?";
}

void EscreverLinha(std::ostream& saida, const TDadosCertificado& dados) {
  saida << dados.RazaoSocial() << " | " << (dados.CNPJ().empty() ? "-" : dados.CNPJ()) << " | "
        << FormatarData("dd/mm/yyyy", dados.DataVenc()) << " | " << dados.Certificadora() << " | "
        << dados.NumeroSerie() << " | " << TextoTipo(dados.Tipo()) << "\n";
}

}  // namespace

void ListarCertificados(TNivraNFe& nfe, std::ostream& saida) {
  auto& ssl = nfe.SSL();
  ssl.LerCertificadosStore();
  const auto& lista = ssl.ListaCertificados();
  saida << "Razão social | CNPJ | Validade | Certificadora | Número de série | Tipo\n";
  for (std::size_t i = 0; i < lista.Count(); ++i) EscreverLinha(saida, lista.Objects(i));
}

void ImportarCertificado(const std::string& arquivoPFX, const std::string& senha,
                         std::ostream& saida) {
  const TDadosCertificado dados = ImportarCertificadoPFX(arquivoPFX, senha);
  saida << "Certificado importado para "
        << PastaRepositorioCertificados(TSSLStoreLocation::slCurrentUser) << ":\n";
  EscreverLinha(saida, dados);
}
