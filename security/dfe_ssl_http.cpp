// The HTTP role's base class: the refusals of "none".
#include "nivranfe/security/dfe_ssl_http.h"

#include "nivranfe/util/excecoes.h"
#include "nivranfe/util/nome_classe.h"

namespace nivra {

TDFeSSLHttpClass::TDFeSSLHttpClass(TDFeSSL& ADFeSSL) : FpDFeSSL(ADFeSSL) {}

TDFeSSLHttpClass::~TDFeSSLHttpClass() = default;

int TDFeSSLHttpClass::GetHTTPResultCode() { return 0; }

int TDFeSSLHttpClass::GetInternalErrorCode() { return 0; }

void TDFeSSLHttpClass::ConfigurarHTTP(const std::string&, const std::string&, const std::string&) {
  throw ENivraDFeException("Método \"ConfigurarHTTP\" não implementado em: " + ClassName());
}

std::string TDFeSSLHttpClass::Enviar(const std::string&, const std::string&, const std::string&,
                                     const std::string&) {
  throw ENivraDFeException("Método \"Enviar\" não implementado em: " + ClassName());
}

std::string TDFeSSLHttpClass::ClassName() const { return NomeDaClasse(typeid(*this)); }

}  // namespace nivra
