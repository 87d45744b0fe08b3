// The XML-signature role's base class: the refusals of "none".
#include "nivranfe/security/dfe_ssl_xmlsign.h"

#include "nivranfe/util/excecoes.h"
#include "nivranfe/util/nome_classe.h"

namespace nivra {

TDFeSSLXmlSignClass::TDFeSSLXmlSignClass(TDFeSSL& ADFeSSL) : FpDFeSSL(ADFeSSL) {}

TDFeSSLXmlSignClass::~TDFeSSLXmlSignClass() = default;

std::string TDFeSSLXmlSignClass::Assinar(const std::string&, const std::string&, const std::string&,
                                         const std::string&, const std::string&, const std::string&,
                                         const std::string&) {
  throw ENivraDFeException(ClassName() + ".Assinar, não implementado");
}

bool TDFeSSLXmlSignClass::Validar(const std::string&, const std::string&, std::string& MsgErro) {
  MsgErro.clear();
  throw ENivraDFeException("\"Validar\" não suportado em: " + ClassName());
}

bool TDFeSSLXmlSignClass::VerificarAssinatura(const std::string&, std::string&, const std::string&,
                                              const std::string&, const std::string&,
                                              const std::string&, const std::string&) {
  throw ENivraDFeException("\"ValidarAssinatura\" não suportado em: " + ClassName());
}

std::string TDFeSSLXmlSignClass::ClassName() const { return NomeDaClasse(typeid(*this)); }

}  // namespace nivra
