// The crypto role's base class: certificate data, loaded flag and the refusals of "none".
#include "nivranfe/security/dfe_ssl_crypt.h"

#include "nivranfe/security/dfe_ssl.h"
#include "nivranfe/util/excecoes.h"
#include "nivranfe/util/nome_classe.h"

namespace nivra {

TDFeSSLCryptClass::TDFeSSLCryptClass(TDFeSSL& ADFeSSL) : FpDFeSSL(ADFeSSL) {}

TDFeSSLCryptClass::~TDFeSSLCryptClass() = default;

const TCertContext* TDFeSSLCryptClass::GetCertContextWinApi() { return nullptr; }

std::string TDFeSSLCryptClass::GetCertPFXData() { return FpDFeSSL.DadosPFX(); }

void TDFeSSLCryptClass::Clear() {
  FpDadosCertificado.Clear();
  FpListaCertificados.Clear();
}

std::string TDFeSSLCryptClass::CalcHash(std::istream&, TSSLDgst, bool) { NaoSuportado("CalcHash"); }

void TDFeSSLCryptClass::CarregarCertificado() { FpCertificadoLido = true; }

void TDFeSSLCryptClass::DescarregarCertificado() {
  Clear();
  FpCertificadoLido = false;
}

std::string TDFeSSLCryptClass::SelecionarCertificado() { NaoSuportado("SelecionarCertificado"); }

void TDFeSSLCryptClass::LerCertificadosStore() { NaoSuportado("LerCertificadosStore"); }

bool TDFeSSLCryptClass::CarregarCertificadoPublico(const std::string&) {
  NaoSuportado("CarregarCertificadoPublico");
}

void TDFeSSLCryptClass::CarregarCertificadoSeNecessario() {
  if (!FpCertificadoLido) CarregarCertificado();
}

const TCertContext* TDFeSSLCryptClass::CertContextWinApi() {
  CarregarCertificadoSeNecessario();
  return GetCertContextWinApi();
}

const TDadosCertificado& TDFeSSLCryptClass::DadosCarregados() {
  if (FpDadosCertificado.NumeroSerie().empty()) CarregarCertificadoSeNecessario();
  return FpDadosCertificado;
}

std::string TDFeSSLCryptClass::CertNumeroSerie() { return DadosCarregados().NumeroSerie(); }
std::string TDFeSSLCryptClass::CertIssuerName() { return DadosCarregados().IssuerName(); }
std::string TDFeSSLCryptClass::CertCertificadora() { return DadosCarregados().Certificadora(); }
TDateTime TDFeSSLCryptClass::CertDataVenc() { return DadosCarregados().DataVenc(); }
std::string TDFeSSLCryptClass::CertSubjectName() { return DadosCarregados().SubjectName(); }
std::string TDFeSSLCryptClass::CertRazaoSocial() { return DadosCarregados().RazaoSocial(); }
std::string TDFeSSLCryptClass::CertCNPJ() { return DadosCarregados().CNPJ(); }
TSSLTipoCertificado TDFeSSLCryptClass::CertTipo() { return DadosCarregados().Tipo(); }

std::string TDFeSSLCryptClass::ClassName() const { return NomeDaClasse(typeid(*this)); }

void TDFeSSLCryptClass::NaoSuportado(const std::string& operacao) const {
  throw ENivraDFeException("\"" + operacao + "\" não suportado em: " + ClassName());
}

}  // namespace nivra
