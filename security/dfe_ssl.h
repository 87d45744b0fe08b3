// TDFeSSL: the security facade. The single object through which the component reaches
// certificates, hashing, HTTPS and XML signatures, each through a pluggable role object.
#pragma once

#include <functional>
#include <istream>
#include <memory>
#include <string>
#include <vector>

#include "nivranfe/security/dados_certificado.h"
#include "nivranfe/security/dfe_ssl_crypt.h"
#include "nivranfe/security/dfe_ssl_http.h"
#include "nivranfe/security/dfe_ssl_xmlsign.h"
#include "nivranfe/security/senha_embaralhada.h"
#include "nivranfe/security/ssl_tipos.h"
#include "nivranfe/util/datahora.h"

namespace nivra {

// Called before signing with a copy of the document (which the handler may replace by the
// document it signed itself) and the texts that name what to sign.
using TDFeSSLAntesDeAssinar =
    std::function<void(std::string& ConteudoXML, const std::string& docElement,
                       const std::string& infElement, const std::string& SignatureNode,
                       const std::string& SelectionNamespaces, const std::string& IdSignature)>;

// The HTTP time-out, in milliseconds, that stands for a time-out of 0 or less.
inline constexpr int kTimeOutPadrao = 10000;

// Lets the user choose one of the certificates of `lista`; `titulo` and `texto` are the
// caption and the prompt to show. Returns the chosen certificate's serial number, or empty
// when the user cancels.
using TEscolhaCertificado = std::function<std::string(
    const TListaCertificados& lista, const std::string& titulo, const std::string& texto)>;

class TDFeSSL {
 public:
  // Mime type used by `Enviar` when the caller gives none.
  static constexpr const char* MimeTypePadrao = "application/soap+xml; charset=utf-8";

  // Runs `Clear`: default settings and the "none" object of every role.
  TDFeSSL();
  TDFeSSL(const TDFeSSL&) = delete;
  TDFeSSL& operator=(const TDFeSSL&) = delete;
  // Unloads the certificate, then frees the crypto, HTTP and XML-signature objects.
  virtual ~TDFeSSL();

  // Restores every setting's default, forgets the password, and replaces the three role
  // objects by the "none" objects (unloading a loaded certificate first).
  void Clear();

  // --- Settings --------------------------------------------------------------------------
  const TDFeSSLAntesDeAssinar& AntesDeAssinar() const { return FAntesDeAssinar; }
  void SetAntesDeAssinar(TDFeSSLAntesDeAssinar valor) { FAntesDeAssinar = std::move(valor); }

  // Path of a PKCS#12 file. A different value empties `DadosPFX` and unloads the certificate.
  const std::string& ArquivoPFX() const { return FArquivoPFX; }
  void SetArquivoPFX(const std::string& valor);
  // PKCS#12 data. A different value unloads the certificate.
  const std::string& DadosPFX() const { return FDadosPFX; }
  void SetDadosPFX(const std::string& valor);
  // Namespace the XML schemas validate against.
  const std::string& NameSpaceURI() const { return FNameSpaceURI; }
  void SetNameSpaceURI(const std::string& valor) { FNameSpaceURI = valor; }
  // Serial number of the certificate in the store. Unless `valor` equals the stored text, it is
  // stored without blanks, upper-cased and trimmed; `DadosPFX` is emptied and the certificate
  // unloaded.
  const std::string& NumeroSerie() const { return FNumeroSerie; }
  void SetNumeroSerie(const std::string& valor);
  const std::string& ProxyHost() const { return FProxyHost; }
  void SetProxyHost(const std::string& valor) { FProxyHost = valor; }
  const std::string& ProxyPass() const { return FProxyPass; }
  void SetProxyPass(const std::string& valor) { FProxyPass = valor; }
  const std::string& ProxyPort() const { return FProxyPort; }
  void SetProxyPort(const std::string& valor) { FProxyPort = valor; }
  const std::string& ProxyUser() const { return FProxyUser; }
  void SetProxyUser(const std::string& valor) { FProxyUser = valor; }
  // Certificate password or token PIN, in clear. Only a scrambled form is held; a different
  // value takes a new scrambling key and unloads the certificate.
  std::string Senha() const;
  void SetSenha(const std::string& valor);

  // Library choices. Setting the current choice does nothing. Otherwise the role's object is
  // replaced by the one of the choice (the old crypto object unloads its certificate first).
  // A choice that is not available throws ENivraDFeException and leaves the role's object and
  // recorded choice unchanged. The OpenSSL names (cryOpenSSL, httpOpenSSL, xsXmlSec) select
  // this build's roles as cryWinCrypt, httpWinHttp and xsMsXml do.
  TSSLCryptLib SSLCryptLib() const { return FSSLCryptLib; }
  void SetSSLCryptLib(TSSLCryptLib valor);
  TSSLHttpLib SSLHttpLib() const { return FSSLHttpLib; }
  void SetSSLHttpLib(TSSLHttpLib valor);
  TSSLXmlSignLib SSLXmlSignLib() const { return FSSLXmlSignLib; }
  void SetSSLXmlSignLib(TSSLXmlSignLib valor);

  // Installs `obj` as the role's object (taking ownership), replacing the current one (the old
  // crypto object unloads its certificate first); the recorded choice is kept. A null `obj`
  // installs the "none" object. Throws ENivraDFeException when `obj` belongs to another facade.
  void UsarSSLCryptClass(std::unique_ptr<TDFeSSLCryptClass> obj);
  void UsarSSLHttpClass(std::unique_ptr<TDFeSSLHttpClass> obj);
  void UsarSSLXmlSignClass(std::unique_ptr<TDFeSSLXmlSignClass> obj);
  // Whether any role was changed or installed since the last `Clear` (a choice that was
  // refused counts): until then the component may pick this build's roles itself.
  bool PapeisEscolhidos() const { return FPapeisEscolhidos; }

  TSSLType SSLType() const { return FSSLType; }
  void SetSSLType(TSSLType valor) { FSSLType = valor; }
  TSSLDgst SSLDgst() const { return FSSLDgst; }
  void SetSSLDgst(TSSLDgst valor) { FSSLDgst = valor; }
  TSSLStoreLocation StoreLocation() const { return FStoreLocation; }
  void SetStoreLocation(TSSLStoreLocation valor) { FStoreLocation = valor; }
  const std::string& StoreName() const { return FStoreName; }
  void SetStoreName(const std::string& valor) { FStoreName = valor; }
  // The chooser `SelecionarCertificado` asks; none is installed at first (the selection is
  // then empty). Kept by `Clear`.
  const TEscolhaCertificado& EscolherCertificado() const { return FEscolherCertificado; }
  void SetEscolherCertificado(TEscolhaCertificado valor) {
    FEscolherCertificado = std::move(valor);
  }
  // HTTP time-out in milliseconds; a value of 0 or less becomes kTimeOutPadrao, so a request
  // never waits for ever.
  int TimeOut() const { return FTimeOut; }
  void SetTimeOut(int valor) { FTimeOut = valor > 0 ? valor : kTimeOutPadrao; }
  // Whether the authoriser's certificate chain, dates and host name are verified (off by
  // default: authorisers' certificates often chain to authorities the system lacks). When on,
  // the PEM bundle `ArquivoCA` is the only trust if named, else the system's authorities.
  bool VerificarServidor() const { return FVerificarServidor; }
  void SetVerificarServidor(bool valor) { FVerificarServidor = valor; }
  const std::string& ArquivoCA() const { return FArquivoCA; }
  void SetArquivoCA(const std::string& valor) { FArquivoCA = valor; }
  // Whether the certificate is loaded and presented to the HTTPS server.
  bool UseCertificateHTTP() const { return FUseCertificateHTTP; }
  void SetUseCertificateHTTP(bool valor) { FUseCertificateHTTP = valor; }

  // --- Role objects and what they report ---------------------------------------------------
  TDFeSSLCryptClass& SSLCryptClass() { return *FSSLCryptClass; }
  TDFeSSLHttpClass& SSLHttpClass() { return *FSSLHttpClass; }
  TDFeSSLXmlSignClass& SSLXmlSignClass() { return *FSSLXmlSignClass; }

  // HTTP status and platform error code of the last send.
  int HTTPResultCode() { return FSSLHttpClass->HTTPResultCode(); }
  int InternalErrorCode() { return FSSLHttpClass->InternalErrorCode(); }

  // Whether a certificate is loaded.
  bool CertificadoLido() const { return FSSLCryptClass->CertificadoLido(); }
  // The loaded certificate's context, loading it first when needed; nullptr for "none".
  const TCertContext* CertContextWinApi() { return FSSLCryptClass->CertContextWinApi(); }
  // The loaded certificate's data; each loads the certificate first when needed.
  std::string CertNumeroSerie() { return FSSLCryptClass->CertNumeroSerie(); }
  TDateTime CertDataVenc() { return FSSLCryptClass->CertDataVenc(); }
  std::string CertCertificadora() { return FSSLCryptClass->CertCertificadora(); }
  std::string CertIssuerName() { return FSSLCryptClass->CertIssuerName(); }
  std::string CertSubjectName() { return FSSLCryptClass->CertSubjectName(); }
  std::string CertRazaoSocial() { return FSSLCryptClass->CertRazaoSocial(); }
  std::string CertCNPJ() { return FSSLCryptClass->CertCNPJ(); }
  TSSLTipoCertificado CertTipo() { return FSSLCryptClass->CertTipo(); }
  TDadosCertificado& DadosCertificado() { return FSSLCryptClass->DadosCertificado(); }
  // The certificates found by `LerCertificadosStore`.
  TListaCertificados& ListaCertificados() { return FSSLCryptClass->ListaCertificados(); }

  // --- Operations --------------------------------------------------------------------------
  // Posts `ConteudoXML` (unchanged) to `AURL` through the HTTP role and returns the answer
  // text. Loads the certificate first when `UseCertificateHTTP` is set; an empty `AMimeType`
  // becomes MimeTypePadrao. Load and transport failures propagate.
  std::string Enviar(const std::string& ConteudoXML, const std::string& AURL,
                     const std::string& ASoapAction, const std::string& AMimeType = "");

  // Returns the signed document. A UTF-8 declaration of the input is kept in front of the
  // result. When `AntesDeAssinar` changes the document it was given, that changed document is
  // the result. Signing failures propagate.
  [[nodiscard]] std::string Assinar(const std::string& ConteudoXML, const std::string& docElement,
                                    const std::string& infElement,
                                    const std::string& SignatureNode = "",
                                    const std::string& SelectionNamespaces = "",
                                    const std::string& IdSignature = "",
                                    const std::string& IdAttr = "");
  // Validates against the schema file `ArqSchema`; returns true when valid, else false with
  // the reason in `MsgErro`. Throws ENivraDFeException when `ArqSchema` is empty or missing.
  bool Validar(const std::string& ConteudoXML, const std::string& ArqSchema, std::string& MsgErro);
  // Checks the document's signature; returns true when it holds, else false with the reason in
  // `MsgErro`.
  bool VerificarAssinatura(const std::string& ConteudoXML, std::string& MsgErro,
                           const std::string& infElement = "",
                           const std::string& SignatureNode = "",
                           const std::string& SelectionNamespaces = "",
                           const std::string& IdSignature = "", const std::string& IdAttr = "");

  // Digest (or, with `Assina`, its signature with the certificate's key) of the whole stream,
  // in the form `ModoSaida` asks for: upper-case hexadecimal, Base64 on one line, or the raw
  // bytes. Throws ENivraDFeException "Stream inválido" for a null stream, "Stream vazio" for an
  // empty one, and whatever the crypto role raises.
  [[nodiscard]] std::string CalcHash(std::istream* AStream, TSSLDgst Digest,
                                     TSSLHashOutput ModoSaida = TSSLHashOutput::outHexa,
                                     bool Assina = false);
  // The same over the bytes of `BinaryString`.
  [[nodiscard]] std::string CalcHash(const std::string& BinaryString, TSSLDgst Digest,
                                     TSSLHashOutput ModoSaida = TSSLHashOutput::outHexa,
                                     bool Assina = false);
  // The same over the lines of `AStringList`, each ended by CR LF.
  [[nodiscard]] std::string CalcHash(const std::vector<std::string>& AStringList, TSSLDgst Digest,
                                     TSSLHashOutput ModoSaida = TSSLHashOutput::outHexa,
                                     bool Assina = false);
  // The same over the contents of the file `NomeArquivo`. Throws ENivraDFeException when the
  // file does not exist or cannot be read.
  [[nodiscard]] std::string CalcHashArquivo(const std::string& NomeArquivo, TSSLDgst Digest,
                                            TSSLHashOutput ModoSaida = TSSLHashOutput::outHexa,
                                            bool Assina = false);

  // Certificate operations, forwarded to the crypto role; failures propagate.
  void CarregarCertificado();
  // Loads the certificate only when it is not loaded yet.
  void CarregarCertificadoSeNecessario();
  void DescarregarCertificado();
  void LerCertificadosStore();
  // Lets the user pick a certificate; returns its serial number and loads it, or returns empty.
  std::string SelecionarCertificado();
  // Unloads, then loads a certificate without private key from its Base64 DER text; returns
  // whether a subject name came out (false at once for an empty text).
  virtual bool CarregarCertificadoPublico(const std::string& DadosX509Base64);
  // Throws ENivraDFeException when both `CNPJDocumento` and the certificate's CNPJ have 14
  // letters and digits and the document's CNPJ is invalid or its company root (first 8
  // characters) differs.
  void ValidarCNPJCertificado(const std::string& CNPJDocumento);

 private:
  // Replace a role's object; the old crypto object unloads its certificate before it goes.
  void TrocarCrypt(std::unique_ptr<TDFeSSLCryptClass> obj);
  void TrocarHttp(std::unique_ptr<TDFeSSLHttpClass> obj);
  void TrocarXmlSign(std::unique_ptr<TDFeSSLXmlSignClass> obj);
  // Unloads the certificate when a crypto object exists.
  void Descarregar();
  // Applies `ModoSaida` to the raw bytes of a hash.
  static std::string FormatarHash(const std::string& bytes, TSSLHashOutput ModoSaida);

  TDFeSSLAntesDeAssinar FAntesDeAssinar;
  TEscolhaCertificado FEscolherCertificado;
  std::string FArquivoPFX;
  std::string FDadosPFX;
  std::string FNameSpaceURI;
  std::string FNumeroSerie;
  std::string FProxyHost;
  std::string FProxyPass;
  std::string FProxyPort;
  std::string FProxyUser;
  TSenhaEmbaralhada FSenha;
  std::unique_ptr<TDFeSSLCryptClass> FSSLCryptClass;
  TSSLCryptLib FSSLCryptLib = TSSLCryptLib::cryNone;
  std::unique_ptr<TDFeSSLHttpClass> FSSLHttpClass;
  TSSLHttpLib FSSLHttpLib = TSSLHttpLib::httpNone;
  std::unique_ptr<TDFeSSLXmlSignClass> FSSLXmlSignClass;
  TSSLXmlSignLib FSSLXmlSignLib = TSSLXmlSignLib::xsNone;
  bool FPapeisEscolhidos = false;
  TSSLType FSSLType = TSSLType::LT_all;
  TSSLStoreLocation FStoreLocation = TSSLStoreLocation::slCurrentUser;
  std::string FStoreName;
  int FTimeOut = 5000;
  bool FVerificarServidor = false;
  std::string FArquivoCA;
  bool FUseCertificateHTTP = true;
  TSSLDgst FSSLDgst = TSSLDgst::dgstSHA1;
};

}  // namespace nivra
