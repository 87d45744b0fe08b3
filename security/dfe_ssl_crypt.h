// The crypto role of the security facade. The base class is the "none" choice: it keeps the
// certificate data and list and refuses every operation it cannot perform.
#pragma once

#include <openssl/types.h>

#include <istream>
#include <string>

#include "nivranfe/security/dados_certificado.h"
#include "nivranfe/security/ssl_tipos.h"
#include "nivranfe/util/datahora.h"

namespace nivra {

class TDFeSSL;

// The loaded certificate and its private key as the TLS and signing code use them. Owned by
// the crypto implementation that loaded them; valid until it unloads the certificate.
struct TCertContext {
  X509* Certificado = nullptr;
  EVP_PKEY* ChavePrivada = nullptr;
  // The certificate's DER in Base64, as a signature's KeyInfo carries it.
  std::string CertificadoBase64;
};

class TDFeSSLCryptClass {
 public:
  // Creates a cleared data record and an empty list; nothing is loaded. `ADFeSSL` is the owning
  // facade and must outlive this object.
  explicit TDFeSSLCryptClass(TDFeSSL& ADFeSSL);
  TDFeSSLCryptClass(const TDFeSSLCryptClass&) = delete;
  TDFeSSLCryptClass& operator=(const TDFeSSLCryptClass&) = delete;
  virtual ~TDFeSSLCryptClass();

  // The loaded certificate's context; nullptr in the base class.
  virtual const TCertContext* GetCertContextWinApi();
  // The certificate as PKCS#12 data; the base returns the facade's `DadosPFX`.
  virtual std::string GetCertPFXData();
  // Clears the data record and empties the list.
  virtual void Clear();
  // Digest of the whole stream (from its start), or its signature with the certificate's key
  // when `Assina` is true, as raw bytes. Throws ENivraDFeException ("não suportado") in the base.
  virtual std::string CalcHash(std::istream& AStream, TSSLDgst Digest, bool Assina);
  // Loads the certificate named by the facade's settings; the base only marks it loaded.
  virtual void CarregarCertificado();
  // Releases the certificate: clears the record and the list, marks it not loaded.
  virtual void DescarregarCertificado();
  // Lets the user choose a certificate; returns its serial number (empty when cancelled).
  // Throws ENivraDFeException ("não suportado") in the base.
  virtual std::string SelecionarCertificado();
  // Fills `ListaCertificados` with every certificate of the store.
  // Throws ENivraDFeException ("não suportado") in the base.
  virtual void LerCertificadosStore();
  // Loads a certificate without private key from its Base64 DER text; returns whether a subject
  // name came out. Throws ENivraDFeException ("não suportado") in the base.
  virtual bool CarregarCertificadoPublico(const std::string& DadosX509Base64);

  // Loads the certificate when it is not loaded yet; load failures propagate.
  void CarregarCertificadoSeNecessario();

  // The context of the certificate, loading it first when needed (nullptr in the base).
  const TCertContext* CertContextWinApi();
  // The certificate as PKCS#12 data (see GetCertPFXData).
  std::string CertPFXData() { return GetCertPFXData(); }
  // Whether a certificate is loaded.
  bool CertificadoLido() const { return FpCertificadoLido; }

  // The loaded certificate's data. Each loads the certificate first when the record holds no
  // serial number yet; load failures propagate.
  std::string CertNumeroSerie();
  std::string CertIssuerName();
  std::string CertCertificadora();
  TDateTime CertDataVenc();
  std::string CertSubjectName();
  std::string CertRazaoSocial();
  std::string CertCNPJ();
  TSSLTipoCertificado CertTipo();

  // The loaded certificate's record and the list filled by `LerCertificadosStore`.
  TDadosCertificado& DadosCertificado() { return FpDadosCertificado; }
  TListaCertificados& ListaCertificados() { return FpListaCertificados; }
  // The owning facade.
  TDFeSSL& DFeSSL() const { return FpDFeSSL; }
  // The run-time class name of this object, as the refusal messages show it.
  std::string ClassName() const;

 protected:
  // Throws ENivraDFeException "\"<operacao>\" não suportado em: <class name>".
  [[noreturn]] void NaoSuportado(const std::string& operacao) const;
  // Loads the certificate when the record holds no serial number yet; returns the record.
  const TDadosCertificado& DadosCarregados();

  TDadosCertificado FpDadosCertificado;
  TListaCertificados FpListaCertificados;
  TDFeSSL& FpDFeSSL;
  bool FpCertificadoLido = false;
};

}  // namespace nivra
