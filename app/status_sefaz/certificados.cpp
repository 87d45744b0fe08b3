// Listing and importing certificates from the command line.
#include "app/status_sefaz/certificados.h"

#include <openssl/x509.h>

#include <set>
#include <vector>

#include "security/certificado_x509.h"
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

void EscreverLinha(std::ostream& saida, const TDadosCertificado& dados, TSSLTipoCertificado tipo) {
  saida << dados.RazaoSocial() << " | " << (dados.CNPJ().empty() ? "-" : dados.CNPJ()) << " | "
        << FormatarData("dd/mm/yyyy", dados.DataVenc()) << " | " << dados.Certificadora() << " | "
        << dados.NumeroSerie() << " | " << TextoTipo(tipo) << "\n";
}

// Listing leaves the kind undetermined (only loading tells it); the store lists the entries of
// its folder, whose keys are in files (A1), and the certificates of the tokens (A3).
std::set<std::string> SeriesDaPasta() {
  std::vector<TEntradaRepositorio> entradas;
  std::set<std::string> series;
  if (!LerRepositorioCertificados(TSSLStoreLocation::slCurrentUser, entradas)) return series;
  for (const auto& entrada : entradas)
    series.insert(
        NumeroSerieCertificado(X509_get0_serialNumber(entrada.Conteudo.Certificado.get())));
  return series;
}

}  // namespace

void ListarCertificados(TNivraNFe& nfe, std::ostream& saida) {
  auto& ssl = nfe.SSL();
  ssl.LerCertificadosStore();
  const auto& lista = ssl.ListaCertificados();
  saida << "Razão social | CNPJ | Validade | Certificadora | Número de série | Tipo\n";
  const std::set<std::string> daPasta = SeriesDaPasta();
  for (std::size_t i = 0; i < lista.Count(); ++i) {
    const TDadosCertificado& dados = lista.Objects(i);
    const bool arquivo = daPasta.contains(dados.NumeroSerie());
    EscreverLinha(saida, dados, arquivo ? TSSLTipoCertificado::tpcA1 : TSSLTipoCertificado::tpcA3);
  }
}

void ImportarCertificado(const std::string& arquivoPFX, const std::string& senha,
                         std::ostream& saida) {
  const TDadosCertificado dados = ImportarCertificadoPFX(arquivoPFX, senha);
  saida << "Certificado importado para "
        << PastaRepositorioCertificados(TSSLStoreLocation::slCurrentUser) << ":\n";
  EscreverLinha(saida, dados, dados.Tipo());
}
