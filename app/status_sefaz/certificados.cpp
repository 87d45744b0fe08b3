// Listing and importing certificates from the command line.
#include "app/status_sefaz/certificados.h"

#include <openssl/x509.h>

#include <set>
#include <vector>

#include "nivranfe/security/certificado_x509.h"
#include "nivranfe/security/repositorio_certificados.h"
#include "nivranfe/util/datahora.h"

namespace nivra {

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

// The serial numbers of the store folder's entries, and how many of them open without a password.
struct TEntradasDaPasta {
  std::set<std::string> Series;
  std::size_t Abertas = 0;
};

// Listing leaves the kind undetermined (only loading tells it); the store lists the entries of
// its folder, whose keys are in files (A1), and the certificates of the tokens (A3).
TEntradasDaPasta EntradasDaPasta() {
  std::vector<TEntradaRepositorio> entradas;
  TEntradasDaPasta pasta;
  if (!LerRepositorioCertificados(TSSLStoreLocation::slCurrentUser, entradas)) return pasta;
  for (const auto& entrada : entradas) {
    pasta.Series.insert(
        NumeroSerieCertificado(X509_get0_serialNumber(entrada.Conteudo.Certificado.get())));
    if (!entrada.Protegida) ++pasta.Abertas;
  }
  return pasta;
}

// What the listing says about entries whose key opens without a password.
void AvisarProtecao(const TEntradasDaPasta& pasta, TChaveiro& chaveiro, std::ostream& saida) {
  if (!chaveiro.Disponivel()) {
    saida << "Aviso: nenhum chaveiro (Secret Service) responde nesta sessão; as entradas do "
             "repositório não estão protegidas por senha.\n";
  } else if (pasta.Abertas > 0) {
    saida << "Aviso: " << pasta.Abertas
          << " entrada(s) do repositório abrem sem senha; proteja-as com status-sefaz "
             "--proteger-certificados.\n";
  }
}

}  // namespace

void ListarCertificados(TNivraNFe& nfe, std::ostream& saida, TChaveiro& chaveiro) {
  auto& ssl = nfe.SSL();
  ssl.LerCertificadosStore();
  const auto& lista = ssl.ListaCertificados();
  saida << "Razão social | CNPJ | Validade | Certificadora | Número de série | Tipo\n";
  const TEntradasDaPasta pasta = EntradasDaPasta();
  for (std::size_t i = 0; i < lista.Count(); ++i) {
    const TDadosCertificado& dados = lista.Objects(i);
    const bool arquivo = pasta.Series.contains(dados.NumeroSerie());
    EscreverLinha(saida, dados, arquivo ? TSSLTipoCertificado::tpcA1 : TSSLTipoCertificado::tpcA3);
  }
  AvisarProtecao(pasta, chaveiro, saida);
}

void ImportarCertificado(const std::string& arquivoPFX, const std::string& senha,
                         TProtecaoEntrada protecao, std::ostream& saida) {
  const TDadosCertificado dados =
      ImportarCertificadoPFX(arquivoPFX, senha, TSSLStoreLocation::slCurrentUser, protecao);
  saida << "Certificado importado para "
        << PastaRepositorioCertificados(TSSLStoreLocation::slCurrentUser) << ":\n";
  EscreverLinha(saida, dados, dados.Tipo());
  if (ChaveiroDaSessao().Disponivel())
    saida << "A chave está cifrada; a senha dela está no chaveiro da sessão.\n";
}

}  // namespace nivra
